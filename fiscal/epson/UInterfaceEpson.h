// The Epson maker library as the plug-in sees it: loaded with dlopen from a configurable folder
// and bound function by function, as the maker's own library would be.
//
// Where the library is looked for (first that is set):
//   1. the environment variable ZELT_EPSON_LIBRARY_DIR (a folder);
//   2. key Pasta of section [InterfaceEpson] in "EcfPlugEpson.ini" beside the plug-in;
//   3. the plug-in's own folder.
// The library file there is "libInterfaceEpson.so". Every function answers 0 on success.
#pragma once

#include "fiscal/defs/UBibliotecaFabricante.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Export.h"

#include <string>

namespace zelt::ecfepson {

// X(function, parameters, arguments): every library function the plug-in calls.
#define ZELT_EPSON_FUNCTIONS(X)                                                                    \
    X(EPSON_Serial_Abrir_PortaEX, (), ())                                                          \
    X(EPSON_Serial_Fechar_Porta, (), ())                                                           \
    X(EPSON_Obter_Estado_Impressora, (char* a), (a))                                               \
    X(EPSON_Obter_Estado_ImpressoraEX, (char* a, char* b, char* c, char* d), (a, b, c, d))         \
    X(EPSON_Obter_Dados_Jornada, (char* a), (a))                                                   \
    X(EPSON_RelatorioFiscal_Abrir_Jornada, (), ())                                                 \
    X(EPSON_Obter_Hora_Relogio, (char* a), (a))                                                    \
    X(EPSON_Obter_Contadores, (char* a), (a))                                                      \
    X(EPSON_Fiscal_Abrir_Cupom,                                                                    \
      (const char* a, const char* b, const char* c, const char* d, int e), (a, b, c, d, e))        \
    X(EPSON_Fiscal_Vender_Item,                                                                    \
      (const char* a, const char* b, const char* c, int d, const char* e, const char* f, int g,    \
       const char* h, int i),                                                                      \
      (a, b, c, d, e, f, g, h, i))                                                                 \
    X(EPSON_Fiscal_Desconto_Acrescimo_Item, (const char* a, int b, int c, int d), (a, b, c, d))    \
    X(EPSON_Fiscal_Cancelar_Item, (const char* a), (a))                                            \
    X(EPSON_Fiscal_Cancelar_Cupom, (), ())                                                         \
    X(EPSON_Fiscal_Pagamento, (const char* a, const char* b, int c, const char* d, const char* e), \
      (a, b, c, d, e))                                                                             \
    X(EPSON_Fiscal_Imprimir_MensagemEX, (const char* a), (a))                                      \
    X(EPSON_Fiscal_Fechar_Cupom, (int a, int b), (a, b))                                           \
    X(EPSON_NaoFiscal_Sangria, (const char* a, int b), (a, b))                                     \
    X(EPSON_NaoFiscal_Fundo_Troco, (const char* a, int b), (a, b))                                 \
    X(EPSON_NaoFiscal_Abrir_CCD, (const char* a, const char* b, int c, const char* d),             \
      (a, b, c, d))                                                                                \
    X(EPSON_NaoFiscal_Imprimir_Linha, (const char* a), (a))                                        \
    X(EPSON_NaoFiscal_Fechar_CCD, (int a), (a))                                                    \
    X(EPSON_NaoFiscal_Abrir_Relatorio_Gerencial, (const char* a), (a))                             \
    X(EPSON_NaoFiscal_Fechar_Relatorio_Gerencial, (int a), (a))                                    \
    X(EPSON_RelatorioFiscal_LeituraX, (), ())                                                      \
    X(EPSON_RelatorioFiscal_RZ, (const char* a, const char* b, int c, char* d), (a, b, c, d))      \
    X(EPSON_Obter_Dados_Ultima_RZ, (char* a), (a))                                                 \
    X(EPSON_Obter_Tabela_Aliquotas, (char* a), (a))                                                \
    X(EPSON_Obter_Tabela_Pagamentos, (char* a), (a))                                               \
    X(EPSON_Obter_Arredonda_Trunca_Fabricacao, (char* a, char* b), (a, b))                         \
    X(EPSON_Impressora_Abrir_Gaveta, (), ())

inline constexpr const char* InterfaceEpsonFileName = "libInterfaceEpson.so";
inline constexpr const char* InterfaceEpsonDirEnv = "ZELT_EPSON_LIBRARY_DIR";
inline constexpr const char* EpsonPluginIniName = "EcfPlugEpson.ini";

// Raised by a call into a library that could not be loaded, or into one of its functions that
// is missing. The operator has been told once; the export turns it into its failure value.
ZELT_DECLARE_ERROR(EEpsonIndisponivel, Exception);

class ZELT_EXPORT TInterfaceEpson {
public:
    TInterfaceEpson();
    ~TInterfaceEpson();
    TInterfaceEpson(const TInterfaceEpson&) = delete;
    TInterfaceEpson& operator=(const TInterfaceEpson&) = delete;

    // The plug-in's one library, loaded on first use.
    static TInterfaceEpson& Instance();

    // The folder the library is loaded from, as configured now (ends with '/').
    static std::string PastaBiblioteca();
    // The folder this plug-in was loaded from (ends with '/').
    static std::string PastaPlugin();

    // Unloads the library; the next call loads it again from the folder configured then.
    void Descarregar();
    bool Carregada();

#define ZELT_EPSON_METHOD(name, params, args) int name params;
    ZELT_EPSON_FUNCTIONS(ZELT_EPSON_METHOD)
#undef ZELT_EPSON_METHOD

private:
    struct Functions {
#define ZELT_EPSON_POINTER(name, params, args) int(*name) params = nullptr;
        ZELT_EPSON_FUNCTIONS(ZELT_EPSON_POINTER)
#undef ZELT_EPSON_POINTER
    };

    void Carregar();
    [[noreturn]] void Indisponivel(const char* function) const;

    TBibliotecaFabricante biblioteca_;
    Functions fns_;
};

inline TInterfaceEpson& Epson() {
    return TInterfaceEpson::Instance();
}

} // namespace zelt::ecfepson
