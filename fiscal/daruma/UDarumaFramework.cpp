#include "fiscal/daruma/UDarumaFramework.h"

#include "fiscal/messages/UMensEcfPlug.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/IniFile.h"

#include <dlfcn.h>

namespace zelt::ecfdaruma {

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

// The library stays mapped until the process ends. The plug-in's per-thread texts keep it loaded
// past a host's dlclose, so this destructor may run from the exit handlers; a dlclose from there
// lets the loader unmap the plug-in while its own code is still running.
TDarumaFramework::~TDarumaFramework() = default;

TDarumaFramework& TDarumaFramework::Instance() {
    static TDarumaFramework instance;
    return instance;
}

std::string TDarumaFramework::PastaPlugin() {
    return ExtractFilePath(ModuleFileName(&moduleMarker));
}

std::string TDarumaFramework::PastaBiblioteca() {
    std::string pasta = GetEnvVar(DarumaFrameworkDirEnv);
    const std::string pastaPlugin = PastaPlugin();
    if (pasta.empty()) {
        TIniFile ini(pastaPlugin + DarumaPluginIniName);
        pasta = ini.ReadString("DarumaFramework", "Pasta", "");
    }
    if (pasta.empty())
        pasta = pastaPlugin;
    return pasta.empty() ? std::string() : IncludeTrailingPathDelimiter(pasta);
}

void TDarumaFramework::Descarregar() {
    fns_ = Functions{};
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
    tentou_ = false;
    erro_.clear();
}

bool TDarumaFramework::Carregada() {
    Carregar();
    return handle_ != nullptr;
}

void TDarumaFramework::Carregar() {
    if (tentou_)
        return;
    tentou_ = true;
    arquivo_ = PastaBiblioteca() + DarumaFrameworkFileName;
    handle_ = dlopen(ToDiskPath(arquivo_).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* motivo = dlerror();
        erro_ = motivo ? motivo : "";
        MensEcfPlug("Não foi possível carregar a biblioteca da impressora Daruma\r\n" + arquivo_ +
                    "\r\n" + erro_);
        return;
    }
    std::vector<std::string> ausentes;
#define ZELT_DARUMA_BIND(name, params, args)                                                       \
    if (void* p = dlsym(handle_, #name))                                                           \
        fns_.name = reinterpret_cast<decltype(fns_.name)>(p);                                      \
    else                                                                                           \
        ausentes.emplace_back(#name);
    ZELT_DARUMA_FUNCTIONS(ZELT_DARUMA_BIND)
#undef ZELT_DARUMA_BIND
    if (!ausentes.empty()) {
        erro_ = JuntarLinhas(ausentes);
        MensEcfPlug("A biblioteca da impressora Daruma\r\n" + arquivo_ +
                    "\r\nnão tem as funções:\r\n" + erro_);
    }
}

void TDarumaFramework::Indisponivel(const char* function) const {
    if (!handle_)
        throw EDarumaIndisponivel("Biblioteca Daruma não carregada (" + arquivo_ + "): " + erro_);
    throw EDarumaIndisponivel(std::string("Função ausente na biblioteca Daruma: ") + function);
}

#define ZELT_DARUMA_CALL(name, params, args)                                                       \
    int TDarumaFramework::name params {                                                            \
        Carregar();                                                                                \
        if (!fns_.name)                                                                            \
            Indisponivel(#name);                                                                   \
        return fns_.name args;                                                                     \
    }
ZELT_DARUMA_FUNCTIONS(ZELT_DARUMA_CALL)
#undef ZELT_DARUMA_CALL

} // namespace zelt::ecfdaruma
