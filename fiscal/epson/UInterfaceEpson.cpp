#include "fiscal/epson/UInterfaceEpson.h"

#include "fiscal/epson/UEcfPlugEpson.h"
#include "platform/printers/epson/InterfaceEpson.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"

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

const TLocalBiblioteca localEpson = {InterfaceEpsonFileName, InterfaceEpsonDirEnv,
                                     EpsonPluginIniName, "InterfaceEpson", "Epson"};

const std::vector<const char*>& Nomes() {
    static const std::vector<const char*> nomes = {
#define ZELT_EPSON_NAME(name, params, args) #name,
        ZELT_EPSON_FUNCTIONS(ZELT_EPSON_NAME)
#undef ZELT_EPSON_NAME
    };
    return nomes;
}

} // namespace

TInterfaceEpson::TInterfaceEpson() : biblioteca_(localEpson, CaixaEpson) {}

TInterfaceEpson::~TInterfaceEpson() = default;

TInterfaceEpson& TInterfaceEpson::Instance() {
    static TInterfaceEpson instance;
    return instance;
}

std::string TInterfaceEpson::PastaPlugin() {
    return ExtractFilePath(ModuleFileName(&moduleMarker));
}

std::string TInterfaceEpson::PastaBiblioteca() {
    return Instance().biblioteca_.PastaBiblioteca(PastaPlugin());
}

void TInterfaceEpson::Descarregar() {
    fns_ = Functions{};
    biblioteca_.Descarregar();
}

bool TInterfaceEpson::Carregada() {
    Carregar();
    return biblioteca_.Carregada();
}

void TInterfaceEpson::Carregar() {
    if (!biblioteca_.Carregar(PastaPlugin(), Nomes()))
        return;
    std::size_t indice = 0;
#define ZELT_EPSON_BIND(name, params, args)                                                        \
    fns_.name = reinterpret_cast<decltype(fns_.name)>(biblioteca_.Endereco(indice++));
    ZELT_EPSON_FUNCTIONS(ZELT_EPSON_BIND)
#undef ZELT_EPSON_BIND
}

void TInterfaceEpson::Indisponivel(const char* function) const {
    if (!biblioteca_.Carregada())
        throw EEpsonIndisponivel("Biblioteca Epson não carregada (" + biblioteca_.Arquivo() +
                                 "): " + biblioteca_.Erro());
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
