// The C boundary of UBematechPrinter. No C++ exception leaves here: an error becomes the
// operation's failure value and the calling thread's last error.
#include "fiscal/bematech/UBematechPrinter.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/ExportBoundary.h"
#include "zelt/bematech.h"

#include <string>
#include <type_traits>
#include <utility>

namespace {

namespace b = zelt::bematech;

thread_local zelt::ExportBoundary fronteira;

} // namespace

#define ZELT_BEMA_EXPORT(name, params, Fn)                                                         \
    static_assert(std::is_convertible_v<decltype(&::name), Fn>, "signature of " #name);            \
    ZELT_QUALIFIED_ALIAS(bool, name, "UBematechPrinter." #name, params noexcept);                  \
    ZELT_C_EXPORT bool name params noexcept

ZELT_C_EXPORT const char* BematechPrinterUltimoErro(void) noexcept {
    return fronteira.LastError();
}

ZELT_BEMA_EXPORT(GavetaAcionar, (const char* pPorta, int32_t), BemaGavetaAcionarFn) {
    return fronteira.Guard(false, [&] { return b::BemaGavetaEnviar(fronteira.In(pPorta)); });
}

// The drawer routine under its own name: the same code as GavetaAcionar.
ZELT_C_EXPORT bool BemaGavetaEnviar(const char* pPorta, int32_t ignorado) noexcept
    __attribute__((alias("GavetaAcionar")));
static_assert(std::is_convertible_v<decltype(&::BemaGavetaEnviar), BemaGavetaAcionarFn>);
ZELT_QUALIFIED_ALIAS(bool, BemaGavetaEnviar, "UBematechPrinter.BemaGavetaEnviar",
                     (const char*, int32_t) noexcept);

ZELT_BEMA_EXPORT(GetGavetaStatus, (const char** Status, const char* pPorta, int32_t pModelo),
                 BemaGetGavetaStatusFn) {
    std::string status;
    const bool ok = fronteira.Guard(
        false, [&] { return b::GetGavetaStatus(status, fronteira.In(pPorta), pModelo); });
    fronteira.OutTo(Status, std::move(status));
    return ok;
}

ZELT_BEMA_EXPORT(ImprDoc,
                 (const char* pPorta, int32_t pModelo, const char* Texto, int32_t LinhasFinais,
                  bool Cortar),
                 BemaImprDocFn) {
    return fronteira.Guard(false, [&] {
        return b::ImprDoc(fronteira.In(pPorta), pModelo, fronteira.In(Texto), LinhasFinais, Cortar);
    });
}
