// The fiscal day by the printer's clock: X reading, the Z reduction once a day and its window,
// the pending reduction of a day left open, and the state surviving a restart.
#include "tests/printers_daruma/DarumaFixture.h"

#include <ctime>
#include <filesystem>
#include <fstream>

namespace zelt::test {
namespace {

using Day = DarumaTest;

TEST_F(Day, ReductionClosesTheDayAndIsRefusedAgainTheSameDay) {
    FixClock("11/12/2026 09:00:00");
    SellSimpleCoupon();
    FixClock("11/12/2026 22:00:00");
    ASSERT_EQ(D().iReducaoZ(" ", " "), 1);
    EXPECT_EQ(StateValue("Contadores", "CRZ"), "1");
    EXPECT_EQ(StateValue("MemoriaFiscal.1", "Bruta"), "1000");
    EXPECT_EQ(StateValue("MemoriaFiscal.1", "Movimento"), "11/12/2026");
    EXPECT_EQ(StateValue("Dia", "Bruta"), "0");
    EXPECT_EQ(StatusItem(7), 1);
    EXPECT_NE(Tape().find("REDUÇÃO Z"), std::string::npos);

    // Fiscal documents and a second reduction wait for midnight.
    EXPECT_EQ(D().iReducaoZ(" ", " "), 22);
    EXPECT_EQ(LastError(), 22);
    EXPECT_EQ(D().iCFAbrirPadrao(), 22);
    EXPECT_EQ(D().iSangria("1,00", nullptr), 22);
    EXPECT_EQ(D().iRGAbrir(nullptr), 22);
    EXPECT_EQ(D().iLeituraX(), 22);
    EXPECT_EQ(StateValue("Contadores", "CRZ"), "1");

    // After midnight a new day begins, but no reduction before 02:00.
    FixClock("12/12/2026 00:30:00");
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFCancelar(), 1);
    EXPECT_EQ(D().iReducaoZ(" ", " "), 181);
    EXPECT_EQ(LastError(), 181);
    FixClock("12/12/2026 01:59:59");
    EXPECT_EQ(D().iReducaoZ(" ", " "), 181);
    FixClock("12/12/2026 02:00:00");
    EXPECT_EQ(D().iReducaoZ(" ", " "), 1);
    EXPECT_EQ(StateValue("MemoriaFiscal.2", "Movimento"), "12/12/2026");
}

TEST_F(Day, ADayLeftOpenIsPendingFromTwoInTheMorningOfTheNextDay) {
    FixClock("11/12/2026 20:00:00");
    SellSimpleCoupon();
    EXPECT_EQ(PendingZ(), "0");
    // Until 02:00 the movement still belongs to the open day.
    FixClock("12/12/2026 01:30:00");
    EXPECT_EQ(PendingZ(), "0");
    ASSERT_EQ(D().iSuprimento("5,00", nullptr), 1);
    EXPECT_EQ(StateValue("Dia", "Data"), "11/12/2026");

    FixClock("12/12/2026 08:00:00");
    EXPECT_EQ(PendingZ(), "1");
    EXPECT_EQ(StatusItem(6), 1);
    EXPECT_EQ(D().iCFAbrirPadrao(), 23);
    EXPECT_EQ(D().iSangria("1,00", nullptr), 23);
    int e = 0, w = 0;
    char error[5] = {}, warning[5] = {};
    EXPECT_EQ(D().rStatusUltimoCmd(error, warning, &e, &w), -1);
    EXPECT_STREQ(error, "023");
    EXPECT_STREQ(warning, "002");
    EXPECT_EQ(w, 2);
    // The X reading is still allowed, and the reduction takes the open day's date.
    EXPECT_EQ(D().iLeituraX(), 1);
    ASSERT_EQ(D().iReducaoZ(" ", " "), 1);
    EXPECT_EQ(StateValue("MemoriaFiscal.1", "Movimento"), "11/12/2026");
    EXPECT_EQ(StateValue("MemoriaFiscal.1", "Suprimentos"), "500");
    EXPECT_EQ(PendingZ(), "0");
    // The reduction of yesterday's movement does not close today.
    EXPECT_EQ(D().iCFAbrirPadrao(), 1);
}

TEST_F(Day, ACouponLeftOpenOvernightCanOnlyBeCancelledBeforeTheReduction) {
    FixClock("11/12/2026 23:00:00");
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("FF", "1,0", "5,00", "D$", "0,00", "1", "UN", "A"), 1);
    FixClock("12/12/2026 08:00:00");
    EXPECT_EQ(PendingZ(), "1");
    EXPECT_EQ(D().iCFVender("FF", "1,0", "5,00", "D$", "0,00", "2", "UN", "B"), 23);
    EXPECT_EQ(D().iCFTotalizarCupom("D$", "0,00"), 23);
    EXPECT_EQ(D().iReducaoZ(" ", " "), 10);
    ASSERT_EQ(D().iCFCancelar(), 1);
    ASSERT_EQ(D().iReducaoZ(" ", " "), 1);
    EXPECT_EQ(StateValue("MemoriaFiscal.1", "Movimento"), "11/12/2026");
    EXPECT_EQ(StateValue("MemoriaFiscal.1", "Cancelamentos"), "500");
}

TEST_F(Day, TheLastCouponOfAPendingDayCannotBeCancelled) {
    FixClock("11/12/2026 20:00:00");
    SellSimpleCoupon();
    FixClock("12/12/2026 08:00:00");
    EXPECT_EQ(D().iCFCancelar(), 23);
}

TEST_F(Day, ReductionWithADocumentOpenIsRefusedAndCancelRecoversIt) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    EXPECT_EQ(D().iReducaoZ(" ", " "), 10);
    EXPECT_EQ(D().iLeituraX(), 10);
    ASSERT_EQ(D().iCFCancelar(), 1);
    EXPECT_EQ(D().iReducaoZ(" ", " "), 1);
}

TEST_F(Day, XReadingPrintsTheDayTotalsWithAnOwnCoo) {
    SellSimpleCoupon("Dinheiro", "10,00");
    ASSERT_EQ(D().iSangria("2,50", nullptr), 1);
    ASSERT_EQ(D().iLeituraX(), 1);
    EXPECT_EQ(Coo(), "000003");
    const std::string tape = Tape();
    const std::size_t x = tape.find("LEITURA X");
    ASSERT_NE(x, std::string::npos);
    EXPECT_NE(tape.find("VENDA BRUTA DIARIA" + std::string(25, ' ') + "10,00", x),
              std::string::npos);
    EXPECT_NE(tape.find("SANGRIA" + std::string(37, ' ') + "2,50", x), std::string::npos);
}

TEST_F(Day, PrinterClockAnswersTheFixedOrShiftedTime) {
    FixClock("05/01/2027 07:08:09");
    char date[9] = {}, time[7] = {};
    ASSERT_EQ(D().rDataHoraImpressora(date, time), 1);
    EXPECT_STREQ(date, "05012027");
    EXPECT_STREQ(time, "070809");
    char info[3001] = {};
    ASSERT_EQ(D().rRetornarInformacao("172", info), 1);
    EXPECT_STREQ(info, "05012027070809");

    // An offset of a day ahead of local time.
    WriteFaults("[Clock]\nOffset=86400\n");
    ASSERT_EQ(D().rDataHoraImpressora(date, time), 1);
    const std::time_t tomorrow = std::time(nullptr) + 86400;
    std::tm tm{};
    localtime_r(&tomorrow, &tm);
    char expected[9];
    std::strftime(expected, sizeof expected, "%d%m%Y", &tm);
    EXPECT_STREQ(date, expected);
}

TEST_F(Day, StateSurvivesARestartOfTheLibraryMidCoupon) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("FF", "1,0", "4,00", "D$", "0,00", "1", "UN", "A"), 1);
    ASSERT_EQ(D().iCFVender("FF", "1,0", "6,00", "D$", "0,00", "2", "UN", "B"), 1);
    Reload();
    EXPECT_EQ(CouponStatus(), 1);
    EXPECT_EQ(Coo(), "000001");
    ASSERT_EQ(D().iCFCancelarItem("1"), 1);
    ASSERT_EQ(D().iCFTotalizarCupom("D$", "0,00"), 1);
    Reload();
    EXPECT_EQ(CouponStatus(), 2);
    EXPECT_EQ(D().iCFEfetuarPagamento("Dinheiro", "5,99", nullptr), 1);
    EXPECT_EQ(CouponStatus(), 3);
    EXPECT_EQ(D().iCFEfetuarPagamento("Dinheiro", "0,01", nullptr), 1);
    EXPECT_EQ(CouponStatus(), 4);
    ASSERT_EQ(D().iCFEncerrar("0", ""), 1);
    EXPECT_EQ(StateValue("Dia", "Bruta"), "600");
    // Saved whole under a temporary name and renamed: no temporary is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST_F(Day, FilesInFoldersThatDoNotExistYetAreCreated) {
    setenv("ZELT_DARUMA_STATE", Path("new/deeper/state.ini").c_str(), 1);
    setenv("ZELT_DARUMA_TAPE", Path("paper/tape.txt").c_str(), 1);
    setenv("ZELT_DARUMA_JOURNAL", Path("log/journal.txt").c_str(), 1);
    SellSimpleCoupon();
    EXPECT_TRUE(std::filesystem::exists(Path("new/deeper/state.ini")));
    EXPECT_TRUE(std::filesystem::exists(Path("new/deeper/state.ini.mfd")));
    EXPECT_NE(FileText(Path("paper/tape.txt")).find("CUPOM FISCAL"), std::string::npos);
    EXPECT_NE(FileText(Path("log/journal.txt")).find("iCFEncerrar_ECF_Daruma"), std::string::npos);
}

TEST_F(Day, ADamagedStateFileStartsFromWhatCanBeRead) {
    std::ofstream(Path("state.ini")) << "[Contadores]\nCOO=41\nCCF=oops\n\x01\x02garbage\n[Dia\n";
    EXPECT_EQ(Coo(), "000041");
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    EXPECT_EQ(Coo(), "000042");
    EXPECT_EQ(StateValue("Contadores", "CCF"), "1");
}

} // namespace
} // namespace zelt::test
