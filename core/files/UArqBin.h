// A file read whole into the caller's buffer.
#pragma once

#include "core/files/UArq.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <string>

namespace zelt {

class ZELT_EXPORT TArqBin : public TArq {
public:
    using TArq::TArq;
    // Closes a handle left open, so that none outlives its object.
    ~TArqBin() override;

    // Opens read-only and learns the size. A file that cannot be opened (a missing one) raises
    // EInOutError with errno and leaves the object closed with a size of 0; a file too large for
    // the 32-bit size (over 2 GiB) raises EInOutError with EFBIG.
    bool Abrir() override;
    bool Fechar() override;

    // Seeks to the end for the size, then back to the start.
    void LeiaTamArq();
    // Reads TamArq bytes into buffer, which must hold at least that many; QtdLidas becomes the
    // count actually read. True when the whole file was read.
    bool Leia(void* buffer);

    int GetHandleArq() const { return handleArq_; }
    std::int32_t GetTamArq() const { return tamArq_; }

protected:
    void SetTamArq(std::int32_t tamArq) { tamArq_ = tamArq; }

private:
    void FecheHandle() noexcept;
    [[noreturn]] void Falhou(const char* operacao, int erro);

    int handleArq_ = -1;
    std::int32_t tamArq_ = 0;
};

} // namespace zelt
