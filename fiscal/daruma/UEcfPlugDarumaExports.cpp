// The C boundary of UEcfPlugDaruma: every contract operation under its plain name and under
// "UEcfPlugDaruma.<name>", the internal operations under the qualified name only. No C++
// exception leaves here: a platform error becomes the operation's failure value and the calling
// thread's last error.
#include "fiscal/daruma/UEcfPlugDaruma.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Export.h"
#include "zelt/ecfplug_daruma.h"

#include <cstring>
#include <deque>
#include <exception>
#include <string>
#include <type_traits>
#include <utility>

namespace {

namespace d = zelt::ecfdaruma;

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

void Registrar(const std::exception& e) {
    if (const auto* z = dynamic_cast<const zelt::Exception*>(&e))
        ultimoErro = z->ClassAndMessage();
    else
        ultimoErro = std::string("Exception: ") + e.what();
}

// The previous call's texts live until this call is over, so a host may pass one of them back in.
template <class F> auto Guardar(decltype(std::declval<F>()()) falha, F&& operacao) noexcept {
    std::deque<std::string> anteriores;
    anteriores.swap(saidas);
    ultimoErro.clear();
    try {
        return operacao();
    } catch (const std::exception& e) {
        Registrar(e);
    } catch (...) {
        ultimoErro = "Exception: unknown error";
    }
    return falha;
}

template <class F> void GuardarVoid(F&& operacao) noexcept {
    std::deque<std::string> anteriores;
    anteriores.swap(saidas);
    ultimoErro.clear();
    try {
        operacao();
    } catch (const std::exception& e) {
        Registrar(e);
    } catch (...) {
        ultimoErro = "Exception: unknown error";
    }
}

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
    return ultimoErro.c_str();
}

// ---- start-up, port and printer state --------------------------------------------------------

ZELT_DARUMA_EXPORT(void, Iniciar, (void), EcfIniciarFn) {
    GuardarVoid([] { d::Iniciar(); });
}
ZELT_DARUMA_EXPORT(bool, AbrirPorta, (void), EcfAbrirPortaFn) {
    return Guardar(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(void, FecharPorta, (void), EcfFecharPortaFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(void, AjustePorta, (const char*), EcfAjustePortaFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(void, Teste, (void), EcfTesteFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(bool, ImpressoraLigada, (void), EcfImpressoraLigadaFn) {
    return Guardar(false, [] { return d::ImpressoraLigada(); });
}
ZELT_DARUMA_EXPORT(bool, VerificaStatusImpressora, (bool* FimPapel),
                   EcfVerificaStatusImpressoraDarumaFn) {
    return Guardar(false, [&] {
        bool fimPapel = false;
        const bool ok = d::VerificaStatusImpressora(fimPapel);
        Escrever(FimPapel, fimPapel);
        return ok;
    });
}
ZELT_DARUMA_EXPORT(ZeltPrinterStatus, ExternarRetornoImpressora, (void),
                   EcfExternarRetornoImpressoraFn) {
    return Guardar(ZeltPrinterStatus{}, [] { return d::StatusRecord(); });
}
ZELT_DARUMA_EXPORT(bool, PodeVender, (void), EcfPodeVenderFn) {
    return Guardar(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(double, DataCompilacao, (void), EcfDataCompilacaoFn) {
    return Guardar(0.0, [] { return d::DataCompilacao(); });
}
ZELT_DARUMA_EXPORT(bool, DataHoraImpr, (double* DataHora), EcfDataHoraImprFn) {
    return Guardar(false, [&] {
        double valor = Ler(DataHora);
        const bool ok = d::DataHoraImpr(valor);
        Escrever(DataHora, valor);
        return ok;
    });
}

// ---- fiscal day ------------------------------------------------------------------------------

ZELT_DARUMA_EXPORT(void, AberturaDoDia, (void), EcfAberturaDoDiaFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(void, FechamentoDoDia, (void), EcfFechamentoDoDiaFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(bool, DiaAberto, (void), EcfDiaAbertoFn) {
    return Guardar(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(double, DtUltimoMovimento, (void), EcfDtUltimoMovimentoFn) {
    return Guardar(0.0, [] { return 0.0; });
}
ZELT_DARUMA_EXPORT(void, LeituraX, (void), EcfLeituraXFn) {
    GuardarVoid([] { d::LeituraX(); });
}
ZELT_DARUMA_EXPORT(bool, ReducaoZ, (void), EcfReducaoZFn) {
    return Guardar(false, [] { return d::ReducaoZ(); });
}
ZELT_DARUMA_EXPORT(int32_t, ReducaoZSeNecessario, (void), EcfReducaoZSeNecessarioFn) {
    return Guardar(int32_t{0}, [] { return static_cast<int32_t>(d::ReducaoZSeNecessario()); });
}
ZELT_DARUMA_EXPORT(bool, DtUltimaReducaoZ, (double*), EcfDtUltimaReducaoZFn) {
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, DtUltimaReducaoZStr, (const char** Data, const char** Hora),
                   EcfDtUltimaReducaoZStrFn) {
    return Guardar(false, [&] {
        SaidaEm(Data, "");
        SaidaEm(Hora, "");
        return false;
    });
}
ZELT_DARUMA_EXPORT(bool, DtMovimentoUltimaReducao, (double*), EcfDtMovimentoUltimaReducaoFn) {
    return Guardar(false, [] { return false; });
}

// ---- fiscal coupon ---------------------------------------------------------------------------

ZELT_DARUMA_EXPORT(int32_t, RetornaCliPos, (void), EcfRetornaCliPosFn) {
    return Guardar(int32_t{ZeltCpAntesMens}, [] { return int32_t{ZeltCpAntesMens}; });
}
ZELT_DARUMA_EXPORT(bool, AbreCupom,
                   (int32_t * NumeroCupom, double* DataHora, int32_t* CasasQtd,
                    int32_t* CasasValor),
                   EcfAbreCupomFn) {
    return Guardar(false, [&] {
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
    return Guardar(false, [&] { return d::IdConsumidor(In(Texto1), In(Texto2), In(Texto3)); });
}
ZELT_DARUMA_EXPORT(bool, ImprimirItem,
                   (const char* pCodigo, const char* pDescricao, const char* pAliquota,
                    const char* pQuantidade, const char* pValorUnitario, const char* pDesconto,
                    const char* pAcrescimo, const char* pDptoCod, const char* pUnidadeMedida),
                   EcfImprimirItemFn) {
    return Guardar(false, [&] {
        return d::ImprimirItem(In(pCodigo), In(pDescricao), In(pAliquota), In(pQuantidade),
                               In(pValorUnitario), In(pDesconto), In(pAcrescimo), In(pDptoCod),
                               In(pUnidadeMedida));
    });
}
ZELT_DARUMA_EXPORT(bool, DescontoItem, (const char* Item, double Valor), EcfDescontoItemFn) {
    return Guardar(false, [&] { return d::DescontoItem(In(Item), Valor); });
}
ZELT_DARUMA_EXPORT(bool, CancelaItem, (const char* Item), EcfCancelaItemFn) {
    return Guardar(false, [&] { return d::CancelaItem(In(Item)); });
}
ZELT_DARUMA_EXPORT(bool, FecharCupomInicio, (const char* Desconto), EcfFecharCupomInicioFn) {
    return Guardar(false, [&] { return d::FecharCupomInicio(In(Desconto)); });
}
ZELT_DARUMA_EXPORT(bool, FecharCupomFP, (const char* FormaPgto, const char* Valor),
                   EcfFecharCupomFPFn) {
    return Guardar(false, [&] { return d::FecharCupomFP(In(FormaPgto), In(Valor)); });
}
ZELT_DARUMA_EXPORT(bool, FecharCupomFim, (const char* Mensagem), EcfFecharCupomFimFn) {
    return Guardar(false, [&] { return d::FecharCupomFim(In(Mensagem)); });
}
ZELT_DARUMA_EXPORT(bool, OfereceFechamentoResumido, (void), EcfOfereceFechamentoResumidoFn) {
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, FecharCupomResumido, (const char*, const char*),
                   EcfFecharCupomResumidoFn) {
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(int32_t, CancelaCupom, (int32_t, const char*), EcfCancelaCupomFn) {
    return Guardar(int32_t{0}, [] { return static_cast<int32_t>(d::CancelaCupom()); });
}
ZELT_DARUMA_EXPORT(bool, CupomAberto, (void), EcfCupomAbertoFn) {
    return Guardar(false, [] { return d::CupomAberto(); });
}
ZELT_DARUMA_EXPORT(void, AjustarCupomNLinsFinal, (int32_t), EcfAjustarCupomNLinsFinalFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(void, PrevineValorItem, (double), EcfPrevineValorItemFn) {
    GuardarVoid([] {});
}

// ---- cash, linked receipts, management reports, drawer ---------------------------------------

ZELT_DARUMA_EXPORT(bool, Sangria, (double Valor), EcfSangriaFn) {
    return Guardar(false, [&] { return d::Sangria(Valor); });
}
ZELT_DARUMA_EXPORT(bool, Suprimento, (double Valor), EcfSuprimentoFn) {
    return Guardar(false, [&] { return d::Suprimento(Valor); });
}
ZELT_DARUMA_EXPORT(bool, AbreVinculado, (const char* FormaPgto, double Valor, int32_t COO),
                   EcfAbreVinculadoFn) {
    return Guardar(false, [&] { return d::AbreVinculado(In(FormaPgto), Valor, COO); });
}
ZELT_DARUMA_EXPORT(bool, UsaVinculado, (const char* Texto, const char*), EcfUsaVinculadoFn) {
    return Guardar(false, [&] { return d::UsaVinculado(In(Texto)); });
}
ZELT_DARUMA_EXPORT(bool, UsaVinc, (const char* Texto), EcfUsaVincFn) {
    return Guardar(false, [&] { return d::UsaVinc(In(Texto)); });
}
ZELT_DARUMA_EXPORT(bool, FechaVinculado, (void), EcfFechaVinculadoFn) {
    return Guardar(false, [] { return d::FechaVinculado(); });
}
ZELT_DARUMA_EXPORT(bool, RelatorioGerencial, (const char* pSL), EcfRelatorioGerencialFn) {
    return Guardar(false, [&] { return d::RelatorioGerencialStr(In(pSL)); });
}
ZELT_DARUMA_EXPORT(bool, RelatorioGerencialStr, (const char* Texto), EcfRelatorioGerencialStrFn) {
    return Guardar(false, [&] { return d::RelatorioGerencialStr(In(Texto)); });
}
ZELT_DARUMA_EXPORT(bool, AbreGerencial, (void), EcfAbreGerencialFn) {
    return Guardar(false, [] { return d::AbreGerencial(); });
}
ZELT_DARUMA_EXPORT(bool, UsaGerencial, (const char* Texto), EcfUsaGerencialFn) {
    return Guardar(false, [&] { return d::UsaGerencial(In(Texto)); });
}
ZELT_DARUMA_EXPORT(bool, FechaGerencial, (void), EcfFechaGerencialFn) {
    return Guardar(false, [] { return d::FechaGerencial(); });
}
ZELT_DARUMA_EXPORT(bool, GavetaAberta, (void), EcfGavetaAbertaFn) {
    return Guardar(false, [] { return d::GavetaAberta(); });
}
ZELT_DARUMA_EXPORT(void, AcionaGaveta, (void), EcfAcionaGavetaFn) {
    GuardarVoid([] { d::AcionaGaveta(); });
}

// ---- tables, identification, counters --------------------------------------------------------

ZELT_DARUMA_EXPORT(const char*, RetornoAliquotas, (void), EcfRetornoAliquotasFn) {
    return Guardar("", [] { return Saida(d::RetornoAliquotas()); });
}
ZELT_DARUMA_EXPORT(const char*, DescricoesFiscais, (void), EcfDescricoesFiscaisFn) {
    return Guardar("", [] { return Saida(d::DescricoesFiscais()); });
}
ZELT_DARUMA_EXPORT(bool, ColocaTributos, (const char*), EcfColocaTributosFn) {
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(void, PegarCliche, (const char**), EcfPegarClicheFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(bool, MarcaImpr, (const char** Marca, const char** Modelo, const char** TipoEcf),
                   EcfMarcaImprFn) {
    return Guardar(false, [&] {
        std::string marca, modelo, tipo;
        const bool ok = d::MarcaImpr(marca, modelo, tipo);
        SaidaEm(Marca, marca);
        SaidaEm(Modelo, modelo);
        SaidaEm(TipoEcf, tipo);
        return ok;
    });
}

#define ZELT_DARUMA_FIXED_TEXT(name, value)                                                        \
    ZELT_DARUMA_EXPORT(const char*, name, (void), EcfTextoFn) {                                    \
        return Guardar("", [] { return Saida(value); });                                           \
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
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, RetornarDadosECF,
                   (const char**, const char**, const char**, const char** T4, const char** T5,
                    const char**),
                   EcfRetornarDadosECFFn) {
    return Guardar(false, [&] {
        SaidaEm(T4, "");
        SaidaEm(T5, "");
        return false;
    });
}
ZELT_DARUMA_EXPORT(void, PegarProdsSis, (void*), EcfPegarProdsSisFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(const char*, NumCupom, (void), EcfTextoFn) {
    return Guardar("", [] { return Saida(d::NumCupom()); });
}
ZELT_DARUMA_EXPORT(int32_t, GNF, (void), EcfGNFFn) {
    return Guardar(int32_t{0}, [] { return int32_t{0}; });
}
ZELT_DARUMA_EXPORT(bool, RetornaGNF, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, RetornaGRG, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, RetornaCDC, (int32_t*, int32_t*, double*), EcfRetornaContadorFn) {
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, GrandeTotal, (double*), EcfGrandeTotalFn) {
    return Guardar(false, [] { return false; });
}
ZELT_DARUMA_EXPORT(bool, VendaBrutaAtual, (const char** Texto), EcfTextoOutFn) {
    return Guardar(false, [&] {
        SaidaEm(Texto, "");
        return false;
    });
}

// ---- fiscal memory, MFD and other files ------------------------------------------------------

ZELT_DARUMA_EXPORT(void, MFCDtImpr, (double Inicio, double Fim), EcfMFDtImprFn) {
    GuardarVoid([&] { d::LeituraMemoriaFiscalDatas(Inicio, Fim, true, nullptr); });
}
ZELT_DARUMA_EXPORT(void, MFCDtGrav, (double Inicio, double Fim, const char* ArqDestino),
                   EcfMFDtGravFn) {
    GuardarVoid([&] {
        const std::string destino = In(ArqDestino);
        d::LeituraMemoriaFiscalDatas(Inicio, Fim, true, &destino);
    });
}
ZELT_DARUMA_EXPORT(void, MFCCImpr, (int32_t Inicio, int32_t Fim), EcfMFCImprFn) {
    GuardarVoid([&] { d::LeituraMemoriaFiscalCRZ(Inicio, Fim, true, nullptr); });
}
ZELT_DARUMA_EXPORT(void, MFCCGrav, (int32_t Inicio, int32_t Fim, const char* ArqDestino),
                   EcfMFCGravFn) {
    GuardarVoid([&] {
        const std::string destino = In(ArqDestino);
        d::LeituraMemoriaFiscalCRZ(Inicio, Fim, true, &destino);
    });
}
ZELT_DARUMA_EXPORT(void, MFSDtImpr, (double Inicio, double Fim), EcfMFDtImprFn) {
    GuardarVoid([&] { d::LeituraMemoriaFiscalDatas(Inicio, Fim, false, nullptr); });
}
ZELT_DARUMA_EXPORT(void, MFSDtGrav, (double Inicio, double Fim, const char* ArqDestino),
                   EcfMFDtGravFn) {
    GuardarVoid([&] {
        const std::string destino = In(ArqDestino);
        d::LeituraMemoriaFiscalDatas(Inicio, Fim, false, &destino);
    });
}
ZELT_DARUMA_EXPORT(void, MFSCImpr, (int32_t Inicio, int32_t Fim), EcfMFCImprFn) {
    GuardarVoid([&] { d::LeituraMemoriaFiscalCRZ(Inicio, Fim, false, nullptr); });
}
ZELT_DARUMA_EXPORT(void, MFSCGrav, (int32_t Inicio, int32_t Fim, const char* ArqDestino),
                   EcfMFCGravFn) {
    GuardarVoid([&] {
        const std::string destino = In(ArqDestino);
        d::LeituraMemoriaFiscalCRZ(Inicio, Fim, false, &destino);
    });
}
ZELT_DARUMA_EXPORT(void, EspelhoMFD,
                   (const char*, const char*, const char*, const char*, const char*, const char*,
                    const char*),
                   EcfEspelhoMFDFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(void, ArqMFDDatas,
                   (const char*, const char* ArqDestino, double Inicio, double Fim),
                   EcfArqMFDDatasFn) {
    GuardarVoid([&] { d::ArqMFDDatas(In(ArqDestino), Inicio, Fim); });
}
ZELT_DARUMA_EXPORT(void, ArqMFDCOO,
                   (const char*, const char* ArqDestino, int32_t Inicio, int32_t Fim),
                   EcfArqMFDCOOFn) {
    GuardarVoid([&] { d::ArqMFDCOO(In(ArqDestino), Inicio, Fim); });
}
ZELT_DARUMA_EXPORT(void, GeraSintegra,
                   (const char*, int32_t, int32_t, const char*, const char*, const char*,
                    const char*, const char*, const char*, const char*, const char*, const char*,
                    const char*, const char*, const char*, const char*),
                   EcfGeraSintegraFn) {
    GuardarVoid([] {});
}
ZELT_DARUMA_EXPORT(bool, GravarTDM, (int32_t Tipo, const char* Inicio, const char* Fim),
                   EcfGravarTDMFn) {
    return Guardar(false, [&] { return d::GravarTDM(Tipo, In(Inicio), In(Fim)); });
}

// ---- rounding --------------------------------------------------------------------------------

ZELT_DARUMA_EXPORT(bool, ProgramaArredondamento, (void), EcfProgramaArredondamentoFn) {
    return Guardar(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(bool, ProgramaTruncamento, (void), EcfProgramaTruncamentoFn) {
    return Guardar(false, [] { return true; });
}
ZELT_DARUMA_EXPORT(bool, VerificaTruncamento, (bool* Truncando), EcfVerificaTruncamentoFn) {
    return Guardar(false, [&] {
        bool truncando = false;
        const bool ok = d::VerificaTruncamento(truncando);
        Escrever(Truncando, truncando);
        return ok;
    });
}
ZELT_DARUMA_EXPORT(double, ValorArredondado, (double Valor, int32_t Casas), EcfValorArredondadoFn) {
    return Guardar(0.0, [&] { return d::ValorArredondado(Valor, Casas); });
}

// ---- internal operations: qualified names only -----------------------------------------------

ZELT_DARUMA_INTERNAL(int32_t, NumCupomInt, (void)) {
    return Guardar(int32_t{0}, [] { return static_cast<int32_t>(d::NumCupomInt()); });
}
ZELT_DARUMA_INTERNAL(bool, COOAtual, (const char** Texto)) {
    return Guardar(false, [&] {
        SaidaEm(Texto, "");
        return false;
    });
}
ZELT_DARUMA_INTERNAL(bool, BrutaAcumulada, (const char** Texto)) {
    return Guardar(false, [&] {
        SaidaEm(Texto, "");
        return false;
    });
}
ZELT_DARUMA_INTERNAL(const char*, ContadorReinicio, (void)) {
    return Guardar("", [] { return Saida(""); });
}
ZELT_DARUMA_INTERNAL(void, DistribuirValoresStatus, (void)) {
    GuardarVoid([] { d::DistribuirValoresStatus(); });
}
ZELT_DARUMA_INTERNAL(bool, AbreCupomCli,
                     (const char* pCliNome, const char* pCliDoc, const char* pCliEnder1,
                      const char* pCliEnder2, const char* pCliEnder3, const char* pCliEnder4,
                      int32_t* NumeroCupom, double* DataHora, int32_t* CasasQtd,
                      int32_t* CasasValor)) {
    return Guardar(false, [&] {
        int numero = Ler(NumeroCupom), casasQtd = Ler(CasasQtd), casasValor = Ler(CasasValor);
        double momento = Ler(DataHora);
        const bool ok =
            d::AbreCupomCli(In(pCliNome), In(pCliDoc), In(pCliEnder1), In(pCliEnder2),
                            In(pCliEnder3), In(pCliEnder4), numero, momento, casasQtd, casasValor);
        Escrever(NumeroCupom, int32_t{numero});
        Escrever(DataHora, momento);
        Escrever(CasasQtd, int32_t{casasQtd});
        Escrever(CasasValor, int32_t{casasValor});
        return ok;
    });
}
ZELT_DARUMA_INTERNAL(const char*, PegarNomeGerencial, (void)) {
    return Guardar("", [] { return Saida(d::NomeGerencial); });
}
