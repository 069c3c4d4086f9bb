// Documents besides the coupon: linked receipt, management report, cash in and out, drawer,
// fiscal memory readings and the MFD and TDM files.
#include "tests/printers_daruma/DarumaFixture.h"

#include <filesystem>

namespace zelt::test {
namespace {

using Documents = DarumaTest;

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST_F(Documents, LinkedReceiptFollowsACardPaymentOfTheLastCoupon) {
    SellSimpleCoupon("Cartao", "10,00");
    EXPECT_EQ(D().iCCDAbrirSimplificado("Cartao", "1", "000002", "10,00"), 43); // other COO
    EXPECT_EQ(D().iCCDAbrirSimplificado("Cheque", "1", "000001", "1,00"), 43);  // not paid so
    EXPECT_EQ(D().iCCDAbrirSimplificado("Cartao", "1", "000001", "10,01"), 43); // too much
    EXPECT_EQ(D().iCCDAbrirSimplificado("Cartao", "0", "000001", "1,00"), 16);
    EXPECT_EQ(D().iCCDImprimirTexto("x"), 11);
    ASSERT_EQ(D().iCCDAbrirSimplificado("cartao", "1", "000001", "10,00"), 1);
    EXPECT_EQ(Coo(), "000002");
    EXPECT_EQ(StatusItem(4), 1);
    EXPECT_EQ(D().iCFAbrirPadrao(), 10);
    std::string block;
    for (int i = 1; i <= 7; ++i)
        block += "linha " + std::to_string(i) + "\r\n";
    ASSERT_EQ(D().iCCDImprimirTexto(block.c_str()), 1);
    ASSERT_EQ(D().iCCDImprimirTexto(std::string(700, 'L').c_str()), 1);
    ASSERT_EQ(D().iCCDFechar(), 1);
    EXPECT_EQ(StatusItem(4), 0);
    EXPECT_EQ(D().iCCDFechar(), 11);
    // The payment is used up.
    EXPECT_EQ(D().iCCDAbrirSimplificado("Cartao", "1", "000001", "0,01"), 43);

    const std::string tape = Tape();
    EXPECT_NE(tape.find("COMPROVANTE CRÉDITO OU DÉBITO"), std::string::npos);
    EXPECT_NE(tape.find("COO DO DOCUMENTO VINCULADO:" + std::string(15, ' ') + "000001"),
              std::string::npos);
    EXPECT_NE(tape.find("linha 7\n"), std::string::npos);
    // The over-long text is cut to 619 characters, wrapped in lines of 48.
    std::size_t ls = 0;
    for (std::size_t i = tape.find(std::string(48, 'L'));
         i < tape.size() && (tape[i] == 'L' || tape[i] == '\n'); ++i)
        ls += tape[i] == 'L';
    EXPECT_EQ(ls, 619u);
    EXPECT_EQ(StateValue("Contadores", "CDC"), "1");
}

TEST_F(Documents, ATefCloseEndsAnOpenReceiptOrReport) {
    EXPECT_EQ(D().iTEF_Fechar(), 1);
    ASSERT_EQ(D().iRGAbrir(nullptr), 1);
    ASSERT_EQ(D().iTEF_Fechar(), 1);
    EXPECT_EQ(StatusItem(5), 0);
    EXPECT_EQ(D().iRGFechar(), 8);
}

TEST_F(Documents, ManagementReportsAreRegisteredAndPrintedByName) {
    GuardedBuffer names(360);
    ASSERT_EQ(D().rLerRG(names.data()), 1);
    EXPECT_EQ(names.Text(), "Geral");
    ASSERT_EQ(D().confCadastrarPadrao("RG", "Comprovante"), 1);
    ASSERT_EQ(D().confCadastrarPadrao("RG", "COMPROVANTE"), 1); // already there
    ASSERT_EQ(D().rLerRG(names.data()), 1);
    EXPECT_EQ(names.Text(), "Geral;Comprovante");
    EXPECT_EQ(D().confCadastrarPadrao("RG", ""), 45);
    EXPECT_EQ(D().confCadastrarPadrao("XX", "A"), -1);

    EXPECT_EQ(D().iRGImprimirTexto("x"), 8);
    EXPECT_EQ(D().iRGAbrir("Desconhecido"), 30);
    ASSERT_EQ(D().iRGAbrir("Comprovante"), 1);
    EXPECT_EQ(StatusItem(5), 1);
    EXPECT_EQ(D().confCadastrarPadrao("RG", "Outro"), 10);
    ASSERT_EQ(D().iRGImprimirTexto("primeira\r\nsegunda\r\n"), 1);
    ASSERT_EQ(D().iRGFechar(), 1);
    ASSERT_EQ(D().iRGAbrir(nullptr), 1);
    ASSERT_EQ(D().iRGFechar(), 1);
    const std::string tape = Tape();
    EXPECT_EQ(Count(tape, "RELATÓRIO GERENCIAL"), 2u);
    EXPECT_NE(tape.find("Comprovante\n"), std::string::npos);
    EXPECT_NE(tape.find("primeira\nsegunda\n"), std::string::npos);
    EXPECT_NE(tape.find("Geral\n"), std::string::npos);
    EXPECT_EQ(StateValue("Contadores", "GRG"), "2");

    // Twenty slots in all.
    for (int i = 3; i <= 20; ++i)
        ASSERT_EQ(D().confCadastrarPadrao("RG", ("R" + std::to_string(i)).c_str()), 1);
    EXPECT_EQ(D().confCadastrarPadrao("RG", "R21"), 14);
}

TEST_F(Documents, RatesAndPaymentFormsCanBeProgrammed) {
    GuardedBuffer rates(150);
    ASSERT_EQ(D().rLerAliquotas(rates.data()), 1);
    EXPECT_EQ(rates.Text(), "T1800;T1200;T0700;T2500;S0500");
    EXPECT_EQ(D().confCadastrarPadrao("ALIQUOTA", "T1800"), 37);
    EXPECT_EQ(D().confCadastrarPadrao("ALIQUOTA", "T18"), 16);
    ASSERT_EQ(D().confCadastrarPadrao("ALIQUOTA", "t0450"), 1);
    ASSERT_EQ(D().rLerAliquotas(rates.data()), 1);
    EXPECT_EQ(rates.Text(), "T1800;T1200;T0700;T2500;S0500;T0450");
    ASSERT_EQ(D().confCadastrarPadrao("FPGTO", "Vale"), 1);
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("I04,50", "1", "2,00", "D$", "0", "1", "UN", "X"), 1);
    ASSERT_EQ(D().iCFVender("S05,00", "1", "2,00", "D$", "0", "2", "UN", "SERVICO"), 1);
    ASSERT_EQ(D().iCFTotalizarCupom("A%", "10,00"), 1);
    ASSERT_EQ(D().iCFEfetuarPagamento("VALE", "4,40", nullptr), 1);
    ASSERT_EQ(D().iCFEncerrar("0", ""), 1);
    EXPECT_EQ(StateValue("Dia", "Tributos"), "S0500:200;T0450:200");
    EXPECT_EQ(StateValue("Dia", "Acrescimos"), "40");
}

TEST_F(Documents, CashWithdrawalAndSupplyAreNonFiscalDocuments) {
    EXPECT_EQ(D().iSangria("0,00", nullptr), 28);
    EXPECT_EQ(D().iSangria("abc", nullptr), 13);
    ASSERT_EQ(D().iSangria("10,50", "para o banco"), 1);
    ASSERT_EQ(D().iSuprimento("1.000,00", nullptr), 1);
    EXPECT_EQ(Coo(), "000002");
    EXPECT_EQ(StateValue("Dia", "Sangrias"), "1050");
    EXPECT_EQ(StateValue("Dia", "Suprimentos"), "100000");
    EXPECT_EQ(StateValue("Contadores", "GNF"), "2");
    const std::string tape = Tape();
    EXPECT_NE(tape.find("SANGRIA" + std::string(36, ' ') + "10,50"), std::string::npos);
    EXPECT_NE(tape.find("para o banco"), std::string::npos);
    EXPECT_NE(tape.find("SUPRIMENTO" + std::string(30, ' ') + "1.000,00"), std::string::npos);
}

TEST_F(Documents, DrawerOpensAndClosesByThePrinterClock) {
    int open = -1;
    ASSERT_EQ(D().rStatusGaveta(&open), 1);
    EXPECT_EQ(open, 0);
    ASSERT_EQ(D().eAbrirGaveta(), 1);
    ASSERT_EQ(D().rStatusGaveta(&open), 1);
    EXPECT_EQ(open, 1);
    EXPECT_EQ(StatusItem(1), 1);
    FixClock("11/12/2026 10:00:04");
    ASSERT_EQ(D().rStatusGaveta(&open), 1);
    EXPECT_EQ(open, 1);
    FixClock("11/12/2026 10:00:05");
    ASSERT_EQ(D().rStatusGaveta(&open), 1);
    EXPECT_EQ(open, 0);
    WriteFaults("[Clock]\nFixed=11/12/2026 10:00:05\n[Drawer]\nOpenSeconds=60\n");
    ASSERT_EQ(D().eAbrirGaveta(), 1);
    WriteFaults("[Clock]\nFixed=11/12/2026 10:00:30\n");
    ASSERT_EQ(D().rStatusGaveta(&open), 1);
    EXPECT_EQ(open, 1);
}

TEST_F(Documents, RegistryValuesAreKeptCutAndBadKeysRefused) {
    ASSERT_EQ(D().regAlterarValor("ECF\\ReceberInfoEstendida", "1"), 1);
    EXPECT_EQ(StateValue("Registro", "ECF\\ReceberInfoEstendida"), "1");
    ASSERT_EQ(D().regAlterarValor("ECF\\Longo", std::string(400, 'v').c_str()), 1);
    EXPECT_EQ(StateValue("Registro", "ECF\\Longo"), std::string(255, 'v'));
    EXPECT_EQ(D().regAlterarValor("", "1"), 16);
    EXPECT_EQ(D().regAlterarValor(nullptr, "1"), 16);
    EXPECT_EQ(D().regAlterarValor("a=b", "1"), 16);
    EXPECT_EQ(D().regAlterarValor("[a]", "1"), 16);
}

class Reports : public DarumaTest {
protected:
    // Two days of movement, each closed by its reduction.
    void TwoDays() {
        FixClock("10/12/2026 10:00:00");
        SellSimpleCoupon();
        FixClock("10/12/2026 20:00:00");
        ASSERT_EQ(D().iReducaoZ(" ", " "), 1);
        FixClock("11/12/2026 10:00:00");
        SellSimpleCoupon("Dinheiro", "20,00");
        ASSERT_EQ(D().iCFAbrirPadrao(), 1);
        ASSERT_EQ(D().iCFVender("T1200", "2", "7,00", "D$", "0", "9", "UN", "SEGUNDO DIA"), 1);
        ASSERT_EQ(D().iCFTotalizarCupom("D$", "0"), 1);
        ASSERT_EQ(D().iCFEfetuarPagamento("Dinheiro", "14,00", nullptr), 1);
        ASSERT_EQ(D().iCFEncerrar("0", ""), 1);
        FixClock("11/12/2026 21:00:00");
        ASSERT_EQ(D().iReducaoZ(" ", " "), 1);
    }
    std::string Report(const std::string& name) const { return FileText(Path("reports/" + name)); }
};

TEST_F(Reports, FiscalMemoryReadingByDateOrCrzGoesToTheFileOrThePaper) {
    TwoDays();
    ASSERT_EQ(D().eMemoriaFiscal("10122026", "11122026", 1, "ARQ"), 1);
    std::string file = Report("retorno.txt");
    EXPECT_NE(file.find("CRZ:0001"), std::string::npos);
    EXPECT_NE(file.find("CRZ:0002"), std::string::npos);
    EXPECT_NE(file.find("T12,00"), std::string::npos); // complete: per rate
    EXPECT_NE(file.find("TOTAL DO PERÍODO" + std::string(27, ' ') + "34,00"), std::string::npos);

    ASSERT_EQ(D().eMemoriaFiscal("0002", "0002", 0, "ARQ"), 1);
    file = Report("retorno.txt");
    EXPECT_EQ(file.find("CRZ:0001"), std::string::npos);
    EXPECT_NE(file.find("CRZ:0002"), std::string::npos);
    EXPECT_EQ(file.find("T12,00"), std::string::npos); // simplified
    EXPECT_NE(file.find("SIMPLIFICADA"), std::string::npos);

    EXPECT_EQ(D().eMemoriaFiscal("11122026", "10122026", 1, "ARQ"), 16);
    EXPECT_EQ(D().eMemoriaFiscal("1012", "11122026", 1, "ARQ"), 16);
    EXPECT_EQ(D().eMemoriaFiscal("10122026", "11122026", 1, "XYZ"), -1);

    const std::string coo = Coo();
    ASSERT_EQ(D().eMemoriaFiscal("10122026", "11122026", 1, "imp"), 1);
    EXPECT_NE(Coo(), coo);
    EXPECT_NE(Tape().find("LEITURA DA MEMÓRIA FISCAL COMPLETA"), std::string::npos);
}

TEST_F(Reports, MfdFilesHoldTheDocumentsOfTheRange) {
    TwoDays();
    // What the plug-in does: the drive root named in the registry is the report folder.
    ASSERT_EQ(D().regAlterarValor("START\\LocalArquivosRelatorios", "C:\\"), 1);
    ASSERT_EQ(D().rGerarMFD("DATAM", "11122026", "11122026"), 1);
    std::string file = Report("ATO_MFD_DATA.TXT");
    EXPECT_NE(file.find("SEGUNDO DIA"), std::string::npos);
    EXPECT_EQ(Count(file, "CUPOM FISCAL\n"), 2u);
    EXPECT_EQ(file.find("COO:000001"), std::string::npos);

    ASSERT_EQ(D().rGerarMFD("COO", "001", "001"), 1);
    file = Report("ATO_MFD_COO.TXT");
    EXPECT_NE(file.find("COO:000001"), std::string::npos);
    EXPECT_EQ(file.find("SEGUNDO DIA"), std::string::npos);
    EXPECT_EQ(file.find("COO:000002"), std::string::npos);

    ASSERT_EQ(D().rGerarRelatorio("TDM", "DATAM", "10122026", "11122026"), 1);
    EXPECT_EQ(Count(Report("ATO_TDM_DATA.TXT"), "CUPOM FISCAL\n"), 3u);
    EXPECT_EQ(D().rGerarRelatorio("XXX", "DATAM", "10122026", "11122026"), -1);
    EXPECT_EQ(D().rGerarMFD("DIA", "10122026", "11122026"), -1);
    EXPECT_EQ(D().rGerarMFD("DATAM", "32122026", "11122026"), 16);

    // A sub-folder of the drive is a sub-folder of the report folder.
    ASSERT_EQ(D().regAlterarValor("START\\LocalArquivosRelatorios", "C:\\Rel\\Mfd\\"), 1);
    ASSERT_EQ(D().rGerarMFD("COO", "1", "999"), 1);
    EXPECT_TRUE(std::filesystem::exists(Path("reports/Rel/Mfd/ATO_MFD_COO.TXT")));
}

} // namespace
} // namespace zelt::test
