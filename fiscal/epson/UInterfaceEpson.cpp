#include "fiscal/epson/UInterfaceEpson.h"

#include "fiscal/epson/UEcfPlugEpson.h"
#include "platform/printers/epson/InterfaceEpson.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/IniFile.h"

#include <dlfcn.h>
#include <type_traits>
#include <vector>

namespace zelt::ecfepson {

// The calls the plug-in makes are the ones the library declares.
#define ZELT_EPSON_SAME_TYPE(name, params, args)                                                   \
    static_assert(std::is_same_v<decltype(&::name), int(*) params>, "signature of " #name);
ZELT_EPSON_FUNCTIONS(ZELT_EPSON_SAME_TYPE)
#undef ZELT_EPSON_SAME_TYPE

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

// The library stays mapped until the process ends: the plug-in's per-thread texts keep the
// plug-in alive past a host's dlclose, so this may run from the exit handlers, where a dlclose
// would let the loader unmap code that is still running.
TInterfaceEpson::~TInterfaceEpson() = default;

TInterfaceEpson& TInterfaceEpson::Instance() {
    static TInterfaceEpson instance;
    return instance;
}

std::string TInterfaceEpson::PastaPlugin() {
    return ExtractFilePath(ModuleFileName(&moduleMarker));
}

std::string TInterfaceEpson::PastaBiblioteca() {
    std::string pasta = GetEnvVar(InterfaceEpsonDirEnv);
    const std::string pastaPlugin = PastaPlugin();
    if (pasta.empty()) {
        TIniFile ini(pastaPlugin + EpsonPluginIniName);
        pasta = ini.ReadString("InterfaceEpson", "Pasta", "");
    }
    if (pasta.empty())
        pasta = pastaPlugin;
    return pasta.empty() ? std::string() : IncludeTrailingPathDelimiter(pasta);
}

void TInterfaceEpson::Descarregar() {
    fns_ = Functions{};
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
    tentou_ = false;
    erro_.clear();
}

bool TInterfaceEpson::Carregada() {
    Carregar();
    return handle_ != nullptr;
}

void TInterfaceEpson::Carregar() {
    if (tentou_)
        return;
    tentou_ = true;
    arquivo_ = PastaBiblioteca() + InterfaceEpsonFileName;
    handle_ = dlopen(ToDiskPath(arquivo_).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* motivo = dlerror();
        erro_ = motivo ? motivo : "";
        CaixaEpson("Não foi possível carregar a biblioteca da impressora Epson\r\n" + arquivo_ +
                   "\r\n" + erro_);
        return;
    }
    std::vector<std::string> ausentes;
#define ZELT_EPSON_BIND(name, params, args)                                                        \
    if (void* p = dlsym(handle_, #name))                                                           \
        fns_.name = reinterpret_cast<decltype(fns_.name)>(p);                                      \
    else                                                                                           \
        ausentes.emplace_back(#name);
    ZELT_EPSON_FUNCTIONS(ZELT_EPSON_BIND)
#undef ZELT_EPSON_BIND
    if (!ausentes.empty()) {
        erro_ = JuntarLinhas(ausentes);
        CaixaEpson("A biblioteca da impressora Epson\r\n" + arquivo_ +
                   "\r\nnão tem as funções:\r\n" + erro_);
    }
}

void TInterfaceEpson::Indisponivel(const char* function) const {
    if (!handle_)
        throw EEpsonIndisponivel("Biblioteca Epson não carregada (" + arquivo_ + "): " + erro_);
    throw EEpsonIndisponivel(std::string("Função ausente na biblioteca Epson: ") + function);
}

#define ZELT_EPSON_CALL(name, params, args)                                                        \
    int TInterfaceEpson::name params {                                                             \
        Carregar();                                                                                \
        if (!fns_.name)                                                                            \
            Indisponivel(#name);                                                                   \
        return fns_.name args;                                                                     \
    }
ZELT_EPSON_FUNCTIONS(ZELT_EPSON_CALL)
#undef ZELT_EPSON_CALL

} // namespace zelt::ecfepson
