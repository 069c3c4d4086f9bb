/* The fiscal printer (ECF) plug-in contract, for hosts.
 *
 * A fiscal plug-in is a shared library named "EcfPlug" + make word + ".so" (EcfPlugDaruma.so,
 * EcfPlugEpson.so). A host loads the one of its configured printer make with dlopen and binds
 * each operation by its plain name with dlsym, through the function-pointer types below. An
 * operation a plug-in does not offer is absent: dlsym returns NULL for its name, and the host must
 * not call it (ZELT_ECF_OPERATIONS says which plug-in has which name). Every operation of a
 * plug-in's main unit is also exported under its qualified name "<unit>.<operation>"
 * ("UEcfPlugDaruma.AbreCupom"); the internal operations (ZELT_ECF_INTERNAL_OPERATIONS) exist only
 * under their qualified names.
 *
 * C types at the boundary:
 *   Boolean -> bool; integer -> int32_t; real and date-time -> double (date-time: days since
 *   1899-12-30, local time, the fraction being the time of day);
 *   text in -> const char*, NUL-terminated Windows-1252; NULL reads as empty;
 *   text out (result or "out" parameter const char**) -> owned by the plug-in and valid until
 *   the next call into the same plug-in on the same thread; copy what you keep;
 *   list of texts (in or filled) -> one text whose lines are joined with CR LF;
 *   the printer status -> ZeltPrinterStatus, a plain struct returned by value.
 * A plug-in shows its own failures to the operator (include/zelt/messages.h) and returns false,
 * 0 or an empty text; hosts receive no error codes. An error of the platform (a malformed date
 * text read from the printer, a missing file) never crosses the boundary as an exception: the
 * operation returns its failure value and the plug-in keeps the error as the calling thread's
 * last error (see the plug-in's own header, e.g. zelt/ecfplug_daruma.h).
 *
 * All operations run on the host's user-interface thread; plug-in state is process-wide and
 * unguarded, so a host must not call one plug-in from two threads.
 */
#ifndef ZELT_ECFPLUG_H
#define ZELT_ECFPLUG_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Printer status ------------------------------------------------------------------------ */

/* TPrintFlag: ordinals of the status flags. In a flag set (TPrintFlags) bit n, value 1 << n,
 * stands for the flag of ordinal n; bits 20 to 31 are always zero. */
enum ZeltPrintFlag {
    ZeltPfFechamentoFPIniciado = 0,
    ZeltPfHorVeraoSelecionado = 1,
    ZeltPfJaHouveReducaoZ = 2,
    ZeltPfMemFiscalCheia = 3,
    ZeltPfFimPapel = 4,
    ZeltPfPoucoPapel = 5,
    ZeltPfErroRelogio = 6,
    ZeltPfPrimComandoNaoEsc = 7,
    ZeltPfImprErro = 8,
    ZeltPfComandoInexistente = 9,
    ZeltPfCupomAberto = 10,
    ZeltPfNumParamsInvalido = 11,
    ZeltPfTipoParmInvalido = 12,
    ZeltPfCMOSErro = 13,
    ZeltPfAliqNaoProgr = 14,
    ZeltPfAliqEstouro = 15,
    ZeltPfCancelProibido = 16,
    ZeltPfCNPJIENaoProgr = 17,
    ZeltPfComandoNaoExec = 18,
    ZeltPfTruncando = 19
};
#define ZELT_PRINT_FLAG_COUNT 20
#define ZELT_PRINTER_STATUS_TEXT_SIZE 256

/* TPrinterStatus: always copied whole. Only Flags is written or read by the plug-ins; Codigo and
 * Texto are carried for hosts and stay zero / empty. */
typedef struct ZeltPrinterStatus {
    uint32_t Flags; /* TPrintFlags */
    int32_t Codigo;
    char Texto[ZELT_PRINTER_STATUS_TEXT_SIZE]; /* NUL-terminated */
} ZeltPrinterStatus;

/* TCliPos: where the host identifies the consumer on the coupon (RetornaCliPos). */
enum ZeltCliPos {
    ZeltCpAoAbrir = 0,   /* open the coupon with AbreCupomCli */
    ZeltCpAntesMens = 1, /* AbreCupom; IdConsumidor after the payments, before FecharCupomFim */
    ZeltCpNaMens = 2     /* the identification goes into the closing message */
};

/* Exports of EcfPlugDefs.so (linked by the plug-ins; a host may link it or dlsym it). */
/* True when Valor and Bit share a set bit and (Valor & Bit), as a signed integer, is above 0. */
bool BitLigado(int32_t Valor, int32_t Bit);
/* The reported flags' StatusStr texts, each followed by CR LF ("" for none). */
void PrinterStatusToStr(ZeltPrinterStatus Status, const char** Texto);
/* StatusStr[Flag]; NULL outside 0..19. */
const char* EcfPlugDefsStatusStr(int32_t Flag);

/* ---- Which plug-in has which plain name ---------------------------------------------------- */

/* X(name, in Daruma, in Epson): the plain-name export table of the contract. */
#define ZELT_ECF_OPERATIONS(X)                                                                     \
    /* start-up, port and printer state */                                                         \
    X(Iniciar, 1, 1)                                                                               \
    X(AbrirPorta, 1, 1)                                                                            \
    X(FecharPorta, 1, 1)                                                                           \
    X(AjustePorta, 1, 1)                                                                           \
    X(PegarDadosPorta, 0, 1)                                                                       \
    X(Teste, 1, 1)                                                                                 \
    X(ImpressoraLigada, 1, 1)                                                                      \
    X(VerificaStatusImpressora, 1, 1)                                                              \
    X(ExternarRetornoImpressora, 1, 1)                                                             \
    X(PodeVender, 1, 1)                                                                            \
    X(DataCompilacao, 1, 1)                                                                        \
    X(DataHoraImpr, 1, 1)                                                                          \
    /* fiscal day */                                                                               \
    X(AberturaDoDia, 1, 1)                                                                         \
    X(FechamentoDoDia, 1, 1)                                                                       \
    X(DiaAberto, 1, 1)                                                                             \
    X(DtUltimoMovimento, 1, 1)                                                                     \
    X(LeituraX, 1, 1)                                                                              \
    X(ReducaoZ, 1, 1)                                                                              \
    X(ReducaoZSeNecessario, 1, 1)                                                                  \
    X(DtUltimaReducaoZ, 1, 1)                                                                      \
    X(DtUltimaReducaoZStr, 1, 1)                                                                   \
    X(DtMovimentoUltimaReducao, 1, 1)                                                              \
    /* fiscal coupon */                                                                            \
    X(RetornaCliPos, 1, 1)                                                                         \
    X(AbreCupom, 1, 1)                                                                             \
    X(AbreCupomCli, 0, 1)                                                                          \
    X(IdConsumidor, 1, 0)                                                                          \
    X(ImprimirItem, 1, 1)                                                                          \
    X(DescontoItem, 1, 1)                                                                          \
    X(CancelaItem, 1, 1)                                                                           \
    X(FecharCupomInicio, 1, 1)                                                                     \
    X(FecharCupomFP, 1, 1)                                                                         \
    X(FecharCupomFim, 1, 1)                                                                        \
    X(OfereceFechamentoResumido, 1, 0)                                                             \
    X(FecharCupomResumido, 1, 0)                                                                   \
    X(CancelaCupom, 1, 1)                                                                          \
    X(CupomAberto, 1, 1)                                                                           \
    X(AjustarCupomNLinsFinal, 1, 1)                                                                \
    X(PrevineValorItem, 1, 1)                                                                      \
    /* cash, linked receipts, management reports, drawer */                                        \
    X(Sangria, 1, 1)                                                                               \
    X(Suprimento, 1, 1)                                                                            \
    X(AbreVinculado, 1, 1)                                                                         \
    X(UsaVinculado, 1, 1)                                                                          \
    X(UsaVinc, 1, 0)                                                                               \
    X(FechaVinculado, 1, 1)                                                                        \
    X(RelatorioGerencial, 1, 1)                                                                    \
    X(RelatorioGerencialStr, 1, 1)                                                                 \
    X(AbreGerencial, 1, 0)                                                                         \
    X(UsaGerencial, 1, 0)                                                                          \
    X(FechaGerencial, 1, 0)                                                                        \
    X(GavetaAberta, 1, 1)                                                                          \
    X(AcionaGaveta, 1, 1)                                                                          \
    /* tables, identification, counters */                                                         \
    X(RetornoAliquotas, 1, 1)                                                                      \
    X(DescricoesFiscais, 1, 1)                                                                     \
    X(ColocaTributos, 1, 1)                                                                        \
    X(PegarCliche, 1, 1)                                                                           \
    X(MarcaImpr, 1, 1)                                                                             \
    X(TipoECF, 1, 1)                                                                               \
    X(VersaoSoft, 1, 1)                                                                            \
    X(DataHoraInst, 1, 1)                                                                          \
    X(StrDados, 1, 1)                                                                              \
    X(NumFabrECF, 1, 1)                                                                            \
    X(MFAdicional, 1, 1)                                                                           \
    X(NumSerie, 1, 1)                                                                              \
    X(CodigoNacional, 1, 1)                                                                        \
    X(PegarDadosImpr, 1, 1)                                                                        \
    X(RetornarDadosECF, 1, 1)                                                                      \
    X(PegarProdsSis, 1, 0)                                                                         \
    X(NumCupom, 1, 1)                                                                              \
    X(GNF, 1, 1)                                                                                   \
    X(RetornaGNF, 1, 1)                                                                            \
    X(RetornaGRG, 1, 1)                                                                            \
    X(RetornaCDC, 1, 1)                                                                            \
    X(ContadorReducaoZ, 1, 1)                                                                      \
    X(GrandeTotal, 1, 1)                                                                           \
    X(VendaBrutaAtual, 1, 1)                                                                       \
    /* fiscal memory, MFD and other files */                                                       \
    X(MFCDtImpr, 1, 1)                                                                             \
    X(MFCDtGrav, 1, 1)                                                                             \
    X(MFCCImpr, 1, 1)                                                                              \
    X(MFCCGrav, 1, 1)                                                                              \
    X(MFSDtImpr, 1, 1)                                                                             \
    X(MFSDtGrav, 1, 1)                                                                             \
    X(MFSCImpr, 1, 1)                                                                              \
    X(MFSCGrav, 1, 1)                                                                              \
    X(EspelhoMFD, 1, 1)                                                                            \
    X(ArqMFDDatas, 1, 1)                                                                           \
    X(ArqMFDCOO, 1, 1)                                                                             \
    X(GeraSintegra, 1, 1)                                                                          \
    X(GravarTDM, 1, 0)                                                                             \
    /* rounding */                                                                                 \
    X(ProgramaArredondamento, 1, 1)                                                                \
    X(ProgramaTruncamento, 1, 1)                                                                   \
    X(VerificaTruncamento, 1, 1)                                                                   \
    X(ValorArredondado, 1, 1)

/* X(name, in Daruma, in Epson): operations that exist only under the qualified name. */
#define ZELT_ECF_INTERNAL_OPERATIONS(X)                                                            \
    X(NumCupomInt, 1, 1)                                                                           \
    X(COOAtual, 1, 1)                                                                              \
    X(BrutaAcumulada, 1, 1)                                                                        \
    X(ContadorReinicio, 1, 1)                                                                      \
    X(DistribuirValoresStatus, 1, 1)                                                               \
    X(AbreCupomCli, 1, 0)                                                                          \
    X(PegarNomeGerencial, 1, 0)

/* ---- Signatures ---------------------------------------------------------------------------- */

/* start-up, port and printer state */
typedef void (*EcfIniciarFn)(void);
typedef bool (*EcfAbrirPortaFn)(void);
typedef void (*EcfFecharPortaFn)(void);
typedef void (*EcfAjustePortaFn)(const char* Porta);
typedef void (*EcfPegarDadosPortaFn)(const char* Porta, int32_t Valor);
typedef void (*EcfTesteFn)(void);
typedef bool (*EcfImpressoraLigadaFn)(void);
/* The Epson form takes a diagnostic context; the Daruma plug-in takes FimPapel only. */
typedef bool (*EcfVerificaStatusImpressoraFn)(bool* FimPapel, const char* Contexto);
typedef bool (*EcfVerificaStatusImpressoraDarumaFn)(bool* FimPapel);
typedef ZeltPrinterStatus (*EcfExternarRetornoImpressoraFn)(void);
typedef bool (*EcfPodeVenderFn)(void);
typedef double (*EcfDataCompilacaoFn)(void);
typedef bool (*EcfDataHoraImprFn)(double* DataHora);

/* fiscal day */
typedef void (*EcfAberturaDoDiaFn)(void);
typedef void (*EcfFechamentoDoDiaFn)(void);
typedef bool (*EcfDiaAbertoFn)(void);
typedef double (*EcfDtUltimoMovimentoFn)(void);
typedef void (*EcfLeituraXFn)(void);
typedef bool (*EcfReducaoZFn)(void);
/* 0: the printer does not answer; 1: no reduction pending; 2: a reduction is pending. */
typedef int32_t (*EcfReducaoZSeNecessarioFn)(void);
typedef bool (*EcfDtUltimaReducaoZFn)(double* DataHora);
/* Data: ddmmyyyy; Hora: hhnnss. */
typedef bool (*EcfDtUltimaReducaoZStrFn)(const char** Data, const char** Hora);
typedef bool (*EcfDtMovimentoUltimaReducaoFn)(double* DataHora);

/* fiscal coupon */
typedef int32_t (*EcfRetornaCliPosFn)(void); /* enum ZeltCliPos */
typedef bool (*EcfAbreCupomFn)(int32_t* NumeroCupom, double* DataHora, int32_t* CasasQtd,
                               int32_t* CasasValor);
typedef bool (*EcfAbreCupomCliFn)(const char* pCliNome, const char* pCliDoc, const char* pCliEnder1,
                                  const char* pCliEnder2, const char* pCliEnder3,
                                  const char* pCliEnder4, int32_t* NumeroCupom, double* DataHora,
                                  int32_t* CasasQtd, int32_t* CasasValor);
typedef bool (*EcfIdConsumidorFn)(const char* Texto1, const char* Texto2, const char* Texto3);
typedef bool (*EcfImprimirItemFn)(const char* pCodigo, const char* pDescricao,
                                  const char* pAliquota, const char* pQuantidade,
                                  const char* pValorUnitario, const char* pDesconto,
                                  const char* pAcrescimo, const char* pDptoCod,
                                  const char* pUnidadeMedida);
typedef bool (*EcfDescontoItemFn)(const char* Item, double Valor);
typedef bool (*EcfCancelaItemFn)(const char* Item);
typedef bool (*EcfFecharCupomInicioFn)(const char* Desconto);
typedef bool (*EcfFecharCupomFPFn)(const char* FormaPgto, const char* Valor);
typedef bool (*EcfFecharCupomFimFn)(const char* Mensagem);
typedef bool (*EcfOfereceFechamentoResumidoFn)(void);
typedef bool (*EcfFecharCupomResumidoFn)(const char* Texto1, const char* Texto2);
/* The coupon number read before cancelling, or below 1 when nothing was cancelled. */
typedef int32_t (*EcfCancelaCupomFn)(int32_t Ignorado, const char* IgnoradoTexto);
typedef bool (*EcfCupomAbertoFn)(void);
typedef void (*EcfAjustarCupomNLinsFinalFn)(int32_t Linhas);
typedef void (*EcfPrevineValorItemFn)(double Valor);

/* cash, linked receipts, management reports, drawer */
typedef bool (*EcfSangriaFn)(double Valor);
typedef bool (*EcfSuprimentoFn)(double Valor);
typedef bool (*EcfAbreVinculadoFn)(const char* FormaPgto, double Valor, int32_t COO);
typedef bool (*EcfUsaVinculadoFn)(const char* Texto, const char* Ignorado);
typedef bool (*EcfUsaVincFn)(const char* Texto);
typedef bool (*EcfFechaVinculadoFn)(void);
typedef bool (*EcfRelatorioGerencialFn)(const char* pSL); /* lines joined with CR LF */
typedef bool (*EcfRelatorioGerencialStrFn)(const char* Texto);
typedef bool (*EcfAbreGerencialFn)(void);
typedef bool (*EcfUsaGerencialFn)(const char* Texto);
typedef bool (*EcfFechaGerencialFn)(void);
typedef bool (*EcfGavetaAbertaFn)(void);
typedef void (*EcfAcionaGavetaFn)(void);

/* tables, identification, counters */
typedef const char* (*EcfRetornoAliquotasFn)(void);
typedef const char* (*EcfDescricoesFiscaisFn)(void);
typedef bool (*EcfColocaTributosFn)(const char* Lista);
typedef void (*EcfPegarClicheFn)(const char** Lista);
typedef bool (*EcfMarcaImprFn)(const char** Marca, const char** Modelo, const char** TipoEcf);
typedef const char* (*EcfTextoFn)(void); /* TipoECF VersaoSoft DataHoraInst StrDados NumFabrECF
                                            MFAdicional NumSerie CodigoNacional NumCupom
                                            ContadorReducaoZ (and ContadorReinicio) */
typedef bool (*EcfPegarDadosImprFn)(const char** Lista);
/* Each of the five texts is read from *Tn and may be replaced by the plug-in. */
typedef bool (*EcfRetornarDadosECFFn)(const char** T1, const char** T2, const char** T3,
                                      const char** T4, const char** T5, const char** Lista);
typedef void (*EcfPegarProdsSisFn)(void* Produtos);
typedef int32_t (*EcfGNFFn)(void);
typedef bool (*EcfRetornaContadorFn)(int32_t* Valor1, int32_t* Valor2,
                                     double* DataHora); /* RetornaGNF, RetornaGRG, RetornaCDC */
typedef bool (*EcfGrandeTotalFn)(double* Valor);
typedef bool (*EcfTextoOutFn)(const char** Texto); /* VendaBrutaAtual (COOAtual, BrutaAcumulada) */

/* fiscal memory, MFD and other files */
typedef void (*EcfMFDtImprFn)(double Inicio, double Fim); /* MFCDtImpr, MFSDtImpr */
typedef void (*EcfMFDtGravFn)(double Inicio, double Fim, const char* ArqDestino);
typedef void (*EcfMFCImprFn)(int32_t Inicio, int32_t Fim); /* MFCCImpr, MFSCImpr */
typedef void (*EcfMFCGravFn)(int32_t Inicio, int32_t Fim, const char* ArqDestino);
typedef void (*EcfEspelhoMFDFn)(const char* T1, const char* T2, const char* T3, const char* T4,
                                const char* T5, const char* T6, const char* T7);
typedef void (*EcfArqMFDDatasFn)(const char* Ignorado, const char* ArqDestino, double Inicio,
                                 double Fim);
typedef void (*EcfArqMFDCOOFn)(const char* Ignorado, const char* ArqDestino, int32_t Inicio,
                               int32_t Fim);
typedef void (*EcfGeraSintegraFn)(const char* T1, int32_t I1, int32_t I2, const char* T2,
                                  const char* T3, const char* T4, const char* T5, const char* T6,
                                  const char* T7, const char* T8, const char* T9, const char* T10,
                                  const char* T11, const char* T12, const char* T13,
                                  const char* T14);
/* Tipo 0: dates; otherwise a COO range. Inicio and Fim are dd/mm/yyyy texts. */
typedef bool (*EcfGravarTDMFn)(int32_t Tipo, const char* Inicio, const char* Fim);

/* rounding */
typedef bool (*EcfProgramaArredondamentoFn)(void);
typedef bool (*EcfProgramaTruncamentoFn)(void);
typedef bool (*EcfVerificaTruncamentoFn)(bool* Truncando);
/* Casas is a power of ten: -2 rounds to hundredths; ties go to the even neighbour. */
typedef double (*EcfValorArredondadoFn)(double Valor, int32_t Casas);

/* internal operations (qualified names only) */
typedef int32_t (*EcfNumCupomIntFn)(void);
typedef void (*EcfDistribuirValoresStatusFn)(void);

#ifdef __cplusplus
}
#endif

#endif
