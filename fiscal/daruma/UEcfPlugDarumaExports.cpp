// The C boundary of UEcfPlugDaruma: every contract operation under its plain name and under
// "UEcfPlugDaruma.<name>", the internal operations under the qualified name only. No C++
// exception leaves here: a platform error becomes the operation's failure value and the calling
// thread's last error.
#include "fiscal/daruma/UEcfPlugDaruma.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/ExportBoundary.h"
#include "zelt/ecfplug_daruma.h"

#include <cstring>
#include <deque>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

namespace {

namespace d = zelt::ecfdaruma;

thread_local zelt::ExportBoundary fronteira;

// Out parameters are written only when the operation ends normally, and only when given.
template <class T> void Escrever(T* destino, const T& valor) {
    if (destino)
        *destino = valor;
}

template <class T> T Ler(const T* origem) {
    return origem ? *origem : T{};
}

} // namespace

#define ZELT_DARUMA_EXPORT(ret, name, params, Fn)                                                  \
    static_assert(std::is_convertible_v<decltype(&::name), Fn>, "signature of " #name);            \
    ZELT_QUALIFIED_ALIAS(ret, name, "UEcfPlugDaruma." #name, params noexcept);                     \
    ZELT_C_EXPORT ret name params noexcept

#define ZELT_DARUMA_INTERNAL(ret, name, params)                                                    \
    extern "C" ret EcfPlugDarumaInterno_##name params noexcept;                                    \
    ZELT_QUALIFIED_ALIAS(ret, EcfPlugDarumaInterno_##name, "UEcfPlugDaruma." #name,                \
                         params noexcept);                                                         \
    extern "C" ret EcfPlugDarumaInterno_##name params noexcept

ZELT_C_EXPORT const char* EcfPlugDarumaUltimoErro(void) noexcept {
    return fronteira.LastError();
}

// ---- start-up, port and printer state --------------------------------------------------------

ZELT_DARUMA_EXPORT(void, Iniciar, (void), EcfIniciarFn) {
    fronteira.GuardVoid([] { d::Iniciar(); });
}
ZELT_DARUMA_EXPORT(bool, AbrirPorta, (void), EcfAbrirPortaFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(void, FecharPorta, (void), EcfFecharPortaFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(void, AjustePorta, (const char*), EcfAjustePortaFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(void, Teste, (void), EcfTesteFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(bool, ImpressoraLigada, (void), EcfImpressoraLigadaFn) {
    return fronteira.Guard(false, [] { return d::ImpressoraLigada(); });
}
ZELT_DARUMA_EXPORT(bool, VerificaStatusImpressora, (bool* FimPapel),
                   EcfVerificaStatusImpressoraDarumaFn) {
    return fronteira.Guard(false, [&] {
        bool fimPapel = false;
        const bool ok = d::VerificaStatusImpressora(fimPapel);
        Escrever(FimPapel, fimPapel);
        return ok;
    });
}
ZELT_DARUMA_EXPORT(ZeltPrinterStatus, ExternarRetornoImpressora, (void),
                   EcfExternarRetornoImpressoraFn) {
    return fronteira.Guard(ZeltPrinterStatus{}, [] { return d::StatusRecord(); });
}
ZELT_DARUMA_EXPORT(bool, PodeVender, (void), EcfPodeVenderFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(double, DataCompilacao, (void), EcfDataCompilacaoFn) {
    return fronteira.Guard(0.0, [] { return d::DataCompilacao(); });
}
ZELT_DARUMA_EXPORT(bool, DataHoraImpr, (double* DataHora), EcfDataHoraImprFn) {
    return fronteira.Guard(false, [&] {
        double valor = Ler(DataHora);
        const bool ok = d::DataHoraImpr(valor);
        Escrever(DataHora, valor);
        return ok;
    });
}

// ---- fiscal day ------------------------------------------------------------------------------

ZELT_DARUMA_EXPORT(void, AberturaDoDia, (void), EcfAberturaDoDiaFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(void, FechamentoDoDia, (void), EcfFechamentoDoDiaFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(bool, DiaAberto, (void), EcfDiaAbertoFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(double, DtUltimoMovimento, (void), EcfDtUltimoMovimentoFn) {
    return fronteira.Guard(0.0, [] { return 0.0; });
}
ZELT_DARUMA_EXPORT(void, LeituraX, (void), EcfLeituraXFn) {
    fronteira.GuardVoid([] { d::LeituraX(); });
}
ZELT_DARUMA_EXPORT(bool, ReducaoZ, (void), EcfReducaoZFn) {
    return fronteira.Guard(false, [] { return d::ReducaoZ(); });
}
ZELT_DARUMA_EXPORT(int32_t, ReducaoZSeNecessario, (void), EcfReducaoZSeNecessarioFn) {
    return fronteira.Guard(int32_t{0},
                           [] { return static_cast<int32_t>(d::ReducaoZSeNecessario()); });
}
ZELT_DARUMA_EXPORT(bool, DtUltimaReducaoZ, (double*), EcfDtUltimaReducaoZFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, DtUltimaReducaoZStr, (const char** Data, const char** Hora),
                   EcfDtUltimaReducaoZStrFn) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(Data, "");
        fronteira.OutTo(Hora, "");
        return false;
    });
}
ZELT_DARUMA_EXPORT(bool, DtMovimentoUltimaReducao, (double*), EcfDtMovimentoUltimaReducaoFn) {
    return fronteira.Guard(false, [] { return false; });
}

// ---- fiscal coupon ---------------------------------------------------------------------------

ZELT_DARUMA_EXPORT(int32_t, RetornaCliPos, (void), EcfRetornaCliPosFn) {
    return fronteira.Guard(int32_t{ZeltCpAntesMens}, [] { return int32_t{ZeltCpAntesMens}; });
}
ZELT_DARUMA_EXPORT(bool, AbreCupom,
                   (int32_t * NumeroCupom, double* DataHora, int32_t* CasasQtd,
                    int32_t* CasasValor),
                   EcfAbreCupomFn) {
    return fronteira.Guard(false, [&] {
        int numero = Ler(NumeroCupom), casasQtd = Ler(CasasQtd), casasValor = Ler(CasasValor);
        double momento = Ler(DataHora);
        const bool ok = d::AbreCupom(numero, momento, casasQtd, casasValor);
        Escrever(NumeroCupom, int32_t{numero});
        Escrever(DataHora, momento);
        Escrever(CasasQtd, int32_t{casasQtd});
        Escrever(CasasValor, int32_t{casasValor});
        return ok;
    });
}
ZELT_DARUMA_EXPORT(bool, IdConsumidor, (const char* Texto1, const char* Texto2, const char* Texto3),
                   EcfIdConsumidorFn) {
    return fronteira.Guard(false, [&] {
        return d::IdConsumidor(fronteira.In(Texto1), fronteira.In(Texto2), fronteira.In(Texto3));
    });
}
ZELT_DARUMA_EXPORT(bool, ImprimirItem,
                   (const char* pCodigo, const char* pDescricao, const char* pAliquota,
                    const char* pQuantidade, const char* pValorUnitario, const char* pDesconto,
                    const char* pAcrescimo, const char* pDptoCod, const char* pUnidadeMedida),
                   EcfImprimirItemFn) {
    return fronteira.Guard(false, [&] {
        return d::ImprimirItem(
            fronteira.In(pCodigo), fronteira.In(pDescricao), fronteira.In(pAliquota),
            fronteira.In(pQuantidade), fronteira.In(pValorUnitario), fronteira.In(pDesconto),
            fronteira.In(pAcrescimo), fronteira.In(pDptoCod), fronteira.In(pUnidadeMedida));
    });
}
ZELT_DARUMA_EXPORT(bool, DescontoItem, (const char* Item, double Valor), EcfDescontoItemFn) {
    return fronteira.Guard(false, [&] { return d::DescontoItem(fronteira.In(Item), Valor); });
}
ZELT_DARUMA_EXPORT(bool, CancelaItem, (const char* Item), EcfCancelaItemFn) {
    return fronteira.Guard(false, [&] { return d::CancelaItem(fronteira.In(Item)); });
}
ZELT_DARUMA_EXPORT(bool, FecharCupomInicio, (const char* Desconto), EcfFecharCupomInicioFn) {
    return fronteira.Guard(false, [&] { return d::FecharCupomInicio(fronteira.In(Desconto)); });
}
ZELT_DARUMA_EXPORT(bool, FecharCupomFP, (const char* FormaPgto, const char* Valor),
                   EcfFecharCupomFPFn) {
    return fronteira.Guard(
        false, [&] { return d::FecharCupomFP(fronteira.In(FormaPgto), fronteira.In(Valor)); });
}
ZELT_DARUMA_EXPORT(bool, FecharCupomFim, (const char* Mensagem), EcfFecharCupomFimFn) {
    return fronteira.Guard(false, [&] { return d::FecharCupomFim(fronteira.In(Mensagem)); });
}
ZELT_DARUMA_EXPORT(bool, OfereceFechamentoResumido, (void), EcfOfereceFechamentoResumidoFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, FecharCupomResumido, (const char*, const char*),
                   EcfFecharCupomResumidoFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(int32_t, CancelaCupom, (int32_t, const char*), EcfCancelaCupomFn) {
    return fronteira.Guard(int32_t{0}, [] { return static_cast<int32_t>(d::CancelaCupom()); });
}
ZELT_DARUMA_EXPORT(bool, CupomAberto, (void), EcfCupomAbertoFn) {
    return fronteira.Guard(false, [] { return d::CupomAberto(); });
}
ZELT_DARUMA_EXPORT(void, AjustarCupomNLinsFinal, (int32_t), EcfAjustarCupomNLinsFinalFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(void, PrevineValorItem, (double), EcfPrevineValorItemFn) {
    fronteira.GuardVoid([] {});
}

// ---- cash, linked receipts, management reports, drawer ---------------------------------------

ZELT_DARUMA_EXPORT(bool, Sangria, (double Valor), EcfSangriaFn) {
    return fronteira.Guard(false, [&] { return d::Sangria(Valor); });
}
ZELT_DARUMA_EXPORT(bool, Suprimento, (double Valor), EcfSuprimentoFn) {
    return fronteira.Guard(false, [&] { return d::Suprimento(Valor); });
}
ZELT_DARUMA_EXPORT(bool, AbreVinculado, (const char* FormaPgto, double Valor, int32_t COO),
                   EcfAbreVinculadoFn) {
    return fronteira.Guard(false,
                           [&] { return d::AbreVinculado(fronteira.In(FormaPgto), Valor, COO); });
}
ZELT_DARUMA_EXPORT(bool, UsaVinculado, (const char* Texto, const char*), EcfUsaVinculadoFn) {
    return fronteira.Guard(false, [&] { return d::UsaVinculado(fronteira.In(Texto)); });
}
ZELT_DARUMA_EXPORT(bool, UsaVinc, (const char* Texto), EcfUsaVincFn) {
    return fronteira.Guard(false, [&] { return d::UsaVinc(fronteira.In(Texto)); });
}
ZELT_DARUMA_EXPORT(bool, FechaVinculado, (void), EcfFechaVinculadoFn) {
    return fronteira.Guard(false, [] { return d::FechaVinculado(); });
}
ZELT_DARUMA_EXPORT(bool, RelatorioGerencial, (const char* pSL), EcfRelatorioGerencialFn) {
    return fronteira.Guard(false, [&] { return d::RelatorioGerencialStr(fronteira.In(pSL)); });
}
ZELT_DARUMA_EXPORT(bool, RelatorioGerencialStr, (const char* Texto), EcfRelatorioGerencialStrFn) {
    return fronteira.Guard(false, [&] { return d::RelatorioGerencialStr(fronteira.In(Texto)); });
}
ZELT_DARUMA_EXPORT(bool, AbreGerencial, (void), EcfAbreGerencialFn) {
    return fronteira.Guard(false, [] { return d::AbreGerencial(); });
}
ZELT_DARUMA_EXPORT(bool, UsaGerencial, (const char* Texto), EcfUsaGerencialFn) {
    return fronteira.Guard(false, [&] { return d::UsaGerencial(fronteira.In(Texto)); });
}
ZELT_DARUMA_EXPORT(bool, FechaGerencial, (void), EcfFechaGerencialFn) {
    return fronteira.Guard(false, [] { return d::FechaGerencial(); });
}
ZELT_DARUMA_EXPORT(bool, GavetaAberta, (void), EcfGavetaAbertaFn) {
    return fronteira.Guard(false, [] { return d::GavetaAberta(); });
}
ZELT_DARUMA_EXPORT(void, AcionaGaveta, (void), EcfAcionaGavetaFn) {
    fronteira.GuardVoid([] { d::AcionaGaveta(); });
}

// ---- tables, identification, counters --------------------------------------------------------

ZELT_DARUMA_EXPORT(const char*, RetornoAliquotas, (void), EcfRetornoAliquotasFn) {
    return fronteira.Guard("", [] { return fronteira.Out(d::RetornoAliquotas()); });
}
ZELT_DARUMA_EXPORT(const char*, DescricoesFiscais, (void), EcfDescricoesFiscaisFn) {
    return fronteira.Guard("", [] { return fronteira.Out(d::DescricoesFiscais()); });
}
ZELT_DARUMA_EXPORT(bool, ColocaTributos, (const char*), EcfColocaTributosFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(void, PegarCliche, (const char**), EcfPegarClicheFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(bool, MarcaImpr, (const char** Marca, const char** Modelo, const char** TipoEcf),
                   EcfMarcaImprFn) {
    return fronteira.Guard(false, [&] {
        std::string marca, modelo, tipo;
        const bool ok = d::MarcaImpr(marca, modelo, tipo);
        fronteira.OutTo(Marca, marca);
        fronteira.OutTo(Modelo, modelo);
        fronteira.OutTo(TipoEcf, tipo);
        return ok;
    });
}

#define ZELT_DARUMA_FIXED_TEXT(name, value)                                                        \
    ZELT_DARUMA_EXPORT(const char*, name, (void), EcfTextoFn) {                                    \
        return fronteira.Guard("", [] { return fronteira.Out(value); });                           \
    }
ZELT_DARUMA_FIXED_TEXT(TipoECF, "")
ZELT_DARUMA_FIXED_TEXT(VersaoSoft, "")
ZELT_DARUMA_FIXED_TEXT(DataHoraInst, "")
ZELT_DARUMA_FIXED_TEXT(StrDados, "")
ZELT_DARUMA_FIXED_TEXT(NumFabrECF, "")
ZELT_DARUMA_FIXED_TEXT(MFAdicional, "")
ZELT_DARUMA_FIXED_TEXT(NumSerie, "1")
ZELT_DARUMA_FIXED_TEXT(CodigoNacional, "000000")
ZELT_DARUMA_FIXED_TEXT(ContadorReducaoZ, "")
#undef ZELT_DARUMA_FIXED_TEXT

ZELT_DARUMA_EXPORT(bool, PegarDadosImpr, (const char**), EcfPegarDadosImprFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, RetornarDadosECF,
                   (const char**, const char**, const char**, const char** T4, const char** T5,
                    const char**),
                   EcfRetornarDadosECFFn) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(T4, "");
        fronteira.OutTo(T5, "");
        return false;
    });
}
ZELT_DARUMA_EXPORT(void, PegarProdsSis, (void*), EcfPegarProdsSisFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(const char*, NumCupom, (void), EcfTextoFn) {
    return fronteira.Guard("", [] { return fronteira.Out(d::NumCupom()); });
}
ZELT_DARUMA_EXPORT(int32_t, GNF, (void), EcfGNFFn) {
    return fronteira.Guard(int32_t{0}, [] { return int32_t{0}; });
}
ZELT_DARUMA_EXPORT(bool, RetornaGNF, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, RetornaGRG, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, RetornaCDC, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, GrandeTotal, (double*), EcfGrandeTotalFn) {
    return fronteira.Guard(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, VendaBrutaAtual, (const char** Texto), EcfTextoOutFn) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(Texto, "");
        return false;
    });
}

// ---- fiscal memory, MFD and other files ------------------------------------------------------

ZELT_DARUMA_EXPORT(void, MFCDtImpr, (double Inicio, double Fim), EcfMFDtImprFn) {
    fronteira.GuardVoid([&] { d::LeituraMemoriaFiscalDatas(Inicio, Fim, true, nullptr); });
}
ZELT_DARUMA_EXPORT(void, MFCDtGrav, (double Inicio, double Fim, const char* ArqDestino),
                   EcfMFDtGravFn) {
    fronteira.GuardVoid([&] {
        const std::string destino = fronteira.In(ArqDestino);
        d::LeituraMemoriaFiscalDatas(Inicio, Fim, true, &destino);
    });
}
ZELT_DARUMA_EXPORT(void, MFCCImpr, (int32_t Inicio, int32_t Fim), EcfMFCImprFn) {
    fronteira.GuardVoid([&] { d::LeituraMemoriaFiscalCRZ(Inicio, Fim, true, nullptr); });
}
ZELT_DARUMA_EXPORT(void, MFCCGrav, (int32_t Inicio, int32_t Fim, const char* ArqDestino),
                   EcfMFCGravFn) {
    fronteira.GuardVoid([&] {
        const std::string destino = fronteira.In(ArqDestino);
        d::LeituraMemoriaFiscalCRZ(Inicio, Fim, true, &destino);
    });
}
ZELT_DARUMA_EXPORT(void, MFSDtImpr, (double Inicio, double Fim), EcfMFDtImprFn) {
    fronteira.GuardVoid([&] { d::LeituraMemoriaFiscalDatas(Inicio, Fim, false, nullptr); });
}
ZELT_DARUMA_EXPORT(void, MFSDtGrav, (double Inicio, double Fim, const char* ArqDestino),
                   EcfMFDtGravFn) {
    fronteira.GuardVoid([&] {
        const std::string destino = fronteira.In(ArqDestino);
        d::LeituraMemoriaFiscalDatas(Inicio, Fim, false, &destino);
    });
}
ZELT_DARUMA_EXPORT(void, MFSCImpr, (int32_t Inicio, int32_t Fim), EcfMFCImprFn) {
    fronteira.GuardVoid([&] { d::LeituraMemoriaFiscalCRZ(Inicio, Fim, false, nullptr); });
}
ZELT_DARUMA_EXPORT(void, MFSCGrav, (int32_t Inicio, int32_t Fim, const char* ArqDestino),
                   EcfMFCGravFn) {
    fronteira.GuardVoid([&] {
        const std::string destino = fronteira.In(ArqDestino);
        d::LeituraMemoriaFiscalCRZ(Inicio, Fim, false, &destino);
    });
}
ZELT_DARUMA_EXPORT(void, EspelhoMFD,
                   (const char*, const char*, const char*, const char*, const char*, const char*,
                    const char*),
                   EcfEspelhoMFDFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(void, ArqMFDDatas,
                   (const char*, const char* ArqDestino, double Inicio, double Fim),
                   EcfArqMFDDatasFn) {
    fronteira.GuardVoid([&] { d::ArqMFDDatas(fronteira.In(ArqDestino), Inicio, Fim); });
}
ZELT_DARUMA_EXPORT(void, ArqMFDCOO,
                   (const char*, const char* ArqDestino, int32_t Inicio, int32_t Fim),
                   EcfArqMFDCOOFn) {
    fronteira.GuardVoid([&] { d::ArqMFDCOO(fronteira.In(ArqDestino), Inicio, Fim); });
}
ZELT_DARUMA_EXPORT(void, GeraSintegra,
                   (const char*, int32_t, int32_t, const char*, const char*, const char*,
                    const char*, const char*, const char*, const char*, const char*, const char*,
                    const char*, const char*, const char*, const char*),
                   EcfGeraSintegraFn) {
    fronteira.GuardVoid([] {});
}
ZELT_DARUMA_EXPORT(bool, GravarTDM, (int32_t Tipo, const char* Inicio, const char* Fim),
                   EcfGravarTDMFn) {
    return fronteira.Guard(
        false, [&] { return d::GravarTDM(Tipo, fronteira.In(Inicio), fronteira.In(Fim)); });
}

// ---- rounding --------------------------------------------------------------------------------

ZELT_DARUMA_EXPORT(bool, ProgramaArredondamento, (void), EcfProgramaArredondamentoFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(bool, ProgramaTruncamento, (void), EcfProgramaTruncamentoFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(bool, VerificaTruncamento, (bool* Truncando), EcfVerificaTruncamentoFn) {
    return fronteira.Guard(false, [&] {
        bool truncando = false;
        const bool ok = d::VerificaTruncamento(truncando);
        Escrever(Truncando, truncando);
        return ok;
    });
}
ZELT_DARUMA_EXPORT(double, ValorArredondado, (double Valor, int32_t Casas), EcfValorArredondadoFn) {
    return fronteira.Guard(0.0, [&] { return d::ValorArredondado(Valor, Casas); });
}

// ---- internal operations: qualified names only -----------------------------------------------

ZELT_DARUMA_INTERNAL(int32_t, NumCupomInt, (void)) {
    return fronteira.Guard(int32_t{0}, [] { return static_cast<int32_t>(d::NumCupomInt()); });
}
ZELT_DARUMA_INTERNAL(bool, COOAtual, (const char** Texto)) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(Texto, "");
        return false;
    });
}
ZELT_DARUMA_INTERNAL(bool, BrutaAcumulada, (const char** Texto)) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(Texto, "");
        return false;
    });
}
ZELT_DARUMA_INTERNAL(const char*, ContadorReinicio, (void)) {
    return fronteira.Guard("", [] { return fronteira.Out(""); });
}
ZELT_DARUMA_INTERNAL(void, DistribuirValoresStatus, (void)) {
    fronteira.GuardVoid([] { d::DistribuirValoresStatus(); });
}
ZELT_DARUMA_INTERNAL(bool, AbreCupomCli,
                     (const char* pCliNome, const char* pCliDoc, const char* pCliEnder1,
                      const char* pCliEnder2, const char* pCliEnder3, const char* pCliEnder4,
                      int32_t* NumeroCupom, double* DataHora, int32_t* CasasQtd,
                      int32_t* CasasValor)) {
    return fronteira.Guard(false, [&] {
        int numero = Ler(NumeroCupom), casasQtd = Ler(CasasQtd), casasValor = Ler(CasasValor);
        double momento = Ler(DataHora);
        const bool ok =
            d::AbreCupomCli(fronteira.In(pCliNome), fronteira.In(pCliDoc), fronteira.In(pCliEnder1),
                            fronteira.In(pCliEnder2), fronteira.In(pCliEnder3),
                            fronteira.In(pCliEnder4), numero, momento, casasQtd, casasValor);
        Escrever(NumeroCupom, int32_t{numero});
        Escrever(DataHora, momento);
        Escrever(CasasQtd, int32_t{casasQtd});
        Escrever(CasasValor, int32_t{casasValor});
        return ok;
    });
}
ZELT_DARUMA_INTERNAL(const char*, PegarNomeGerencial, (void)) {
    return fronteira.Guard("", [] { return fronteira.Out(d::NomeGerencial); });
}
