// The C boundary of UEcfPlugEpson: every contract operation of this plug-in under its plain name
// and under "UEcfPlugEpson.<name>", the internal operations under the qualified name only. No C++
// exception leaves here: a platform error (or a maker library that could not be loaded) becomes
// the operation's failure value and the calling thread's last error.
#include "fiscal/epson/UEcfPlugEpson.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Export.h"
#include "zelt/ecfplug_epson.h"

#include <deque>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

namespace {

namespace e = zelt::ecfepson;

// Texts handed out stay valid until the thread's next call into the plug-in.
thread_local std::deque<std::string> saidas;
thread_local std::string ultimoErro;

const char* Saida(std::string texto) {
    saidas.push_back(std::move(texto));
    return saidas.back().c_str();
}

void SaidaEm(const char** destino, std::string texto) {
    if (destino)
        *destino = Saida(std::move(texto));
}

std::string In(const char* texto) {
    return texto ? std::string(texto) : std::string();
}

void Registrar(const std::exception& erro) {
    if (const auto* z = dynamic_cast<const zelt::Exception*>(&erro))
        ultimoErro = z->ClassAndMessage();
    else
        ultimoErro = std::string("Exception: ") + erro.what();
}

// The previous call's texts live until this call is over, so a host may pass one of them back in.
template <class F> auto Guardar(decltype(std::declval<F>()()) falha, F&& operacao) noexcept {
    std::deque<std::string> anteriores;
    anteriores.swap(saidas);
    ultimoErro.clear();
    try {
        return operacao();
    } catch (const std::exception& erro) {
        Registrar(erro);
    } catch (...) {
        ultimoErro = "Exception: unknown error";
    }
    return falha;
}

template <class F> void GuardarVoid(F&& operacao) noexcept {
    Guardar(0, [&] {
        operacao();
        return 0;
    });
}

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
    linhas.SetText(In(texto));
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
    return ultimoErro.c_str();
}

// ---- start-up, port and printer state --------------------------------------------------------

ZELT_EPSON_EXPORT(void, Iniciar, (void), EcfIniciarFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(bool, AbrirPorta, (void), EcfAbrirPortaFn) {
    return Guardar(false, [] { return e::AbrirPorta(); });
}
ZELT_EPSON_EXPORT(void, FecharPorta, (void), EcfFecharPortaFn) {
    GuardarVoid([] { e::FecharPorta(); });
}
ZELT_EPSON_EXPORT(void, AjustePorta, (const char*), EcfAjustePortaFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, PegarDadosPorta, (const char*, int32_t), EcfPegarDadosPortaFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, Teste, (void), EcfTesteFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(bool, ImpressoraLigada, (void), EcfImpressoraLigadaFn) {
    return Guardar(false, [] { return e::ImpressoraLigada(); });
}
ZELT_EPSON_EXPORT(bool, VerificaStatusImpressora, (bool* FimPapel, const char* Contexto),
                  EcfVerificaStatusImpressoraFn) {
    return Guardar(false, [&] {
        // A failed read leaves the host's FimPapel unwritten, as it leaves every flag.
        bool fimPapel = false;
        const bool ok = e::VerificaStatusImpressora(fimPapel, In(Contexto));
        if (ok)
            Escrever(FimPapel, fimPapel);
        return ok;
    });
}
ZELT_EPSON_EXPORT(ZeltPrinterStatus, ExternarRetornoImpressora, (void),
                  EcfExternarRetornoImpressoraFn) {
    return Guardar(ZeltPrinterStatus{}, [] { return e::StatusRecord(); });
}
ZELT_EPSON_EXPORT(bool, PodeVender, (void), EcfPodeVenderFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(double, DataCompilacao, (void), EcfDataCompilacaoFn) {
    return Guardar(0.0, [] { return e::DataCompilacao(); });
}
ZELT_EPSON_EXPORT(bool, DataHoraImpr, (double* DataHora), EcfDataHoraImprFn) {
    return Guardar(false, [&] {
        double valor = 0;
        const bool ok = e::DataHoraImpr(valor);
        Escrever(DataHora, valor);
        return ok;
    });
}

// ---- fiscal day ------------------------------------------------------------------------------

ZELT_EPSON_EXPORT(void, AberturaDoDia, (void), EcfAberturaDoDiaFn) {
    GuardarVoid([] { e::AberturaDoDia(); });
}
ZELT_EPSON_EXPORT(void, FechamentoDoDia, (void), EcfFechamentoDoDiaFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(bool, DiaAberto, (void), EcfDiaAbertoFn) {
    return Guardar(false, [] { return e::DiaAberto(); });
}
ZELT_EPSON_EXPORT(double, DtUltimoMovimento, (void), EcfDtUltimoMovimentoFn) {
    return Guardar(0.0, [] { return e::DtUltimoMovimento(); });
}
ZELT_EPSON_EXPORT(void, LeituraX, (void), EcfLeituraXFn) {
    GuardarVoid([] { e::LeituraX(); });
}
ZELT_EPSON_EXPORT(bool, ReducaoZ, (void), EcfReducaoZFn) {
    return Guardar(false, [] { return e::ReducaoZ(); });
}
ZELT_EPSON_EXPORT(int32_t, ReducaoZSeNecessario, (void), EcfReducaoZSeNecessarioFn) {
    return Guardar(int32_t{0}, [] { return static_cast<int32_t>(e::ReducaoZSeNecessario()); });
}
ZELT_EPSON_EXPORT(bool, DtUltimaReducaoZ, (double* DataHora), EcfDtUltimaReducaoZFn) {
    return Guardar(false, [&] {
        double valor = 0;
        const bool ok = e::DtUltimaReducaoZ(valor);
        Escrever(DataHora, valor);
        return ok;
    });
}
ZELT_EPSON_EXPORT(bool, DtUltimaReducaoZStr, (const char** Data, const char** Hora),
                  EcfDtUltimaReducaoZStrFn) {
    return Guardar(false, [&] {
        std::string data;
        std::string hora;
        const bool ok = e::DtUltimaReducaoZStr(data, hora);
        if (ok) {
            SaidaEm(Data, data);
            SaidaEm(Hora, hora);
        }
        return ok;
    });
}
ZELT_EPSON_EXPORT(bool, DtMovimentoUltimaReducao, (double* DataHora),
                  EcfDtMovimentoUltimaReducaoFn) {
    return Guardar(false, [&] {
        Escrever(DataHora, zelt::Date());
        return true;
    });
}

// ---- fiscal coupon ---------------------------------------------------------------------------

ZELT_EPSON_EXPORT(int32_t, RetornaCliPos, (void), EcfRetornaCliPosFn) {
    return Guardar(int32_t{ZeltCpAoAbrir}, [] { return int32_t{ZeltCpAoAbrir}; });
}
ZELT_EPSON_EXPORT(bool, AbreCupom,
                  (int32_t * NumeroCupom, double* DataHora, int32_t* CasasQtd, int32_t* CasasValor),
                  EcfAbreCupomFn) {
    return Guardar(false, [&] {
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
    return Guardar(false, [&] {
        const std::string cliente[] = {In(pCliNome),   In(pCliDoc),    In(pCliEnder1),
                                       In(pCliEnder2), In(pCliEnder3), In(pCliEnder4)};
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
    return Guardar(false, [&] {
        return e::ImprimirItem(In(pCodigo), In(pDescricao), In(pAliquota), In(pQuantidade),
                               In(pValorUnitario), In(pDesconto), In(pAcrescimo), In(pDptoCod),
                               In(pUnidadeMedida));
    });
}
ZELT_EPSON_EXPORT(bool, DescontoItem, (const char*, double), EcfDescontoItemFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, CancelaItem, (const char* Item), EcfCancelaItemFn) {
    return Guardar(false, [&] { return e::CancelaItem(In(Item)); });
}
ZELT_EPSON_EXPORT(bool, FecharCupomInicio, (const char*), EcfFecharCupomInicioFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, FecharCupomFP, (const char* FormaPgto, const char* Valor),
                  EcfFecharCupomFPFn) {
    return Guardar(false, [&] { return e::FecharCupomFP(In(FormaPgto), In(Valor)); });
}
ZELT_EPSON_EXPORT(bool, FecharCupomFim, (const char* Mensagem), EcfFecharCupomFimFn) {
    return Guardar(false, [&] { return e::FecharCupomFim(In(Mensagem)); });
}
ZELT_EPSON_EXPORT(int32_t, CancelaCupom, (int32_t, const char*), EcfCancelaCupomFn) {
    return Guardar(int32_t{0}, [] { return static_cast<int32_t>(e::CancelaCupom()); });
}
ZELT_EPSON_EXPORT(bool, CupomAberto, (void), EcfCupomAbertoFn) {
    return Guardar(false, [] { return e::CupomAberto(); });
}
ZELT_EPSON_EXPORT(void, AjustarCupomNLinsFinal, (int32_t), EcfAjustarCupomNLinsFinalFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, PrevineValorItem, (double), EcfPrevineValorItemFn) {
    GuardarVoid([] {});
}

// ---- cash, linked receipts, management reports, drawer ---------------------------------------

ZELT_EPSON_EXPORT(bool, Sangria, (double Valor), EcfSangriaFn) {
    return Guardar(false, [&] { return e::Sangria(Valor); });
}
ZELT_EPSON_EXPORT(bool, Suprimento, (double Valor), EcfSuprimentoFn) {
    return Guardar(false, [&] { return e::Suprimento(Valor); });
}
ZELT_EPSON_EXPORT(bool, AbreVinculado, (const char* FormaPgto, double Valor, int32_t COO),
                  EcfAbreVinculadoFn) {
    return Guardar(false, [&] { return e::AbreVinculado(In(FormaPgto), Valor, COO); });
}
ZELT_EPSON_EXPORT(bool, UsaVinculado, (const char* Texto, const char*), EcfUsaVinculadoFn) {
    return Guardar(false, [&] { return e::UsaVinculado(In(Texto)); });
}
ZELT_EPSON_EXPORT(bool, FechaVinculado, (void), EcfFechaVinculadoFn) {
    return Guardar(false, [] { return e::FechaVinculado(); });
}
ZELT_EPSON_EXPORT(bool, RelatorioGerencial, (const char* pSL), EcfRelatorioGerencialFn) {
    return Guardar(false, [&] { return e::RelatorioGerencial(Lista(pSL)); });
}
ZELT_EPSON_EXPORT(bool, RelatorioGerencialStr, (const char* Texto), EcfRelatorioGerencialStrFn) {
    return Guardar(false, [&] { return e::RelatorioGerencialStr(In(Texto)); });
}
ZELT_EPSON_EXPORT(bool, GavetaAberta, (void), EcfGavetaAbertaFn) {
    return Guardar(false, [] { return e::GavetaAberta(); });
}
ZELT_EPSON_EXPORT(void, AcionaGaveta, (void), EcfAcionaGavetaFn) {
    GuardarVoid([] { e::AcionaGaveta(); });
}

// ---- tables, identification, counters --------------------------------------------------------

ZELT_EPSON_EXPORT(const char*, RetornoAliquotas, (void), EcfRetornoAliquotasFn) {
    return Guardar("", [] { return Saida(e::RetornoAliquotas()); });
}
ZELT_EPSON_EXPORT(const char*, DescricoesFiscais, (void), EcfDescricoesFiscaisFn) {
    return Guardar("", [] { return Saida(e::DescricoesFiscais()); });
}
ZELT_EPSON_EXPORT(bool, ColocaTributos, (const char*), EcfColocaTributosFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(void, PegarCliche, (const char**), EcfPegarClicheFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(bool, MarcaImpr, (const char**, const char**, const char**), EcfMarcaImprFn) {
    return Guardar(false, [] { return true; });
}

#define ZELT_EPSON_FIXED_TEXT(name, value)                                                         \
    ZELT_EPSON_EXPORT(const char*, name, (void), EcfTextoFn) {                                     \
        return Guardar("", [] { return Saida(value); });                                           \
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
    return Guardar(false, [&] {
        zelt::TStringList linhas;
        const bool ok = e::PegarDadosImpr(linhas);
        SaidaEm(Lista, linhas.Text());
        return ok;
    });
}
ZELT_EPSON_EXPORT(bool, RetornarDadosECF,
                  (const char**, const char**, const char**, const char** T4, const char** T5,
                   const char**),
                  EcfRetornarDadosECFFn) {
    return Guardar(false, [&] {
        SaidaEm(T4, "");
        SaidaEm(T5, "");
        return true;
    });
}
ZELT_EPSON_EXPORT(const char*, NumCupom, (void), EcfTextoFn) {
    return Guardar("", [] { return Saida(e::NumCupom()); });
}
ZELT_EPSON_EXPORT(int32_t, GNF, (void), EcfGNFFn) {
    return Guardar(int32_t{0}, [] { return int32_t{0}; });
}
ZELT_EPSON_EXPORT(bool, RetornaGNF, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, RetornaGRG, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, RetornaCDC, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, GrandeTotal, (double* Valor), EcfGrandeTotalFn) {
    return Guardar(false, [&] {
        Escrever(Valor, 0.0);
        return true;
    });
}
ZELT_EPSON_EXPORT(bool, VendaBrutaAtual, (const char** Texto), EcfTextoOutFn) {
    return Guardar(false, [&] {
        SaidaEm(Texto, "000");
        return true;
    });
}

// ---- fiscal memory, MFD and other files: nothing on this printer -----------------------------

ZELT_EPSON_EXPORT(void, MFCDtImpr, (double, double), EcfMFDtImprFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFCDtGrav, (double, double, const char*), EcfMFDtGravFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFCCImpr, (int32_t, int32_t), EcfMFCImprFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFCCGrav, (int32_t, int32_t, const char*), EcfMFCGravFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFSDtImpr, (double, double), EcfMFDtImprFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFSDtGrav, (double, double, const char*), EcfMFDtGravFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFSCImpr, (int32_t, int32_t), EcfMFCImprFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, MFSCGrav, (int32_t, int32_t, const char*), EcfMFCGravFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, EspelhoMFD,
                  (const char*, const char*, const char*, const char*, const char*, const char*,
                   const char*),
                  EcfEspelhoMFDFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, ArqMFDDatas, (const char*, const char*, double, double), EcfArqMFDDatasFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, ArqMFDCOO, (const char*, const char*, int32_t, int32_t), EcfArqMFDCOOFn) {
    GuardarVoid([] {});
}
ZELT_EPSON_EXPORT(void, GeraSintegra,
                  (const char*, int32_t, int32_t, const char*, const char*, const char*,
                   const char*, const char*, const char*, const char*, const char*, const char*,
                   const char*, const char*, const char*, const char*),
                  EcfGeraSintegraFn) {
    GuardarVoid([] {});
}

// ---- rounding --------------------------------------------------------------------------------

ZELT_EPSON_EXPORT(bool, ProgramaArredondamento, (void), EcfProgramaArredondamentoFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, ProgramaTruncamento, (void), EcfProgramaTruncamentoFn) {
    return Guardar(false, [] { return true; });
}
ZELT_EPSON_EXPORT(bool, VerificaTruncamento, (bool* Truncando), EcfVerificaTruncamentoFn) {
    return Guardar(false, [&] {
        bool truncando = false;
        const bool ok = e::VerificaTruncamento(truncando);
        Escrever(Truncando, truncando);
        return ok;
    });
}
ZELT_EPSON_EXPORT(double, ValorArredondado, (double Valor, int32_t Casas), EcfValorArredondadoFn) {
    return Guardar(0.0, [&] { return e::ValorArredondado(Valor, Casas); });
}

// ---- internal operations: qualified names only -----------------------------------------------

ZELT_EPSON_INTERNAL(int32_t, NumCupomInt, (void)) {
    return Guardar(int32_t{0}, [] { return static_cast<int32_t>(e::NumCupomInt()); });
}
ZELT_EPSON_INTERNAL(bool, COOAtual, (const char** Texto)) {
    return Guardar(false, [&] {
        SaidaEm(Texto, e::NumCupom());
        return true;
    });
}
ZELT_EPSON_INTERNAL(bool, BrutaAcumulada, (const char** Texto)) {
    return Guardar(false, [&] {
        SaidaEm(Texto, "000");
        return true;
    });
}
ZELT_EPSON_INTERNAL(const char*, ContadorReinicio, (void)) {
    return Guardar("", [] { return Saida(""); });
}
ZELT_EPSON_INTERNAL(void, DistribuirValoresStatus, (void)) {
    GuardarVoid([] { e::DistribuirValoresStatus(); });
}
