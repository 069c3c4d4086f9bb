// The fiscal day: its opening, the pending reduction of a past day, the Z once a day and the
// last Z data, all under the fixed printer clock.
#include "tests/printers_epson/EpsonFixture.h"

#include <filesystem>
#include <string>

namespace zelt::test {

namespace {

class EpsonEmuDayTest : public EpsonTest {
protected:
    std::string ReductionZ(int expected = 0) const {
        GuardedBuffer crz(6);
        EXPECT_EQ(E().RelatorioFiscal_RZ("", "", 2, crz.data()), expected);
        EXPECT_TRUE(crz.GuardIntact());
        return crz.Text();
    }
    std::string LastZ() const {
        GuardedBuffer b(1168);
        EXPECT_EQ(E().Obter_Dados_Ultima_RZ(b.data()), 0);
        EXPECT_TRUE(b.GuardIntact());
        return b.Text();
    }
};

TEST_F(EpsonEmuDayTest, OpeningTheDayIsOneDocumentAndTheDayDataShowIt) {
    const std::string before = DayData();
    EXPECT_EQ(before.substr(64, 3), "000");
    EXPECT_EQ(before.substr(0, 14), std::string(14, '0'));
    OpenDay();
    OpenDay();
    EXPECT_EQ(Coo(), 1) << "a second opening of an open day prints nothing";
    const std::string day = DayData();
    EXPECT_EQ(day.substr(0, 14), "11122026100000");
    EXPECT_EQ(day.substr(20, 6), "000001") << "COO of the opening";
    EXPECT_EQ(day.substr(64, 3), "100");
    EXPECT_EQ(Status().fiscal.substr(0, 3), "100");
    EXPECT_NE(Tape().find("ABERTURA DE JORNADA FISCAL"), std::string::npos);
}

TEST_F(EpsonEmuDayTest, ADayOpenOnAPastDateIsPendingAndOnlyTheReductionClearsIt) {
    OpenDay();
    SellSimpleCoupon();
    FixClock("12/12/2026 08:00:00");
    EXPECT_EQ(DayData().substr(64, 2), "11");
    EXPECT_EQ(Status().fiscal.substr(0, 3), "110");
    EXPECT_EQ(E().RelatorioFiscal_Abrir_Jornada(), 22);
    EXPECT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 1), 22);
    EXPECT_EQ(E().NaoFiscal_Sangria("100", 2), 22);
    EXPECT_EQ(E().NaoFiscal_Abrir_Relatorio_Gerencial("1"), 22);
    EXPECT_EQ(E().RelatorioFiscal_LeituraX(), 0) << "a reading is still allowed";

    EXPECT_EQ(ReductionZ(), "000001");
    const std::string z = LastZ();
    EXPECT_EQ(z.substr(0, 14), "12122026080000");
    EXPECT_EQ(z.substr(32, 8), "11122026") << "the movement date is the pending day's";
    EXPECT_EQ(DayData().substr(64, 3), "000") << "today is still free for a day of its own";
    OpenDay();
    SellSimpleCoupon();
    EXPECT_EQ(DayData().substr(0, 8), "12122026");
}

TEST_F(EpsonEmuDayTest, TheReductionIsOnceADay) {
    OpenDay();
    SellSimpleCoupon();
    EXPECT_EQ(ReductionZ(), "000001");
    EXPECT_EQ(DayData().substr(64, 3), "001");
    EXPECT_EQ(ReductionZ(21), "") << "a refused reduction writes no counter";
    EXPECT_EQ(E().RelatorioFiscal_Abrir_Jornada(), 21);
    EXPECT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 1), 21);
    EXPECT_EQ(Counters().substr(24, 6), "000001") << "CRZ";

    FixClock("12/12/2026 00:00:01");
    OpenDay();
    SellSimpleCoupon();
    EXPECT_EQ(ReductionZ(), "000002");
}

TEST_F(EpsonEmuDayTest, ACouponLeftOpenIntoTheNextDayTakesOnlyItsCancellation) {
    OpenDay();
    OpenCoupon();
    SellItem();
    FixClock("12/12/2026 09:00:00");
    EXPECT_EQ(E().Fiscal_Vender_Item("1", "X", "1000", 3, "UN", "100", 2, "1800", 1), 22);
    EXPECT_EQ(E().Fiscal_Pagamento("Dinheiro", "1000", 2, "", ""), 22);
    EXPECT_EQ(ReductionZ(10), "") << "the reduction does not cancel the coupon itself";
    ASSERT_EQ(E().Fiscal_Cancelar_Cupom(), 0);
    EXPECT_EQ(ReductionZ(), "000001");
}

TEST_F(EpsonEmuDayTest, LastZDataCarryTheDaysFiguresAtTheirPositions) {
    GuardedBuffer none(1168, ' ');
    EXPECT_EQ(E().Obter_Dados_Ultima_RZ(none.data()), 29);
    EXPECT_EQ(none.Text(), std::string(1168, ' ')) << "a refused query writes nothing";

    OpenDay();
    OpenCoupon();
    SellItem("2000", "1250", "1800");
    SellItem("1000", "500", "1200");
    ASSERT_EQ(E().Fiscal_Cancelar_Item("2"), 0);
    PayAndClose("Dinheiro", "2500");
    FixClock("11/12/2026 22:30:15");
    const std::string crz = ReductionZ();
    const std::string z = LastZ();
    ASSERT_EQ(z.size(), 1168u);
    EXPECT_EQ(z.substr(0, 14), "11122026223015");
    EXPECT_EQ(z.substr(14, 6), crz);
    EXPECT_EQ(std::stoi(z.substr(20, 6)), Coo()) << "the reduction's own COO";
    EXPECT_EQ(z.substr(26, 6), "000001") << "CRO";
    EXPECT_EQ(z.substr(32, 8), "11122026");
    EXPECT_EQ(std::stoll(z.substr(40, 18)), 2500) << "grand total";
    EXPECT_EQ(std::stoll(z.substr(58, 18)), 2500) << "gross sales";
    EXPECT_EQ(std::stoll(z.substr(76, 18)), 500) << "cancelled item";
    EXPECT_EQ(z.substr(130, 22), "T1800" + std::string(13, '0') + "2500");
    EXPECT_EQ(z.substr(152, 22), "T1200" + std::string(17, '0'));
    EXPECT_EQ(z.substr(658), std::string(510, ' '));

    const std::string file = Path("reports/RZ_" + crz + ".TXT");
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_NE(FileText(file).find("REDUCAO Z"), std::string::npos);
    EXPECT_NE(Tape().find(FileText(file)), std::string::npos) << "the file is what was printed";
}

TEST_F(EpsonEmuDayTest, ReadingsAndReductionWaitForTheOpenDocument) {
    OpenDay();
    ASSERT_EQ(E().NaoFiscal_Abrir_Relatorio_Gerencial("1"), 0);
    EXPECT_EQ(E().RelatorioFiscal_LeituraX(), 10);
    EXPECT_EQ(ReductionZ(10), "");
    EXPECT_EQ(E().RelatorioFiscal_Abrir_Jornada(), 10);
    ASSERT_EQ(E().NaoFiscal_Fechar_Relatorio_Gerencial(1), 0);
    const int coo = Coo();
    EXPECT_EQ(E().RelatorioFiscal_LeituraX(), 0);
    EXPECT_EQ(Coo(), coo + 1);
    EXPECT_NE(Tape().find("LEITURA X"), std::string::npos);
}

TEST_F(EpsonEmuDayTest, ClockQueryGivesThePrintersMoment) {
    FixClock("01/01/1980 23:59:58");
    GuardedBuffer b(16);
    ASSERT_EQ(E().Obter_Hora_Relogio(b.data()), 0);
    EXPECT_EQ(b.Text(), "01011980235958");
    EXPECT_TRUE(b.GuardIntact());
}

} // namespace

} // namespace zelt::test
