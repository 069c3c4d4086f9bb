// The fiscal printer plug-in for Epson printers: the contract operations over the maker's
// library. Amounts go to the printer as digit strings with a separate count of decimals; every
// failing printer call ends in one status check that shows the printer's own state texts. The
// plug-in keeps no sale data: whether a coupon, linked receipt or report is open is known only to
// the printer.
//
// These are the operations as the package's own code and tests see them; hosts bind the C
// exports of include/zelt/ecfplug_epson.h.
#pragma once

#include "fiscal/defs/UEcfPlugDefs.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/StringList.h"

#include <string>

namespace zelt::ecfepson {

inline constexpr int CasasQtdEpson = 3;
inline constexpr int CasasValorEpson = 2;
// Caption of the plug-in's own message boxes.
inline constexpr const char* CaptionEpson = "Epson";

// The plug-in's message box.
ZELT_EXPORT void CaixaEpson(const std::string& texto);

// ---- plug-in state ---------------------------------------------------------------------------
ZELT_EXPORT TPrinterStatus& StatusRecord();
// What the last successful status check read: paper out (as the plug-in's own operations keep
// it) and the drawer open.
ZELT_EXPORT bool FlagFimPapel();
ZELT_EXPORT bool FlagGaveta();
// Back to the state at load: empty record, both flags down.
ZELT_EXPORT void RestaurarEstado();

// ---- status check and internal operations ----------------------------------------------------
ZELT_EXPORT bool VerificaStatusImpressora(bool& fimPapel, const std::string& contexto);
ZELT_EXPORT bool SemPapel();
ZELT_EXPORT bool ImpressoraOk();
ZELT_EXPORT void GarantirJornadaAberta();
ZELT_EXPORT bool RetornaContadores(int& coo, int& ccf);

// ---- start-up, port, clock -------------------------------------------------------------------
ZELT_EXPORT bool ImpressoraLigada();
ZELT_EXPORT bool AbrirPorta();
ZELT_EXPORT void FecharPorta();
ZELT_EXPORT void AberturaDoDia();
ZELT_EXPORT bool DataHoraImpr(TDateTime& dataHora);

// ---- fiscal coupon ---------------------------------------------------------------------------
ZELT_EXPORT bool AbreCupom(int& numeroCupom, TDateTime& dataHora, int& casasQtd, int& casasValor);
ZELT_EXPORT bool AbreCupomCli(const std::string& nome, const std::string& doc,
                              const std::string& ender1, const std::string& ender2,
                              const std::string& ender3, const std::string& ender4,
                              int& numeroCupom, TDateTime& dataHora, int& casasQtd,
                              int& casasValor);
ZELT_EXPORT bool ImprimirItem(const std::string& codigo, const std::string& descricao,
                              const std::string& aliquota, const std::string& quantidade,
                              const std::string& valorUnitario, const std::string& desconto,
                              const std::string& acrescimo, const std::string& dptoCod,
                              const std::string& unidadeMedida);
ZELT_EXPORT bool CancelaItem(const std::string& item);
ZELT_EXPORT bool FecharCupomFP(const std::string& formaPgto, const std::string& valor);
ZELT_EXPORT bool FecharCupomFim(const std::string& mensagem);
ZELT_EXPORT int CancelaCupom();
ZELT_EXPORT bool CupomAberto();
ZELT_EXPORT int NumCupomInt();
ZELT_EXPORT std::string NumCupom();

// ---- day cycle -------------------------------------------------------------------------------
ZELT_EXPORT void LeituraX();
ZELT_EXPORT bool ReducaoZ();
ZELT_EXPORT int ReducaoZSeNecessario();
ZELT_EXPORT bool DtUltimaReducaoZStr(std::string& data, std::string& hora);
ZELT_EXPORT bool DtUltimaReducaoZ(TDateTime& dataHora);
ZELT_EXPORT TDateTime DtUltimoMovimento();
ZELT_EXPORT bool DiaAberto();

// ---- cash, linked receipts, reports, drawer --------------------------------------------------
ZELT_EXPORT bool Sangria(double valor);
ZELT_EXPORT bool Suprimento(double valor);
ZELT_EXPORT bool AbreVinculado(const std::string& formaPgto, double valor, int coo);
ZELT_EXPORT bool UsaVinculado(const std::string& texto);
ZELT_EXPORT bool FechaVinculado();
ZELT_EXPORT bool RelatorioGerencial(const TStringList& linhas);
ZELT_EXPORT bool RelatorioGerencialStr(const std::string& texto);
ZELT_EXPORT bool GavetaAberta();
ZELT_EXPORT void AcionaGaveta();

// ---- tables, data, rounding ------------------------------------------------------------------
ZELT_EXPORT std::string RetornoAliquotas();
ZELT_EXPORT std::string DescricoesFiscais();
ZELT_EXPORT bool VerificaTruncamento(bool& truncando);
ZELT_EXPORT double ValorArredondado(double valor, int casas);
ZELT_EXPORT bool PegarDadosImpr(TStringList& lista);
ZELT_EXPORT TDateTime DataCompilacao();
ZELT_EXPORT void DistribuirValoresStatus();

} // namespace zelt::ecfepson
