// The script file and its runner: real isql-fb runs on embedded databases, and stand-in tools
// where a behaviour of the tool itself has to be forced.
#include "outside/dataline/UArqSQL.h"
#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/Text.h"
#include "tests/dataline/DbFixture.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zelt {
namespace {

using test::Banco;
using test::NovoBanco;
using test::PastaTemporaria;

// Points ZELT_ISQL at a stand-in tool for the life of the object.
class FerramentaFalsa {
public:
    FerramentaFalsa(const PastaTemporaria& pasta, const std::string& corpo) {
        nome_ = pasta.Path() + "isql-falso.sh";
        std::ofstream(nome_)
            << "#!/bin/sh\n"
               "while [ $# -gt 0 ]; do\n"
               "  case \"$1\" in -o) log=$2; shift ;; -i) script=$2; shift ;; esac\n"
               "  shift\n"
               "done\n"
            << corpo << "\n";
        chmod(nome_.c_str(), 0755);
        setenv("ZELT_ISQL", nome_.c_str(), 1);
    }
    ~FerramentaFalsa() { unsetenv("ZELT_ISQL"); }

private:
    std::string nome_;
};

class ArqSQLTest : public ::testing::Test {
protected:
    void SetUp() override {
        banco_ = NovoBanco(pasta_, Banco::Retaguarda);
        script_ = pasta_.Path() + "Comandos/PDV/teste.sql";
    }

    // A script of `linhas` after the head for the test database.
    void Escrever(TArqSQL& arq, const std::vector<std::string>& linhas) {
        arq.Criar();
        arq.EscreverTopo(banco_, "teste", false);
        for (const std::string& l : linhas) {
            arq.EscreverComando(l);
        }
        arq.Fechar();
    }

    int Contar(const std::string& sql) {
        TConexaoSQL c;
        c.PegarDados(banco_);
        EXPECT_TRUE(c.Conectar()) << c.GetUltimoErro();
        return c.ValorInt(sql);
    }

    // Keeps the status lines of the runs that no test looks at off the test's output.
    ScopedRecordingPresenter semEco_;
    PastaTemporaria pasta_;
    std::string banco_;
    std::string script_;
};

TEST_F(ArqSQLTest, HeadConnectsWithoutCredentials) {
    TArqSQL arq(script_);
    arq.SetLogin(TLoginSQL{"SYSDBA", "senha-secreta"});
    arq.Criar();
    arq.EscreverTopo("srv/3051:/dados/d'oeste.fdb", "ajusta os precos */ drop table act; /*", true);
    arq.EscreverToken("update act set ordem=1");
    arq.EscreverToken(" where act_cod=1;");
    arq.EscreverComando("");
    arq.EscreverComando("commit;");
    arq.Fechar();
    EXPECT_EQ(ReadFile(script_), "SET NAMES WIN1252;\r\n"
                                 "CONNECT 'srv/3051:/dados/d''oeste.fdb';\r\n"
                                 "/* ajusta os precos * / drop table act; /* */\r\n"
                                 "SET ECHO ON;\r\n"
                                 "update act set ordem=1 where act_cod=1;\r\n"
                                 "commit;\r\n");
    EXPECT_EQ(arq.NomeLog(), script_ + ".log");
}

TEST_F(ArqSQLTest, SuccessfulRunShowsTheWaitingTextAndKeepsTheLog) {
    TArqSQL arq(script_);
    Escrever(arq,
             {"set echo on;",
              "insert into cli_classe (cli_classe_cod, descr) values (1, 'CLASSE ÚNICA');",
              "insert into cli_classe (cli_classe_cod, descr) values (2, 'D''ÁGUA');", "commit;"});
    ScopedRecordingPresenter registro;
    EXPECT_TRUE(arq.Executar(false, 0, false, 0, nullptr, TextoEsperaScript))
        << arq.GetUltimoErro();
    EXPECT_EQ(arq.GetCodigoSaida(), 0);
    EXPECT_EQ(arq.GetUltimoErro(), "");
    EXPECT_EQ(registro->Texts(MessageKind::Status),
              (std::vector<std::string>{"Aguardando o script terminar...", ""}));
    EXPECT_TRUE(registro->Texts(MessageKind::Error).empty());
    EXPECT_TRUE(FileExists(arq.NomeLog()));
    EXPECT_NE(ReadFile(arq.NomeLog()).find("insert into cli_classe"), std::string::npos)
        << "set echo on shows the statements in the log";
    EXPECT_EQ(Contar("select count(*) from cli_classe where descr in ('CLASSE ÚNICA', 'D''ÁGUA')"),
              2);
}

TEST_F(ArqSQLTest, FailingStatementIsReportedAndTheRestStillRuns) {
    TArqSQL arq(script_);
    Escrever(arq, {"insert into cli_classe (cli_classe_cod, descr) values (1, 'A');",
                   "insert into cli_classe (cli_classe_cod, descr) values (1, 'DUPLICADA');",
                   "insert into cli_classe (cli_classe_cod, descr) values (2, 'B');", "commit;"});
    ScopedRecordingPresenter registro;
    EXPECT_FALSE(arq.Executar(false, 0, false, 0, nullptr, TextoEsperaScript));
    EXPECT_NE(arq.GetCodigoSaida(), 0);
    const std::string& erro = arq.GetUltimoErro();
    EXPECT_NE(erro.find("terminou com erros"), std::string::npos) << erro;
    EXPECT_NE(erro.find(arq.NomeLog()), std::string::npos) << erro;
    EXPECT_NE(erro.find("violation of PRIMARY or UNIQUE KEY constraint"), std::string::npos)
        << erro;
    EXPECT_EQ(registro->Texts(MessageKind::Error), std::vector<std::string>{erro});
    EXPECT_EQ(registro->Texts(MessageKind::Status).back(), "");
    EXPECT_NE(ReadFile(arq.NomeLog()).find("Statement failed"), std::string::npos);
    EXPECT_EQ(Contar("select count(*) from cli_classe"), 2) << "without -b the script goes on";
}

TEST_F(ArqSQLTest, StopAtFirstErrorAndSilentFailure) {
    TArqSQL arq(script_);
    Escrever(arq, {"insert into cli_classe (cli_classe_cod, descr) values (1, 'A');",
                   "insert into tabela_nenhuma values (1);",
                   "insert into cli_classe (cli_classe_cod, descr) values (2, 'B');", "commit;"});
    ScopedRecordingPresenter registro;
    EXPECT_FALSE(arq.Executar(true, 0, true, 0, nullptr, TextoEsperaScript));
    EXPECT_NE(arq.GetUltimoErro().find("TABELA_NENHUMA"), std::string::npos) << arq.GetUltimoErro();
    EXPECT_TRUE(registro->Texts(MessageKind::Error).empty()) << "silent: returned, not shown";
    EXPECT_EQ(Contar("select count(*) from cli_classe"), 0);
}

TEST_F(ArqSQLTest, EveryRunHasItsOwnLog) {
    TArqSQL arq(script_);
    Escrever(arq, {"insert into tabela_nenhuma values (1);"});
    EXPECT_FALSE(arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript));
    Escrever(arq, {"insert into cli_classe (cli_classe_cod, descr) values (1, 'A');", "commit;"});
    EXPECT_TRUE(arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript)) << arq.GetUltimoErro();
    EXPECT_EQ(ReadFile(arq.NomeLog()).find("Statement failed"), std::string::npos);
}

TEST_F(ArqSQLTest, RunsWhileTheCallerHoldsTheDatabaseOpen) {
    TConexaoSQL caller;
    caller.PegarDados(banco_);
    ASSERT_TRUE(caller.Conectar()) << caller.GetUltimoErro();
    caller.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'DO CHAMADOR')");
    TArqSQL arq(script_);
    Escrever(arq, {"insert into cli_classe (cli_classe_cod, descr) values (2, 'DO SCRIPT');",
                   "update cli_classe set descr='VISTO' where cli_classe_cod=1;", "commit;"});
    EXPECT_TRUE(arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript))
        << arq.GetUltimoErro()
        << "\n(Firebird must run in ServerMode = SuperClassic: scripts/setup-firebird.sh)";
    ASSERT_TRUE(caller.Conectado());
    EXPECT_EQ(caller.ValorInt("select count(*) from cli_classe"), 2);
    EXPECT_EQ(caller.ValorStr("select descr from cli_classe where cli_classe_cod=1"), "VISTO");
}

TEST_F(ArqSQLTest, DatabaseInAFolderWithAccents) {
    std::string banco = NovoBanco(pasta_, Banco::Retaguarda, false, "Ação Çedilha/dados.fdb");
    TConexaoSQL c;
    c.PegarDados(banco);
    ASSERT_TRUE(c.Conectar()) << c.GetUltimoErro();
    TArqSQL arq(pasta_.Path() + "Pasta Ímpar/script.sql");
    arq.Criar();
    arq.EscreverTopo(c.GetDatabase(), "pasta com acentos", false);
    arq.EscreverComando("insert into cli_classe (cli_classe_cod, descr) values (1, 'Ç');");
    arq.EscreverComando("commit;");
    arq.Fechar();
    EXPECT_TRUE(FileExists(pasta_.Path() + "Pasta Ímpar/script.sql"));
    EXPECT_TRUE(arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript)) << arq.GetUltimoErro();
    EXPECT_EQ(c.ValorStr("select descr from cli_classe"), "Ç");
}

TEST_F(ArqSQLTest, StatusProcedureReplacesTheStatusLine) {
    TArqSQL arq(script_);
    Escrever(arq, {"commit;"});
    std::vector<std::string> vistos;
    ScopedRecordingPresenter registro;
    EXPECT_TRUE(arq.Executar(
        false, 0, false, 0, [&](const std::string& t) { vistos.push_back(t); }, "Esperando..."));
    EXPECT_EQ(vistos, (std::vector<std::string>{"Esperando...", ""}));
    EXPECT_TRUE(registro->Texts(MessageKind::Status).empty());
}

TEST_F(ArqSQLTest, AToolThatExitsWellAfterFailedStatementsIsNotBelieved) {
    FerramentaFalsa falsa(pasta_, "echo 'Statement failed, SQLSTATE = 42S02' > \"$log\"\n"
                                  "echo '-Table unknown' >> \"$log\"\nexit 0");
    TArqSQL arq(script_);
    Escrever(arq, {"commit;"});
    EXPECT_FALSE(arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript));
    EXPECT_EQ(arq.GetCodigoSaida(), 0);
    EXPECT_NE(arq.GetUltimoErro().find("-Table unknown"), std::string::npos) << arq.GetUltimoErro();
}

TEST_F(ArqSQLTest, CredentialsReachTheToolThroughItsEnvironment) {
    FerramentaFalsa falsa(pasta_, "echo \"$ISC_USER|$ISC_PASSWORD|$(pwd)\" > \"$log\"\nexit 0");
    TArqSQL arq(script_);
    arq.SetLogin(TLoginSQL{"CAIXA", "s3nh@"});
    Escrever(arq, {"commit;"});
    EXPECT_TRUE(arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript)) << arq.GetUltimoErro();
    EXPECT_EQ(ReadFile(arq.NomeLog()),
              "CAIXA|s3nh@|" + ExcludeTrailingPathDelimiter(ExtractFilePath(script_)) + "\n");
    EXPECT_EQ(ReadFile(script_).find("s3nh@"), std::string::npos);
}

TEST_F(ArqSQLTest, ToolFailuresAreReported) {
    struct Caso {
        const char* corpo;
        int limite;
        const char* trecho;
    } casos[] = {
        {"echo 'Unable to open script' > \"$log\"; exit 1", 0, "código de saída 1"},
        {"exec sleep 20", 1, "não terminou em 1 segundos"},
        {"kill -9 $$", 0, "código de saída 137"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.corpo);
        FerramentaFalsa falsa(pasta_, c.corpo);
        TArqSQL arq(script_);
        Escrever(arq, {"commit;"});
        ScopedRecordingPresenter registro;
        EXPECT_FALSE(arq.Executar(false, c.limite, false, 20, nullptr, TextoEsperaScript));
        EXPECT_NE(arq.GetUltimoErro().find(c.trecho), std::string::npos) << arq.GetUltimoErro();
        EXPECT_EQ(registro->Texts(MessageKind::Error).size(), 1u);
    }
    setenv("ZELT_ISQL", (pasta_.Path() + "nao-ha-ferramenta").c_str(), 1);
    TArqSQL arq(script_);
    Escrever(arq, {"commit;"});
    EXPECT_FALSE(arq.Executar(false, 0, true, 0, nullptr, TextoEsperaScript));
    EXPECT_NE(arq.GetUltimoErro().find("Não foi possível executar"), std::string::npos)
        << arq.GetUltimoErro();
    unsetenv("ZELT_ISQL");

    TArqSQL semArquivo(pasta_.Path() + "nao-escrito.sql");
    EXPECT_FALSE(semArquivo.Executar(false, 0, true, 0, nullptr, TextoEsperaScript));
    EXPECT_NE(semArquivo.GetUltimoErro().find("não existe"), std::string::npos);
}

} // namespace
} // namespace zelt
