// The Daruma maker library as the plug-in sees it: loaded with dlopen from a configurable folder
// and bound function by function, as the maker's own library would be.
//
// Where the library is looked for (first that is set):
//   1. the environment variable ZELT_DARUMA_FRAMEWORK_DIR (a folder);
//   2. key Pasta of section [DarumaFramework] in "EcfPlugDaruma.ini" beside the plug-in;
//   3. the plug-in's own folder.
// The library file there is "libDarumaFramework.so".
#pragma once

#include "fiscal/defs/UBibliotecaFabricante.h"
#include "platform/printers/daruma/DarumaFramework.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Export.h"

#include <string>
#include <vector>

namespace zelt::ecfdaruma {

// X(function, parameters, arguments): every library function the plug-in calls.
#define ZELT_DARUMA_FUNCTIONS(X)                                                                   \
    X(eDefinirProduto_Daruma, (const char* a), (a))                                                \
    X(regAlterarValor_Daruma, (const char* a, const char* b), (a, b))                              \
    X(rLerRG_ECF_Daruma, (char* a), (a))                                                           \
    X(confCadastrarPadrao_ECF_Daruma, (const char* a, const char* b), (a, b))                      \
    X(rVerificarImpressoraLigada_ECF_Daruma, (), ())                                               \
    X(rDataHoraImpressora_ECF_Daruma, (char* a, char* b), (a, b))                                  \
    X(rRetornarInformacao_ECF_Daruma, (const char* a, char* b), (a, b))                            \
    X(rStatusUltimoCmd_ECF_Daruma, (char* a, char* b, int* c, int* d), (a, b, c, d))               \
    X(rConsultaStatusImpressoraInt_ECF_Daruma, (int a, int* b), (a, b))                            \
    X(iTEF_Fechar_ECF_Daruma, (), ())                                                              \
    X(iCFAbrirPadrao_ECF_Daruma, (), ())                                                           \
    X(iCFAbrir_ECF_Daruma, (const char* a, const char* b, const char* c), (a, b, c))               \
    X(iCFIdentificarConsumidor_ECF_Daruma, (const char* a, const char* b, const char* c),          \
      (a, b, c))                                                                                   \
    X(iCFVender_ECF_Daruma,                                                                        \
      (const char* a, const char* b, const char* c, const char* d, const char* e, const char* f,   \
       const char* g, const char* h),                                                              \
      (a, b, c, d, e, f, g, h))                                                                    \
    X(iCFLancarDescontoItem_ECF_Daruma, (const char* a, const char* b, const char* c), (a, b, c))  \
    X(iCFCancelarItem_ECF_Daruma, (const char* a), (a))                                            \
    X(iCFTotalizarCupom_ECF_Daruma, (const char* a, const char* b), (a, b))                        \
    X(iCFEfetuarPagamento_ECF_Daruma, (const char* a, const char* b, const char* c), (a, b, c))    \
    X(iCFEncerrar_ECF_Daruma, (const char* a, const char* b), (a, b))                              \
    X(iCFCancelar_ECF_Daruma, (), ())                                                              \
    X(rCFVerificarStatus_ECF_Daruma, (char* a, int* b), (a, b))                                    \
    X(iLeituraX_ECF_Daruma, (), ())                                                                \
    X(iReducaoZ_ECF_Daruma, (const char* a, const char* b), (a, b))                                \
    X(rVerificarReducaoZ_ECF_Daruma, (char* a), (a))                                               \
    X(iSangria_ECF_Daruma, (const char* a, const char* b), (a, b))                                 \
    X(iSuprimento_ECF_Daruma, (const char* a, const char* b), (a, b))                              \
    X(rStatusGaveta_ECF_Daruma, (int* a), (a))                                                     \
    X(eAbrirGaveta_ECF_Daruma, (), ())                                                             \
    X(iCCDAbrirSimplificado_ECF_Daruma,                                                            \
      (const char* a, const char* b, const char* c, const char* d), (a, b, c, d))                  \
    X(iCCDImprimirTexto_ECF_Daruma, (const char* a), (a))                                          \
    X(iCCDFechar_ECF_Daruma, (), ())                                                               \
    X(iRGAbrir_ECF_Daruma, (const char* a), (a))                                                   \
    X(iRGImprimirTexto_ECF_Daruma, (const char* a), (a))                                           \
    X(iRGFechar_ECF_Daruma, (), ())                                                                \
    X(rLerAliquotas_ECF_Daruma, (char* a), (a))                                                    \
    X(eMemoriaFiscal_ECF_Daruma, (const char* a, const char* b, int c, const char* d),             \
      (a, b, c, d))                                                                                \
    X(rGerarMFD_ECF_Daruma, (const char* a, const char* b, const char* c), (a, b, c))              \
    X(rGerarRelatorio_ECF_Daruma, (const char* a, const char* b, const char* c, const char* d),    \
      (a, b, c, d))

inline constexpr const char* DarumaFrameworkFileName = "libDarumaFramework.so";
inline constexpr const char* DarumaFrameworkDirEnv = "ZELT_DARUMA_FRAMEWORK_DIR";
inline constexpr const char* DarumaPluginIniName = "EcfPlugDaruma.ini";

// Raised by a call into a library that could not be loaded, or into one of its functions that
// is missing. The operator has been told once; the export turns it into its failure value.
ZELT_DECLARE_ERROR(EDarumaIndisponivel, Exception);

class ZELT_EXPORT TDarumaFramework {
public:
    TDarumaFramework();
    ~TDarumaFramework();
    TDarumaFramework(const TDarumaFramework&) = delete;
    TDarumaFramework& operator=(const TDarumaFramework&) = delete;

    // The plug-in's one library, loaded on first use.
    static TDarumaFramework& Instance();

    // The folder the library is loaded from, as configured now (ends with '/').
    static std::string PastaBiblioteca();
    // The folder this plug-in was loaded from (ends with '/').
    static std::string PastaPlugin();

    // Unloads the library; the next call loads it again from the folder configured then.
    void Descarregar();
    bool Carregada();

#define ZELT_DARUMA_METHOD(name, params, args) int name params;
    ZELT_DARUMA_FUNCTIONS(ZELT_DARUMA_METHOD)
#undef ZELT_DARUMA_METHOD

private:
    struct Functions {
#define ZELT_DARUMA_POINTER(name, params, args) decltype(&::name) name = nullptr;
        ZELT_DARUMA_FUNCTIONS(ZELT_DARUMA_POINTER)
#undef ZELT_DARUMA_POINTER
    };

    // Loads and binds once; afterwards tells whether that worked.
    void Carregar();
    [[noreturn]] void Indisponivel(const char* function) const;

    TBibliotecaFabricante biblioteca_;
    Functions fns_;
};

inline TDarumaFramework& Daruma() {
    return TDarumaFramework::Instance();
}

} // namespace zelt::ecfdaruma
