// Faults from the settings file: a printer that does not answer, paper running out in the middle
// of a coupon, a refusal injected once, the state staying consistent through all of them.
#include "platform/rtl/IniFile.h"
#include "tests/printers_daruma/DarumaFixture.h"

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace zelt::test {
namespace {

using Faults = DarumaTest;

// One call of every function, with well-formed arguments and buffers.
std::vector<std::pair<const char*, std::function<int(const DarumaApi&)>>> EveryCall() {
    static char big[3001], small[10], b2[10];
    static int i1, i2;
    return {
        {"eDefinirProduto", [](const DarumaApi& d) { return d.eDefinirProduto("ECF"); }},
        {"regAlterarValor", [](const DarumaApi& d) { return d.regAlterarValor("A\\B", "1"); }},
        {"rVerificarImpressoraLigada",
         [](const DarumaApi& d) { return d.rVerificarImpressoraLigada(); }},
        {"rDataHoraImpressora",
         [](const DarumaApi& d) { return d.rDataHoraImpressora(small, b2); }},
        {"rRetornarInformacao",
         [](const DarumaApi& d) { return d.rRetornarInformacao("172", big); }},
        {"rStatusUltimoCmd",
         [](const DarumaApi& d) { return d.rStatusUltimoCmd(small, b2, &i1, &i2); }},
        {"rConsultaStatusImpressoraInt",
         [](const DarumaApi& d) { return d.rConsultaStatusImpressoraInt(8, &i1); }},
        {"rLerRG", [](const DarumaApi& d) { return d.rLerRG(big); }},
        {"confCadastrarPadrao",
         [](const DarumaApi& d) { return d.confCadastrarPadrao("RG", "Comprovante"); }},
        {"iTEF_Fechar", [](const DarumaApi& d) { return d.iTEF_Fechar(); }},
        {"iCFAbrirPadrao", [](const DarumaApi& d) { return d.iCFAbrirPadrao(); }},
        {"iCFAbrir", [](const DarumaApi& d) { return d.iCFAbrir("1", "2", "3"); }},
        {"iCFIdentificarConsumidor",
         [](const DarumaApi& d) { return d.iCFIdentificarConsumidor("1", "2", "3"); }},
        {"iCFVender",
         [](const DarumaApi& d) {
             return d.iCFVender("FF", "1,0", "1,00", "D$", "0,00", "1", "UN", "X");
         }},
        {"iCFLancarDescontoItem",
         [](const DarumaApi& d) { return d.iCFLancarDescontoItem("1", "D$", "0,01"); }},
        {"iCFCancelarItem", [](const DarumaApi& d) { return d.iCFCancelarItem("1"); }},
        {"iCFTotalizarCupom", [](const DarumaApi& d) { return d.iCFTotalizarCupom("D$", "0"); }},
        {"iCFEfetuarPagamento",
         [](const DarumaApi& d) { return d.iCFEfetuarPagamento("Dinheiro", "1,00", nullptr); }},
        {"iCFEncerrar", [](const DarumaApi& d) { return d.iCFEncerrar("0", ""); }},
        {"iCFCancelar", [](const DarumaApi& d) { return d.iCFCancelar(); }},
        {"rCFVerificarStatus", [](const DarumaApi& d) { return d.rCFVerificarStatus(small, &i1); }},
        {"iLeituraX", [](const DarumaApi& d) { return d.iLeituraX(); }},
        {"iReducaoZ", [](const DarumaApi& d) { return d.iReducaoZ(" ", " "); }},
        {"rVerificarReducaoZ", [](const DarumaApi& d) { return d.rVerificarReducaoZ(small); }},
        {"iSangria", [](const DarumaApi& d) { return d.iSangria("1,00", nullptr); }},
        {"iSuprimento", [](const DarumaApi& d) { return d.iSuprimento("1,00", nullptr); }},
        {"rStatusGaveta", [](const DarumaApi& d) { return d.rStatusGaveta(&i1); }},
        {"eAbrirGaveta", [](const DarumaApi& d) { return d.eAbrirGaveta(); }},
        {"iCCDAbrirSimplificado",
         [](const DarumaApi& d) { return d.iCCDAbrirSimplificado("Cartao", "1", "1", "1,00"); }},
        {"iCCDImprimirTexto", [](const DarumaApi& d) { return d.iCCDImprimirTexto("x"); }},
        {"iCCDFechar", [](const DarumaApi& d) { return d.iCCDFechar(); }},
        {"iRGAbrir", [](const DarumaApi& d) { return d.iRGAbrir(nullptr); }},
        {"iRGImprimirTexto", [](const DarumaApi& d) { return d.iRGImprimirTexto("x"); }},
        {"iRGFechar", [](const DarumaApi& d) { return d.iRGFechar(); }},
        {"rLerAliquotas", [](const DarumaApi& d) { return d.rLerAliquotas(big); }},
        {"eMemoriaFiscal",
         [](const DarumaApi& d) { return d.eMemoriaFiscal("0001", "0009", 1, "ARQ"); }},
        {"rGerarMFD", [](const DarumaApi& d) { return d.rGerarMFD("COO", "1", "9"); }},
        {"rGerarRelatorio",
         [](const DarumaApi& d) { return d.rGerarRelatorio("TDM", "COO", "1", "9"); }},
    };
}

TEST_F(Faults, APrinterThatIsOffAnswersNothingToEveryCall) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    const std::string state = FileText(Path("state.ini"));
    const std::string tape = Tape();
    WriteFaults("[Clock]\nFixed=11/12/2026 10:00:00\n[Printer]\nOff=1\n");
    const auto calls = EveryCall();
    for (const auto& [name, call] : calls)
        EXPECT_EQ(call(D()), 0) << name;
    EXPECT_EQ(FileText(Path("state.ini")), state);
    EXPECT_EQ(Tape(), tape);
    // The calls still reach the journal.
    EXPECT_EQ(JournalLines().size(), calls.size() + 1);

    FixClock("11/12/2026 10:00:00");
    EXPECT_EQ(D().rVerificarImpressoraLigada(), 1);
    EXPECT_EQ(CouponStatus(), 1);
}

TEST_F(Faults, PaperOutRefusesWhatPrintsAndKeepsTheCouponWhole) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("FF", "1,0", "2,00", "D$", "0,00", "1", "UN", "A"), 1);
    const std::string tape = Tape();
    WriteFaults("[Clock]\nFixed=11/12/2026 10:00:00\n[Printer]\nPaperOut=1\n");
    EXPECT_EQ(D().iCFVender("FF", "1,0", "3,00", "D$", "0,00", "2", "UN", "B"), 50);
    EXPECT_EQ(LastError(), 50);
    EXPECT_EQ(StatusItem(8), 1);
    EXPECT_EQ(D().iCFTotalizarCupom("D$", "0"), 50);
    EXPECT_EQ(D().iCFCancelar(), 50);
    EXPECT_EQ(D().iLeituraX(), 50);
    EXPECT_EQ(D().eMemoriaFiscal("0001", "0001", 1, "IMP"), 50);
    // Queries and files still work.
    EXPECT_EQ(CouponStatus(), 1);
    EXPECT_EQ(D().eMemoriaFiscal("0001", "0001", 1, "ARQ"), 1);
    EXPECT_EQ(D().rVerificarImpressoraLigada(), 1);
    EXPECT_EQ(StateValue("Item.2", "Bruto"), "<missing>");
    EXPECT_EQ(Tape(), tape);

    // Paper back: the coupon goes on where it stopped.
    FixClock("11/12/2026 10:00:00");
    EXPECT_EQ(StatusItem(8), 0);
    ASSERT_EQ(D().iCFVender("FF", "1,0", "3,00", "D$", "0,00", "2", "UN", "B"), 1);
    ASSERT_EQ(D().iCFTotalizarCupom("D$", "0"), 1);
    ASSERT_EQ(D().iCFEfetuarPagamento("Dinheiro", "5,00", nullptr), 1);
    ASSERT_EQ(D().iCFEncerrar("0", ""), 1);
    EXPECT_EQ(StateValue("Dia", "Bruta"), "500");
}

TEST_F(Faults, PaperLowIsAWarningOnly) {
    WriteFaults("[Clock]\nFixed=11/12/2026 10:00:00\n[Printer]\nPaperLow=1\n");
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    char error[5] = {}, warning[5] = {};
    int e = -1, w = -1;
    EXPECT_EQ(D().rStatusUltimoCmd(error, warning, &e, &w), 1);
    EXPECT_STREQ(error, "000");
    EXPECT_STREQ(warning, "001");
    EXPECT_EQ(w, 1);
    EXPECT_EQ(StatusItem(2), 1);
}

TEST_F(Faults, ARefusalIsUsedOnceAndLeavesTheStateAsItWas) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    WriteFaults("[Clock]\nFixed=11/12/2026 10:00:00\n[Refuse]\niCFVender_ECF_Daruma=77\n"
                "iCFEfetuarPagamento_ECF_Daruma=38\n");
    EXPECT_EQ(D().iCFVender("FF", "1,0", "3,00", "D$", "0,00", "1", "UN", "A"), 77);
    EXPECT_EQ(LastError(), 77);
    EXPECT_EQ(StateValue("Item.1", "Bruto"), "<missing>");
    TIniFile faults(faults_);
    EXPECT_FALSE(faults.ValueExists("Refuse", "iCFVender_ECF_Daruma"));
    EXPECT_TRUE(faults.ValueExists("Refuse", "iCFEfetuarPagamento_ECF_Daruma"));
    EXPECT_EQ(D().iCFVender("FF", "1,0", "3,00", "D$", "0,00", "1", "UN", "A"), 1);
    ASSERT_EQ(D().iCFTotalizarCupom("D$", "0"), 1);
    // A refused payment: the host retries and the coupon ends normally.
    EXPECT_EQ(D().iCFEfetuarPagamento("Dinheiro", "3,00", nullptr), 38);
    EXPECT_EQ(CouponStatus(), 2);
    EXPECT_EQ(D().iCFEfetuarPagamento("Dinheiro", "3,00", nullptr), 1);
    EXPECT_EQ(D().iCFEncerrar("0", ""), 1);
}

TEST_F(Faults, StatusOfTheLastCommandSurvivesARestart) {
    EXPECT_EQ(D().iCFVender("FF", "1,0", "3,00", "D$", "0,00", "1", "UN", "A"), 11);
    Reload();
    char error[5] = {}, warning[5] = {};
    int e = 0, w = 0;
    EXPECT_EQ(D().rStatusUltimoCmd(error, warning, &e, &w), -1);
    EXPECT_STREQ(error, "011");
    EXPECT_EQ(e, 11);
    // The status query is not itself the last command.
    EXPECT_EQ(D().rStatusUltimoCmd(error, warning, &e, &w), -1);
    EXPECT_EQ(D().rVerificarImpressoraLigada(), 1);
    EXPECT_EQ(D().rStatusUltimoCmd(error, warning, &e, &w), 1);
    EXPECT_STREQ(error, "000");
}

TEST_F(Faults, TwoProcessesOnOnePrinterTakeTurnsWithoutLosingACommand) {
    constexpr int kEach = 25;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failures = 0;
        for (int i = 0; i < kEach; ++i)
            failures += D().iSuprimento("1,00", nullptr) != 1;
        _exit(failures);
    }
    int failures = 0;
    for (int i = 0; i < kEach; ++i)
        failures += D().iSuprimento("1,00", nullptr) != 1;
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(StateValue("Contadores", "GNF"), std::to_string(2 * kEach));
    EXPECT_EQ(StateValue("Dia", "Suprimentos"), std::to_string(2 * kEach * 100));
    EXPECT_EQ(Coo(), "0000" + std::to_string(2 * kEach));
}

} // namespace
} // namespace zelt::test
