// Documents and the drawer sensor through the maker library, here our emulator of it: what the
// printer received is read from its call journal, what it printed from its paper tape.
#include "BematechFixture.h"
#include "zelt/bematech.h"

namespace zelt {
namespace {

const std::string kCut = std::string(20, '-') + " corte " + std::string(21, '-') + "\n";
const char* const kPort = "/dev/ttyS0";

class PrintTest : public BematechTest {};

TEST_F(PrintTest, PrintsTextFeedLinesAndCuts) {
    ASSERT_TRUE(ImprDoc(kPort, 5, "LINHA 1\r\nAÇÚCAR 2", 2, true)) << LastError();
    EXPECT_EQ(
        Journal(),
        (Lines{"ConfiguraModeloImpressora(5)", "IniciaPorta(\"/dev/ttyS0\")",
               "FormataTX(\"LINHA 1\\r\\nAÇÚCAR 2\",3,0,0,0,0)", "FormataTX(\" \\r\\n\",3,0,0,0,0)",
               "FormataTX(\" \\r\\n\",3,0,0,0,0)", "ComandoTX(\"1B 6D\",2)", "FechaPorta()"}));
    EXPECT_EQ(Tape(), "LINHA 1\nAÇÚCAR 2 \n \n" + kCut);
    EXPECT_TRUE(Boxes().empty());
    // The port is closed again: nothing is kept between calls.
    EXPECT_NE(State().find("Aberta=0"), std::string::npos) << State();
}

struct LetterCase {
    int model;
    int letter;
};

class LetterTypeTest : public BematechTest, public ::testing::WithParamInterface<LetterCase> {};

TEST_P(LetterTypeTest, Model8PrintsWithType2OthersWith3FeedAlways3) {
    ASSERT_TRUE(ImprDoc(kPort, GetParam().model, "X\r\n", 1, false));
    const Lines journal = Journal();
    ASSERT_EQ(journal.size(), 5u);
    EXPECT_EQ(journal[0], "ConfiguraModeloImpressora(" + std::to_string(GetParam().model) + ")");
    EXPECT_EQ(journal[2],
              "FormataTX(\"X\\r\\n\"," + std::to_string(GetParam().letter) + ",0,0,0,0)");
    EXPECT_EQ(journal[3], "FormataTX(\" \\r\\n\",3,0,0,0,0)");
}

INSTANTIATE_TEST_SUITE_P(Models, LetterTypeTest,
                         ::testing::Values(LetterCase{8, 2}, LetterCase{0, 3}, LetterCase{7, 3},
                                           LetterCase{9, 3}, LetterCase{-8, 3}));

class OnlyTextTest : public BematechTest, public ::testing::WithParamInterface<int> {};

TEST_P(OnlyTextTest, NoFeedLinesAndNoCutSendOnlyTheText) {
    ASSERT_TRUE(ImprDoc(kPort, 1, "TOTAL 10,00\r\n", GetParam(), false));
    EXPECT_EQ(Journal(), (Lines{"ConfiguraModeloImpressora(1)", "IniciaPorta(\"/dev/ttyS0\")",
                                "FormataTX(\"TOTAL 10,00\\r\\n\",3,0,0,0,0)", "FechaPorta()"}));
    EXPECT_EQ(Tape(), "TOTAL 10,00\n");
}

INSTANTIATE_TEST_SUITE_P(FeedCounts, OnlyTextTest, ::testing::Values(0, -1, -100));

TEST_F(PrintTest, ANullTextPrintsAnEmptyText) {
    ASSERT_TRUE(ImprDoc(kPort, 1, nullptr, 0, true));
    EXPECT_EQ(Journal()[2], "FormataTX(\"\",3,0,0,0,0)");
    EXPECT_EQ(Tape(), kCut);
}

struct RefusedCase {
    const char* name;
    const char* faults;
    const char* box;
};

class PortRefusedTest : public BematechTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(PortRefusedTest, ImprDocShowsTheMessageAndSendsNothing) {
    WriteFaults(GetParam().faults);
    EXPECT_FALSE(ImprDoc(kPort, 5, "TEXTO", 3, true));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{GetParam().box}));
    EXPECT_EQ(Journal(), (Lines{"ConfiguraModeloImpressora(5)", "IniciaPorta(\"/dev/ttyS0\")"}));
    EXPECT_EQ(Tape(), "");
    EXPECT_EQ(LastError(), "");
}

TEST_P(PortRefusedTest, GetGavetaStatusAnswersFalseAndLeavesStatusEmpty) {
    WriteFaults(GetParam().faults);
    WriteState("[Gaveta]\nAberta=1\n");
    const char* status = "untouched";
    EXPECT_FALSE(GetGavetaStatus(&status, kPort, 5));
    ASSERT_NE(status, nullptr);
    EXPECT_STREQ(status, "");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{GetParam().box}));
    EXPECT_EQ(Journal(), (Lines{"ConfiguraModeloImpressora(5)", "IniciaPorta(\"/dev/ttyS0\")"}));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PortRefusedTest,
    ::testing::Values(RefusedCase{"PrinterOff", "[Printer]\nOff=1\n",
                                  "DLL da Bemantech retornou retornou erro ao executar "
                                  "IniciaPorta(/dev/ttyS0) retorno=0"},
                      RefusedCase{"Refused", "[Refuse]\nIniciaPorta=-4\n",
                                  "DLL da Bemantech retornou retornou erro ao executar "
                                  "IniciaPorta(/dev/ttyS0) retorno=-4"}),
    [](const auto& info) { return std::string(info.param.name); });

// Results of the printing calls are not looked at: out of paper, the document is still "done".
TEST_F(PrintTest, PaperOutIsNotNoticed) {
    WriteFaults("[Printer]\nPaperOut=1\n");
    EXPECT_TRUE(ImprDoc(kPort, 5, "TEXTO\r\n", 1, true));
    EXPECT_EQ(Journal().back(), "FechaPorta()");
    EXPECT_EQ(Tape(), kCut);
    EXPECT_TRUE(Boxes().empty());
}

struct DrawerCase {
    const char* state;
    const char* status;
};

class DrawerStatusTest : public BematechTest, public ::testing::WithParamInterface<DrawerCase> {};

TEST_P(DrawerStatusTest, ReadsTheSensorAndClosesThePort) {
    WriteState(GetParam().state);
    const char* status = nullptr;
    ASSERT_TRUE(GetGavetaStatus(&status, "/dev/usb/lp0", 3)) << LastError();
    EXPECT_STREQ(status, GetParam().status);
    EXPECT_EQ(Journal(), (Lines{"ConfiguraModeloImpressora(3)", "IniciaPorta(\"/dev/usb/lp0\")",
                                "Le_Status_Gaveta()", "FechaPorta()"}));
    EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Sensor, DrawerStatusTest,
                         ::testing::Values(DrawerCase{"[Gaveta]\nAberta=1\n", "S"},
                                           DrawerCase{"[Gaveta]\nAberta=0\n", "N"},
                                           DrawerCase{"", "N"}));

TEST_F(PrintTest, GetGavetaStatusTakesANullStatus) {
    WriteState("[Gaveta]\nAberta=1\n");
    EXPECT_TRUE(GetGavetaStatus(nullptr, kPort, 3));
}

} // namespace
} // namespace zelt
