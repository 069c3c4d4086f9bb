// TConexaoSQL, its datasets, TQ, TConfig and the free routines on real embedded databases.
#include "outside/dataline/UConexaoSQL.h"
#include "outside/dataline/UConfig.h"
#include "outside/dataline/UQ.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"
#include "tests/dataline/DbFixture.h"

#include <gtest/gtest.h>

namespace zelt {
namespace {

using test::Banco;
using test::NovoBanco;
using test::PastaTemporaria;

class ConexaoTest : public ::testing::Test {
protected:
    void SetUp() override {
        banco_ = NovoBanco(pasta_, Banco::Retaguarda);
        conexao_.PegarDados(banco_);
        ASSERT_TRUE(conexao_.Conectar()) << conexao_.GetUltimoErro();
    }

    // The number of rows as a second, independent attachment sees them.
    int ContarDeFora(const std::string& tabela) {
        TConexaoSQL outra;
        outra.PegarDados(banco_);
        EXPECT_TRUE(outra.Conectar()) << outra.GetUltimoErro();
        return outra.ValorInt("select count(*) from " + tabela);
    }

    PastaTemporaria pasta_;
    std::string banco_;
    TConexaoSQL conexao_;
};

// ---- connection-data text -------------------------------------------------------------------

struct TextoCaso {
    const char* texto;
    const char* servidor;
    const char* porta;
    const char* arquivo;
    const char* normalizado;
};

TEST(DadosConexao, ReadsTheFirebirdForm) {
    const TextoCaso casos[] = {
        {"/dados/loja.fdb", "", "", "/dados/loja.fdb", "/dados/loja.fdb"},
        {"  /dados/loja.fdb  ", "", "", "/dados/loja.fdb", "/dados/loja.fdb"},
        {"servidor:/dados/loja.fdb", "servidor", "", "/dados/loja.fdb", "servidor:/dados/loja.fdb"},
        {"127.0.0.1/3051:/d/x.fdb", "127.0.0.1", "3051", "/d/x.fdb", "127.0.0.1/3051:/d/x.fdb"},
        {"C:\\dados\\x.fdb", "", "", "C:\\dados\\x.fdb", "C:\\dados\\x.fdb"},
        {"loja1:C:\\dados\\x.fdb", "loja1", "", "C:\\dados\\x.fdb", "loja1:C:\\dados\\x.fdb"},
        {"relativo.fdb", "", "", "relativo.fdb", "relativo.fdb"},
    };
    for (const TextoCaso& c : casos) {
        SCOPED_TRACE(c.texto);
        TDadosConexao d = TDadosConexao::DoTexto(c.texto);
        EXPECT_EQ(d.servidor, c.servidor);
        EXPECT_EQ(d.porta, c.porta);
        EXPECT_EQ(d.arquivo, c.arquivo);
        EXPECT_EQ(d.ParaTexto(), c.normalizado);
        EXPECT_EQ(d.Remoto(), *c.servidor != '\0');
    }
}

TEST(DadosConexao, ServerAndFileGivenApart) {
    EXPECT_EQ(TDadosConexao::DeServidorEArquivo("", " /d/x.fdb ").ParaTexto(), "/d/x.fdb");
    EXPECT_EQ(TDadosConexao::DeServidorEArquivo("LOJA1", "/d/x.fdb").ParaTexto(), "LOJA1:/d/x.fdb");
    EXPECT_EQ(TDadosConexao::DeServidorEArquivo("srv/3051", "/d/x.fdb").ParaTexto(),
              "srv/3051:/d/x.fdb");

    TConexaoSQL c;
    c.PegarDados("srv", "/d/x.fdb");
    EXPECT_EQ(c.GetDatabase(), "srv:/d/x.fdb");
}

TEST(LoginSQL, DefaultsFollowFirebirdsEnvironment) {
    const char* user = std::getenv("ISC_USER");
    const char* password = std::getenv("ISC_PASSWORD");
    std::string savedUser = user ? user : "", savedPassword = password ? password : "";
    unsetenv("ISC_USER");
    unsetenv("ISC_PASSWORD");
    TLoginSQL padrao = TLoginSQL::DoAmbiente();
    EXPECT_EQ(padrao.usuario, "SYSDBA");
    EXPECT_EQ(padrao.senha, "");
    setenv("ISC_USER", "caixa", 1);
    setenv("ISC_PASSWORD", "segredo", 1);
    TLoginSQL doAmbiente = TLoginSQL::DoAmbiente();
    EXPECT_EQ(doAmbiente.usuario, "caixa");
    EXPECT_EQ(doAmbiente.senha, "segredo");
    user ? setenv("ISC_USER", savedUser.c_str(), 1) : unsetenv("ISC_USER");
    password ? setenv("ISC_PASSWORD", savedPassword.c_str(), 1) : unsetenv("ISC_PASSWORD");
}

// ---- connecting -----------------------------------------------------------------------------

TEST(Conectar, FailuresGiveFirebirdsOwnText) {
    PastaTemporaria pasta;
    struct Caso {
        std::string dados;
        const char* trecho;
    } casos[] = {
        {pasta.Path() + "nao_existe.fdb", "No such file or directory"},
        {pasta.Path() + "pasta/que/falta/x.fdb", "I/O error during \"open\" operation"},
        // Port 1 on this machine: nothing listens, the connection is refused at once.
        {"127.0.0.1/1:" + pasta.Path() + "x.fdb", "Unable to complete network request"},
        {"", "No database given"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.dados);
        TConexaoSQL conexao;
        conexao.PegarDados(c.dados);
        EXPECT_FALSE(conexao.Conectar());
        EXPECT_FALSE(conexao.Conectado());
        EXPECT_NE(conexao.GetUltimoErro().find(c.trecho), std::string::npos)
            << conexao.GetUltimoErro();
    }
}

TEST(Conectar, NotADatabaseFile) {
    PastaTemporaria pasta;
    std::string nome = pasta.Path() + "texto.fdb";
    FILE* f = fopen(nome.c_str(), "w");
    for (int i = 0; i < 4096; ++i) {
        fputs("isto nao e um banco de dados ", f);
    }
    fclose(f);
    TConexaoSQL conexao;
    conexao.PegarDados(nome);
    EXPECT_FALSE(conexao.Conectar());
    EXPECT_NE(conexao.GetUltimoErro().find("not a valid database"), std::string::npos)
        << conexao.GetUltimoErro();
}

TEST_F(ConexaoTest, ConnectTwiceAndReconnectAfterDisconnect) {
    EXPECT_TRUE(conexao_.Conectar());
    EXPECT_EQ(conexao_.GetUltimoErro(), "");
    conexao_.Desconectar(false);
    EXPECT_FALSE(conexao_.Conectado());
    EXPECT_TRUE(conexao_.Conectar());
    EXPECT_EQ(conexao_.ValorInt("select count(*) from act"), 0);
    EXPECT_EQ(conexao_.GetDatabase(), banco_);
}

TEST_F(ConexaoTest, StatementsConnectOnDemand) {
    conexao_.Desconectar(false);
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'NORMAL')");
    EXPECT_TRUE(conexao_.Conectado());
    EXPECT_EQ(ContarDeFora("cli_classe"), 1);

    TConexaoSQL perdida;
    perdida.PegarDados(pasta_.Path() + "sumiu.fdb");
    EXPECT_THROW(perdida.Exec("delete from act"), EDatabaseError);
    EXPECT_THROW(perdida.ValorInt("select 1 from rdb$database"), EDatabaseError);
}

// ---- Exec, commit, rollback -----------------------------------------------------------------

TEST_F(ConexaoTest, ExecCommitsAtOnce) {
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'NORMAL');");
    EXPECT_EQ(ContarDeFora("cli_classe"), 1);
}

TEST_F(ConexaoTest, FailingExecRaisesRollsBackAndKeepsTheConnection) {
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'NORMAL')");
    try {
        // One statement that inserts a good row and then a duplicate: nothing of it may stay.
        conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) "
                      "select cli_classe_cod + 1, 'X' from cli_classe union all "
                      "select 1, 'DUPLICADA' from rdb$database");
        FAIL() << "no error raised";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("violation of PRIMARY or UNIQUE KEY constraint"),
                  std::string::npos)
            << e.Message();
        EXPECT_STREQ(e.ClassName(), "EDatabaseError");
    }
    EXPECT_TRUE(conexao_.Conectado());
    EXPECT_EQ(conexao_.ValorInt("select count(*) from cli_classe"), 1);
    EXPECT_EQ(ContarDeFora("cli_classe"), 1);
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (2, 'ATACADO')");
    EXPECT_EQ(ContarDeFora("cli_classe"), 2);
}

TEST_F(ConexaoTest, SyntaxErrorsRaiseWithFirebirdsText) {
    try {
        conexao_.Exec("updat cli_classe set descr='x'");
        FAIL() << "no error raised";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find("Token unknown"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(conexao_.Exec("insert into tabela_que_nao_existe values (1)"), EDatabaseError);
}

TEST_F(ConexaoTest, ExplicitTransactionCommitAndRollback) {
    conexao_.StartTransaction();
    EXPECT_TRUE(conexao_.InTransaction());
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'NORMAL')");
    EXPECT_EQ(conexao_.ValorInt("select count(*) from cli_classe"), 1);
    EXPECT_EQ(ContarDeFora("cli_classe"), 0);
    conexao_.Rollback();
    EXPECT_FALSE(conexao_.InTransaction());
    EXPECT_EQ(conexao_.ValorInt("select count(*) from cli_classe"), 0);

    conexao_.StartTransaction();
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (2, 'ATACADO')");
    conexao_.Commit();
    EXPECT_EQ(ContarDeFora("cli_classe"), 1);

    EXPECT_THROW(conexao_.Commit(), EDatabaseError);
    EXPECT_THROW(conexao_.Rollback(), EDatabaseError);
}

TEST_F(ConexaoTest, DisconnectRollsBackUnlessAskedToCommit) {
    conexao_.StartTransaction();
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'NORMAL')");
    conexao_.Desconectar(false);
    EXPECT_EQ(ContarDeFora("cli_classe"), 0);

    ASSERT_TRUE(conexao_.Conectar());
    conexao_.StartTransaction();
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'NORMAL')");
    conexao_.Desconectar(true);
    EXPECT_EQ(ContarDeFora("cli_classe"), 1);
}

TEST_F(ConexaoTest, SharedPlatformConnectionSeesTheSameTransaction) {
    TConexaoSQL segunda;
    segunda.PegarDados(conexao_.ConexaoCompartilhada());
    conexao_.StartTransaction();
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'NORMAL')");
    EXPECT_EQ(segunda.ValorInt("select count(*) from cli_classe"), 1);
    conexao_.Rollback();
    EXPECT_EQ(segunda.ValorInt("select count(*) from cli_classe"), 0);

    // New data for the second object must not take the first one's attachment with it.
    std::string outro = NovoBanco(pasta_, Banco::HistoricoCredito);
    segunda.PegarDados(outro);
    EXPECT_EQ(segunda.GetDatabase(), outro);
    EXPECT_TRUE(conexao_.Conectado());
    EXPECT_EQ(conexao_.GetDatabase(), banco_);
    EXPECT_EQ(segunda.ValorInt("select count(*) from venda"), 0);
}

// ---- datasets -------------------------------------------------------------------------------

class DataSetTest : public ConexaoTest {
protected:
    void SetUp() override {
        ConexaoTest::SetUp();
        conexao_.Exec("create table amostra (id integer not null primary key, texto varchar(130),"
                      " fixo char(6), inteiro integer, grande bigint, valor numeric(15,4),"
                      " miudo numeric(18,6), real_ double precision, dia date, momento timestamp,"
                      " hora time, nota blob sub_type text, logico boolean)");
    }
};

TEST_F(DataSetTest, FieldsByPositionAndNameIncludingNulls) {
    conexao_.Exec("insert into amostra (id, texto, fixo, inteiro, grande, valor, real_) values"
                  " (1, 'um', 'ab', 42, 9000000000, 12.5, 0.25)");
    conexao_.Exec("insert into amostra (id) values (2)");
    auto ds = conexao_.Ab("select id, texto, fixo, inteiro, grande, valor, real_ as metade,"
                          " dia from amostra order by id");
    ASSERT_NE(ds, nullptr) << conexao_.GetUltimoErro();
    EXPECT_EQ(ds->FieldNames(), (std::vector<std::string>{"ID", "TEXTO", "FIXO", "INTEIRO",
                                                          "GRANDE", "VALOR", "METADE", "DIA"}));
    EXPECT_EQ(ds->RecordCount(), 2);
    EXPECT_FALSE(ds->Eof());

    EXPECT_EQ(ds->Fields(0).AsInteger(), 1);
    EXPECT_EQ(ds->FieldByName("texto").AsString(), "um");
    EXPECT_EQ(ds->FieldByName("Fixo").AsString(), "ab    ") << "CHAR keeps its padding";
    EXPECT_EQ(ds->FieldByName("INTEIRO").AsInteger(), 42);
    EXPECT_EQ(ds->FieldByName("grande").AsLargeInt(), 9000000000LL);
    EXPECT_THROW(ds->FieldByName("grande").AsInteger(), EConvertError);
    EXPECT_EQ(ds->FieldByName("valor").AsString(), "12,5");
    EXPECT_EQ(ds->FieldByName("valor").AsInteger(), 12);
    EXPECT_DOUBLE_EQ(ds->FieldByName("metade").AsFloat(), 0.25);
    EXPECT_EQ(ds->FieldByName("metade").AsString(), "0,25");
    EXPECT_TRUE(ds->FieldByName("dia").IsNull());
    EXPECT_FALSE(ds->FieldByName("valor").IsNull());

    ds->Next();
    EXPECT_FALSE(ds->Eof());
    EXPECT_EQ(ds->RecNo(), 2);
    for (int i = 1; i < ds->FieldCount(); ++i) {
        SCOPED_TRACE(ds->Fields(i).FieldName());
        EXPECT_TRUE(ds->Fields(i).IsNull());
        EXPECT_EQ(ds->Fields(i).AsString(), "");
        EXPECT_EQ(ds->Fields(i).AsInteger(), 0);
        EXPECT_EQ(ds->Fields(i).AsCurrency(), Currency());
    }
    ds->Next();
    EXPECT_TRUE(ds->Eof());
    EXPECT_EQ(ds->Fields(0).AsInteger(), 2) << "the last row stays current at the end";

    ds->First();
    EXPECT_EQ(ds->Fields(0).AsInteger(), 1);
    EXPECT_THROW(ds->FieldByName("nao_existe"), EDatabaseError);
    EXPECT_EQ(ds->FindField("nao_existe"), nullptr);
    EXPECT_THROW(ds->Fields(8), EDatabaseError);
}

TEST_F(DataSetTest, EmptyResultReadsAsNulls) {
    auto ds = conexao_.Ab("select texto, valor from amostra");
    ASSERT_NE(ds, nullptr);
    EXPECT_TRUE(ds->IsEmpty());
    EXPECT_TRUE(ds->Eof());
    EXPECT_EQ(ds->RecNo(), 0);
    EXPECT_EQ(ds->FieldByName("texto").AsString(), "");
    EXPECT_EQ(ds->FieldByName("valor").AsCurrency(), Currency());
    EXPECT_EQ(conexao_.ValorInt("select inteiro from amostra"), 0);
    EXPECT_EQ(conexao_.ValorStr("select texto from amostra"), "");
}

TEST_F(DataSetTest, MoneyColumnsReadExactly) {
    // Values that binary floating point cannot hold: any detour through double shows in the
    // last digit of one of them.
    struct Caso {
        const char* literal;
        std::int64_t raw;
        const char* texto;
    } casos[] = {
        {"0.1", 1000, "0,1"},
        {"2.675", 26750, "2,675"},
        {"1.2346", 12346, "1,2346"},
        {"-0.0001", -1, "-0,0001"},
        {"99999999999.9999", 999999999999999LL, "99999999999,9999"},
        {"1234567.8901", 12345678901LL, "1234567,8901"},
        {"0", 0, "0"},
    };
    int id = 0;
    for (const Caso& c : casos) {
        conexao_.Exec("insert into amostra (id, valor) values (" + IntToStr(++id) + ", " +
                      c.literal + ")");
    }
    auto ds = conexao_.Ab("select valor from amostra order by id");
    ASSERT_NE(ds, nullptr);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.literal);
        ASSERT_FALSE(ds->Eof());
        EXPECT_EQ(ds->Fields(0).DataType(), TFieldType::BCD);
        EXPECT_EQ(ds->Fields(0).AsCurrency().Raw(), c.raw);
        EXPECT_EQ(ds->Fields(0).AsString(), c.texto);
        ds->Next();
    }
}

TEST_F(DataSetTest, FinerScalesRoundHalfToEvenIntoMoney) {
    struct Caso {
        const char* literal;
        std::int64_t raw;
    } casos[] = {{"1.000050", 10000},
                 {"1.000150", 10002},
                 {"1.000051", 10001},
                 {"-1.000150", -10002},
                 {"123456789012.123456", 1234567890121235LL}};
    int id = 0;
    for (const Caso& c : casos) {
        conexao_.Exec("insert into amostra (id, miudo) values (" + IntToStr(++id) + ", " +
                      c.literal + ")");
    }
    auto ds = conexao_.Ab("select miudo from amostra order by id");
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.literal);
        EXPECT_EQ(ds->Fields(0).AsCurrency().Raw(), c.raw);
        ds->Next();
    }
}

TEST_F(DataSetTest, DatesTimesAndTimestamps) {
    conexao_.Exec("insert into amostra (id, dia, momento, hora) values (1, '2024-03-15',"
                  " '2024-03-15 13:45:10.250', '23:59:59.999')");
    conexao_.Exec("insert into amostra (id, dia) values (2, '1899-12-30')");
    conexao_.Exec("insert into amostra (id, dia) values (3, '1858-11-17')");
    auto ds = conexao_.Ab("select dia, momento, hora from amostra order by id");
    ASSERT_NE(ds, nullptr);
    EXPECT_EQ(ds->FieldByName("dia").AsDateTime(), EncodeDate(2024, 3, 15));
    EXPECT_EQ(ds->FieldByName("dia").DataType(), TFieldType::Date);
    EXPECT_NEAR(ds->FieldByName("momento").AsDateTime(),
                EncodeDateTime(2024, 3, 15, 13, 45, 10, 250), 1e-9);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss,zzz", ds->FieldByName("momento").AsDateTime()),
              "15/03/2024 13:45:10,250");
    EXPECT_NEAR(ds->FieldByName("hora").AsDateTime(), EncodeTime(23, 59, 59, 999), 1e-9);
    EXPECT_EQ(ds->FieldByName("dia").AsString(), "15/03/2024");
    ds->Next();
    EXPECT_EQ(ds->FieldByName("dia").AsDateTime(), 0.0);
    ds->Next();
    EXPECT_EQ(ds->FieldByName("dia").AsDateTime(), -15018.0);
}

TEST_F(DataSetTest, TextBlobsBooleansAndLocate) {
    std::string longo(40000, 'x');
    conexao_.Exec("insert into amostra (id, nota, logico) values (1, '" + longo + "', true)");
    conexao_.Exec("insert into amostra (id, nota, logico) values (2, 'curta', false)");
    auto ds = conexao_.Ab("select id, nota, logico from amostra order by id");
    ASSERT_NE(ds, nullptr) << conexao_.GetUltimoErro();
    EXPECT_EQ(ds->FieldByName("nota").DataType(), TFieldType::Memo);
    EXPECT_EQ(ds->FieldByName("nota").AsString(), longo);
    EXPECT_TRUE(ds->FieldByName("logico").AsBoolean());
    EXPECT_EQ(ds->FieldByName("logico").AsString(), "True");

    EXPECT_TRUE(ds->Locate("id", std::int64_t{2}));
    EXPECT_EQ(ds->FieldByName("nota").AsString(), "curta");
    EXPECT_FALSE(ds->FieldByName("logico").AsBoolean());
    EXPECT_FALSE(ds->Locate("id", std::int64_t{3}));
    EXPECT_EQ(ds->RecNo(), 2) << "a failed locate stays put";
}

TEST_F(ConexaoTest, FailingSelectGivesNoDatasetAndTheReason) {
    auto ds = conexao_.Ab("select coluna_que_falta from act");
    EXPECT_EQ(ds, nullptr);
    EXPECT_NE(conexao_.GetUltimoErro().find("Column unknown"), std::string::npos)
        << conexao_.GetUltimoErro();
    EXPECT_NE(conexao_.GetUltimoErro().find("COLUNA_QUE_FALTA"), std::string::npos);
    auto bom = conexao_.Ab("select count(*) from act");
    ASSERT_NE(bom, nullptr);
    EXPECT_EQ(conexao_.GetUltimoErro(), "");
    EXPECT_THROW(conexao_.ValorInt("select coluna_que_falta from act"), EDatabaseError);
}

TEST_F(ConexaoTest, ProcedureOutputsComeBackAsOneRow) {
    conexao_.Exec("create procedure dobro (x integer) returns (y integer, texto varchar(10)) as"
                  " begin y = x * 2; texto = 'ok'; end");
    auto ds = conexao_.Ab("execute procedure dobro 21");
    ASSERT_NE(ds, nullptr) << conexao_.GetUltimoErro();
    EXPECT_EQ(ds->RecordCount(), 1);
    EXPECT_EQ(ds->FieldByName("y").AsInteger(), 42);
    EXPECT_EQ(ds->FieldByName("texto").AsString(), "ok");
    EXPECT_EQ(conexao_.ValorInt("execute procedure dobro 5"), 10);
    conexao_.Exec("execute procedure dobro 1");
}

TEST_F(ConexaoTest, TextsRoundTripUnchanged) {
    // Windows-1252 bytes: accents, the euro sign, quotes of both kinds.
    std::string acentos = "Ação Põe Érica Ôça ÀÉÍÓÚ àéíóú ç € ª º";
    std::string aspas = "D'ÁGUA \"FLOR\" ''dupla''";
    std::string longa(130, 'A');
    longa.replace(0, 12, "ÁGUA D'OURO ");
    ASSERT_EQ(longa.size(), 130u);
    const std::string textos[] = {acentos, aspas, longa, " com brancos  ", ""};
    int cod = 0;
    for (const std::string& t : textos) {
        conexao_.Exec("insert into prod_princ (prod_princ_cod, descr) values (" + IntToStr(++cod) +
                      ", " + QuotedStr(t) + ")");
    }
    cod = 0;
    for (const std::string& t : textos) {
        SCOPED_TRACE(Cp1252ToUtf8(t));
        std::string lido = conexao_.ValorStr("select descr from prod_princ where prod_princ_cod=" +
                                             IntToStr(++cod));
        EXPECT_EQ(lido, t);
        EXPECT_EQ(conexao_.ValorInt(
                      "select prod_princ_cod from prod_princ where prod_princ_cod > 0 and descr=" +
                      QuotedStr(t)),
                  cod);
    }
    EXPECT_THROW(conexao_.Exec("insert into prod_princ (prod_princ_cod, descr) values (99, " +
                               QuotedStr(longa + "B") + ")"),
                 EDatabaseError)
        << "a 131st character does not fit";
}

// ---- generators and gaps --------------------------------------------------------------------

TEST_F(ConexaoTest, GeneratorsCountUp) {
    EXPECT_EQ(conexao_.ProximoGenerator("EST_MOV_LOTE_G", 1), 1);
    EXPECT_EQ(conexao_.ProximoGenerator("est_mov_lote_g", 1), 2);
    EXPECT_EQ(conexao_.ProximoGenerator("EST_MOV_LOTE_G", 5), 7);
    TConexaoSQL outra;
    outra.PegarDados(banco_);
    EXPECT_EQ(outra.ProximoGenerator("EST_MOV_LOTE_G"), 8) << "generators are not transactional";
    EXPECT_THROW(conexao_.ProximoGenerator("NAO_EXISTE_G", 1), EDatabaseError);
}

TEST_F(ConexaoTest, ProximoBuracoFindsTheLowestFreeKey) {
    struct Caso {
        std::vector<int> chaves;
        std::int64_t minimo;
        std::int64_t esperado;
    } casos[] = {
        {{}, 1, 1},        {{1, 2, 3}, 1, 4},    {{1, 2, 4, 5}, 1, 3},
        {{2, 3}, 1, 1},    {{1, 3, 4, 6}, 1, 2}, {{1, 2, 3, 4, 5, 7}, 3, 6},
        {{0, 1, 2}, 0, 3}, {{5, 6}, 5, 7},       {{1, 2, 1000}, 1, 3},
    };
    for (const Caso& c : casos) {
        conexao_.Exec("delete from cli_classe");
        for (int k : c.chaves) {
            conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (" + IntToStr(k) +
                          ", 'x')");
        }
        SCOPED_TRACE(::testing::PrintToString(c.chaves) + " from " + IntToStr(c.minimo));
        EXPECT_EQ(ProximoBuraco("cli_classe", "cli_classe_cod", conexao_, c.minimo), c.esperado);
    }
    EXPECT_THROW(ProximoBuraco("tabela_nenhuma", "cod", conexao_, 1), EDatabaseError);
}

// ---- date literals --------------------------------------------------------------------------

TEST_F(ConexaoTest, DateLiteralsAreReadBackByFirebird) {
    TDateTime dia = EncodeDateTime(2024, 2, 29, 17, 30, 0, 0);
    EXPECT_EQ(DataSQLFirebird(dia), "'2024-02-29'");
    EXPECT_EQ(DataSQLFirebird(EncodeDate(2001, 1, 5)), "'2001-01-05'");

    SetClockForTesting([] { return EncodeDateTime(2025, 12, 31, 23, 59, 58, 0); });
    std::string agora = NowSQLFirebird();
    SetClockForTesting({});
    EXPECT_EQ(agora, "'2025-12-31 23:59:58'");

    conexao_.Exec("insert into trib (trib_cod, descr) values (2, 'ISENTO')");
    conexao_.Exec("insert into prod_fabr (prod_fabr_cod, nome) values (1, 'F')");
    conexao_.Exec("insert into prod (prod_cod, descr, prod_fabr_cod) values (1, 'P', 1)");
    conexao_.Exec("insert into empr (empr_cod, nome) values (1, 'E')");
    conexao_.Exec("insert into tab_preco (empr_cod, tab_preco_cod, nome) values (1, 1, 'T')");
    conexao_.Exec("insert into prod_preco (log_cod, empr_cod, prod_cod, tab_preco_cod, dt_vig,"
                  " preco) values (1, 1, 1, 1, " +
                  DataSQLFirebird(dia) + ", 1)");
    conexao_.Exec("insert into venda (empr_cod, estacao_cod, venda_cod, dt_hr) values (1, 1, 1, " +
                  agora + ")");
    EXPECT_EQ(conexao_.Ab("select dt_vig from prod_preco")->Fields(0).AsDateTime(),
              EncodeDate(2024, 2, 29));
    EXPECT_EQ(conexao_.Ab("select dt_hr from venda")->Fields(0).AsDateTime(),
              EncodeDateTime(2025, 12, 31, 23, 59, 58, 0));
}

// ---- TQ -------------------------------------------------------------------------------------

TEST_F(ConexaoTest, TQOpensAndReopensWithNewStatements) {
    conexao_.Exec("insert into cli_classe (cli_classe_cod, descr) values (1, 'NORMAL')");
    conexao_.Exec("insert into ender_rota (ender_rota_cod, descr) values (7, 'GERAL')");
    TQ q("select cli_classe_cod, descr from cli_classe", conexao_);
    EXPECT_FALSE(q.Active());
    EXPECT_THROW(q.DataSet(), EDatabaseError);
    q.Open();
    ASSERT_TRUE(q.Active());
    EXPECT_EQ(q.FieldByName("descr").AsString(), "NORMAL");

    q.Atualizar("select ender_rota_cod from ender_rota");
    EXPECT_EQ(q.SQL(), "select ender_rota_cod from ender_rota");
    EXPECT_EQ(q.Fields(0).AsInteger(), 7);
    q.Next();
    EXPECT_TRUE(q.Eof());

    conexao_.Exec("insert into ender_rota (ender_rota_cod, descr) values (8, 'NORTE')");
    q.Atualizar(q.SQL());
    EXPECT_EQ(q.DataSet().RecordCount(), 2) << "reopening reads the rows anew";

    EXPECT_THROW(q.Atualizar("select nada from ender_rota"), EDatabaseError);
    EXPECT_FALSE(q.Active());
    q.Close();
    EXPECT_FALSE(q.Active());
}

// ---- TConfig --------------------------------------------------------------------------------

TEST_F(ConexaoTest, ConfigKeysCarryThePrefix) {
    TConfig config(banco_, 0, conexao_);
    config.SetChavePrefix("TTribF.");
    EXPECT_EQ(config.LerStr("Largura", "800"), "800");
    EXPECT_FALSE(config.Existe("Largura"));
    config.GravarStr("Largura", "1024");
    config.GravarInt("Altura", 768);
    config.GravarBool("Maximizado", true);
    EXPECT_EQ(config.LerStr("Largura"), "1024");
    EXPECT_EQ(config.LerInt("Altura", 0), 768);
    EXPECT_TRUE(config.LerBool("Maximizado", false));
    EXPECT_EQ(conexao_.ValorStr("select valor from config where chave='TTribF.Largura'"), "1024");

    config.GravarStr("Largura", "640");
    EXPECT_EQ(conexao_.ValorInt("select count(*) from config where chave='TTribF.Largura'"), 1);
    EXPECT_EQ(config.LerInt("Largura", 0), 640);

    TConfig outra(banco_, 0, conexao_);
    outra.SetChavePrefix("TSubstanciaF.");
    EXPECT_EQ(outra.LerInt("Largura", 5), 5) << "another prefix is another key";
    config.GravarStr("Texto", "não é número");
    EXPECT_EQ(config.LerInt("Texto", -1), -1);
    config.Apagar("Largura");
    EXPECT_FALSE(config.Existe("Largura"));
}

TEST_F(ConexaoTest, ConfigWithACodeKeepsItsOwnValues) {
    TConfig geral(banco_, 0, conexao_);
    TConfig doFunc7(banco_, 7, conexao_);
    geral.SetChavePrefix("Tela.");
    doFunc7.SetChavePrefix("Tela.");
    geral.GravarStr("Coluna", "A");
    doFunc7.GravarStr("Coluna", "B");
    EXPECT_EQ(geral.LerStr("Coluna"), "A");
    EXPECT_EQ(doFunc7.LerStr("Coluna"), "B");
    EXPECT_EQ(doFunc7.ChaveCompleta("Coluna"), "Tela.Coluna#7");
    EXPECT_EQ(conexao_.ValorInt("select count(*) from config where chave starting with 'Tela.'"),
              2);
    // The settings other parts read with plain selects are the unprefixed, uncoded ones.
    TConfig sistema(banco_, 0, conexao_);
    sistema.GravarStr("GERTEC_USA", "S");
    EXPECT_EQ(conexao_.ValorStr("select valor from config where chave='GERTEC_USA'"), "S");
}

} // namespace
} // namespace zelt
