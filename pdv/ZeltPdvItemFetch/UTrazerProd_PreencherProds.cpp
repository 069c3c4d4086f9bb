#include "pdv/ZeltPdvItemFetch/UTrazerProd_PreencherProds.h"

#include "outside/utils/Utils.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_Log.h"
#include "platform/rtl/Text.h"

namespace zelt {

namespace {

using trazerprod::Carimbo;

void Falhou(TConexaoSQL& conexao, const TStatusSink& status, bool& erroDeu, TArqTexto& log) {
    erroDeu = true;
    status.MostrarErro(conexao.GetUltimoErro());
    log.EscreverLn(conexao.GetUltimoErro());
}

void Preencher(const TSQLDataSet& ds, TVendaItem& item) {
    item.TratIcms = ds.FieldByName("TRAT_ICMS").AsInteger();
    item.Cfop = Trim(ds.FieldByName("CFOP").AsString());
    item.TribCod = ds.FieldByName("trib_cod").AsInteger();
    item.Ncm = Trim(ds.FieldByName("NCM").AsString());
    item.Perc = ds.FieldByName("perc").AsCurrency();
    item.TribIcmsCBenef = Trim(ds.FieldByName("TRIB_ICMS_CBENEF").AsString());
    item.TribIcmsPIcmsDeson = StrToCurrency(ds.FieldByName("TRIB_ICMS_PICMSDESON").AsString());
    item.TribIcmsMotDesIcms =
        StrToInt(StrToIntStr(ds.FieldByName("TRIB_ICMS_motDesICMS").AsString()));
    item.ProdEncontrado = true;
}

// False when the select gave no dataset: the connection's error was reported.
bool BuscarProd(TConexaoSQL& conexao, const TStatusSink& status, TVendaItem& item, bool primeiro,
                bool& erroDeu, TArqTexto& log) {
    const std::string sql = TPreencherProds::SqlProd(item.ProdCod);
    log.EscreverLn(Carimbo() + " TPreencherProds.Exec( \r\n" + sql);
    auto ds = conexao.Ab(sql);
    if (!ds) {
        Falhou(conexao, status, erroDeu, log);
        return false;
    }
    if (ds->IsEmpty()) {
        log.EscreverLn("para o produto código " + IntToStr(item.ProdCod) +
                       " não foi encontrado no terminal_dados");
        return true;
    }
    if (primeiro)
        log.EscreverLn(trazerprod::NomesDosCampos(*ds));
    log.EscreverLn(trazerprod::ValoresDosCampos(*ds));
    Preencher(*ds, item);
    return true;
}

} // namespace

std::string TPreencherProds::SqlProd(int prodCod) {
    return "select\r\n"
           "prod.TRAT_ICMS\r\n"
           ", prod.CFOP\r\n"
           ", prod.trib_cod\r\n"
           ", prod.NCM\r\n"
           ", trib.perc\r\n"
           ", prod.prod_cod\r\n"
           ", TRIB_ICMS_CBENEF\r\n"
           ", TRIB_ICMS_PICMSDESON\r\n"
           ", TRIB_ICMS_motDesICMS\r\n"
           "from prod\r\n"
           "join trib on\r\n"
           "trib.trib_cod=prod.trib_cod\r\n"
           "where prod_cod=" +
           IntToStr(prodCod);
}

void TPreencherProds::DataSetToFieldNames(const TSQLDataSet& dataSet, std::string& nomes) {
    nomes = trazerprod::NomesDosCampos(dataSet);
}

void TPreencherProds::DataSetToFieldValues(const TSQLDataSet& dataSet, std::string& valores) {
    valores = trazerprod::ValoresDosCampos(dataSet);
}

void TPreencherProds::Exec(TTerminalModoOper& modoOper, const TStatusSink& status,
                           TVendaList& lista, bool& erroDeu, TArqTexto& log) {
    erroDeu = false;
    log.EscreverLn(Carimbo() + " TPreencherProds.Exec( ini");
    TConexaoSQL& conexao = modoOper.GetConexaoDados();
    trazerprod::ComFim(
        [&] {
            if (!conexao.Conectar()) {
                Falhou(conexao, status, erroDeu, log);
                return;
            }
            trazerprod::ComFim(
                [&] {
                    for (int i = 0; i < lista.Count(); ++i) {
                        if (!BuscarProd(conexao, status, lista.GetVendaItem(i), i == 0, erroDeu,
                                        log))
                            return;
                    }
                },
                [&] { conexao.Desconectar(false); });
        },
        [&] { log.EscreverLn(Carimbo() + " TPreencherProds.Exec( fim"); });
}

} // namespace zelt
