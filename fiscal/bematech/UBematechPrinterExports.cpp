// The C boundary of UBematechPrinter. No C++ exception leaves here: an error becomes the
// operation's failure value and the calling thread's last error.
#include "fiscal/bematech/UBematechPrinter.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Export.h"
#include "zelt/bematech.h"

#include <deque>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

namespace {

namespace b = zelt::bematech;

// Texts handed out stay valid until the thread's next call into the package.
thread_local std::deque<std::string> saidas;
thread_local std::string ultimoErro;

std::string In(const char* texto) {
    return texto ? std::string(texto) : std::string();
}

void Registrar(const std::exception& e) {
    if (const auto* z = dynamic_cast<const zelt::Exception*>(&e))
        ultimoErro = z->ClassAndMessage();
    else
        ultimoErro = std::string("Exception: ") + e.what();
}

// The previous call's texts live until this call is over, so a host may pass one of them back in.
template <class F> bool Guardar(F&& operacao) noexcept {
    std::deque<std::string> anteriores;
    anteriores.swap(saidas);
    ultimoErro.clear();
    try {
        return operacao();
    } catch (const std::exception& e) {
        Registrar(e);
    } catch (...) {
        ultimoErro = "Exception: unknown error";
    }
    return false;
}

} // namespace

#define ZELT_BEMA_EXPORT(name, params, Fn)                                                         \
    static_assert(std::is_convertible_v<decltype(&::name), Fn>, "signature of " #name);            \
    ZELT_QUALIFIED_ALIAS(bool, name, "UBematechPrinter." #name, params noexcept);                  \
    ZELT_C_EXPORT bool name params noexcept

ZELT_C_EXPORT const char* BematechPrinterUltimoErro(void) noexcept {
    return ultimoErro.c_str();
}

ZELT_BEMA_EXPORT(GavetaAcionar, (const char* pPorta, int32_t), BemaGavetaAcionarFn) {
    return Guardar([&] { return b::BemaGavetaEnviar(In(pPorta)); });
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
    const bool ok = Guardar([&] { return b::GetGavetaStatus(status, In(pPorta), pModelo); });
    if (Status) {
        saidas.push_back(std::move(status));
        *Status = saidas.back().c_str();
    }
    return ok;
}

ZELT_BEMA_EXPORT(ImprDoc,
                 (const char* pPorta, int32_t pModelo, const char* Texto, int32_t LinhasFinais,
                  bool Cortar),
                 BemaImprDocFn) {
    return Guardar(
        [&] { return b::ImprDoc(In(pPorta), pModelo, In(Texto), LinhasFinais, Cortar); });
}
