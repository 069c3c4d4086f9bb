#include "fiscal/daruma/UDarumaFramework.h"

#include "fiscal/messages/UMensEcfPlug.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"

namespace zelt::ecfdaruma {

namespace {

// Any object of this package tells the loader which file the package came from.
const char moduleMarker = 0;

const TLocalBiblioteca localDaruma = {DarumaFrameworkFileName, DarumaFrameworkDirEnv,
                                      DarumaPluginIniName, "DarumaFramework", "Daruma"};

const std::vector<const char*>& Nomes() {
    static const std::vector<const char*> nomes = {
#define ZELT_DARUMA_NAME(name, params, args) #name,
        ZELT_DARUMA_FUNCTIONS(ZELT_DARUMA_NAME)
#undef ZELT_DARUMA_NAME
    };
    return nomes;
}

} // namespace

TDarumaFramework::TDarumaFramework() : biblioteca_(localDaruma, MensEcfPlug) {}

TDarumaFramework::~TDarumaFramework() = default;

TDarumaFramework& TDarumaFramework::Instance() {
    static TDarumaFramework instance;
    return instance;
}

std::string TDarumaFramework::PastaPlugin() {
    return ExtractFilePath(ModuleFileName(&moduleMarker));
}

std::string TDarumaFramework::PastaBiblioteca() {
    return Instance().biblioteca_.PastaBiblioteca(PastaPlugin());
}

void TDarumaFramework::Descarregar() {
    fns_ = Functions{};
    biblioteca_.Descarregar();
}

bool TDarumaFramework::Carregada() {
    Carregar();
    return biblioteca_.Carregada();
}

void TDarumaFramework::Carregar() {
    if (!biblioteca_.Carregar(PastaPlugin(), Nomes()))
        return;
    std::size_t indice = 0;
#define ZELT_DARUMA_BIND(name, params, args)                                                       \
    fns_.name = reinterpret_cast<decltype(fns_.name)>(biblioteca_.Endereco(indice++));
    ZELT_DARUMA_FUNCTIONS(ZELT_DARUMA_BIND)
#undef ZELT_DARUMA_BIND
}

void TDarumaFramework::Indisponivel(const char* function) const {
    if (!biblioteca_.Carregada())
        throw EDarumaIndisponivel("Biblioteca Daruma não carregada (" + biblioteca_.Arquivo() +
                                  "): " + biblioteca_.Erro());
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
