/* EcfPlugDaruma.so: the fiscal printer plug-in for Daruma printers.
 *
 * Signatures and boundary rules: zelt/ecfplug.h. These prototypes are for hosts that link the
 * plug-in; a point-of-sale host binds the same names with dlsym. Names of the contract table that
 * are absent here (AbreCupomCli, PegarDadosPorta) are not offered: RetornaCliPos answers
 * ZeltCpAntesMens, so a host opens with AbreCupom and identifies the consumer with IdConsumidor
 * after the payments.
 *
 * The plug-in loads the maker library libDarumaFramework.so with dlopen on its first call that
 * needs the printer, from (first that is set) the folder in the environment variable
 * ZELT_DARUMA_FRAMEWORK_DIR, key Pasta of section [DarumaFramework] of "EcfPlugDaruma.ini" beside
 * the plug-in, or the plug-in's own folder. A library or function that is missing is reported to
 * the operator once; every operation that needs it then returns its failure value, and
 * EcfPlugDarumaUltimoErro says why.
 *
 * The library's report files (fiscal memory readings, MFD files) are read from the folder in
 * ZELT_DARUMA_REPORTS, else key PastaRelatorios of [DarumaFramework] in EcfPlugDaruma.ini, else
 * the current folder: the folder the library knows as drive C:.
 */
#ifndef ZELT_ECFPLUG_DARUMA_H
#define ZELT_ECFPLUG_DARUMA_H

#include "zelt/ecfplug.h"

#ifdef __cplusplus
#define ZELT_ECF_NOEXCEPT noexcept
extern "C" {
#else
#define ZELT_ECF_NOEXCEPT
#endif

/* The calling thread's last error: "<class>: <message>" of the platform error that ended the
 * thread's last call into the plug-in (for example "EConvertError: '31/02/2024 10:00:00' is not
 * a valid date and time" when the printer answered a malformed date), or "" when that call ended
 * normally. Every other export clears it when it starts; this one does not. */
const char* EcfPlugDarumaUltimoErro(void) ZELT_ECF_NOEXCEPT;

/* The printer's extended error texts, one "code=text" line per code, joined with CR LF, filled at
 * load (a data object: dlsym gives the address of this pointer). */
extern const char* DarumaErrosEstendidosSL;

void Iniciar(void) ZELT_ECF_NOEXCEPT;
bool AbrirPorta(void) ZELT_ECF_NOEXCEPT;
void FecharPorta(void) ZELT_ECF_NOEXCEPT;
void AjustePorta(const char* Porta) ZELT_ECF_NOEXCEPT;
void Teste(void) ZELT_ECF_NOEXCEPT;
bool ImpressoraLigada(void) ZELT_ECF_NOEXCEPT;
/* Sets FimPapel to false; true when the printer answers. */
bool VerificaStatusImpressora(bool* FimPapel) ZELT_ECF_NOEXCEPT;
ZeltPrinterStatus ExternarRetornoImpressora(void) ZELT_ECF_NOEXCEPT;
bool PodeVender(void) ZELT_ECF_NOEXCEPT;
double DataCompilacao(void) ZELT_ECF_NOEXCEPT;
bool DataHoraImpr(double* DataHora) ZELT_ECF_NOEXCEPT;

void AberturaDoDia(void) ZELT_ECF_NOEXCEPT;
void FechamentoDoDia(void) ZELT_ECF_NOEXCEPT;
bool DiaAberto(void) ZELT_ECF_NOEXCEPT;
double DtUltimoMovimento(void) ZELT_ECF_NOEXCEPT;
void LeituraX(void) ZELT_ECF_NOEXCEPT;
bool ReducaoZ(void) ZELT_ECF_NOEXCEPT;
int32_t ReducaoZSeNecessario(void) ZELT_ECF_NOEXCEPT;
bool DtUltimaReducaoZ(double* DataHora) ZELT_ECF_NOEXCEPT;
bool DtUltimaReducaoZStr(const char** Data, const char** Hora) ZELT_ECF_NOEXCEPT;
bool DtMovimentoUltimaReducao(double* DataHora) ZELT_ECF_NOEXCEPT;

int32_t RetornaCliPos(void) ZELT_ECF_NOEXCEPT;
bool AbreCupom(int32_t* NumeroCupom, double* DataHora, int32_t* CasasQtd,
               int32_t* CasasValor) ZELT_ECF_NOEXCEPT;
bool IdConsumidor(const char* Texto1, const char* Texto2, const char* Texto3) ZELT_ECF_NOEXCEPT;
bool ImprimirItem(const char* pCodigo, const char* pDescricao, const char* pAliquota,
                  const char* pQuantidade, const char* pValorUnitario, const char* pDesconto,
                  const char* pAcrescimo, const char* pDptoCod,
                  const char* pUnidadeMedida) ZELT_ECF_NOEXCEPT;
bool DescontoItem(const char* Item, double Valor) ZELT_ECF_NOEXCEPT;
bool CancelaItem(const char* Item) ZELT_ECF_NOEXCEPT;
bool FecharCupomInicio(const char* Desconto) ZELT_ECF_NOEXCEPT;
bool FecharCupomFP(const char* FormaPgto, const char* Valor) ZELT_ECF_NOEXCEPT;
bool FecharCupomFim(const char* Mensagem) ZELT_ECF_NOEXCEPT;
bool OfereceFechamentoResumido(void) ZELT_ECF_NOEXCEPT;
bool FecharCupomResumido(const char* Texto1, const char* Texto2) ZELT_ECF_NOEXCEPT;
int32_t CancelaCupom(int32_t Ignorado, const char* IgnoradoTexto) ZELT_ECF_NOEXCEPT;
bool CupomAberto(void) ZELT_ECF_NOEXCEPT;
void AjustarCupomNLinsFinal(int32_t Linhas) ZELT_ECF_NOEXCEPT;
void PrevineValorItem(double Valor) ZELT_ECF_NOEXCEPT;

bool Sangria(double Valor) ZELT_ECF_NOEXCEPT;
bool Suprimento(double Valor) ZELT_ECF_NOEXCEPT;
bool AbreVinculado(const char* FormaPgto, double Valor, int32_t COO) ZELT_ECF_NOEXCEPT;
bool UsaVinculado(const char* Texto, const char* Ignorado) ZELT_ECF_NOEXCEPT;
bool UsaVinc(const char* Texto) ZELT_ECF_NOEXCEPT;
bool FechaVinculado(void) ZELT_ECF_NOEXCEPT;
bool RelatorioGerencial(const char* pSL) ZELT_ECF_NOEXCEPT;
bool RelatorioGerencialStr(const char* Texto) ZELT_ECF_NOEXCEPT;
bool AbreGerencial(void) ZELT_ECF_NOEXCEPT;
bool UsaGerencial(const char* Texto) ZELT_ECF_NOEXCEPT;
bool FechaGerencial(void) ZELT_ECF_NOEXCEPT;
bool GavetaAberta(void) ZELT_ECF_NOEXCEPT;
void AcionaGaveta(void) ZELT_ECF_NOEXCEPT;

const char* RetornoAliquotas(void) ZELT_ECF_NOEXCEPT;
const char* DescricoesFiscais(void) ZELT_ECF_NOEXCEPT;
bool ColocaTributos(const char* Lista) ZELT_ECF_NOEXCEPT;
void PegarCliche(const char** Lista) ZELT_ECF_NOEXCEPT;
bool MarcaImpr(const char** Marca, const char** Modelo, const char** TipoEcf) ZELT_ECF_NOEXCEPT;
const char* TipoECF(void) ZELT_ECF_NOEXCEPT;
const char* VersaoSoft(void) ZELT_ECF_NOEXCEPT;
const char* DataHoraInst(void) ZELT_ECF_NOEXCEPT;
const char* StrDados(void) ZELT_ECF_NOEXCEPT;
const char* NumFabrECF(void) ZELT_ECF_NOEXCEPT;
const char* MFAdicional(void) ZELT_ECF_NOEXCEPT;
const char* NumSerie(void) ZELT_ECF_NOEXCEPT;
const char* CodigoNacional(void) ZELT_ECF_NOEXCEPT;
bool PegarDadosImpr(const char** Lista) ZELT_ECF_NOEXCEPT;
bool RetornarDadosECF(const char** T1, const char** T2, const char** T3, const char** T4,
                      const char** T5, const char** Lista) ZELT_ECF_NOEXCEPT;
void PegarProdsSis(void* Produtos) ZELT_ECF_NOEXCEPT;
const char* NumCupom(void) ZELT_ECF_NOEXCEPT;
int32_t GNF(void) ZELT_ECF_NOEXCEPT;
bool RetornaGNF(int32_t* Valor1, int32_t* Valor2, double* DataHora) ZELT_ECF_NOEXCEPT;
bool RetornaGRG(int32_t* Valor1, int32_t* Valor2, double* DataHora) ZELT_ECF_NOEXCEPT;
bool RetornaCDC(int32_t* Valor1, int32_t* Valor2, double* DataHora) ZELT_ECF_NOEXCEPT;
const char* ContadorReducaoZ(void) ZELT_ECF_NOEXCEPT;
bool GrandeTotal(double* Valor) ZELT_ECF_NOEXCEPT;
bool VendaBrutaAtual(const char** Texto) ZELT_ECF_NOEXCEPT;

void MFCDtImpr(double Inicio, double Fim) ZELT_ECF_NOEXCEPT;
void MFCDtGrav(double Inicio, double Fim, const char* ArqDestino) ZELT_ECF_NOEXCEPT;
void MFCCImpr(int32_t Inicio, int32_t Fim) ZELT_ECF_NOEXCEPT;
void MFCCGrav(int32_t Inicio, int32_t Fim, const char* ArqDestino) ZELT_ECF_NOEXCEPT;
void MFSDtImpr(double Inicio, double Fim) ZELT_ECF_NOEXCEPT;
void MFSDtGrav(double Inicio, double Fim, const char* ArqDestino) ZELT_ECF_NOEXCEPT;
void MFSCImpr(int32_t Inicio, int32_t Fim) ZELT_ECF_NOEXCEPT;
void MFSCGrav(int32_t Inicio, int32_t Fim, const char* ArqDestino) ZELT_ECF_NOEXCEPT;
void EspelhoMFD(const char* T1, const char* T2, const char* T3, const char* T4, const char* T5,
                const char* T6, const char* T7) ZELT_ECF_NOEXCEPT;
void ArqMFDDatas(const char* Ignorado, const char* ArqDestino, double Inicio,
                 double Fim) ZELT_ECF_NOEXCEPT;
void ArqMFDCOO(const char* Ignorado, const char* ArqDestino, int32_t Inicio,
               int32_t Fim) ZELT_ECF_NOEXCEPT;
void GeraSintegra(const char* T1, int32_t I1, int32_t I2, const char* T2, const char* T3,
                  const char* T4, const char* T5, const char* T6, const char* T7, const char* T8,
                  const char* T9, const char* T10, const char* T11, const char* T12,
                  const char* T13, const char* T14) ZELT_ECF_NOEXCEPT;
bool GravarTDM(int32_t Tipo, const char* Inicio, const char* Fim) ZELT_ECF_NOEXCEPT;

bool ProgramaArredondamento(void) ZELT_ECF_NOEXCEPT;
bool ProgramaTruncamento(void) ZELT_ECF_NOEXCEPT;
bool VerificaTruncamento(bool* Truncando) ZELT_ECF_NOEXCEPT;
double ValorArredondado(double Valor, int32_t Casas) ZELT_ECF_NOEXCEPT;

/* Internal operations, exported only as "UEcfPlugDaruma.<name>" (bind them with dlsym):
 *   int32_t NumCupomInt(void)            the coupon number as an integer
 *   bool COOAtual(const char**)          false, ""
 *   bool BrutaAcumulada(const char**)    false, ""
 *   const char* ContadorReinicio(void)   ""
 *   void DistribuirValoresStatus(void)   status bytes to the status record's flags
 *   bool AbreCupomCli(...)               EcfAbreCupomCliFn: opens a coupon with consumer data
 *   const char* PegarNomeGerencial(void) the management report name ("Comprovante") */

#ifdef __cplusplus
}
#endif

#endif
