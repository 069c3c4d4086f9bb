// The status check, the internal operations built on it, the port, the clock and the loading of
// the maker library.
#include "EpsonFixture.h"
#include "fiscal/epson/UEcfPlugEpson.h"
#include "fiscal/epson/UInterfaceEpson.h"
#include "platform/rtl/Errors.h"

#include <cstdio>
#include <fstream>

namespace zelt {
namespace {

namespace e = ecfepson;
using Lines = std::vector<std::string>;

TPrintFlags Flags() {
    return FlagsOf(e::StatusRecord());
}

class EpsonStatus : public EpsonTest {};

TEST_F(EpsonStatus, ARefusedCommandShowsTheContextAndTheFourStateTexts) {
    PrinterState("1000000000000000", "1000000000000001", "0022",
                 "Z reduction of a previous day pending");
    bool fimPapel = true;
    ASSERT_TRUE(e::VerificaStatusImpressora(fimPapel, "EPSON_Fiscal_Pagamento( Dinheiro, 1000"));
    EXPECT_EQ(Boxes(), Lines{"EPSON_Fiscal_Pagamento( Dinheiro, 1000\r\n"
                             "szEstadoImpressora=1000000000000000\r\n"
                             "szEstadoFiscal=1000000000000001\r\n"
                             "szRetornoComando=0022\r\n"
                             "szMsgErro=Z reduction of a previous day pending"});
    EXPECT_FALSE(fimPapel);
}

TEST_F(EpsonStatus, AnEmptyContextAddsNoLineAndASuccessShowsNothing) {
    PrinterState("1000000000000000", "0000000000000000", "0030", "paper out");
    bool fimPapel = false;
    ASSERT_TRUE(e::VerificaStatusImpressora(fimPapel, ""));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("szEstadoImpressora=", 0), 0u) << Boxes()[0];

    PrinterState("1000000000000000");
    ASSERT_TRUE(e::VerificaStatusImpressora(fimPapel, "contexto"));
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(EpsonStatus, TheLibraryGetsBlankFilledTexts) {
    bool fimPapel = false;
    e::VerificaStatusImpressora(fimPapel, "");
    const std::string b16(16, ' ');
    EXPECT_EQ(Calls("EPSON_Obter_Estado_ImpressoraEX"),
              Lines{"EPSON_Obter_Estado_ImpressoraEX(\"" + b16 + "\",\"" + b16 + "\",\"    \",\"" +
                    std::string(100, ' ') + "\")"});
}

struct StateCase {
    const char* impressora;
    const char* fiscal;
    bool fimPapel;
    bool cupomAberto;
    bool gaveta;
};

class EpsonStatusFlags : public EpsonTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(EpsonStatusFlags, PaperCouponAndDrawerComeFromTheirCharacters) {
    const StateCase& c = GetParam();
    PrinterState(c.impressora, c.fiscal);
    // Flags the check does not own stay as they are.
    SetFlags(e::StatusRecord(), {TPrintFlag::pfTruncando, TPrintFlag::pfJaHouveReducaoZ});
    bool fimPapel = !c.fimPapel;
    ASSERT_TRUE(e::VerificaStatusImpressora(fimPapel, ""));
    EXPECT_EQ(fimPapel, c.fimPapel);
    EXPECT_EQ(Flags().Contains(TPrintFlag::pfFimPapel), c.fimPapel);
    EXPECT_EQ(Flags().Contains(TPrintFlag::pfCupomAberto), c.cupomAberto);
    EXPECT_EQ(e::FlagGaveta(), c.gaveta);
    EXPECT_TRUE(Flags().Contains(TPrintFlag::pfTruncando));
    EXPECT_TRUE(Flags().Contains(TPrintFlag::pfJaHouveReducaoZ));
}

INSTANTIATE_TEST_SUITE_P(
    Table, EpsonStatusFlags,
    ::testing::Values(StateCase{"1000000000000000", "1000000000000000", false, false, false},
                      StateCase{"1000000000000010", "1000000000000000", true, false, false},
                      StateCase{"1001000000000000", "1000000000000001", false, true, true},
                      // A linked receipt is not a fiscal coupon.
                      StateCase{"1000000000000000", "1000000000010002", false, false, false},
                      // Paper near its end (13) is not paper out (15).
                      StateCase{"1000000000001000", "0000000000000000", false, false, false},
                      // A short answer: the characters that are not there read as blanks.
                      StateCase{"1", "0001", false, false, false}));

TEST_F(EpsonStatus, AFailedReadChangesNoFlag) {
    PrinterState("1001000000000010", "1000000000000001");
    bool fimPapel = false;
    ASSERT_TRUE(e::VerificaStatusImpressora(fimPapel, ""));
    ASSERT_TRUE(Flags().Contains(TPrintFlag::pfFimPapel));
    ASSERT_TRUE(Flags().Contains(TPrintFlag::pfCupomAberto));
    ASSERT_TRUE(e::FlagGaveta());

    PrinterState("1000000000000000", "1000000000000000", "0022", "pending");
    Return("EPSON_Obter_Estado_ImpressoraEX", 1);
    bool outro = false;
    EXPECT_FALSE(e::VerificaStatusImpressora(outro, "contexto"));
    EXPECT_FALSE(outro);
    EXPECT_TRUE(Flags().Contains(TPrintFlag::pfFimPapel));
    EXPECT_TRUE(Flags().Contains(TPrintFlag::pfCupomAberto));
    EXPECT_TRUE(e::FlagGaveta());
    EXPECT_TRUE(Boxes().empty());
    // The operations that read the state answer "no" rather than a stale yes.
    EXPECT_FALSE(e::CupomAberto());
    EXPECT_FALSE(e::GavetaAberta());
    EXPECT_TRUE(e::SemPapel());
}

TEST_F(EpsonStatus, PaperFlagOfTheOwnOperationsFollowsTheReads) {
    PrinterState("1000000000000010");
    EXPECT_TRUE(e::SemPapel());
    EXPECT_TRUE(e::FlagFimPapel());
    PrinterState("1000000000000000");
    EXPECT_FALSE(e::SemPapel());
    EXPECT_FALSE(e::FlagFimPapel());
}

TEST_F(EpsonStatus, ImpressoraOkNamesWhatIsWrong) {
    EXPECT_TRUE(e::ImpressoraOk());
    EXPECT_TRUE(Boxes().empty());

    PrinterState("1000000000000010");
    EXPECT_FALSE(e::ImpressoraOk());
    EXPECT_EQ(Boxes(), Lines{"impressora ok=sem papel"});

    Return("EPSON_Obter_Estado_Impressora", 1);
    EXPECT_FALSE(e::ImpressoraOk());
    EXPECT_EQ(Boxes().back(), "impressora ok=desligada");
}

struct LigadaCase {
    int rc;
    const char* answer;
    bool ligada;
};

class EpsonLigada : public EpsonTest, public ::testing::WithParamInterface<LigadaCase> {};

TEST_P(EpsonLigada, AnswersAndCodes) {
    Return("EPSON_Obter_Estado_Impressora", GetParam().rc);
    Answer("EPSON_Obter_Estado_Impressora", GetParam().answer);
    EXPECT_EQ(e::ImpressoraLigada(), GetParam().ligada);
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonLigada,
                         ::testing::Values(LigadaCase{0, "100000000000000000000000", true},
                                           LigadaCase{1, "100000000000000000000000", false},
                                           LigadaCase{0, "1", false}, LigadaCase{0, "", false}));

struct JornadaCase {
    int rc;
    char aberta; // character 65
    bool abre;
};

class EpsonDayCheck : public EpsonTest, public ::testing::WithParamInterface<JornadaCase> {};

TEST_P(EpsonDayCheck, OpensTheDayOnlyWhenTheDataSayItIsClosed) {
    std::string dados(72, '0');
    dados[64] = GetParam().aberta;
    Answer("EPSON_Obter_Dados_Jornada", dados);
    Return("EPSON_Obter_Dados_Jornada", GetParam().rc);
    e::GarantirJornadaAberta();
    EXPECT_EQ(Calls("EPSON_RelatorioFiscal_Abrir_Jornada").size(), GetParam().abre ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonDayCheck,
                         ::testing::Values(JornadaCase{0, '0', true}, JornadaCase{0, '1', false},
                                           JornadaCase{1, '0', false}, JornadaCase{0, ' ', false}));

struct ContadoresCase {
    std::string answer;
    int coo;
    int ccf;
};

class EpsonCounters : public EpsonTest, public ::testing::WithParamInterface<ContadoresCase> {};

TEST_P(EpsonCounters, CooFromOneToSixCcfFromFortyThreeToFortyEight) {
    Answer("EPSON_Obter_Contadores", GetParam().answer);
    int coo = -1;
    int ccf = -1;
    ASSERT_TRUE(e::RetornaContadores(coo, ccf));
    EXPECT_EQ(coo, GetParam().coo);
    EXPECT_EQ(ccf, GetParam().ccf);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EpsonCounters,
    ::testing::Values(
        ContadoresCase{"000042" + std::string(36, '0') + "000017" + std::string(53, '0'), 42, 17},
        ContadoresCase{"999999" + std::string(36, '9') + "999999", 999999, 999999},
        // A short answer has no CCF.
        ContadoresCase{"000042", 42, 0}, ContadoresCase{"", 0, 0},
        // Garbage keeps only its digits.
        ContadoresCase{"0a1b2c" + std::string(36, 'x') + "--7--8", 12, 78}));

TEST_F(EpsonStatus, CountersThatCannotBeReadGoThroughTheStatusCheck) {
    Return("EPSON_Obter_Contadores", 1);
    PrinterState("1000000000000000", "1000000000000000", "0001", "sem resposta");
    int coo = 5;
    int ccf = 5;
    EXPECT_FALSE(e::RetornaContadores(coo, ccf));
    EXPECT_EQ(coo, 5);
    EXPECT_EQ(ccf, 0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("function RetornaContadores(out pCOO, pCCF: Integer): Boolean\r\n"
                               "EPSON_Obter_Contadores",
                               0),
              0u)
        << Boxes()[0];
}

TEST_F(EpsonStatus, AbrirPortaShowsItsContextWhenRefused) {
    EXPECT_TRUE(e::AbrirPorta());
    EXPECT_EQ(Calls("EPSON_Obter_Estado_ImpressoraEX").size(), 0u);

    Return("EPSON_Serial_Abrir_PortaEX", 1);
    PrinterState("0000000000000000", "0000000000000000", "0001", "porta");
    EXPECT_FALSE(e::AbrirPorta());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("EPSON_Serial_Abrir_PortaEX;\r\nszEstadoImpressora=", 0), 0u);

    e::FecharPorta();
    e::AberturaDoDia();
    EXPECT_EQ(Calls("EPSON_Serial_Fechar_Porta").size(), 1u);
    EXPECT_EQ(Calls("EPSON_RelatorioFiscal_Abrir_Jornada").size(), 1u);
}

TEST_F(EpsonStatus, TheClockReadsDateThenTime) {
    TDateTime dt = 1;
    ASSERT_TRUE(e::DataHoraImpr(dt));
    EXPECT_EQ(dt, EncodeDateTime(2026, 12, 11, 10, 30, 5, 0));

    Return("EPSON_Obter_Hora_Relogio", 1);
    EXPECT_FALSE(e::DataHoraImpr(dt));
    EXPECT_EQ(dt, 0);

    Return("EPSON_Obter_Hora_Relogio", 0);
    Answer("EPSON_Obter_Hora_Relogio", "31022026103005");
    EXPECT_THROW(e::DataHoraImpr(dt), EConvertError);
}

TEST_F(EpsonStatus, AMissingLibraryIsToldOnceAndEveryCallFails) {
    UseLibraryFolder("/nonexistent/zelt-epson/");
    EXPECT_THROW(e::ImpressoraLigada(), e::EEpsonIndisponivel);
    EXPECT_THROW(e::AbrirPorta(), e::EEpsonIndisponivel);
    const Lines boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Não foi possível carregar a biblioteca da impressora Epson\r\n"
                             "/nonexistent/zelt-epson/libInterfaceEpson.so\r\n",
                             0),
              0u)
        << boxes[0];
}

TEST_F(EpsonStatus, AMissingFunctionIsNamedAndTheOthersStillWork) {
    UseLibraryFolder(BinDir() + "fake_epson_without_sale/");
    EXPECT_TRUE(e::ImpressoraLigada());
    EXPECT_THROW(e::ImprimirItem("1", "Item", "1800", "1", "1,00", "", "", "", "UN"),
                 e::EEpsonIndisponivel);
    const Lines boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("não tem as funções:\r\nEPSON_Fiscal_Vender_Item"), std::string::npos)
        << boxes[0];
}

TEST_F(EpsonStatus, TheLibraryFolderComesFromTheEnvironmentThenTheIniThenThePlugInFolder) {
    setenv(e::InterfaceEpsonDirEnv, "/tmp/zelt-epson-lib", 1);
    EXPECT_EQ(e::TInterfaceEpson::PastaBiblioteca(), "/tmp/zelt-epson-lib/");

    unsetenv(e::InterfaceEpsonDirEnv);
    EXPECT_EQ(e::TInterfaceEpson::PastaBiblioteca(), e::TInterfaceEpson::PastaPlugin());

    // The INI file beside the plug-in sends it to the stand-in library.
    const std::string ini = e::TInterfaceEpson::PastaPlugin() + e::EpsonPluginIniName;
    std::ofstream(ini, std::ios::binary)
        << "[interfaceepson]\r\npasta = " << BinDir() << "fake_epson\r\n";
    const std::string pasta = e::TInterfaceEpson::PastaBiblioteca();
    e::TInterfaceEpson::Instance().Descarregar();
    const bool ligada = e::ImpressoraLigada();
    std::remove(ini.c_str());
    EXPECT_EQ(pasta, BinDir() + "fake_epson/");
    EXPECT_TRUE(ligada);
    EXPECT_EQ(Calls("EPSON_Obter_Estado_Impressora").size(), 1u);
}

} // namespace
} // namespace zelt
