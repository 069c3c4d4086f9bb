// Linked receipts, management reports, cash movements, the drawer and the programming tables.
#include "tests/printers_epson/EpsonFixture.h"

#include <string>
#include <vector>

namespace zelt::test {

namespace {

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

class EpsonEmuDocumentsTest : public EpsonTest {
protected:
    void SetUp() override {
        EpsonTest::SetUp();
        OpenDay();
    }
    // A coupon of 10,00 paid with the card.
    void CardCoupon() const {
        OpenCoupon();
        SellItem();
        PayAndClose("Cartao", "1000");
    }
};

TEST_F(EpsonEmuDocumentsTest, LinkedReceiptForTheCardPaymentOfTheLastCoupon) {
    CardCoupon();
    const int coo = Coo();
    ASSERT_EQ(E().NaoFiscal_Abrir_CCD("cartao", "600", 2, "1"), 0);
    EXPECT_EQ(Coo(), coo + 1);
    EXPECT_EQ(DocumentInProgress(), "0002");
    EXPECT_EQ(Counters().substr(18, 6), "000001") << "CDC";
    ASSERT_EQ(E().NaoFiscal_Imprimir_Linha("LINHA 1\r\nLINHA 2\r\n"), 0);
    ASSERT_EQ(E().NaoFiscal_Fechar_CCD(1), 0);
    EXPECT_EQ(DocumentInProgress(), "0000");
    const std::string tape = Tape();
    EXPECT_NE(tape.find("COMPROVANTE DE CREDITO OU DEBITO"), std::string::npos);
    EXPECT_NE(tape.find("LINHA 1\nLINHA 2\n"), std::string::npos);

    EXPECT_EQ(E().NaoFiscal_Abrir_CCD("Cartao", "401", 2, "1"), 26) << "4,00 left to link";
    ASSERT_EQ(E().NaoFiscal_Abrir_CCD("Cartao", "400", 2, "2"), 0);
    ASSERT_EQ(E().NaoFiscal_Fechar_CCD(0), 0);
    EXPECT_EQ(E().NaoFiscal_Abrir_CCD("Cartao", "1", 2, "1"), 26);
}

struct LinkRefusal {
    const char* name;
    const char* form;
    const char* value;
    const char* instalments;
    int code;
};

class EpsonEmuLinkRefusalTest : public EpsonEmuDocumentsTest,
                                public ::testing::WithParamInterface<LinkRefusal> {};

TEST_P(EpsonEmuLinkRefusalTest, RefusedLinkedReceiptOpensNothing) {
    const LinkRefusal& c = GetParam();
    OpenCoupon();
    SellItem("1000", "2000");
    ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "1000", 2, "", ""), 0);
    PayAndClose("Cartao", "1000");
    const int coo = Coo();
    EXPECT_EQ(E().NaoFiscal_Abrir_CCD(c.form, c.value, 2, c.instalments), c.code);
    EXPECT_EQ(Coo(), coo);
    EXPECT_EQ(DocumentInProgress(), "0000");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, EpsonEmuLinkRefusalTest,
    ::testing::Values(LinkRefusal{"CashForm", "Dinheiro", "100", "1", 26},
                      LinkRefusal{"FormNotPaid", "Cheque", "100", "1", 26},
                      LinkRefusal{"UnknownForm", "Vale", "100", "1", 26},
                      LinkRefusal{"AboveThePayment", "Cartao", "1001", "1", 26},
                      LinkRefusal{"NoInstalments", "Cartao", "100", "0", 26},
                      LinkRefusal{"TooManyInstalments", "Cartao", "100", "100", 26},
                      LinkRefusal{"InstalmentsNull", "Cartao", "100", nullptr, 26},
                      LinkRefusal{"ValueNotDigits", "Cartao", "1,00", "1", 13}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EpsonEmuDocumentsTest, LinkedReceiptNeedsALiveLastCoupon) {
    EXPECT_EQ(E().NaoFiscal_Abrir_CCD("Cartao", "100", 2, "1"), 26) << "no coupon yet";
    CardCoupon();
    ASSERT_EQ(E().Fiscal_Cancelar_Cupom(), 0);
    EXPECT_EQ(E().NaoFiscal_Abrir_CCD("Cartao", "100", 2, "1"), 26) << "cancelled";
    CardCoupon();
    ASSERT_EQ(E().NaoFiscal_Sangria("100", 2), 0);
    EXPECT_EQ(E().NaoFiscal_Abrir_CCD("Cartao", "100", 2, "1"), 26) << "not the last document";
}

TEST_F(EpsonEmuDocumentsTest, ManagementReportLineByLine) {
    const int coo = Coo();
    EXPECT_EQ(E().NaoFiscal_Abrir_Relatorio_Gerencial("2"), 28);
    EXPECT_EQ(E().NaoFiscal_Abrir_Relatorio_Gerencial(""), 28);
    ASSERT_EQ(E().NaoFiscal_Abrir_Relatorio_Gerencial("1"), 0);
    EXPECT_EQ(Coo(), coo + 1);
    EXPECT_EQ(DocumentInProgress(), "0003");
    EXPECT_EQ(Counters().substr(12, 6), "000001") << "GRG";
    EXPECT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 1), 10);
    EXPECT_EQ(E().NaoFiscal_Fechar_CCD(1), 27) << "a report is not a linked receipt";
    for (const char* line : {"PRIMEIRA", " ", "TERCEIRA"})
        ASSERT_EQ(E().NaoFiscal_Imprimir_Linha(line), 0);
    ASSERT_EQ(E().NaoFiscal_Fechar_Relatorio_Gerencial(1), 0);
    EXPECT_NE(Tape().find("RELATORIO GERENCIAL\n"), std::string::npos);
    EXPECT_NE(Tape().find("PRIMEIRA\n \nTERCEIRA\n"), std::string::npos) << Tape();
    EXPECT_EQ(E().NaoFiscal_Imprimir_Linha("DEPOIS"), 27);
    EXPECT_EQ(E().NaoFiscal_Fechar_Relatorio_Gerencial(1), 27);
}

TEST_F(EpsonEmuDocumentsTest, ProgrammedReportsAreNumberedInOrder) {
    WriteState("[Programacao]\nRelatorios=Geral;Caixa\n[Jornada]\nAberta=1\n"
               "Data=11/12/2026\n");
    ASSERT_EQ(E().NaoFiscal_Abrir_Relatorio_Gerencial("2"), 0);
    ASSERT_EQ(E().NaoFiscal_Fechar_Relatorio_Gerencial(0), 0);
    EXPECT_NE(Tape().find("Caixa"), std::string::npos);
    EXPECT_EQ(E().NaoFiscal_Abrir_Relatorio_Gerencial("3"), 28);
}

TEST_F(EpsonEmuDocumentsTest, CashMovementsAreNonFiscalDocumentsInTheDayTotals) {
    ASSERT_EQ(E().NaoFiscal_Fundo_Troco("10000", 2), 0);
    ASSERT_EQ(E().NaoFiscal_Sangria("1050", 2), 0);
    EXPECT_EQ(E().NaoFiscal_Sangria("0", 2), 19);
    EXPECT_EQ(E().NaoFiscal_Sangria("100", 3), 2);
    EXPECT_EQ(E().NaoFiscal_Sangria(nullptr, 2), 16);
    EXPECT_EQ(Counters().substr(6, 6), "000002") << "GNF";
    ASSERT_EQ(E().RelatorioFiscal_LeituraX(), 0);
    const std::string tape = Tape();
    EXPECT_NE(tape.find("FUNDO DE TROCO"), std::string::npos);
    const std::string x = tape.substr(tape.find("LEITURA X"));
    EXPECT_NE(x.find("SANGRIAS" + std::string(56 - 8 - 5, ' ') + "10,50"), std::string::npos) << x;
    EXPECT_NE(x.find("SUPRIMENTOS" + std::string(56 - 11 - 6, ' ') + "100,00"), std::string::npos)
        << x;
}

TEST_F(EpsonEmuDocumentsTest, DrawerReadsOpenForItsSeconds) {
    EXPECT_EQ(Status().printer[3], '0');
    ASSERT_EQ(E().Impressora_Abrir_Gaveta(), 0);
    EXPECT_EQ(Status().printer[3], '1');
    FixClock("11/12/2026 10:00:04");
    EXPECT_EQ(Status().printer[3], '1');
    FixClock("11/12/2026 10:00:05");
    EXPECT_EQ(Status().printer[3], '0');

    OpenCoupon();
    SellItem();
    ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "1000", 2, "", ""), 0);
    ASSERT_EQ(E().Fiscal_Fechar_Cupom(1, 1), 0);
    EXPECT_EQ(Status().printer[3], '1') << "closing the coupon can pulse the drawer";
}

TEST_F(EpsonEmuDocumentsTest, PaymentTableHasTwentyRecordsAfterTheCount) {
    CardCoupon();
    GuardedBuffer b(882);
    ASSERT_EQ(E().Obter_Tabela_Pagamentos(b.data()), 0);
    const std::string table = b.Text();
    ASSERT_EQ(table.size(), 882u);
    EXPECT_EQ(table.substr(0, 2), "03");
    std::vector<std::string> names;
    for (int i = 0; i < 20; ++i) {
        const std::string record = table.substr(2 + 44 * i, 44);
        if (!Trimmed(record.substr(0, 15)).empty())
            names.push_back(Trimmed(record.substr(0, 15)));
        else
            EXPECT_EQ(record, std::string(44, ' '));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Dinheiro", "Cheque", "Cartao"}));
    const std::string card = table.substr(2 + 88, 44);
    EXPECT_EQ(card.substr(15, 1), "S");
    EXPECT_EQ(table.substr(2 + 15, 1), "N") << "no linked receipt for cash";
    EXPECT_EQ(card.substr(16, 14), "00000000001000");
    EXPECT_EQ(card.substr(30, 14), "00000000001000");
}

TEST_F(EpsonEmuDocumentsTest, LongPaymentNamesAreCutToTheirField) {
    WriteState("[Programacao]\nFormasPagamento=Dinheiro;Cartao de credito Visa\n");
    GuardedBuffer b(882);
    ASSERT_EQ(E().Obter_Tabela_Pagamentos(b.data()), 0);
    EXPECT_EQ(b.Text().substr(0, 2), "02");
    EXPECT_EQ(b.Text().substr(2 + 44, 16), "Cartao de credi" + std::string("S"));
    OpenDay();
    OpenCoupon();
    SellItem();
    EXPECT_EQ(E().Fiscal_Pagamento("Cartao de credito Visa", "1000", 2, "", ""), 23);
    EXPECT_EQ(E().Fiscal_Pagamento("cartao de credi", "1000", 2, "", ""), 0)
        << "the form is known by the name the table shows";
}

TEST_F(EpsonEmuDocumentsTest, RateTableWalkedAsTheHostDoesGivesTheIcmsRates) {
    GuardedBuffer b(554);
    ASSERT_EQ(E().Obter_Tabela_Aliquotas(b.data()), 0);
    const std::string table = b.Text();
    ASSERT_EQ(table.size() % 23, 0u);
    std::string icms;
    for (std::size_t at = 0; at + 23 <= table.size(); at += 23)
        if (table[at] == 'T')
            icms += (icms.empty() ? "" : ",") + table.substr(at + 2, 4);
    EXPECT_EQ(icms, "1800,1200,0700,2500");
    EXPECT_EQ(table.substr(4 * 23, 6), "S 0500");
}

TEST_F(EpsonEmuDocumentsTest, TruncationFlagFollowsTheProgramming) {
    GuardedBuffer round(3), factory(4);
    ASSERT_EQ(E().Obter_Arredonda_Trunca_Fabricacao(round.data(), factory.data()), 0);
    EXPECT_EQ(round.Text(), "S");
    EXPECT_EQ(factory.Text(), "N");
    WriteState("[Programacao]\nTruncamento=1\n");
    GuardedBuffer trunc(3), factory2(4);
    ASSERT_EQ(E().Obter_Arredonda_Trunca_Fabricacao(trunc.data(), factory2.data()), 0);
    EXPECT_EQ(trunc.Text(), "N");
}

} // namespace

} // namespace zelt::test
