// The C boundary of UEcfPlugEpson: every contract operation of this plug-in under its plain name
// and under "UEcfPlugEpson.<name>", the internal operations under the qualified name only. No C++
// exception leaves here: a platform error (or a maker library that could not be loaded) becomes
// the operation's failure value and the calling thread's last error.
#include "fiscal/epson/UEcfPlugEpson.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/ExportBoundary.h"
#include "zelt/ecfplug_epson.h"

#include <deque>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

namespace {

namespace e = zelt::ecfepson;

thread_local zelt::ExportBoundary fronteira;

template <class T> void Escrever(T* destino, const T& valor) {
    if (destino)
        *destino = valor;
}

template <class T> T Ler(const T* origem) {
    return origem ? *origem : T{};
}

// A list of texts arrives as one text of CR LF separated lines.
zelt::TStringList Lista(const char* texto) {
    zelt::TStringList linhas;
    linhas.SetText(fronteira.In(texto));
    return linhas;
}

bool AbrirCupomPor(int32_t* NumeroCupom, double* DataHora, int32_t* CasasQtd, int32_t* CasasValor,
                   bool (*abrir)(int&, zelt::TDateTime&, int&, int&, void*), void* dados) {
    int numero = Ler(NumeroCupom), casasQtd = Ler(CasasQtd), casasValor = Ler(CasasValor);
    double momento = Ler(DataHora);
    const bool ok = abrir(numero, momento, casasQtd, casasValor, dados);
    Escrever(NumeroCupom, int32_t{numero});
    Escrever(DataHora, momento);
    Escrever(CasasQtd, int32_t{casasQtd});
    Escrever(CasasValor, int32_t{casasValor});
    return ok;
}

} // namespace

#define ZELT_EPSON_EXPORT(ret, name, params, Fn)                                                   \
    static_assert(std::is_convertible_v<decltype(&::name), Fn>, "signature of " #name);            \
    ZELT_QUALIFIED_ALIAS(ret, name, "UEcfPlugEpson." #name, params noexcept);                      \
    ZELT_C_EXPORT ret name params noexcept

#define ZELT_EPSON_INTERNAL(ret, name, params)                                                     \
    extern "C" ret EcfPlugEpsonInterno_##name params noexcept;                                     \
    ZELT_QUALIFIED_ALIAS(ret, EcfPlugEpsonInterno_##name, "UEcfPlugEpson." #name,                  \
                         params noexcept);                                                         \
    extern "C" ret EcfPlugEpsonInterno_##name params noexcept

ZELT_C_EXPORT const char* EcfPlugEpsonUltimoErro(void) noexcept {
    return fronteira.LastError();
}

// ---- start-up, port and printer state --------------------------------------------------------

ZELT_EPSON_EXPORT(void, Iniciar, (void), EcfIniciarFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(bool, AbrirPorta, (void), EcfAbrirPortaFn) {
    return fronteira.Guard(false, [] { return e::AbrirPorta(); });
}
ZELT_EPSON_EXPORT(void, FecharPorta, (void), EcfFecharPortaFn) {
    fronteira.GuardVoid([] { e::FecharPorta(); });
}
ZELT_EPSON_EXPORT(void, AjustePorta, (const char*), EcfAjustePortaFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, PegarDadosPorta, (const char*, int32_t), EcfPegarDadosPortaFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, Teste, (void), EcfTesteFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(bool, ImpressoraLigada, (void), EcfImpressoraLigadaFn) {
    return fronteira.Guard(false, [] { return e::ImpressoraLigada(); });
}
ZELT_EPSON_EXPORT(bool, VerificaStatusImpressora, (bool* FimPapel, const char* Contexto),
                  EcfVerificaStatusImpressoraFn) {
    return fronteira.Guard(false, [&] {
        // A failed read leaves the host's FimPapel unwritten, as it leaves every flag.
        bool fimPapel = false;
        const bool ok = e::VerificaStatusImpressora(fimPapel, fronteira.In(Contexto));
        if (ok)
            Escrever(FimPapel, fimPapel);
        return ok;
    });
}
ZELT_EPSON_EXPORT(ZeltPrinterStatus, ExternarRetornoImpressora, (void),
                  EcfExternarRetornoImpressoraFn) {
    return fronteira.Guard(ZeltPrinterStatus{}, [] { return e::StatusRecord(); });
}
ZELT_EPSON_EXPORT(bool, PodeVender, (void), EcfPodeVenderFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(double, DataCompilacao, (void), EcfDataCompilacaoFn) {
    return fronteira.Guard(0.0, [] { return e::DataCompilacao(); });
}
ZELT_EPSON_EXPORT(bool, DataHoraImpr, (double* DataHora), EcfDataHoraImprFn) {
    return fronteira.Guard(false, [&] {
        double valor = 0;
        const bool ok = e::DataHoraImpr(valor);
        Escrever(DataHora, valor);
        return ok;
    });
}

// ---- fiscal day ------------------------------------------------------------------------------

ZELT_EPSON_EXPORT(void, AberturaDoDia, (void), EcfAberturaDoDiaFn) {
    fronteira.GuardVoid([] { e::AberturaDoDia(); });
}
ZELT_EPSON_EXPORT(void, FechamentoDoDia, (void), EcfFechamentoDoDiaFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(bool, DiaAberto, (void), EcfDiaAbertoFn) {
    return fronteira.Guard(false, [] { return e::DiaAberto(); });
}
ZELT_EPSON_EXPORT(double, DtUltimoMovimento, (void), EcfDtUltimoMovimentoFn) {
    return fronteira.Guard(0.0, [] { return e::DtUltimoMovimento(); });
}
ZELT_EPSON_EXPORT(void, LeituraX, (void), EcfLeituraXFn) {
    fronteira.GuardVoid([] { e::LeituraX(); });
}
ZELT_EPSON_EXPORT(bool, ReducaoZ, (void), EcfReducaoZFn) {
    return fronteira.Guard(false, [] { return e::ReducaoZ(); });
}
ZELT_EPSON_EXPORT(int32_t, ReducaoZSeNecessario, (void), EcfReducaoZSeNecessarioFn) {
    return fronteira.Guard(int32_t{0},
                           [] { return static_cast<int32_t>(e::ReducaoZSeNecessario()); });
}
ZELT_EPSON_EXPORT(bool, DtUltimaReducaoZ, (double* DataHora), EcfDtUltimaReducaoZFn) {
    return fronteira.Guard(false, [&] {
        double valor = 0;
        const bool ok = e::DtUltimaReducaoZ(valor);
        Escrever(DataHora, valor);
        return ok;
    });
}
ZELT_EPSON_EXPORT(bool, DtUltimaReducaoZStr, (const char** Data, const char** Hora),
                  EcfDtUltimaReducaoZStrFn) {
    return fronteira.Guard(false, [&] {
        std::string data;
        std::string hora;
        const bool ok = e::DtUltimaReducaoZStr(data, hora);
        if (ok) {
            fronteira.OutTo(Data, data);
            fronteira.OutTo(Hora, hora);
        }
        return ok;
    });
}
ZELT_EPSON_EXPORT(bool, DtMovimentoUltimaReducao, (double* DataHora),
                  EcfDtMovimentoUltimaReducaoFn) {
    return fronteira.Guard(false, [&] {
        Escrever(DataHora, zelt::Date());
        return true;
    });
}

// ---- fiscal coupon ---------------------------------------------------------------------------

ZELT_EPSON_EXPORT(int32_t, RetornaCliPos, (void), EcfRetornaCliPosFn) {
    return fronteira.Guard(int32_t{ZeltCpAoAbrir}, [] { return int32_t{ZeltCpAoAbrir}; });
}
ZELT_EPSON_EXPORT(bool, AbreCupom,
                  (int32_t * NumeroCupom, double* DataHora, int32_t* CasasQtd, int32_t* CasasValor),
                  EcfAbreCupomFn) {
    return fronteira.Guard(false, [&] {
        return AbrirCupomPor(
            NumeroCupom, DataHora, CasasQtd, CasasValor,
            [](int& n, zelt::TDateTime& d, int& q, int& v, void*) {
                return e::AbreCupom(n, d, q, v);
            },
            nullptr);
    });
}
ZELT_EPSON_EXPORT(bool, AbreCupomCli,
                  (const char* pCliNome, const char* pCliDoc, const char* pCliEnder1,
                   const char* pCliEnder2, const char* pCliEnder3, const char* pCliEnder4,
                   int32_t* NumeroCupom, double* DataHora, int32_t* CasasQtd, int32_t* CasasValor),
                  EcfAbreCupomCliFn) {
    return fronteira.Guard(false, [&] {
        const std::string cliente[] = {fronteira.In(pCliNome),   fronteira.In(pCliDoc),
                                       fronteira.In(pCliEnder1), fronteira.In(pCliEnder2),
                                       fronteira.In(pCliEnder3), fronteira.In(pCliEnder4)};
        return AbrirCupomPor(
            NumeroCupom, DataHora, CasasQtd, CasasValor,
            [](int& n, zelt::TDateTime& d, int& q, int& v, void* dados) {
                const auto* c = static_cast<const std::string*>(dados);
                return e::AbreCupomCli(c[0], c[1], c[2], c[3], c[4], c[5], n, d, q, v);
            },
            const_cast<std::string*>(cliente));
    });
}
ZELT_EPSON_EXPORT(bool, ImprimirItem,
                  (const char* pCodigo, const char* pDescricao, const char* pAliquota,
                   const char* pQuantidade, const char* pValorUnitario, const char* pDesconto,
                   const char* pAcrescimo, const char* pDptoCod, const char* pUnidadeMedida),
                  EcfImprimirItemFn) {
    return fronteira.Guard(false, [&] {
        return e::ImprimirItem(
            fronteira.In(pCodigo), fronteira.In(pDescricao), fronteira.In(pAliquota),
            fronteira.In(pQuantidade), fronteira.In(pValorUnitario), fronteira.In(pDesconto),
            fronteira.In(pAcrescimo), fronteira.In(pDptoCod), fronteira.In(pUnidadeMedida));
    });
}
ZELT_EPSON_EXPORT(bool, DescontoItem, (const char*, double), EcfDescontoItemFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, CancelaItem, (const char* Item), EcfCancelaItemFn) {
    return fronteira.Guard(false, [&] { return e::CancelaItem(fronteira.In(Item)); });
}
ZELT_EPSON_EXPORT(bool, FecharCupomInicio, (const char*), EcfFecharCupomInicioFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, FecharCupomFP, (const char* FormaPgto, const char* Valor),
                  EcfFecharCupomFPFn) {
    return fronteira.Guard(
        false, [&] { return e::FecharCupomFP(fronteira.In(FormaPgto), fronteira.In(Valor)); });
}
ZELT_EPSON_EXPORT(bool, FecharCupomFim, (const char* Mensagem), EcfFecharCupomFimFn) {
    return fronteira.Guard(false, [&] { return e::FecharCupomFim(fronteira.In(Mensagem)); });
}
ZELT_EPSON_EXPORT(int32_t, CancelaCupom, (int32_t, const char*), EcfCancelaCupomFn) {
    return fronteira.Guard(int32_t{0}, [] { return static_cast<int32_t>(e::CancelaCupom()); });
}
ZELT_EPSON_EXPORT(bool, CupomAberto, (void), EcfCupomAbertoFn) {
    return fronteira.Guard(false, [] { return e::CupomAberto(); });
}
ZELT_EPSON_EXPORT(void, AjustarCupomNLinsFinal, (int32_t), EcfAjustarCupomNLinsFinalFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, PrevineValorItem, (double), EcfPrevineValorItemFn) {
    fronteira.GuardVoid([] {});
}

// ---- cash, linked receipts, management reports, drawer ---------------------------------------

ZELT_EPSON_EXPORT(bool, Sangria, (double Valor), EcfSangriaFn) {
    return fronteira.Guard(false, [&] { return e::Sangria(Valor); });
}
ZELT_EPSON_EXPORT(bool, Suprimento, (double Valor), EcfSuprimentoFn) {
    return fronteira.Guard(false, [&] { return e::Suprimento(Valor); });
}
ZELT_EPSON_EXPORT(bool, AbreVinculado, (const char* FormaPgto, double Valor, int32_t COO),
                  EcfAbreVinculadoFn) {
    return fronteira.Guard(false,
                           [&] { return e::AbreVinculado(fronteira.In(FormaPgto), Valor, COO); });
}
ZELT_EPSON_EXPORT(bool, UsaVinculado, (const char* Texto, const char*), EcfUsaVinculadoFn) {
    return fronteira.Guard(false, [&] { return e::UsaVinculado(fronteira.In(Texto)); });
}
ZELT_EPSON_EXPORT(bool, FechaVinculado, (void), EcfFechaVinculadoFn) {
    return fronteira.Guard(false, [] { return e::FechaVinculado(); });
}
ZELT_EPSON_EXPORT(bool, RelatorioGerencial, (const char* pSL), EcfRelatorioGerencialFn) {
    return fronteira.Guard(false, [&] { return e::RelatorioGerencial(Lista(pSL)); });
}
ZELT_EPSON_EXPORT(bool, RelatorioGerencialStr, (const char* Texto), EcfRelatorioGerencialStrFn) {
    return fronteira.Guard(false, [&] { return e::RelatorioGerencialStr(fronteira.In(Texto)); });
}
ZELT_EPSON_EXPORT(bool, GavetaAberta, (void), EcfGavetaAbertaFn) {
    return fronteira.Guard(false, [] { return e::GavetaAberta(); });
}
ZELT_EPSON_EXPORT(void, AcionaGaveta, (void), EcfAcionaGavetaFn) {
    fronteira.GuardVoid([] { e::AcionaGaveta(); });
}

// ---- tables, identification, counters --------------------------------------------------------

ZELT_EPSON_EXPORT(const char*, RetornoAliquotas, (void), EcfRetornoAliquotasFn) {
    return fronteira.Guard("", [] { return fronteira.Out(e::RetornoAliquotas()); });
}
ZELT_EPSON_EXPORT(const char*, DescricoesFiscais, (void), EcfDescricoesFiscaisFn) {
    return fronteira.Guard("", [] { return fronteira.Out(e::DescricoesFiscais()); });
}
ZELT_EPSON_EXPORT(bool, ColocaTributos, (const char*), EcfColocaTributosFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(void, PegarCliche, (const char**), EcfPegarClicheFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(bool, MarcaImpr, (const char**, const char**, const char**), EcfMarcaImprFn) {
    return fronteira.Guard(false, [] { return true; });
}

#define ZELT_EPSON_FIXED_TEXT(name, value)                                                         \
    ZELT_EPSON_EXPORT(const char*, name, (void), EcfTextoFn) {                                     \
        return fronteira.Guard("", [] { return fronteira.Out(value); });                           \
    }
ZELT_EPSON_FIXED_TEXT(TipoECF, "")
ZELT_EPSON_FIXED_TEXT(VersaoSoft, "")
ZELT_EPSON_FIXED_TEXT(DataHoraInst, "")
ZELT_EPSON_FIXED_TEXT(StrDados, "")
ZELT_EPSON_FIXED_TEXT(NumFabrECF, "")
ZELT_EPSON_FIXED_TEXT(MFAdicional, " ")
ZELT_EPSON_FIXED_TEXT(NumSerie, "")
ZELT_EPSON_FIXED_TEXT(CodigoNacional, "      ")
ZELT_EPSON_FIXED_TEXT(ContadorReducaoZ, "")
#undef ZELT_EPSON_FIXED_TEXT

ZELT_EPSON_EXPORT(bool, PegarDadosImpr, (const char** Lista), EcfPegarDadosImprFn) {
    return fronteira.Guard(false, [&] {
        zelt::TStringList linhas;
        const bool ok = e::PegarDadosImpr(linhas);
        fronteira.OutTo(Lista, linhas.Text());
        return ok;
    });
}
ZELT_EPSON_EXPORT(bool, RetornarDadosECF,
                  (const char**, const char**, const char**, const char** T4, const char** T5,
                   const char**),
                  EcfRetornarDadosECFFn) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(T4, "");
        fronteira.OutTo(T5, "");
        return true;
    });
}
ZELT_EPSON_EXPORT(const char*, NumCupom, (void), EcfTextoFn) {
    return fronteira.Guard("", [] { return fronteira.Out(e::NumCupom()); });
}
ZELT_EPSON_EXPORT(int32_t, GNF, (void), EcfGNFFn) {
    return fronteira.Guard(int32_t{0}, [] { return int32_t{0}; });
}
ZELT_EPSON_EXPORT(bool, RetornaGNF, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, RetornaGRG, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, RetornaCDC, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, GrandeTotal, (double* Valor), EcfGrandeTotalFn) {
    return fronteira.Guard(false, [&] {
        Escrever(Valor, 0.0);
        return true;
    });
}
ZELT_EPSON_EXPORT(bool, VendaBrutaAtual, (const char** Texto), EcfTextoOutFn) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(Texto, "000");
        return true;
    });
}

// ---- fiscal memory, MFD and other files: nothing on this printer -----------------------------

ZELT_EPSON_EXPORT(void, MFCDtImpr, (double, double), EcfMFDtImprFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFCDtGrav, (double, double, const char*), EcfMFDtGravFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFCCImpr, (int32_t, int32_t), EcfMFCImprFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFCCGrav, (int32_t, int32_t, const char*), EcfMFCGravFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFSDtImpr, (double, double), EcfMFDtImprFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFSDtGrav, (double, double, const char*), EcfMFDtGravFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFSCImpr, (int32_t, int32_t), EcfMFCImprFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFSCGrav, (int32_t, int32_t, const char*), EcfMFCGravFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, EspelhoMFD,
                  (const char*, const char*, const char*, const char*, const char*, const char*,
                   const char*),
                  EcfEspelhoMFDFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, ArqMFDDatas, (const char*, const char*, double, double), EcfArqMFDDatasFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, ArqMFDCOO, (const char*, const char*, int32_t, int32_t), EcfArqMFDCOOFn) {
    fronteira.GuardVoid([] {});
}
ZELT_EPSON_EXPORT(void, GeraSintegra,
                  (const char*, int32_t, int32_t, const char*, const char*, const char*,
                   const char*, const char*, const char*, const char*, const char*, const char*,
                   const char*, const char*, const char*, const char*),
                  EcfGeraSintegraFn) {
    fronteira.GuardVoid([] {});
}

// ---- rounding --------------------------------------------------------------------------------

ZELT_EPSON_EXPORT(bool, ProgramaArredondamento, (void), EcfProgramaArredondamentoFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, ProgramaTruncamento, (void), EcfProgramaTruncamentoFn) {
    return fronteira.Guard(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, VerificaTruncamento, (bool* Truncando), EcfVerificaTruncamentoFn) {
    return fronteira.Guard(false, [&] {
        bool truncando = false;
        const bool ok = e::VerificaTruncamento(truncando);
        Escrever(Truncando, truncando);
        return ok;
    });
}
ZELT_EPSON_EXPORT(double, ValorArredondado, (double Valor, int32_t Casas), EcfValorArredondadoFn) {
    return fronteira.Guard(0.0, [&] { return e::ValorArredondado(Valor, Casas); });
}

// ---- internal operations: qualified names only -----------------------------------------------

ZELT_EPSON_INTERNAL(int32_t, NumCupomInt, (void)) {
    return fronteira.Guard(int32_t{0}, [] { return static_cast<int32_t>(e::NumCupomInt()); });
}
ZELT_EPSON_INTERNAL(bool, COOAtual, (const char** Texto)) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(Texto, e::NumCupom());
        return true;
    });
}
ZELT_EPSON_INTERNAL(bool, BrutaAcumulada, (const char** Texto)) {
    return fronteira.Guard(false, [&] {
        fronteira.OutTo(Texto, "000");
        return true;
    });
}
ZELT_EPSON_INTERNAL(const char*, ContadorReinicio, (void)) {
    return fronteira.Guard("", [] { return fronteira.Out(""); });
}
ZELT_EPSON_INTERNAL(void, DistribuirValoresStatus, (void)) {
    fronteira.GuardVoid([] { e::DistribuirValoresStatus(); });
}
