// The fiscal coupon through the library: steps, counters, amounts, refusals and cancellation.
#include "tests/printers_epson/EpsonFixture.h"

#include <algorithm>
#include <string>

namespace zelt::test {

namespace {

// Cents sold today at a rate, read from the rate table the way the plug-in walks it.
long long DayTotalAt(const EpsonApi& e, const std::string& rate) {
    GuardedBuffer b(554);
    EXPECT_EQ(e.Obter_Tabela_Aliquotas(b.data()), 0);
    const std::string table = b.Text();
    for (std::size_t at = 0; at + 23 <= table.size(); at += 23)
        if (table.substr(at, 1) + table.substr(at + 2, 4) == rate)
            return std::stoll(table.substr(at + 6, 17));
    ADD_FAILURE() << "rate " << rate << " not in " << table;
    return -1;
}

class EpsonEmuCouponTest : public EpsonTest {};

TEST_F(EpsonEmuCouponTest, WholeCouponWithConsumerMovesThroughItsPhasesAndCounts) {
    OpenDay();
    const int cooBefore = Coo();
    ASSERT_EQ(E().Fiscal_Abrir_Cupom("123.456.789-09", "MARIA DA SILVA", "RUA DAS ACACIAS, 12",
                                     "CENTRO SAO PAULO SP", 3),
              0);
    EXPECT_EQ(Coo(), cooBefore + 1);
    EXPECT_EQ(Ccf(), 1);
    EXPECT_EQ(Status().fiscal.substr(8, 8), "00010001");

    ASSERT_EQ(E().Fiscal_Vender_Item("789", "ARROZ 5KG", "2000", 3, "UN", "1250", 2, "1800", 1), 0);
    ASSERT_EQ(E().Fiscal_Vender_Item("790", "FEIJAO", "1000", 3, "KG", "800", 2, "FF", 1), 0);
    ASSERT_EQ(E().Fiscal_Desconto_Acrescimo_Item("150", 2, 1, 0), 0);
    ASSERT_EQ(E().Fiscal_Pagamento("Cartao", "2000", 2, "", ""), 0);
    EXPECT_EQ(Status().fiscal.substr(8, 4), "0002");
    ASSERT_EQ(E().Fiscal_Pagamento("dinheiro", "1500", 2, "", ""), 0);
    EXPECT_EQ(Status().fiscal.substr(8, 4), "0003");
    ASSERT_EQ(E().Fiscal_Imprimir_MensagemEX("OBRIGADO PELA PREFERENCIA"), 0);
    ASSERT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 0);

    EXPECT_EQ(Status().fiscal.substr(8, 8), "00000000");
    EXPECT_EQ(Coo(), cooBefore + 1) << "the coupon keeps its one COO";
    EXPECT_EQ(DayTotalAt(E(), "T1800"), 2500);
    const std::string tape = Tape();
    for (const char* expected :
         {"CPF/CNPJ consumidor: 123.456.789-09", "MARIA DA SILVA", "RUA DAS ACACIAS, 12",
          "CENTRO SAO PAULO SP", "ARROZ 5KG", "2,000 UN X 12,500 T18,00", "TOTAL R$", "31,50",
          "TROCO R$", "3,50", "OBRIGADO PELA PREFERENCIA"})
        EXPECT_NE(tape.find(expected), std::string::npos) << expected << "\n" << tape;
    EXPECT_NE(tape.find("    desconto item" + std::string(34, ' ') + "-1,50\n"), std::string::npos)
        << "the item discount is printed right-aligned on its own line\n"
        << tape;
}

TEST_F(EpsonEmuCouponTest, TheOpeningWithoutConsumerPrintsNoConsumerEvenWhenTextsArePassed) {
    OpenDay();
    ASSERT_EQ(E().Fiscal_Abrir_Cupom("123", "JOSE", "RUA X", "", 1), 0);
    EXPECT_EQ(Tape().find("JOSE"), std::string::npos);
    EXPECT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 1), 10) << "a coupon is already open";
}

TEST_F(EpsonEmuCouponTest, ConsumerTextsAreCutToTheirFields) {
    OpenDay();
    const std::string name(45, 'N'), address(50, 'A');
    ASSERT_EQ(E().Fiscal_Abrir_Cupom("1", name.c_str(), address.c_str(), "", 3), 0);
    const std::string tape = Tape();
    EXPECT_NE(tape.find("Nome: " + std::string(30, 'N') + "\n"), std::string::npos) << tape;
    EXPECT_NE(tape.find("Endereco: " + std::string(40, 'A') + "\n"), std::string::npos) << tape;
}

struct AmountCase {
    const char* quantity;
    int quantityDecimals;
    const char* price;
    int priceDecimals;
    bool truncates;
    long long cents;
};

class EpsonEmuItemTotalTest : public EpsonTest, public ::testing::WithParamInterface<AmountCase> {};

TEST_P(EpsonEmuItemTotalTest, ItemTotalFollowsThePrintersRoundingRule) {
    const AmountCase& c = GetParam();
    WriteState(std::string("[Programacao]\nTruncamento=") + (c.truncates ? "1" : "0") + "\n");
    OpenDay();
    OpenCoupon();
    ASSERT_EQ(E().Fiscal_Vender_Item("1", "ITEM", c.quantity, c.quantityDecimals, "UN", c.price,
                                     c.priceDecimals, "T1800", 1),
              0);
    // The largest item needs more than one payment of the largest amount.
    for (int i = 0; i < 20 && Status().fiscal.substr(8, 4) != "0003"; ++i)
        ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "99999999999999", 2, "", ""), 0);
    ASSERT_EQ(E().Fiscal_Fechar_Cupom(0, 0), 0);
    EXPECT_EQ(DayTotalAt(E(), "T1800"), c.cents);
}

INSTANTIATE_TEST_SUITE_P(Amounts, EpsonEmuItemTotalTest,
                         ::testing::Values(AmountCase{"1500", 3, "299", 2, false, 449},
                                           AmountCase{"1500", 3, "299", 2, true, 448},
                                           AmountCase{"1", 0, "1000", 2, false, 1000},
                                           AmountCase{"333", 3, "100", 2, false, 33},
                                           AmountCase{"2000", 3, "1999", 3, false, 400},
                                           AmountCase{"2000", 3, "1999", 3, true, 399},
                                           AmountCase{"99999999", 3, "9999999999", 2, false,
                                                      999999989900000LL}));

struct SaleRefusal {
    const char* name;
    const char* description;
    const char* quantity;
    int quantityDecimals;
    const char* price;
    const char* tax;
    int calculation;
    int code;
};

class EpsonEmuSaleRefusalTest : public EpsonTest,
                                public ::testing::WithParamInterface<SaleRefusal> {};

TEST_P(EpsonEmuSaleRefusalTest, RefusedSaleLeavesNoTraceAndIsReported) {
    const SaleRefusal& c = GetParam();
    OpenDay();
    OpenCoupon();
    const std::string tape = Tape();
    EXPECT_EQ(E().Fiscal_Vender_Item("1", c.description, c.quantity, c.quantityDecimals, "UN",
                                     c.price, 2, c.tax, c.calculation),
              c.code);
    EXPECT_EQ(Tape(), tape);
    char expected[8];
    std::snprintf(expected, sizeof expected, "%04d", c.code);
    EXPECT_EQ(CommandReturn(), expected);
    EXPECT_FALSE(Status().message.empty());
    EXPECT_EQ(E().Fiscal_Pagamento("Dinheiro", "100", 2, "", ""), 12) << "no item was sold";
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, EpsonEmuSaleRefusalTest,
    ::testing::Values(SaleRefusal{"QuantityZero", "X", "0", 3, "100", "1800", 1, 19},
                      SaleRefusal{"PriceZero", "X", "1000", 3, "000", "1800", 1, 19},
                      SaleRefusal{"QuantityWithComma", "X", "1,5", 3, "100", "1800", 1, 13},
                      SaleRefusal{"QuantityEmpty", "X", "", 3, "100", "1800", 1, 16},
                      SaleRefusal{"QuantityTooLong", "X", "123456789012345", 3, "100", "1800", 1,
                                  17},
                      SaleRefusal{"QuantityBeyondLimit", "X", "100000000", 3, "100", "1800", 1, 17},
                      SaleRefusal{"TooManyDecimals", "X", "1000", 4, "100", "1800", 1, 2},
                      SaleRefusal{"RateNotProgrammed", "X", "1000", 3, "100", "1700", 1, 18},
                      SaleRefusal{"TaxNotATax", "X", "1000", 3, "100", "XX", 1, 16},
                      SaleRefusal{"TaxNull", "X", "1000", 3, "100", nullptr, 1, 16},
                      SaleRefusal{"UnknownCalculation", "X", "1000", 3, "100", "1800", 2, 16},
                      SaleRefusal{"NoDescription", "", "1000", 3, "100", "1800", 1, 16},
                      SaleRefusal{"NullDescription", nullptr, "1000", 3, "100", "1800", 1, 16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EpsonEmuCouponTest, TaxesTheTableAcceptsAndTheOnesItRefuses) {
    OpenDay();
    OpenCoupon();
    for (const char* tax : {"1800", "T1200", "S0500", "0700", "FF", "F1", "II", "I", "NN", "n1"})
        EXPECT_EQ(E().Fiscal_Vender_Item("1", "X", "1000", 3, "UN", "100", 2, tax, 1), 0) << tax;
    for (const char* tax : {"18,00", "180", "S1800", "T18000", "FX"})
        EXPECT_NE(E().Fiscal_Vender_Item("1", "X", "1000", 3, "UN", "100", 2, tax, 1), 0) << tax;
}

TEST_F(EpsonEmuCouponTest, StepsOutOfOrderAreRefused) {
    OpenDay();
    EXPECT_EQ(E().Fiscal_Vender_Item("1", "X", "1000", 3, "UN", "100", 2, "1800", 1), 11);
    EXPECT_EQ(E().Fiscal_Pagamento("Dinheiro", "100", 2, "", ""), 11);
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 11);
    OpenCoupon();
    EXPECT_EQ(E().Fiscal_Pagamento("Dinheiro", "100", 2, "", ""), 12) << "no item yet";
    SellItem("1000", "1000");
    EXPECT_EQ(E().Fiscal_Imprimir_MensagemEX("CEDO"), 12) << "before the first payment";
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 12);
    EXPECT_EQ(E().Fiscal_Pagamento("Vale", "100", 2, "", ""), 23);
    EXPECT_EQ(E().Fiscal_Pagamento("Dinheiro", "0", 2, "", ""), 19);
    ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "400", 2, "", ""), 0);
    EXPECT_EQ(E().Fiscal_Vender_Item("1", "X", "1000", 3, "UN", "100", 2, "1800", 1), 12);
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 12) << "6,00 still to pay";
    ASSERT_EQ(E().Fiscal_Pagamento("Cheque", "600", 2, "", ""), 0);
    EXPECT_EQ(E().Fiscal_Pagamento("Dinheiro", "100", 2, "", ""), 12) << "already paid";
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(2, 0), 2);
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 0);
}

TEST_F(EpsonEmuCouponTest, ItemDiscountAndSurchargeRules) {
    OpenDay();
    OpenCoupon();
    EXPECT_EQ(E().Fiscal_Desconto_Acrescimo_Item("100", 2, 1, 0), 15) << "no item sold yet";
    SellItem("1000", "1000");
    EXPECT_EQ(E().Fiscal_Desconto_Acrescimo_Item("1000", 2, 1, 0), 24) << "the whole item";
    EXPECT_EQ(E().Fiscal_Desconto_Acrescimo_Item("0", 2, 1, 0), 19);
    EXPECT_EQ(E().Fiscal_Desconto_Acrescimo_Item("100", 2, 2, 0), 2);
    ASSERT_EQ(E().Fiscal_Desconto_Acrescimo_Item("150", 2, 1, 0), 0);
    EXPECT_EQ(E().Fiscal_Desconto_Acrescimo_Item("10", 2, 1, 0), 24) << "once per item";
    SellItem("1000", "2000");
    ASSERT_EQ(E().Fiscal_Desconto_Acrescimo_Item("1000", 2, 0, 1), 0) << "10 % surcharge";
    // 10,00 - 1,50 + 20,00 + 2,00 = 30,50: exactly that pays the coupon.
    ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "3049", 2, "", ""), 0);
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 12);
    ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "1", 2, "", ""), 0);
    EXPECT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 0);
    EXPECT_EQ(DayTotalAt(E(), "T1800"), 3050);
}

TEST_F(EpsonEmuCouponTest, CancelledItemsLeaveTheTotalAndCannotBeCancelledTwice) {
    OpenDay();
    OpenCoupon();
    SellItem("1000", "1000");
    SellItem("1000", "500");
    for (const char* bad : {"0", "3", "", "x1"})
        EXPECT_NE(E().Fiscal_Cancelar_Item(bad), 0) << bad;
    EXPECT_EQ(E().Fiscal_Cancelar_Item(nullptr), 15);
    ASSERT_EQ(E().Fiscal_Cancelar_Item("1"), 0);
    EXPECT_EQ(E().Fiscal_Cancelar_Item("1"), 15);
    EXPECT_EQ(E().Fiscal_Desconto_Acrescimo_Item("100", 2, 1, 0), 0)
        << "the last item is still live";
    ASSERT_EQ(E().Fiscal_Cancelar_Item("2"), 0);
    EXPECT_EQ(E().Fiscal_Pagamento("Dinheiro", "100", 2, "", ""), 12) << "no live item left";
}

TEST_F(EpsonEmuCouponTest, CancellingTheOpenCouponThenTheLastOneThenNothing) {
    EXPECT_EQ(E().Fiscal_Cancelar_Cupom(), 25) << "a new printer has nothing to cancel";
    OpenDay();
    OpenCoupon();
    SellItem();
    const int open = Coo();
    ASSERT_EQ(E().Fiscal_Cancelar_Cupom(), 0);
    EXPECT_EQ(Coo(), open) << "the open coupon is cancelled on its own paper";
    EXPECT_EQ(DocumentInProgress(), "0000");
    EXPECT_EQ(Counters().substr(36, 6), "000001") << "CFC";
    EXPECT_EQ(E().Fiscal_Cancelar_Cupom(), 25);

    SellSimpleCoupon();
    const int closed = Coo();
    ASSERT_EQ(E().Fiscal_Cancelar_Cupom(), 0);
    EXPECT_EQ(Coo(), closed + 1) << "a cancellation document of its own";
    EXPECT_EQ(Counters().substr(36, 6), "000002");
    EXPECT_NE(Tape().find("CANCELAMENTO DE CUPOM FISCAL"), std::string::npos);
    EXPECT_EQ(E().Fiscal_Cancelar_Cupom(), 25);

    SellSimpleCoupon();
    ASSERT_EQ(E().RelatorioFiscal_LeituraX(), 0);
    EXPECT_EQ(E().Fiscal_Cancelar_Cupom(), 25) << "the coupon is no longer the last document";
}

TEST_F(EpsonEmuCouponTest, ClosingMessageIsCutAt448Characters) {
    OpenDay();
    OpenCoupon();
    SellItem();
    ASSERT_EQ(E().Fiscal_Pagamento("Dinheiro", "1000", 2, "", ""), 0);
    const std::string first(300, '#'), second(200, '@');
    ASSERT_EQ(E().Fiscal_Imprimir_MensagemEX(first.c_str()), 0);
    ASSERT_EQ(E().Fiscal_Imprimir_MensagemEX(second.c_str()), 0);
    ASSERT_EQ(E().Fiscal_Fechar_Cupom(1, 0), 0);
    const std::string tape = Tape();
    EXPECT_EQ(std::count(tape.begin(), tape.end(), '#'), 300);
    EXPECT_EQ(std::count(tape.begin(), tape.end(), '@'), 148) << tape;
    EXPECT_NE(tape.find(std::string(56, '#') + "\n"), std::string::npos)
        << "the message is printed in lines of 56";
}

TEST_F(EpsonEmuCouponTest, CouponAndCashNeedAnOpenFiscalDay) {
    EXPECT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 1), 20);
    EXPECT_EQ(E().NaoFiscal_Fundo_Troco("1000", 2), 20);
    EXPECT_EQ(E().Fiscal_Abrir_Cupom("", "", "", "", 2), 16);
    EXPECT_EQ(Ccf(), 0);
    EXPECT_EQ(Coo(), 0);
    OpenDay();
    EXPECT_EQ(Coo(), 1) << "the opening of the day is a document";
    SellSimpleCoupon();
    EXPECT_EQ(Coo(), 2);
    EXPECT_EQ(Ccf(), 1);
}

} // namespace

} // namespace zelt::test
