// The fiscal printer plug-in for Daruma printers: the contract operations over the maker's
// library. Each call goes straight to the printer; the plug-in keeps no sale data, and whether a
// coupon, linked receipt or report is open is known only to the printer.
//
// These are the operations as the package's own code and tests see them; hosts bind the C
// exports of include/zelt/ecfplug_daruma.h.
#pragma once

#include "fiscal/defs/UEcfPlugDefs.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <string>

namespace zelt::ecfdaruma {

inline constexpr int CasasQtdDaruma = 3;
inline constexpr int CasasValorDaruma = 2;
inline constexpr const char* NomeGerencial = "Comprovante";
inline constexpr const char* ArquivoFormasPgto = "daruma_frec.txt";
// Caption of the plug-in's own message boxes (the failures it does not send to MensEcfPlug).
inline constexpr const char* CaptionDaruma = "Daruma";

// The folder of the host's executable, taken at load; tests point it elsewhere.
ZELT_EXPORT const std::string& PastaPrograma();
ZELT_EXPORT void DefinirPastaPrograma(const std::string& pasta);
// The folder the library writes its report files to, which the plug-in calls drive "C:\" as
// the library knows it: ZELT_DARUMA_REPORTS, else key PastaRelatorios of [DarumaFramework] in
// EcfPlugDaruma.ini beside the plug-in, else the current folder.
ZELT_EXPORT std::string PastaRelatorios();

// The plug-in's status record and its two status bytes (which nothing ever sets).
ZELT_EXPORT TPrinterStatus& StatusRecord();

// Failure report of the last library call, shown after `funcao` returned something other than 1.
ZELT_EXPORT void ExibirStatusUltimoComando(const std::string& funcao);
// The printer's clock from information "172"; a malformed answer raises EConvertError.
ZELT_EXPORT TDateTime DataHoraECF();
ZELT_EXPORT bool ImpressoraPronta();

// ---- start-up and coupon -------------------------------------------------------------------
ZELT_EXPORT void Iniciar();
ZELT_EXPORT bool ImpressoraLigada();
ZELT_EXPORT bool DataHoraImpr(TDateTime& dataHora);
ZELT_EXPORT bool AbreCupom(int& numeroCupom, TDateTime& dataHora, int& casasQtd, int& casasValor);
ZELT_EXPORT bool AbreCupomCli(const std::string& nome, const std::string& doc,
                              const std::string& ender1, const std::string& ender2,
                              const std::string& ender3, const std::string& ender4,
                              int& numeroCupom, TDateTime& dataHora, int& casasQtd,
                              int& casasValor);
ZELT_EXPORT bool IdConsumidor(const std::string& texto1, const std::string& texto2,
                              const std::string& texto3);
ZELT_EXPORT bool ImprimirItem(const std::string& codigo, const std::string& descricao,
                              const std::string& aliquota, const std::string& quantidade,
                              const std::string& valorUnitario, const std::string& desconto,
                              const std::string& acrescimo, const std::string& dptoCod,
                              const std::string& unidadeMedida);
ZELT_EXPORT bool DescontoItem(const std::string& item, double valor);
ZELT_EXPORT bool CancelaItem(const std::string& item);
ZELT_EXPORT bool FecharCupomInicio(const std::string& desconto);
ZELT_EXPORT bool FecharCupomFP(const std::string& formaPgto, const std::string& valor);
ZELT_EXPORT bool FecharCupomFim(const std::string& mensagem);
ZELT_EXPORT int CancelaCupom();
ZELT_EXPORT bool CupomAberto();
ZELT_EXPORT std::string NumCupom();
ZELT_EXPORT int NumCupomInt();

// ---- day cycle, cash, documents ------------------------------------------------------------
ZELT_EXPORT bool VerificaStatusImpressora(bool& fimPapel);
ZELT_EXPORT void LeituraX();
ZELT_EXPORT bool ReducaoZ();
ZELT_EXPORT int ReducaoZSeNecessario();
ZELT_EXPORT bool Sangria(double valor);
ZELT_EXPORT bool Suprimento(double valor);
ZELT_EXPORT bool AbreVinculado(const std::string& formaPgto, double valor, int coo);
ZELT_EXPORT bool UsaVinc(const std::string& texto);
ZELT_EXPORT bool UsaVinculado(const std::string& texto);
ZELT_EXPORT bool FechaVinculado();
ZELT_EXPORT bool RelatorioGerencial(const TStringList& linhas);
ZELT_EXPORT bool RelatorioGerencialStr(const std::string& texto);
ZELT_EXPORT bool AbreGerencial();
ZELT_EXPORT bool UsaGerencial(const std::string& texto);
ZELT_EXPORT bool FechaGerencial();
ZELT_EXPORT bool GavetaAberta();
ZELT_EXPORT void AcionaGaveta();

// ---- tables, identification, rounding ------------------------------------------------------
ZELT_EXPORT std::string RetornoAliquotas();
ZELT_EXPORT std::string DescricoesFiscais();
ZELT_EXPORT bool MarcaImpr(std::string& marca, std::string& modelo, std::string& tipoEcf);
ZELT_EXPORT bool VerificaTruncamento(bool& truncando);
ZELT_EXPORT double ValorArredondado(double valor, int casas);
ZELT_EXPORT TDateTime DataCompilacao();
ZELT_EXPORT void DistribuirValoresStatus();

// ---- fiscal memory and files ---------------------------------------------------------------
ZELT_EXPORT void LeituraMemoriaFiscalDatas(TDateTime inicio, TDateTime fim, bool completa,
                                           const std::string* arqDestino);
ZELT_EXPORT void LeituraMemoriaFiscalCRZ(int inicio, int fim, bool completa,
                                         const std::string* arqDestino);
ZELT_EXPORT void ArqMFDDatas(const std::string& arqDestino, TDateTime inicio, TDateTime fim);
ZELT_EXPORT void ArqMFDCOO(const std::string& arqDestino, int inicio, int fim);
ZELT_EXPORT bool GravarTDM(int tipo, const std::string& inicio, const std::string& fim);

} // namespace zelt::ecfdaruma
