/* EcfPlugEpson.so: the fiscal printer plug-in for Epson printers.
 *
 * Signatures and boundary rules: zelt/ecfplug.h. These prototypes are for hosts that link the
 * plug-in; a point-of-sale host binds the same names with dlsym. Names of the contract table that
 * are absent here (IdConsumidor, OfereceFechamentoResumido, FecharCupomResumido, UsaVinc,
 * AbreGerencial, UsaGerencial, FechaGerencial, GravarTDM, PegarProdsSis) are not offered:
 * RetornaCliPos answers ZeltCpAoAbrir, so a host identifies the consumer when it opens the
 * coupon with AbreCupomCli.
 *
 * The plug-in loads the maker library libInterfaceEpson.so with dlopen on its first call that
 * needs the printer, from (first that is set) the folder in the environment variable
 * ZELT_EPSON_LIBRARY_DIR, key Pasta of section [InterfaceEpson] of "EcfPlugEpson.ini" beside the
 * plug-in, or the plug-in's own folder. A library or function that is missing is reported to the
 * operator once; every operation that needs it then returns its failure value, and
 * EcfPlugEpsonUltimoErro says why.
 *
 * Failures of the printer are shown through one status check: a message box (caption "Epson")
 * holding the operation's diagnostic context and the printer's four state texts, shown only when
 * the printer's command return is not "0000".
 */
#ifndef ZELT_ECFPLUG_EPSON_H
#define ZELT_ECFPLUG_EPSON_H

#include "zelt/ecfplug.h"

#ifdef __cplusplus
#define ZELT_ECF_EPSON_NOEXCEPT noexcept
extern "C" {
#else
#define ZELT_ECF_EPSON_NOEXCEPT
#endif

/* The calling thread's last error: "<class>: <message>" of the platform error that ended the
 * thread's last call into the plug-in (a malformed date from the printer, a maker library that
 * could not be loaded), or "" when that call ended normally. Every other export clears it when
 * it starts; this one does not. */
const char* EcfPlugEpsonUltimoErro(void) ZELT_ECF_EPSON_NOEXCEPT;

void Iniciar(void) ZELT_ECF_EPSON_NOEXCEPT;
bool AbrirPorta(void) ZELT_ECF_EPSON_NOEXCEPT;
void FecharPorta(void) ZELT_ECF_EPSON_NOEXCEPT;
void AjustePorta(const char* Porta) ZELT_ECF_EPSON_NOEXCEPT;
/* No effect: the port is the one the library's own settings name. */
void PegarDadosPorta(const char* Porta, int32_t Valor) ZELT_ECF_EPSON_NOEXCEPT;
void Teste(void) ZELT_ECF_EPSON_NOEXCEPT;
bool ImpressoraLigada(void) ZELT_ECF_EPSON_NOEXCEPT;
/* Reads the printer state into the status record (pfFimPapel, pfCupomAberto) and FimPapel; false
 * and nothing changed (FimPapel not written) when the state cannot be read. Contexto heads the
 * message box shown when the last command was refused. */
bool VerificaStatusImpressora(bool* FimPapel, const char* Contexto) ZELT_ECF_EPSON_NOEXCEPT;
ZeltPrinterStatus ExternarRetornoImpressora(void) ZELT_ECF_EPSON_NOEXCEPT;
bool PodeVender(void) ZELT_ECF_EPSON_NOEXCEPT;
double DataCompilacao(void) ZELT_ECF_EPSON_NOEXCEPT;
bool DataHoraImpr(double* DataHora) ZELT_ECF_EPSON_NOEXCEPT;

void AberturaDoDia(void) ZELT_ECF_EPSON_NOEXCEPT;
void FechamentoDoDia(void) ZELT_ECF_EPSON_NOEXCEPT;
bool DiaAberto(void) ZELT_ECF_EPSON_NOEXCEPT;
double DtUltimoMovimento(void) ZELT_ECF_EPSON_NOEXCEPT;
void LeituraX(void) ZELT_ECF_EPSON_NOEXCEPT;
bool ReducaoZ(void) ZELT_ECF_EPSON_NOEXCEPT;
int32_t ReducaoZSeNecessario(void) ZELT_ECF_EPSON_NOEXCEPT;
bool DtUltimaReducaoZ(double* DataHora) ZELT_ECF_EPSON_NOEXCEPT;
/* On failure *Data and *Hora are not written. */
bool DtUltimaReducaoZStr(const char** Data, const char** Hora) ZELT_ECF_EPSON_NOEXCEPT;
bool DtMovimentoUltimaReducao(double* DataHora) ZELT_ECF_EPSON_NOEXCEPT;

int32_t RetornaCliPos(void) ZELT_ECF_EPSON_NOEXCEPT;
bool AbreCupom(int32_t* NumeroCupom, double* DataHora, int32_t* CasasQtd,
               int32_t* CasasValor) ZELT_ECF_EPSON_NOEXCEPT;
/* The address goes to the printer as two lines: the first 40 characters of
 * "Ender1, Ender2 Ender3 Ender4" and the next 39, each trimmed; the rest is dropped. */
bool AbreCupomCli(const char* pCliNome, const char* pCliDoc, const char* pCliEnder1,
                  const char* pCliEnder2, const char* pCliEnder3, const char* pCliEnder4,
                  int32_t* NumeroCupom, double* DataHora, int32_t* CasasQtd,
                  int32_t* CasasValor) ZELT_ECF_EPSON_NOEXCEPT;
bool ImprimirItem(const char* pCodigo, const char* pDescricao, const char* pAliquota,
                  const char* pQuantidade, const char* pValorUnitario, const char* pDesconto,
                  const char* pAcrescimo, const char* pDptoCod,
                  const char* pUnidadeMedida) ZELT_ECF_EPSON_NOEXCEPT;
bool DescontoItem(const char* Item, double Valor) ZELT_ECF_EPSON_NOEXCEPT;
bool CancelaItem(const char* Item) ZELT_ECF_EPSON_NOEXCEPT;
bool FecharCupomInicio(const char* Desconto) ZELT_ECF_EPSON_NOEXCEPT;
bool FecharCupomFP(const char* FormaPgto, const char* Valor) ZELT_ECF_EPSON_NOEXCEPT;
/* The message is cut to 448 characters. */
bool FecharCupomFim(const char* Mensagem) ZELT_ECF_EPSON_NOEXCEPT;
/* The coupon number (COO) read before cancelling, also when the cancel failed; 0 (nothing sent)
 * when no number could be read. */
int32_t CancelaCupom(int32_t Ignorado, const char* IgnoradoTexto) ZELT_ECF_EPSON_NOEXCEPT;
bool CupomAberto(void) ZELT_ECF_EPSON_NOEXCEPT;
void AjustarCupomNLinsFinal(int32_t Linhas) ZELT_ECF_EPSON_NOEXCEPT;
void PrevineValorItem(double Valor) ZELT_ECF_EPSON_NOEXCEPT;

bool Sangria(double Valor) ZELT_ECF_EPSON_NOEXCEPT;
bool Suprimento(double Valor) ZELT_ECF_EPSON_NOEXCEPT;
bool AbreVinculado(const char* FormaPgto, double Valor, int32_t COO) ZELT_ECF_EPSON_NOEXCEPT;
/* Prints the lines of Texto seven at a time. */
bool UsaVinculado(const char* Texto, const char* Ignorado) ZELT_ECF_EPSON_NOEXCEPT;
bool FechaVinculado(void) ZELT_ECF_EPSON_NOEXCEPT;
/* One printer call per line; an empty line goes as one blank. */
bool RelatorioGerencial(const char* pSL) ZELT_ECF_EPSON_NOEXCEPT;
bool RelatorioGerencialStr(const char* Texto) ZELT_ECF_EPSON_NOEXCEPT;
bool GavetaAberta(void) ZELT_ECF_EPSON_NOEXCEPT;
void AcionaGaveta(void) ZELT_ECF_EPSON_NOEXCEPT;

const char* RetornoAliquotas(void) ZELT_ECF_EPSON_NOEXCEPT;
const char* DescricoesFiscais(void) ZELT_ECF_EPSON_NOEXCEPT;
bool ColocaTributos(const char* Lista) ZELT_ECF_EPSON_NOEXCEPT;
void PegarCliche(const char** Lista) ZELT_ECF_EPSON_NOEXCEPT;
/* True; the three texts are left as the host passed them. */
bool MarcaImpr(const char** Marca, const char** Modelo,
               const char** TipoEcf) ZELT_ECF_EPSON_NOEXCEPT;
const char* TipoECF(void) ZELT_ECF_EPSON_NOEXCEPT;
const char* VersaoSoft(void) ZELT_ECF_EPSON_NOEXCEPT;
const char* DataHoraInst(void) ZELT_ECF_EPSON_NOEXCEPT;
const char* StrDados(void) ZELT_ECF_EPSON_NOEXCEPT;
const char* NumFabrECF(void) ZELT_ECF_EPSON_NOEXCEPT;
const char* MFAdicional(void) ZELT_ECF_EPSON_NOEXCEPT;
const char* NumSerie(void) ZELT_ECF_EPSON_NOEXCEPT;
const char* CodigoNacional(void) ZELT_ECF_EPSON_NOEXCEPT;
/* "key=value" lines; false, with the lines up to DTMov, when the last Z cannot be read. */
bool PegarDadosImpr(const char** Lista) ZELT_ECF_EPSON_NOEXCEPT;
bool RetornarDadosECF(const char** T1, const char** T2, const char** T3, const char** T4,
                      const char** T5, const char** Lista) ZELT_ECF_EPSON_NOEXCEPT;
const char* NumCupom(void) ZELT_ECF_EPSON_NOEXCEPT;
int32_t GNF(void) ZELT_ECF_EPSON_NOEXCEPT;
bool RetornaGNF(int32_t* Valor1, int32_t* Valor2, double* DataHora) ZELT_ECF_EPSON_NOEXCEPT;
bool RetornaGRG(int32_t* Valor1, int32_t* Valor2, double* DataHora) ZELT_ECF_EPSON_NOEXCEPT;
bool RetornaCDC(int32_t* Valor1, int32_t* Valor2, double* DataHora) ZELT_ECF_EPSON_NOEXCEPT;
const char* ContadorReducaoZ(void) ZELT_ECF_EPSON_NOEXCEPT;
bool GrandeTotal(double* Valor) ZELT_ECF_EPSON_NOEXCEPT;
bool VendaBrutaAtual(const char** Texto) ZELT_ECF_EPSON_NOEXCEPT;

void MFCDtImpr(double Inicio, double Fim) ZELT_ECF_EPSON_NOEXCEPT;
void MFCDtGrav(double Inicio, double Fim, const char* ArqDestino) ZELT_ECF_EPSON_NOEXCEPT;
void MFCCImpr(int32_t Inicio, int32_t Fim) ZELT_ECF_EPSON_NOEXCEPT;
void MFCCGrav(int32_t Inicio, int32_t Fim, const char* ArqDestino) ZELT_ECF_EPSON_NOEXCEPT;
void MFSDtImpr(double Inicio, double Fim) ZELT_ECF_EPSON_NOEXCEPT;
void MFSDtGrav(double Inicio, double Fim, const char* ArqDestino) ZELT_ECF_EPSON_NOEXCEPT;
void MFSCImpr(int32_t Inicio, int32_t Fim) ZELT_ECF_EPSON_NOEXCEPT;
void MFSCGrav(int32_t Inicio, int32_t Fim, const char* ArqDestino) ZELT_ECF_EPSON_NOEXCEPT;
void EspelhoMFD(const char* T1, const char* T2, const char* T3, const char* T4, const char* T5,
                const char* T6, const char* T7) ZELT_ECF_EPSON_NOEXCEPT;
/* Writes no file. */
void ArqMFDDatas(const char* Ignorado, const char* ArqDestino, double Inicio,
                 double Fim) ZELT_ECF_EPSON_NOEXCEPT;
void ArqMFDCOO(const char* Ignorado, const char* ArqDestino, int32_t Inicio,
               int32_t Fim) ZELT_ECF_EPSON_NOEXCEPT;
void GeraSintegra(const char* T1, int32_t I1, int32_t I2, const char* T2, const char* T3,
                  const char* T4, const char* T5, const char* T6, const char* T7, const char* T8,
                  const char* T9, const char* T10, const char* T11, const char* T12,
                  const char* T13, const char* T14) ZELT_ECF_EPSON_NOEXCEPT;

bool ProgramaArredondamento(void) ZELT_ECF_EPSON_NOEXCEPT;
bool ProgramaTruncamento(void) ZELT_ECF_EPSON_NOEXCEPT;
bool VerificaTruncamento(bool* Truncando) ZELT_ECF_EPSON_NOEXCEPT;
/* Valor cut (not rounded) to the cent; Casas is ignored. */
double ValorArredondado(double Valor, int32_t Casas) ZELT_ECF_EPSON_NOEXCEPT;

/* Internal operations, exported only as "UEcfPlugEpson.<name>" (bind them with dlsym):
 *   int32_t NumCupomInt(void)            the COO as an integer, 0 when it cannot be read
 *   bool COOAtual(const char**)          true, the text of NumCupom
 *   bool BrutaAcumulada(const char**)    true, "000"
 *   const char* ContadorReinicio(void)   ""
 *   void DistribuirValoresStatus(void)   status bytes to the status record's flags */

#ifdef __cplusplus
}
#endif

#endif
