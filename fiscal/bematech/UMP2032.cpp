#include "fiscal/bematech/UMP2032.h"

#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OperatorMessages.h"

#include <dlfcn.h>
#include <vector>

namespace zelt::bematech {

namespace {

// Any object of this package tells the loader which file the package came from.
const char moduleMarker = 0;

std::string JuntarLinhas(const std::vector<std::string>& nomes) {
    std::string texto;
    for (const std::string& nome : nomes) {
        if (!texto.empty())
            texto += "\r\n";
        texto += nome;
    }
    return texto;
}

} // namespace

// The library stays mapped until the process ends: this destructor may run from the exit
// handlers, and a dlclose from there could unmap code still in use.
TMP2032::~TMP2032() = default;

TMP2032& TMP2032::Instance() {
    static TMP2032 instance;
    return instance;
}

std::string TMP2032::PastaPacote() {
    return ExtractFilePath(ModuleFileName(&moduleMarker));
}

std::string TMP2032::PastaBiblioteca() {
    std::string pasta = GetEnvVar(MP2032DirEnv);
    if (pasta.empty())
        pasta = PastaPacote();
    return pasta.empty() ? std::string() : IncludeTrailingPathDelimiter(pasta);
}

void TMP2032::Descarregar() {
    std::lock_guard lock(mutex_);
    fns_ = Functions{};
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
    tentou_ = false;
    erro_.clear();
}

void TMP2032::Exigir() {
    const Functions& fns = Carregar();
#define ZELT_MP2032_REQUIRE(name, params, args)                                                    \
    if (!fns.name)                                                                                 \
        Indisponivel(#name);
    ZELT_MP2032_FUNCTIONS(ZELT_MP2032_REQUIRE)
#undef ZELT_MP2032_REQUIRE
}

const TMP2032::Functions& TMP2032::Carregar() {
    std::lock_guard lock(mutex_);
    if (tentou_)
        return fns_;
    tentou_ = true;
    arquivo_ = PastaBiblioteca() + MP2032FileName;
    handle_ = dlopen(ToDiskPath(arquivo_).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* motivo = dlerror();
        erro_ = motivo ? motivo : "";
        MessageError("Não foi possível carregar a biblioteca da impressora Bematech\r\n" +
                     arquivo_ + "\r\n" + erro_);
        return fns_;
    }
    std::vector<std::string> ausentes;
#define ZELT_MP2032_BIND(name, params, args)                                                       \
    if (void* p = dlsym(handle_, #name))                                                           \
        fns_.name = reinterpret_cast<decltype(fns_.name)>(p);                                      \
    else                                                                                           \
        ausentes.emplace_back(#name);
    ZELT_MP2032_FUNCTIONS(ZELT_MP2032_BIND)
#undef ZELT_MP2032_BIND
    if (!ausentes.empty()) {
        erro_ = JuntarLinhas(ausentes);
        MessageError("A biblioteca da impressora Bematech\r\n" + arquivo_ +
                     "\r\nnão tem as funções:\r\n" + erro_);
    }
    return fns_;
}

void TMP2032::Indisponivel(const char* function) const {
    if (!handle_)
        throw EBematechIndisponivel("Biblioteca Bematech não carregada (" + arquivo_ +
                                    "): " + erro_);
    throw EBematechIndisponivel(std::string("Função ausente na biblioteca Bematech: ") + function);
}

#define ZELT_MP2032_CALL(name, params, args)                                                       \
    int TMP2032::name params {                                                                     \
        const Functions& fns = Carregar();                                                         \
        if (!fns.name)                                                                             \
            Indisponivel(#name);                                                                   \
        return fns.name args;                                                                      \
    }
ZELT_MP2032_FUNCTIONS(ZELT_MP2032_CALL)
#undef ZELT_MP2032_CALL

} // namespace zelt::bematech
