// The item fetch as the PDV program meets it: the package loaded by file name from a program in
// <root>/Bin/PDV/, Executar bound by name, the terminal's two real databases, the script run by
// the real script tool.
#include "tests/pdv_itemfetch/PdvFixture.h"

#include <cctype>
#include <cstdio>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace zelt::test {
namespace {

const std::string NomeScript = "Trazer Prod 001-002-000345 1899-12-30-00-00-00-000.sql";
const std::string PastaScripts = "Comandos/PDV/";
const std::string PastaLogs = "Log/PDV/ZeltPdvItemFetch/";

// Whether `texto` from `pos` has the shape of `molde`, where '9' stands for any digit.
bool Casa(const std::string& texto, std::size_t pos, std::string_view molde) {
    if (pos + molde.size() > texto.size())
        return false;
    for (std::size_t i = 0; i < molde.size(); ++i) {
        const char c = texto[pos + i];
        if (molde[i] == '9' ? !std::isdigit(static_cast<unsigned char>(c)) : c != molde[i])
            return false;
    }
    return true;
}

// Time stamps vary: every "dd/mm/yy hh:nn:ss,zzz" becomes "<t>".
std::string SemCarimbos(const std::string& texto) {
    constexpr std::string_view carimbo = "99/99/99 99:99:99,999";
    std::string saida;
    for (std::size_t pos = 0; pos < texto.size();) {
        if (Casa(texto, pos, carimbo)) {
            saida += "<t>";
            pos += carimbo.size();
        } else {
            saida += texto[pos++];
        }
    }
    return saida;
}

std::string Juntar(const std::vector<std::string>& linhas) {
    std::string texto;
    for (const std::string& l : linhas)
        texto += l + "\r\n";
    return texto;
}

std::string SqlItens(int venda) {
    return "select\r\n\r\nest_mov.empr_cod as est_mov_empr_cod\r\n, est_mov.estacao_cod as "
           "est_mov_estacao_cod\r\n, est_mov.est_mov_cod\r\n, est_mov.prod_cod\r\n\r\n, "
           "venda.modo_arredondamento\r\n, est_mov.qtd\r\n, est_mov.preco_unit\r\n, "
           "est_mov.desconto\r\n, est_mov.frete\r\n\r\nfrom venda\r\n\r\njoin venda_est_mov "
           "on\r\nvenda.empr_cod=venda_est_mov.empr_cod\r\nand "
           "venda.estacao_cod=venda_est_mov.estacao_cod\r\nand "
           "venda.venda_cod=venda_est_mov.venda_cod\r\n\r\njoin est_mov "
           "on\r\nest_mov.empr_cod=venda_est_mov.est_mov_empr_cod\r\nand "
           "est_mov.estacao_cod=venda_est_mov.est_mov_estacao_cod\r\nand "
           "est_mov.est_mov_cod=venda_est_mov.est_mov_cod\r\n\r\nwhere\r\n"
           "venda_est_mov.empr_cod=1\r\nand venda_est_mov.estacao_cod=2\r\n"
           "and venda_est_mov.venda_cod=" +
           std::to_string(venda) + "\r\n;\r\n";
}

std::string SqlProd(int prod) {
    return "<t> TPreencherProds.Exec( \r\nselect\r\nprod.TRAT_ICMS\r\n, prod.CFOP\r\n, "
           "prod.trib_cod\r\n, prod.NCM\r\n, trib.perc\r\n, prod.prod_cod\r\n, "
           "TRIB_ICMS_CBENEF\r\n, TRIB_ICMS_PICMSDESON\r\n, TRIB_ICMS_motDesICMS\r\nfrom "
           "prod\r\njoin trib on\r\ntrib.trib_cod=prod.trib_cod\r\nwhere prod_cod=" +
           std::to_string(prod);
}

const std::string CamposItens = "EST_MOV_EMPR_COD;EST_MOV_ESTACAO_COD;EST_MOV_COD;PROD_COD;"
                                "MODO_ARREDONDAMENTO;QTD;PRECO_UNIT;DESCONTO;FRETE";
const std::string CamposProd = "TRAT_ICMS;CFOP;TRIB_COD;NCM;PERC;PROD_COD;TRIB_ICMS_CBENEF;"
                               "TRIB_ICMS_PICMSDESON;TRIB_ICMS_MOTDESICMS";

const std::string TribsDaVenda =
    "select empr_cod, estacao_cod, venda_cod, est_mov_empr_cod, est_mov_estacao_cod, "
    "est_mov_cod, trib_cod, perc, icms_val, trat_icms, cfop, trib_icms_cbenef, "
    "trib_icms_motdesicms, trib_icms_picmsdeson from venda_est_mov_trib order by est_mov_cod";

class ItemFetchHostTest : public ::testing::Test {
protected:
    // Sale 345: a weighed item (quantity 1.23456), an item whose CFOP, NCM and benefit code hold
    // quotes, and an item whose product the product database does not know.
    void VendaDeTres() {
        t_.Produto({101, 0, "5102", 1, "30049099", "", "0", 0});
        t_.Produto({102, 20, "5'05", 3, "3004'90", "PR'12", "1.5", 9});
        t_.Produto({103, 0, "", 0, "", "", "0", 0}, false);
        t_.Venda(345, 0,
                 {{1001, 101, "1.23456", "100.00", "0.10", "0.50"},
                  {1002, 102, "2", "3.33", "0", "0.25"},
                  {1003, 103, "1", "5.00", "0", "0"}});
    }

    std::string ScriptEsperado() const {
        const std::vector<std::string> tribs = {
            "execute procedure ITENS_TRIBS_SET 1, 2, 345, 1, 2, 1001, 1, '18', 22.21, 0, "
            "'5102', '', 0, 0;",
            "execute procedure ITENS_TRIBS_SET 1, 2, 345, 1, 2, 1002, 3, '7', 0.47, 20, "
            "'5''05', 'PR''12', 9, 1.5;",
            "commit;",
            "",
        };
        std::vector<std::string> linhas = {
            "SET NAMES WIN1252;",
            "CONNECT '" + t_.Vendas() + "';",
            "set echo on;",
            "update prod set TRAT_ICMS=0, CFOP='5102', TRIB_COD=1, NCM='30049099', "
            "TRIB_ICMS_CBENEF='', TRIB_ICMS_PICMSDESON=0, TRIB_ICMS_motDesICMS=0 where "
            "prod_cod=101;",
            "update prod set TRAT_ICMS=20, CFOP='5''05', TRIB_COD=3, NCM='3004''90', "
            "TRIB_ICMS_CBENEF='PR''12', TRIB_ICMS_PICMSDESON=1.5, TRIB_ICMS_motDesICMS=9 where "
            "prod_cod=102;",
            "commit;",
            "",
        };
        linhas.insert(linhas.end(), tribs.begin(), tribs.end());
        linhas.push_back("SET NAMES WIN1252;");
        linhas.push_back("CONNECT '" + t_.Dados() + "';");
        linhas.insert(linhas.end(), tribs.begin(), tribs.end());
        return Juntar(linhas);
    }

    // The one log of a single call.
    std::string UnicoLog() const {
        const auto logs = t_.Arquivos(PastaLogs);
        EXPECT_EQ(logs.size(), 1u);
        if (logs.empty())
            return "";
        // "Log PDV TrazerProd " + the creation's yyyy-mm-dd-hh-nn-ss-zzz + ".txt"
        EXPECT_TRUE(logs[0].size() == 46 &&
                    Casa(logs[0], 0, "Log PDV TrazerProd 9999-99-99-99-99-99-999.txt"))
            << logs[0];
        return SemCarimbos(t_.Ler(PastaLogs + logs[0]));
    }

    TerminalPdv t_;
};

TEST_F(ItemFetchHostTest, SaleGetsTotalsTaxDataAndItsScript) {
    VendaDeTres();
    const ChamadaPdv c = t_.Executar(345);
    ASSERT_EQ(c.codigoSaida, 0) << c.saida;
    EXPECT_TRUE(c.retorno) << c.ultimoErro;
    EXPECT_EQ(c.ultimoErro, "");
    EXPECT_TRUE(c.erros.empty()) << c.erros.front();
    // Gross and net from the quantity at four decimals (1.2346 x 100.00 = 123.46).
    EXPECT_EQ(c.bruto, 1351200);
    EXPECT_EQ(c.desconto, 1000);
    EXPECT_EQ(c.frete, 7500);
    EXPECT_EQ(c.liquido, 1350200);
    EXPECT_EQ(c.status, (std::vector<std::string>{"Carregando Itens...", "",
                                                  "Aguardando o script terminar...", ""}));

    EXPECT_EQ(t_.Linhas(t_.Vendas(), "select valor_total, desconto, frete_val, qtd_itens from "
                                     "venda where venda_cod=345"),
              std::vector<std::string>{"135,12;0,1;0,75;3"});

    // The missing product keeps its stale copy: nothing blanks it.
    EXPECT_EQ(
        t_.Linhas(t_.Vendas(), "select prod_cod, trat_icms, cfop, trib_cod, ncm, "
                               "trib_icms_cbenef, trib_icms_picmsdeson, "
                               "trib_icms_motdesicms from prod order by prod_cod"),
        (std::vector<std::string>{"101;0;5102;1;30049099;;0;0", "102;20;5'05;3;3004'90;PR'12;1,5;9",
                                  "103;9;VELHO;2;NCMVELHO;BENVELHO;9,99;99"}));

    // ICMS from the stored quantity 1.235: (123.50 - 0.10) x 18 % = 22.212.
    const std::vector<std::string> tribs = {"1;2;345;1;2;1001;1;18;22,21;0;5102;;0;0",
                                            "1;2;345;1;2;1002;3;7;0,47;20;5'05;PR'12;9;1,5"};
    EXPECT_EQ(t_.Linhas(t_.Vendas(), TribsDaVenda), tribs);
    EXPECT_EQ(t_.Linhas(t_.Dados(), TribsDaVenda), tribs);

    const auto scripts = t_.Arquivos(PastaScripts);
    ASSERT_EQ(scripts, (std::vector<std::string>{NomeScript, NomeScript + ".log"}));
    EXPECT_EQ(t_.Ler(PastaScripts + NomeScript), ScriptEsperado());

    const std::string script = t_.Raiz() + PastaScripts + NomeScript;
    const std::string esperado = Juntar({
        "<t> TTrazerProd.Execute; ini",
        "<t> TCarregarItens.Exec( ini",
        "",
        SqlItens(345),
        "",
        CamposItens,
        "1;2;1001;101;0;1,23456;100;0,1;0,5",
        "1;2;1002;102;0;2;3,33;0;0,25",
        "1;2;1003;103;0;1;5;0;0",
        "",
        "<t> TCarregarItens.Exec( fim",
        "ErroDeu = N",
        "",
        "<t> TPreencherProds.Exec( ini",
        SqlProd(101),
        CamposProd,
        "0;5102;1;30049099;18;101;;0;0",
        SqlProd(102),
        "20;5'05;3;3004'90;7;102;PR'12;1,5;9",
        SqlProd(103),
        "para o produto código 103 não foi encontrado no terminal_dados",
        "<t> TPreencherProds.Exec( fim",
        "ErroDeu = N",
        "",
        "vai chamar UTrazerProd_PreencherTribVal.TPreencherTribVal",
        "chamou UTrazerProd_PreencherTribVal.TPreencherTribVal",
        "",
        "vai criar " + script,
        "criou " + script + " e vai executa-lo",
        "<t> TTrazerProd.Execute; fin",
    });
    EXPECT_EQ(UnicoLog(), esperado);
}

TEST_F(ItemFetchHostTest, SecondCallRewritesTheSameScriptAndKeepsWrittenTotals) {
    VendaDeTres();
    ASSERT_TRUE(t_.Executar(345).retorno);
    const std::string primeiro = t_.Ler(PastaScripts + NomeScript);
    // The PDV wrote its own totals meanwhile; a call with a gross total leaves them alone.
    t_.Exec(t_.Vendas(), {"update venda set valor_total=999, qtd_itens=9 where venda_cod=345"});
    t_.Exec(t_.Dados(), {"update prod set cfop='6102' where prod_cod=101"});

    const ChamadaPdv c = t_.Executar(345, 9990000, t_.Dados(), t_.Vendas(), "UTrazerProd.Executar");
    ASSERT_TRUE(c.retorno) << c.saida;
    EXPECT_EQ(c.bruto, 1351200);
    EXPECT_EQ(c.liquido, 1350200);
    EXPECT_EQ(t_.Linhas(t_.Vendas(), "select valor_total, qtd_itens from venda"),
              std::vector<std::string>{"999;9"});

    EXPECT_EQ(t_.Arquivos(PastaScripts),
              (std::vector<std::string>{NomeScript, NomeScript + ".log"}));
    std::string esperado = primeiro;
    for (std::size_t p = esperado.find("'5102'"); p != std::string::npos;
         p = esperado.find("'5102'", p))
        esperado.replace(p, 6, "'6102'");
    EXPECT_EQ(t_.Ler(PastaScripts + NomeScript), esperado);
    EXPECT_EQ(t_.Arquivos(PastaLogs).size(), 2u);
    // The procedure replaced the item's record instead of adding one.
    EXPECT_EQ(t_.Linhas(t_.Dados(), "select est_mov_cod, cfop from venda_est_mov_trib order by 1"),
              (std::vector<std::string>{"1001;6102", "1002;5'05"}));
}

TEST_F(ItemFetchHostTest, SaleWithoutItemsWritesZerosAndStillRunsItsScript) {
    t_.Venda(345, 1, {});
    const ChamadaPdv c = t_.Executar(345);
    ASSERT_TRUE(c.retorno) << c.saida;
    EXPECT_EQ(c.bruto, 0);
    EXPECT_EQ(c.desconto, 0);
    EXPECT_EQ(c.frete, 0);
    EXPECT_EQ(c.liquido, 0);
    EXPECT_TRUE(c.erros.empty());
    EXPECT_EQ(t_.Linhas(t_.Vendas(), "select valor_total, desconto, frete_val, qtd_itens from "
                                     "venda"),
              std::vector<std::string>{"0;0;0;0"});
    EXPECT_EQ(t_.Ler(PastaScripts + NomeScript),
              Juntar({"SET NAMES WIN1252;", "CONNECT '" + t_.Vendas() + "';", "set echo on;",
                      "commit;", "", "commit;", "", "SET NAMES WIN1252;",
                      "CONNECT '" + t_.Dados() + "';", "commit;", ""}));
    EXPECT_NE(UnicoLog().find("criou "), std::string::npos);
}

// A database that cannot be reached stops the run before any script: Firebird's reason reaches
// the PDV and the log.
struct BancoFora {
    const char* caso;
    bool vendasFora;
    long long bruto, liquido; // totals as summed before the failure
    int errosDeu;             // "ErroDeu = N" lines before the "S"
};

void PrintTo(const BancoFora& caso, std::ostream* os) {
    *os << caso.caso;
}

class BancoForaTest : public ItemFetchHostTest, public ::testing::WithParamInterface<BancoFora> {};

TEST_P(BancoForaTest, ErrorFlagPathWritesNoScript) {
    const BancoFora& caso = GetParam();
    VendaDeTres();
    const std::string fora = t_.Raiz() + "Dados/nao_existe.fdb";
    const ChamadaPdv c = t_.Executar(345, 0, caso.vendasFora ? t_.Dados() : fora,
                                     caso.vendasFora ? fora : t_.Vendas());
    ASSERT_EQ(c.codigoSaida, 0) << c.saida;
    EXPECT_TRUE(c.retorno) << c.ultimoErro;
    ASSERT_EQ(c.erros.size(), 1u) << c.saida;
    EXPECT_NE(c.erros[0].find("nao_existe.fdb"), std::string::npos) << c.erros[0];
    EXPECT_NE(c.erros[0].find("No such file or directory"), std::string::npos) << c.erros[0];
    EXPECT_EQ(c.bruto, caso.bruto);
    EXPECT_EQ(c.liquido, caso.liquido);
    EXPECT_TRUE(t_.Arquivos(PastaScripts).empty());

    const std::string log = UnicoLog();
    EXPECT_NE(log.find(c.erros[0] + "\r\n"), std::string::npos) << log;
    std::string fim = "ErroDeu = S\r\n\r\n<t> TTrazerProd.Execute; fin\r\n";
    EXPECT_EQ(log.substr(log.size() - std::min(log.size(), fim.size())), fim) << log;
    int naoDeu = 0;
    for (std::size_t p = log.find("ErroDeu = N"); p != std::string::npos;
         p = log.find("ErroDeu = N", p + 1))
        ++naoDeu;
    EXPECT_EQ(naoDeu, caso.errosDeu);
    EXPECT_EQ(log.find("vai criar"), std::string::npos);
    if (caso.vendasFora) {
        EXPECT_NE(log.find("<t> TCarregarItens.Exec(\r\n" + c.erros[0] + "\r\n"),
                  std::string::npos);
    } else {
        // The sales side was done before the product database failed.
        EXPECT_EQ(t_.Linhas(t_.Vendas(), "select valor_total, qtd_itens from venda"),
                  std::vector<std::string>{"135,12;3"});
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, BancoForaTest,
                         ::testing::Values(BancoFora{"Vendas", true, 0, 0, 0},
                                           BancoFora{"Produtos", false, 1351200, 1350200, 1}),
                         [](const auto& info) { return std::string(info.param.caso); });

TEST_F(ItemFetchHostTest, FailedScriptRunReachesTheErrorSinkAndTheLog) {
    VendaDeTres();
    const std::string ferramenta = t_.Raiz() + "Bin/PDV/isql-quebrado.sh";
    {
        std::FILE* f = std::fopen(ferramenta.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("#!/bin/sh\nexit 1\n", f);
        std::fclose(f);
        ASSERT_EQ(chmod(ferramenta.c_str(), 0755), 0);
    }
    const ChamadaPdv c =
        t_.Executar(345, 0, t_.Dados(), t_.Vendas(), "Executar", {"ZELT_ISQL=" + ferramenta});
    ASSERT_TRUE(c.retorno) << c.saida;
    ASSERT_EQ(c.erros.size(), 1u) << c.saida;
    EXPECT_NE(c.erros[0].find(NomeScript), std::string::npos) << c.erros[0];
    const std::string log = UnicoLog();
    EXPECT_NE(log.find("e vai executa-lo\r\n" + SemCarimbos(c.erros[0]) + "\r\n<t> TTrazerProd"),
              std::string::npos)
        << log;
    EXPECT_TRUE(t_.Linhas(t_.Vendas(), TribsDaVenda).empty());
}

// A platform error (here the script's folder cannot be made: a file holds its name) ends the
// call: the PDV gets false and the error's text, the log still gets its closing line.
TEST_F(ItemFetchHostTest, PlatformErrorEndsTheCallWithItsTextAndAClosedLog) {
    VendaDeTres();
    {
        std::FILE* f = std::fopen((t_.Raiz() + "Comandos").c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    const ChamadaPdv c = t_.Executar(345);
    ASSERT_EQ(c.codigoSaida, 0) << c.saida;
    EXPECT_FALSE(c.retorno);
    EXPECT_NE(c.ultimoErro.find("EInOutError: "), std::string::npos) << c.ultimoErro;
    EXPECT_NE(c.ultimoErro.find("Comandos"), std::string::npos) << c.ultimoErro;
    // The totals were summed before the failure and come back all the same.
    EXPECT_EQ(c.bruto, 1351200);
    EXPECT_EQ(c.frete, 7500);
    const std::string log = UnicoLog();
    const std::string fim = "<t> TTrazerProd.Execute; fin\r\n";
    EXPECT_EQ(log.substr(log.size() - std::min(log.size(), fim.size())), fim) << log;
    EXPECT_EQ(log.find("criou "), std::string::npos);
}

} // namespace
} // namespace zelt::test
