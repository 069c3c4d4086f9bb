#include "pdv/ZeltPdvItemFetch/UTrazerProd_CarregarItens.h"

#include "outside/utils/Utils.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_Log.h"
#include "platform/rtl/Text.h"
#include "stock/ZeltStock/UZelt_ItemPrecoI.h"

namespace zelt {

namespace {

using trazerprod::Carimbo;

struct Totais {
    Currency& bruto;
    Currency& desconto;
    Currency& frete;
    Currency& liquido;
    int qtdItens = 0;
};

void Falhou(TConexaoSQL& conexao, const TStatusSink& status, bool& erroDeu, TArqTexto& log) {
    erroDeu = true;
    status.MostrarErro(conexao.GetUltimoErro());
    log.EscreverLn(Carimbo() + " TCarregarItens.Exec(");
    log.EscreverLn(conexao.GetUltimoErro());
}

// One row: the item joins the list, and its totals (at money's four decimals, before the item's
// own rounding to three) join the sale's.
void PegarLinha(const TSQLDataSet& ds, TVendaList& lista, Totais& totais) {
    const int modo = ds.FieldByName("modo_arredondamento").AsInteger();
    const TSQLField& qtd = ds.FieldByName("qtd");
    const TSQLField& preco = ds.FieldByName("preco_unit");
    const TSQLField& desconto = ds.FieldByName("desconto");
    lista.PegarItem(ds.FieldByName("est_mov_empr_cod").AsInteger(),
                    ds.FieldByName("est_mov_estacao_cod").AsInteger(),
                    ds.FieldByName("est_mov_cod").AsInteger(),
                    ds.FieldByName("prod_cod").AsInteger(), modo, qtd.AsFloat(), preco.AsFloat(),
                    desconto.AsFloat());
    Currency bruto;
    Currency liquido;
    TItemPrecoI::CalculeTots(modo, qtd.AsCurrency(), preco.AsCurrency(), desconto.AsCurrency(),
                             bruto, liquido);
    totais.bruto += bruto;
    totais.liquido += liquido;
    totais.desconto += desconto.AsCurrency();
    totais.frete += ds.FieldByName("frete").AsCurrency();
    ++totais.qtdItens;
}

std::string SqlAtualizarVenda(const Totais& t, int emprCod, int estacaoCod, int vendaCod) {
    return "update venda set valor_total=" + FloatToStrPonto(t.bruto.ToDouble()) +
           ", desconto=" + FloatToStrPonto(t.desconto.ToDouble()) +
           ", frete_val=" + FloatToStrPonto(t.frete.ToDouble()) +
           ", qtd_itens=" + IntToStr(t.qtdItens) + " where empr_cod=" + IntToStr(emprCod) +
           " and estacao_cod=" + IntToStr(estacaoCod) + " and Venda_Cod=" + IntToStr(vendaCod) +
           ";";
}

} // namespace

std::string TCarregarItens::SqlItens(int emprCod, int estacaoCod, int vendaCod) {
    return "select\r\n"
           "\r\n"
           "est_mov.empr_cod as est_mov_empr_cod\r\n"
           ", est_mov.estacao_cod as est_mov_estacao_cod\r\n"
           ", est_mov.est_mov_cod\r\n"
           ", est_mov.prod_cod\r\n"
           "\r\n"
           ", venda.modo_arredondamento\r\n"
           ", est_mov.qtd\r\n"
           ", est_mov.preco_unit\r\n"
           ", est_mov.desconto\r\n"
           ", est_mov.frete\r\n"
           "\r\n"
           "from venda\r\n"
           "\r\n"
           "join venda_est_mov on\r\n"
           "venda.empr_cod=venda_est_mov.empr_cod\r\n"
           "and venda.estacao_cod=venda_est_mov.estacao_cod\r\n"
           "and venda.venda_cod=venda_est_mov.venda_cod\r\n"
           "\r\n"
           "join est_mov on\r\n"
           "est_mov.empr_cod=venda_est_mov.est_mov_empr_cod\r\n"
           "and est_mov.estacao_cod=venda_est_mov.est_mov_estacao_cod\r\n"
           "and est_mov.est_mov_cod=venda_est_mov.est_mov_cod\r\n"
           "\r\n"
           "where\r\n"
           "venda_est_mov.empr_cod=" +
           IntToStr(emprCod) + "\r\nand venda_est_mov.estacao_cod=" + IntToStr(estacaoCod) +
           "\r\nand venda_est_mov.venda_cod=" + IntToStr(vendaCod) + "\r\n;\r\n";
}

void TCarregarItens::DataSetToFieldNames(const TSQLDataSet& dataSet, std::string& nomes) {
    nomes = trazerprod::NomesDosCampos(dataSet);
}

void TCarregarItens::DataSetToFieldValues(const TSQLDataSet& dataSet, std::string& valores) {
    valores = trazerprod::ValoresDosCampos(dataSet);
}

void TCarregarItens::Exec(TTerminalModoOper& modoOper, int emprCod, int estacaoCod, int vendaCod,
                          const TStatusSink& status, TVendaList& lista, bool& erroDeu,
                          TArqTexto& log, Currency& totalBruto, Currency& totalDesconto,
                          Currency& totalFrete, Currency& totalLiquido) {
    erroDeu = false;
    const Currency brutoDoChamador = totalBruto;
    Totais totais{totalBruto, totalDesconto, totalFrete, totalLiquido};
    totais.bruto = totais.desconto = totais.frete = totais.liquido = Currency();
    status.MostrarStatus("Carregando Itens...");
    log.EscreverLn(Carimbo() + " TCarregarItens.Exec( ini");
    TConexaoSQL& conexao = modoOper.GetConexaoVendas();
    trazerprod::ComFim(
        [&] {
            if (!conexao.Conectar()) {
                Falhou(conexao, status, erroDeu, log);
                return;
            }
            trazerprod::ComFim(
                [&] {
                    const std::string sql = SqlItens(emprCod, estacaoCod, vendaCod);
                    log.EscreverLn("");
                    log.EscreverLn(sql);
                    auto ds = conexao.Ab(sql);
                    if (!ds) {
                        Falhou(conexao, status, erroDeu, log);
                        return;
                    }
                    log.EscreverLn("");
                    log.EscreverLn(trazerprod::NomesDosCampos(*ds));
                    for (ds->First(); !ds->Eof(); ds->Next()) {
                        log.EscreverLn(trazerprod::ValoresDosCampos(*ds));
                        PegarLinha(*ds, lista, totais);
                    }
                    ds.reset();
                    log.EscreverLn("");
                    if (brutoDoChamador == Currency())
                        conexao.Exec(SqlAtualizarVenda(totais, emprCod, estacaoCod, vendaCod));
                },
                [&] { conexao.Desconectar(false); });
        },
        [&] {
            log.EscreverLn(Carimbo() + " TCarregarItens.Exec( fim");
            status.MostrarStatus("");
        });
}

} // namespace zelt
