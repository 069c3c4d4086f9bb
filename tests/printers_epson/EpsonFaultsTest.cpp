// Injected faults, the status query's view of them, restarts and the call journal.
#include "platform/rtl/IniFile.h"
#include "tests/printers_epson/EpsonFixture.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace zelt::test {

namespace {

class EpsonEmuFaultsTest : public EpsonTest {};

TEST_F(EpsonEmuFaultsTest, APrinterThatIsOffAnswersNothingAndChangesNothing) {
    OpenDay();
    const std::string counters = Counters();
    const std::string tape = Tape();
    AddFaults("[Printer]\nOff=1\n");
    GuardedBuffer p(16, ' '), f(16, ' '), c(4, ' '), m(100, ' ');
    EXPECT_EQ(E().Obter_Estado_ImpressoraEX(p.data(), f.data(), c.data(), m.data()), 1);
    EXPECT_EQ(p.Text(), std::string(16, ' ')) << "the status texts stay as passed";
    EXPECT_EQ(c.Text(), "    ");
    GuardedBuffer state(24);
    EXPECT_EQ(E().Obter_Estado_Impressora(state.data()), 1);
    EXPECT_EQ(state.Text(), "");
    EXPECT_EQ(E().Serial_Abrir_PortaEX(), 1);
    EXPECT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 1), 1);
    EXPECT_EQ(E().RelatorioFiscal_LeituraX(), 1);
    EXPECT_EQ(E().Impressora_Abrir_Gaveta(), 1);
    AddFaults("");
    EXPECT_EQ(Counters(), counters);
    EXPECT_EQ(Tape(), tape);
    EXPECT_EQ(CommandReturn(), "0000") << "calls that never reached the printer set no code";
    const auto lines = JournalLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "EPSON_RelatorioFiscal_LeituraX()"),
              lines.end())
        << "calls to a printer that is off are journaled too";
}

TEST_F(EpsonEmuFaultsTest, PaperOutStopsPrintingButNotQueries) {
    OpenDay();
    AddFaults("[Printer]\nPaperOut=1\nPaperLow=1\n");
    EXPECT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 1), 30);
    const EpsonStatus s = Status();
    EXPECT_EQ(s.printer, "1000000000001010");
    EXPECT_EQ(s.command, "0030");
    EXPECT_EQ(s.message, "Sem papel");
    EXPECT_EQ(E().Impressora_Abrir_Gaveta(), 0) << "the drawer does not need paper";
    EXPECT_EQ(Ccf(), 0);
    AddFaults("");
    OpenCoupon();
    EXPECT_EQ(CommandReturn(), "0000");
    EXPECT_EQ(Status().printer, "1001000000000000") << "only the drawer is still open";
}

TEST_F(EpsonEmuFaultsTest, ARefusalIsUsedOnceAndReportedByTheStatusQuery) {
    OpenDay();
    OpenCoupon();
    AddFaults("[Refuse]\nEPSON_Fiscal_Vender_Item=77\n");
    EXPECT_EQ(E().Fiscal_Vender_Item("1", "X", "1000", 3, "UN", "100", 2, "1800", 1), 77);
    const EpsonStatus s = Status();
    EXPECT_EQ(s.command, "0077");
    EXPECT_EQ(s.message, "Erro 77");
    EXPECT_FALSE(TIniFile(faults_).ValueExists("Refuse", "EPSON_Fiscal_Vender_Item"));
    EXPECT_EQ(E().Fiscal_Vender_Item("1", "X", "1000", 3, "UN", "100", 2, "1800", 1), 0);
}

TEST_F(EpsonEmuFaultsTest, TheStatusQueryDoesNotBecomeTheLastCall) {
    OpenDay();
    EXPECT_EQ(E().Fiscal_Cancelar_Cupom(), 25);
    EXPECT_EQ(CommandReturn(), "0025");
    EXPECT_EQ(CommandReturn(), "0025");
    GuardedBuffer state(24);
    ASSERT_EQ(E().Obter_Estado_Impressora(state.data()), 0);
    EXPECT_EQ(state.Text(), "1000000000000000"
                            "0000"
                            "0025");
    EXPECT_EQ(CommandReturn(), "0025");
    ASSERT_EQ(E().Obter_Contadores(GuardedBuffer(101).data()), 0);
    EXPECT_EQ(CommandReturn(), "0000") << "any other query is a call of its own";
}

TEST_F(EpsonEmuFaultsTest, ARestartedHostFindsTheCouponWhereItWas) {
    OpenDay();
    OpenCoupon();
    SellItem("1000", "1000");
    SellItem("2000", "250");
    Reload();
    EXPECT_EQ(DocumentInProgress(), "0001");
    EXPECT_EQ(E().Fiscal_Cancelar_Item("2"), 0) << "the items survived the restart";
    ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "999", 2, "", ""), 0);
    Reload();
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 12) << "9,99 of 10,00 paid";
    ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "1", 2, "", ""), 0);
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 0);
}

TEST_F(EpsonEmuFaultsTest, TheStateFileIsReplacedWholeAndLeavesNoTemporaryFiles) {
    OpenDay();
    SellSimpleCoupon();
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    EXPECT_EQ(TIniFile(Path("state.ini")).ReadString("Contadores", "CCF", ""), "1");
}

TEST_F(EpsonEmuFaultsTest, OwnFilesThatCannotBeReadGiveTheirOwnCode) {
    std::filesystem::create_directory(Path("state.ini"));
    EXPECT_EQ(E().RelatorioFiscal_Abrir_Jornada(), 3);
    GuardedBuffer b(101);
    EXPECT_EQ(E().Obter_Contadores(b.data()), 3);
    EXPECT_EQ(b.Text(), "");
}

TEST_F(EpsonEmuFaultsTest, JournalWritesEachCallTheWayItWasMade) {
    OpenDay();
    OpenCoupon();
    EXPECT_EQ(
        E().Fiscal_Vender_Item("789", "CAF\xC9 \"BOM\"\r\n", "1500", 3, "KG", "299", 2, nullptr, 1),
        16);
    GuardedBuffer b(101);
    EXPECT_EQ(E().Obter_Contadores(b.data()), 0);
    const auto lines = JournalLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 2],
              "EPSON_Fiscal_Vender_Item(\"789\",\"CAF\xC9 \\\"BOM\\\"\\r\\n\",\"1500\",3,\"KG\","
              "\"299\",2,NULL,1)");
    EXPECT_EQ(lines.back(), "EPSON_Obter_Contadores(out)");
    EXPECT_EQ(lines[lines.size() - 3], "EPSON_Fiscal_Abrir_Cupom(\"\",\"\",\"\",\"\",1)");
}

TEST_F(EpsonEmuFaultsTest, AnswersCanBeReplacedForOneBufferOrAWholeFunction) {
    AddFaults("[Answers]\nEPSON_Obter_Estado_ImpressoraEX.retorno=0099\n"
              "EPSON_Obter_Contadores=12345\n");
    const EpsonStatus s = Status();
    EXPECT_EQ(s.command, "0099");
    EXPECT_EQ(s.printer, "1000000000000000") << "the other buffers keep the real answer";
    EXPECT_EQ(Counters(), "12345");
}

TEST_F(EpsonEmuFaultsTest, TheClockCanRunAheadOfLocalTime) {
    WriteFaults("[Clock]\nOffset=86400\n");
    GuardedBuffer b(16);
    ASSERT_EQ(E().Obter_Hora_Relogio(b.data()), 0);
    const std::time_t t = std::time(nullptr) + 86400;
    std::tm local{};
    localtime_r(&t, &local);
    char expected[16];
    std::strftime(expected, sizeof expected, "%d%m%Y", &local);
    EXPECT_EQ(b.Text().substr(0, 8), expected);
}

} // namespace

} // namespace zelt::test

namespace zelt::test {

namespace {

// Two programs driving one printer, as a host and a tool may on the shop's machine: no command
// may be lost between one's load and save of the state file.
TEST_F(EpsonEmuFaultsTest, TwoProcessesOnOneStateFileLoseNoCommand) {
    OpenDay();
    constexpr int kEach = 40;
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        int failures = 0;
        for (int i = 0; i < kEach; ++i)
            failures += E().NaoFiscal_Sangria("100", 2) != 0;
        _exit(failures);
    }
    int failures = 0;
    for (int i = 0; i < kEach; ++i)
        failures += E().NaoFiscal_Fundo_Troco("100", 2) != 0;
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(Counters().substr(6, 6), "000080") << "GNF";
    EXPECT_EQ(Coo(), 1 + 2 * kEach);
}

} // namespace

} // namespace zelt::test
