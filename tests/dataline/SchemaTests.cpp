// The databases built from schema/: the statements the system's components run must find their
// tables and columns, the procedure records sale item taxes, and the keys hold.
#include "outside/dataline/UArqSQL.h"
#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/Text.h"
#include "tests/dataline/DbFixture.h"

#include <gtest/gtest.h>

namespace zelt {
namespace {

using test::Banco;
using test::NovoBanco;
using test::PastaTemporaria;

struct Consulta {
    Banco banco;
    const char* sql;
};

// Statements as the components write them (letter case and all).
const Consulta Consultas[] = {
    {Banco::TerminalVendas,
     "select est_mov.empr_cod as est_mov_empr_cod, est_mov.estacao_cod as est_mov_estacao_cod,"
     " est_mov.est_mov_cod, est_mov.prod_cod, venda.modo_arredondamento, est_mov.qtd,"
     " est_mov.preco_unit, est_mov.desconto, est_mov.frete from venda join venda_est_mov on"
     " venda.empr_cod=venda_est_mov.empr_cod and venda.estacao_cod=venda_est_mov.estacao_cod"
     " and venda.venda_cod=venda_est_mov.venda_cod join est_mov on"
     " est_mov.empr_cod=venda_est_mov.est_mov_empr_cod and"
     " est_mov.estacao_cod=venda_est_mov.est_mov_estacao_cod and"
     " est_mov.est_mov_cod=venda_est_mov.est_mov_cod where venda_est_mov.empr_cod=1 and"
     " venda_est_mov.estacao_cod=1 and venda_est_mov.venda_cod=1;"},
    {Banco::TerminalVendas, "update venda set valor_total=0, desconto=0, frete_val=0, qtd_itens=0"
                            " where empr_cod=1 and estacao_cod=1 and Venda_Cod=1;"},
    {Banco::TerminalVendas,
     "update prod set TRAT_ICMS=0, CFOP='5102', TRIB_COD=1, NCM='3004', TRIB_ICMS_CBENEF='',"
     " TRIB_ICMS_PICMSDESON=0, TRIB_ICMS_motDesICMS=0 where prod_cod=1;"},
    {Banco::TerminalDados,
     "select prod.TRAT_ICMS, prod.CFOP, prod.trib_cod, prod.NCM, trib.perc, prod.prod_cod,"
     " TRIB_ICMS_CBENEF, TRIB_ICMS_PICMSDESON, TRIB_ICMS_motDesICMS from prod join trib on"
     " trib.trib_cod=prod.trib_cod where prod_cod=1"},
    {Banco::TerminalDados,
     "select first(1) prod.prod_cod, prod.descr, prod_fabr.nome, 'S' as ativo, prod.pmc,"
     " prod.preco1, prod.preco_promo from prod join prod_fabr on"
     " prod.prod_fabr_cod=prod_fabr.prod_fabr_cod join prod_barras on"
     " prod.prod_cod=prod_barras.prod_cod and prod_barras.bar_cod='7890000000017' ;"},
    {Banco::Retaguarda, "select first(1) valor from config where chave='SYS_APP_TIPO'"},
    {Banco::Retaguarda, "select * from act where name='X' and category='Y'"},
    {Banco::Retaguarda, "select max(ordem), max(act_cod) from act"},
    {Banco::Retaguarda, "select habilitada from func_dir where act_cod=1 and func_COD=1"},
    {Banco::Retaguarda, "select act_cod,pai_cod,caption,  sempre_habilitada sempre\r\n from act\r\n"
                        " where pai_cod=0\r\n order by ordem\r\n"},
    {Banco::Retaguarda, "SELECT EMPR_COD FROM EMPR WHERE SELECIONADA='S'"},
    {Banco::Retaguarda, "select min(tab_preco_cod) from tab_preco where empr_cod=1"},
    {Banco::Retaguarda, "select first(1) cli_classe_cod from cli_classe where cli_classe_cod=1"},
    {Banco::Retaguarda, "select first(1) ender_rota_cod from ender_rota where ender_rota_cod=1"},
    {Banco::Retaguarda, "select first(1) vei_tipo_cod from vei_tipo where vei_tipo_cod=1"},
    {Banco::Retaguarda, "SELECT * from trib where cancelado='N' order by descr"},
    {Banco::Retaguarda, "select trib_cod cod from trib where perc=18"},
    {Banco::Retaguarda, "select * from prod_princ where prod_princ_cod>0 order by descr"},
    {Banco::Retaguarda,
     "select prod_preco.*, prod_preco_atual.prod_cod as prod_preco_atual_prod_cod from PROD_PRECO"
     " left join prod_preco_atual on prod_preco.tab_preco_cod=prod_preco_atual.tab_preco_cod and"
     " prod_preco.prod_cod=prod_preco_atual.prod_cod where prod_preco.log_cod in (1,2);"},
    {Banco::Retaguarda, "select num, nome, local_arq_dados from terminais order by num"},
    {Banco::Retaguarda, "select valor from config where chave='GERTEC_PATH';"},
    {Banco::Retaguarda,
     "select nfe_parc_texto from venda where \r\n empr_cod=1 and estacao_cod=1 and venda_cod=1"},
    {Banco::Retaguarda,
     "select prod_Linha_cod, descr, (select first(1) valor from func_lin_DESC where fp_cod='!'"
     " and func_lin_DESC.prod_Linha_cod=prod_Linha.prod_Linha_cod and func_lin_DESC.func_cod=7"
     " order by log_cod desc) as desc_val, (select first(1) valor from func_lin_COMISS where"
     " fp_cod='!' and func_lin_COMISS.prod_Linha_cod= prod_Linha.prod_Linha_cod and"
     " func_lin_COMISS.func_cod=7 order by log_cod desc) as comiss_val from prod_Linha where"
     " prod_Linha_cod>0 order by descr"},
    {Banco::Retaguarda,
     "select prod_GRUPO_cod, descr, (select first(1) valor from func_gru_DESC where fp_cod='!'"
     " and func_gru_DESC.prod_GRUPO_cod=prod_GRUPO.prod_GRUPO_cod and func_gru_DESC.func_cod=7"
     " order by log_cod desc) as desc_val from prod_GRUPO where prod_GRUPO_cod>0"},
    {Banco::Retaguarda,
     "select prod_FAM_cod, (select first(1) valor from func_fam_COMISS where fp_cod='!' and"
     " func_fam_COMISS.prod_FAM_cod= prod_FAM.prod_FAM_cod and func_fam_COMISS.func_cod=7 order"
     " by log_cod desc) as comiss_val from prod_FAM where prod_FAM_cod>0"},
    {Banco::Retaguarda, "select gen_id(EST_MOV_LOTE_G, 0) from rdb$database"},
    {Banco::HistoricoCredito,
     "select 1 from rdb$database where exists (select venda_cod from venda where empr_cod=1 and"
     " estacao_cod=1 and venda_cod=1);"},
};

TEST(Schema, StatementsOfTheComponentsRun) {
    PastaTemporaria pasta;
    TConexaoSQL conexoes[4];
    const Banco bancos[] = {Banco::Retaguarda, Banco::TerminalDados, Banco::TerminalVendas,
                            Banco::HistoricoCredito};
    for (int i = 0; i < 4; ++i) {
        conexoes[i].PegarDados(NovoBanco(pasta, bancos[i], true, IntToStr(i) + ".fdb"));
        ASSERT_TRUE(conexoes[i].Conectar()) << conexoes[i].GetUltimoErro();
    }
    for (const Consulta& c : Consultas) {
        SCOPED_TRACE(c.sql);
        TConexaoSQL& conexao = conexoes[static_cast<int>(c.banco)];
        EXPECT_NE(conexao.Ab(c.sql), nullptr) << conexao.GetUltimoErro();
    }
}

TEST(Schema, DemoShopHoldsWhatTheScreensExpect) {
    PastaTemporaria pasta;
    TConexaoSQL dados;
    dados.PegarDados(NovoBanco(pasta, Banco::TerminalDados, true));
    ASSERT_TRUE(dados.Conectar()) << dados.GetUltimoErro();
    auto ds = dados.Ab("select prod.descr, prod_fabr.nome, prod.pmc, prod.preco_promo from prod"
                       " join prod_fabr on prod.prod_fabr_cod=prod_fabr.prod_fabr_cod"
                       " join prod_barras on prod.prod_cod=prod_barras.prod_cod"
                       " where prod_barras.bar_cod='7890000000048'");
    ASSERT_NE(ds, nullptr) << dados.GetUltimoErro();
    ASSERT_FALSE(ds->IsEmpty());
    // The seed files are UTF-8; the database must hold the Windows-1252 characters.
    EXPECT_EQ(ds->FieldByName("descr").AsString(), "ÁGUA DE COLÔNIA \"FLOR D'ÁGUA\" 250ML");
    EXPECT_EQ(ds->FieldByName("nome").AsString(), "D'ÁGUA COSMÉTICOS E PERFUMARIA DO NORDESTE");

    TConexaoSQL retaguarda;
    retaguarda.PegarDados(NovoBanco(pasta, Banco::Retaguarda, true));
    ASSERT_TRUE(retaguarda.Conectar());
    EXPECT_EQ(retaguarda.ValorInt("SELECT EMPR_COD FROM EMPR WHERE SELECIONADA='S'"), 1);
    EXPECT_EQ(retaguarda.ValorStr("select nome from tab_preco where tab_preco_cod=1"), "PRINCIPAL");
    EXPECT_GE(retaguarda.ValorInt("select count(*) from terminais"), 2);
    EXPECT_EQ(retaguarda.ValorInt("select pai_cod from act where name='ManutTribAct'"),
              retaguarda.ValorInt("select act_cod from act where name='ManutAct'"));
    EXPECT_EQ(retaguarda.ValorInt("select count(*) from prod_princ where prod_princ_cod=0"), 1);
}

TEST(Schema, KeysAndReferencesHold) {
    PastaTemporaria pasta;
    TConexaoSQL c;
    c.PegarDados(NovoBanco(pasta, Banco::Retaguarda, true));
    ASSERT_TRUE(c.Conectar());
    struct Caso {
        const char* sql;
        const char* trecho;
    } casos[] = {
        {"insert into func_dir (func_cod, act_cod, habilitada) values (1, 999, 'N')",
         "FK_FUNC_DIR_ACT"},
        {"insert into func_dir (func_cod, act_cod, habilitada) values (999, 1, 'N')",
         "FK_FUNC_DIR_FUNC"},
        {"insert into func_dir (func_cod, act_cod, habilitada) values (1, 1, 'N')", "PK_FUNC_DIR"},
        {"insert into prod (prod_cod, descr, prod_fabr_cod, trib_cod) values (99, 'X', 1, 77)",
         "FK_PROD_TRIB"},
        {"insert into prod_barras (bar_cod, prod_cod) values ('123', 999)", "FK_PROD_BARRAS_PROD"},
        {"insert into tab_preco (empr_cod, tab_preco_cod, nome) values (9, 1, 'X')",
         "FK_TAB_PRECO_EMPR"},
        {"insert into act (act_cod, name) values (99, null)", "NAME"},
        {"insert into trib (trib_cod, descr, cancelado) values (9, 'X', 'Z')", "CK_TRIB_CANCELADO"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.sql);
        try {
            c.Exec(caso.sql);
            ADD_FAILURE() << "accepted";
        } catch (const EDatabaseError& e) {
            EXPECT_NE(e.Message().find(caso.trecho), std::string::npos) << e.Message();
        }
    }
}

// The procedure as the sale item fetch calls it from its script, in both terminal databases.
TEST(Schema, ItensTribsSetRecordsOneRowPerItem) {
    PastaTemporaria pasta;
    std::string vendas = NovoBanco(pasta, Banco::TerminalVendas, true);
    std::string dados = NovoBanco(pasta, Banco::TerminalDados, true);
    {
        TConexaoSQL v;
        v.PegarDados(vendas);
        ASSERT_TRUE(v.Conectar());
        v.Exec("insert into trib (trib_cod, descr, perc) values (1, 'ICMS 18', 18)");
        v.Exec("insert into prod_fabr (prod_fabr_cod, nome) values (1, 'F')");
        v.Exec("insert into prod (prod_cod, descr, prod_fabr_cod, trib_cod) values (1, 'P', 1, 1)");
        v.Exec("insert into venda (empr_cod, estacao_cod, venda_cod) values (1, 2, 300)");
        v.Exec("insert into est_mov (empr_cod, estacao_cod, est_mov_cod, prod_cod, qtd,"
               " preco_unit) values (1, 2, 4000, 1, 1.23456, 10)");
        v.Exec("insert into venda_est_mov values (1, 2, 300, 1, 2, 4000)");
    }
    ScopedRecordingPresenter semEco;
    TArqSQL arq(pasta.Path() + "Trazer Prod 001-002-000300.sql");
    arq.Criar();
    for (const std::string& banco : {vendas, dados}) {
        arq.EscreverConex(banco);
        arq.EscreverComando("set echo on;");
        arq.EscreverComando("execute procedure ITENS_TRIBS_SET 1, 2, 300, 1, 2, 4000, 3, '12.0000',"
                            " 1.20, 0, '5102', '', 0, 0;");
        arq.EscreverComando("execute procedure ITENS_TRIBS_SET 1, 2, 300, 1, 2, 4000, 1, '18.0000',"
                            " 2.22, 40, '5405', 'SP0''99', 9, 1.2500;");
        arq.EscreverComando("commit;");
        arq.EscreverComando("");
    }
    arq.Fechar();
    ASSERT_TRUE(arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript)) << arq.GetUltimoErro();

    for (const std::string& banco : {vendas, dados}) {
        SCOPED_TRACE(banco);
        TConexaoSQL c;
        c.PegarDados(banco);
        ASSERT_TRUE(c.Conectar());
        EXPECT_EQ(c.ValorInt("select count(*) from venda_est_mov_trib"), 1);
        auto ds = c.Ab("select * from venda_est_mov_trib");
        ASSERT_NE(ds, nullptr);
        const char* esperados[][2] = {
            {"EMPR_COD", "1"},
            {"ESTACAO_COD", "2"},
            {"VENDA_COD", "300"},
            {"EST_MOV_EMPR_COD", "1"},
            {"EST_MOV_ESTACAO_COD", "2"},
            {"EST_MOV_COD", "4000"},
            {"TRIB_COD", "1"},
            {"PERC", "18"},
            {"ICMS_VAL", "2,22"},
            {"TRAT_ICMS", "40"},
            {"CFOP", "5405"},
            {"TRIB_ICMS_CBENEF", "SP0'99"},
            {"TRIB_ICMS_MOTDESICMS", "9"},
            {"TRIB_ICMS_PICMSDESON", "1,25"},
        };
        EXPECT_EQ(ds->FieldCount(), 14);
        for (const auto& e : esperados) {
            EXPECT_EQ(ds->FieldByName(e[0]).AsString(), e[1]) << e[0];
        }
    }
}

TEST(Schema, ItensTribsSetInTheSalesDatabaseNeedsTheItem) {
    PastaTemporaria pasta;
    TConexaoSQL c;
    c.PegarDados(NovoBanco(pasta, Banco::TerminalVendas));
    ASSERT_TRUE(c.Conectar());
    try {
        c.Exec("execute procedure ITENS_TRIBS_SET 1, 2, 3, 4, 5, 6, 1, '18', 1, 0, '', '', 0, 0");
        FAIL() << "an item that does not exist was accepted";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("FK_VENDA_EST_MOV_TRIB_ITEM"), std::string::npos) << e.Message();
    }
}

} // namespace
} // namespace zelt
