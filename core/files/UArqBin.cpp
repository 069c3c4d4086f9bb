#include "core/files/UArqBin.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace zelt {

TArqBin::~TArqBin() {
    FecheHandle();
}

void TArqBin::FecheHandle() noexcept {
    if (handleArq_ >= 0) {
        ::close(handleArq_);
        handleArq_ = -1;
    }
}

void TArqBin::Falhou(const char* operacao, int erro) {
    FecheHandle();
    SetTamArq(0);
    SetAberto(false);
    throw EInOutError::FromErrno(operacao, GetNomeCompleto(), erro);
}

bool TArqBin::Abrir() {
    TArq::Abrir();
    FecheHandle();
    SetTamArq(0);
    handleArq_ = ::open(ToDiskPath(GetNomeCompleto()).c_str(), O_RDONLY | O_CLOEXEC);
    if (handleArq_ < 0) {
        Falhou("Cannot open", errno);
    }
    LeiaTamArq();
    return true;
}

void TArqBin::LeiaTamArq() {
    const off_t fim = ::lseek(handleArq_, 0, SEEK_END);
    if (fim < 0) {
        Falhou("Cannot learn the size of", errno);
    }
    if (fim > std::numeric_limits<std::int32_t>::max()) {
        Falhou("Too large to read whole", EFBIG);
    }
    SetTamArq(static_cast<std::int32_t>(fim));
    if (::lseek(handleArq_, 0, SEEK_SET) < 0) {
        Falhou("Cannot seek in", errno);
    }
}

bool TArqBin::Leia(void* buffer) {
    if (handleArq_ < 0) {
        throw EInOutError::FromErrno("Cannot read a file that is not open", GetNomeCompleto(),
                                     EBADF);
    }
    char* destino = static_cast<char*>(buffer);
    std::int32_t lidos = 0;
    while (lidos < tamArq_) {
        const ssize_t n = ::read(handleArq_, destino + lidos, static_cast<size_t>(tamArq_ - lidos));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            qtdLidas_ = lidos;
            throw EInOutError::FromErrno("Cannot read", GetNomeCompleto(), errno);
        }
        if (n == 0) {
            break; // the file shrank since its size was taken
        }
        lidos += static_cast<std::int32_t>(n);
    }
    qtdLidas_ = lidos;
    return lidos == tamArq_;
}

bool TArqBin::Fechar() {
    FecheHandle();
    return TArq::Fechar();
}

} // namespace zelt
