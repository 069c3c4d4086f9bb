// The fiscal coupon: opening with and without the consumer, items, payments, closing,
// cancelling, and the coupon number.
#include "EpsonFixture.h"
#include "fiscal/epson/UEcfPlugEpson.h"

#include <algorithm>

namespace zelt {
namespace {

namespace e = ecfepson;
using Lines = std::vector<std::string>;

class EpsonCoupon : public EpsonTest {
protected:
    struct Opened {
        bool ok;
        int numero;
        TDateTime dataHora;
        int casasQtd;
        int casasValor;
    };

    Opened Abre() {
        Opened o{false, -1, -1, -1, -1};
        o.ok = e::AbreCupom(o.numero, o.dataHora, o.casasQtd, o.casasValor);
        return o;
    }

    Opened AbreCli(const std::string& ender1, const std::string& ender2 = "",
                   const std::string& ender3 = "", const std::string& ender4 = "") {
        Opened o{false, -1, -1, -1, -1};
        o.ok = e::AbreCupomCli("Maria da Silva", "12345678909", ender1, ender2, ender3, ender4,
                               o.numero, o.dataHora, o.casasQtd, o.casasValor);
        return o;
    }

    bool Item(const std::string& aliquota, const std::string& quantidade, const std::string& preco,
              const std::string& desconto = "0,00") {
        return e::ImprimirItem("789", "Dipirona 500mg", aliquota, quantidade, preco, desconto,
                               "0,00", "12", "UN");
    }
};

TEST_F(EpsonCoupon, AbreCupomOpensWithoutConsumerAndReturnsTheCcf) {
    const Opened o = Abre();
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.numero, 17);
    EXPECT_EQ(o.dataHora, EncodeDateTime(2026, 12, 11, 10, 30, 5, 0));
    EXPECT_EQ(o.casasQtd, 3);
    EXPECT_EQ(o.casasValor, 2);
    EXPECT_EQ(Calls("EPSON_Fiscal_Abrir_Cupom"),
              Lines{"EPSON_Fiscal_Abrir_Cupom(\"\",\"\",\"\",\"\",1)"});
    // The day was open: no opening of the day.
    EXPECT_TRUE(Calls("EPSON_RelatorioFiscal_Abrir_Jornada").empty());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(EpsonCoupon, AClosedDayIsOpenedBeforeTheCoupon) {
    Answer("EPSON_Obter_Dados_Jornada", std::string(72, '0'));
    ASSERT_TRUE(Abre().ok);
    const Lines journal = Journal();
    const auto jornada =
        std::find(journal.begin(), journal.end(), "EPSON_RelatorioFiscal_Abrir_Jornada()");
    const auto cupom = std::find_if(journal.begin(), journal.end(), [](const std::string& l) {
        return l.rfind("EPSON_Fiscal_Abrir_Cupom(", 0) == 0;
    });
    ASSERT_NE(jornada, journal.end());
    EXPECT_LT(jornada, cupom);
}

struct ClockCase {
    int rc;
    const char* relogio;
};

class EpsonCouponClock : public EpsonCoupon, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(EpsonCouponClock, AClockNotAfter1980OpensNothingAndSaysNothing) {
    Return("EPSON_Obter_Hora_Relogio", GetParam().rc);
    Answer("EPSON_Obter_Hora_Relogio", GetParam().relogio);
    EXPECT_FALSE(Abre().ok);
    EXPECT_FALSE(AbreCli("Rua A").ok);
    EXPECT_TRUE(Calls("EPSON_Fiscal_Abrir_Cupom").empty());
    EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonCouponClock,
                         ::testing::Values(ClockCase{1, "11122026103005"},
                                           ClockCase{0, "01011980000000"},
                                           ClockCase{0, "31121979235959"}));

TEST_F(EpsonCoupon, ARefusedOpeningShowsTheCode) {
    Return("EPSON_Fiscal_Abrir_Cupom", 22);
    EXPECT_FALSE(Abre().ok);
    EXPECT_EQ(Boxes(), Lines{"EPSON_Fiscal_Abrir_Cupom retornou 22"});
    EXPECT_TRUE(Calls("EPSON_Obter_Contadores").empty());
}

TEST_F(EpsonCoupon, CountersUnreadAfterOpeningFailTheOpening) {
    Return("EPSON_Obter_Contadores", 1);
    EXPECT_FALSE(Abre().ok);
    EXPECT_EQ(Calls("EPSON_Fiscal_Abrir_Cupom").size(), 1u);
}

struct AddressCase {
    std::string ender1, ender2, ender3, ender4;
    std::string linha1, linha2;
};

class EpsonCouponAddress : public EpsonCoupon, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(EpsonCouponAddress, FortyCharactersThenThirtyNine) {
    const AddressCase& c = GetParam();
    ASSERT_TRUE(AbreCli(c.ender1, c.ender2, c.ender3, c.ender4).ok);
    EXPECT_EQ(Calls("EPSON_Fiscal_Abrir_Cupom"),
              Lines{"EPSON_Fiscal_Abrir_Cupom(\"12345678909\",\"Maria da Silva\",\"" + c.linha1 +
                    "\",\"" + c.linha2 + "\",3)"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, EpsonCouponAddress,
    ::testing::Values(
        // "Rua das Flores, 123 Centro Campinas": 35 characters, one line.
        AddressCase{"Rua das Flores", "123", "Centro", "Campinas",
                    "Rua das Flores, 123 Centro Campinas", ""},
        // 60 characters: 40 on the first line, the other 20 on the second, each trimmed.
        AddressCase{std::string(38, 'a'), "b", std::string(9, 'c'), std::string(8, 'd'),
                    std::string(38, 'a') + ",",
                    "b " + std::string(9, 'c') + " " + std::string(8, 'd')},
        // Beyond 79 characters the rest is dropped.
        AddressCase{std::string(50, 'x'), std::string(50, 'y'), "", "", std::string(40, 'x'),
                    std::string(10, 'x') + ", " + std::string(27, 'y')},
        // Empty parts still leave their separators.
        AddressCase{"", "", "", "", ",", ""}));

TEST_F(EpsonCoupon, TheNameGoesUncut) {
    int n = 0, q = 0, v = 0;
    TDateTime dt = 0;
    const std::string nome(60, 'N');
    ASSERT_TRUE(e::AbreCupomCli(nome, "doc", "Rua", "", "", "", n, dt, q, v));
    ASSERT_EQ(Calls("EPSON_Fiscal_Abrir_Cupom").size(), 1u);
    EXPECT_NE(Calls("EPSON_Fiscal_Abrir_Cupom")[0].find("\"" + nome + "\""), std::string::npos);
    EXPECT_EQ(n, 17);
    EXPECT_EQ(q, 3);
    EXPECT_EQ(v, 2);
}

TEST_F(EpsonCoupon, ARefusedOpeningWithConsumerShowsTheWholeContext) {
    Return("EPSON_Fiscal_Abrir_Cupom", 10);
    PrinterState("1000000000000000", "1000000000000001", "0010", "another document is open");
    EXPECT_FALSE(AbreCli("Rua das Flores", "123", "Centro", "Campinas").ok);
    EXPECT_EQ(Boxes(), Lines{"AbreCupomCli\r\n"
                             "Destin:Maria da Silva Doc:12345678909\r\n"
                             "Ender:Rua das Flores;123;Centro;Campinas;\r\n"
                             "DtH Emiss=11/12/2026 10:30:05,000\r\n"
                             "ParEnder1=[Rua das Flores, 123 Centro Campinas]\r\n"
                             "ParEnder2=[]\r\n"
                             "EPSON_Fiscal_Abrir_Cupom(pchar(pCliDoc), pchar(pCliNome), "
                             "pchar(sender1), '', 3)\r\n"
                             "Retornou 10\r\n"
                             "szEstadoImpressora=1000000000000000\r\n"
                             "szEstadoFiscal=1000000000000001\r\n"
                             "szRetornoComando=0010\r\n"
                             "szMsgErro=another document is open"});
}

TEST_F(EpsonCoupon, TheContextNamesTheSecondLineWhenThereIsOne) {
    Return("EPSON_Fiscal_Abrir_Cupom", 16);
    PrinterState("1000000000000000", "1000000000000000", "0016", "bad parameter");
    EXPECT_FALSE(AbreCli(std::string(45, 'r')).ok);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find("ParEnder2=[rrrrr,]\r\nEPSON_Fiscal_Abrir_Cupom(pchar(pCliDoc), "
                              "pchar(pCliNome), pchar(sender1), pchar(sender2), 3)\r\n"),
              std::string::npos)
        << Boxes()[0];
}

struct ItemCase {
    const char* aliquota;
    const char* quantidade;
    const char* preco;
    const char* sentQtd;
    const char* sentPreco;
    const char* sentAliquota;
};

class EpsonItem : public EpsonCoupon, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(EpsonItem, AmountsGoAsDigitsWithTheirDecimals) {
    const ItemCase& c = GetParam();
    ASSERT_TRUE(Item(c.aliquota, c.quantidade, c.preco));
    EXPECT_EQ(Calls("EPSON_Fiscal_Vender_Item"),
              Lines{std::string("EPSON_Fiscal_Vender_Item(\"789\",\"Dipirona 500mg\",\"") +
                    c.sentQtd + "\",3,\"UN\",\"" + c.sentPreco + "\",2,\"" + c.sentAliquota +
                    "\",1)"});
    EXPECT_TRUE(Calls("EPSON_Fiscal_Desconto_Acrescimo_Item").empty());
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonItem,
                         ::testing::Values(ItemCase{"18,00", "1,5", "2,99", "1500", "299", "1800"},
                                           ItemCase{"7", "1", "10", "1000", "1000", "0007"},
                                           ItemCase{"FF", "2", "0,5", "2000", "050", "FF"},
                                           ItemCase{"II", "0,001", "0,01", "0001", "001", "II"},
                                           ItemCase{"12", "3,0006", "1,006", "3001", "101", "0012"},
                                           ItemCase{"", "1", "1", "1000", "100", ""}));

struct RejectCase {
    const char* quantidade;
    const char* preco;
    const char* message;
};

class EpsonItemRejected : public EpsonCoupon, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(EpsonItemRejected, SendsNothingAndShowsTheExactMessage) {
    EXPECT_FALSE(Item("1800", GetParam().quantidade, GetParam().preco));
    EXPECT_EQ(Boxes(), Lines{GetParam().message});
    EXPECT_TRUE(Journal().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, EpsonItemRejected,
    ::testing::Values(
        RejectCase{"0", "2,99",
                   "Erro ao imprimir produto 789. Quantidade deve ser maior do que zero."},
        RejectCase{"0,0004", "2,99",
                   "Erro ao imprimir produto 789. Quantidade deve ser maior do que zero."},
        RejectCase{"abc", "2,99",
                   "Erro ao imprimir produto 789. Quantidade deve ser maior do que zero."},
        RejectCase{"1", "0,00",
                   "Erro ao imprimir produto 789. Preço unitário deve ser maior do que zero."},
        RejectCase{"1", "0,004",
                   "Erro ao imprimir produto 789. Preço unitário deve ser maior do que zero."},
        RejectCase{"1", "",
                   "Erro ao imprimir produto 789. Preço unitário deve ser maior do que zero."}));

TEST_F(EpsonCoupon, ADiscountFollowsTheItemAsDigits) {
    ASSERT_TRUE(Item("1800", "1", "10,00", "1,50"));
    EXPECT_EQ(Calls("EPSON_Fiscal_Desconto_Acrescimo_Item"),
              Lines{"EPSON_Fiscal_Desconto_Acrescimo_Item(\"150\",2,1,0)"});

    ClearJournal();
    ASSERT_TRUE(Item("1800", "1", "10,00", "0,00"));
    ASSERT_TRUE(Item("1800", "1", "10,00", ""));
    EXPECT_TRUE(Calls("EPSON_Fiscal_Desconto_Acrescimo_Item").empty());
}

TEST_F(EpsonCoupon, ARefusedDiscountFailsTheItemWithItsContext) {
    Return("EPSON_Fiscal_Desconto_Acrescimo_Item", 24);
    PrinterState("1000000000000000", "1000000000000001", "0024", "bad discount");
    EXPECT_FALSE(Item("1800", "1", "1,00", "5,00"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("EPSON_Fiscal_Desconto_Acrescimo_Item\r\nprod:789\r\n"
                               "desconto:500\r\n\r\nszEstadoImpressora=",
                               0),
              0u)
        << Boxes()[0];
}

TEST_F(EpsonCoupon, ARefusedSaleShowsEveryArgumentAndLeavesThePaperFlagAlone) {
    Return("EPSON_Fiscal_Vender_Item", 18);
    PrinterState("1000000000000010", "1000000000000001", "0018", "tax rate not programmed");
    EXPECT_FALSE(
        e::ImprimirItem("789", "Dipirona", "25,00", "2", "3,5", "0,10", "0,20", "12", "CX"));
    EXPECT_EQ(Boxes(), Lines{"function ImprimirItem\r\nEPSON_Fiscal_Vender_Item\r\n"
                             "pCodigo=[789]\r\n"
                             "pDescricao=[Dipirona]\r\n"
                             "pAliquota=[2500]\r\n"
                             "pQuantidade=[2] sq=[2000]\r\n"
                             "pValorUnitario=[3,5] sp=[350]\r\n"
                             "pDesconto=[010]\r\n"
                             "pAcrescimo=[0,20]\r\n"
                             "pDptoCod=[12]\r\n"
                             "pUnidadeMedida=[CX]\r\n"
                             "\r\n"
                             "szEstadoImpressora=1000000000000010\r\n"
                             "szEstadoFiscal=1000000000000001\r\n"
                             "szRetornoComando=0018\r\n"
                             "szMsgErro=tax rate not programmed"});
    EXPECT_TRUE(Calls("EPSON_Fiscal_Desconto_Acrescimo_Item").empty());
    // The record saw the paper out; the flag of the plug-in's own operations did not.
    EXPECT_TRUE(FlagsOf(e::StatusRecord()).Contains(TPrintFlag::pfFimPapel));
    EXPECT_FALSE(e::FlagFimPapel());
}

TEST_F(EpsonCoupon, CancelaItemSendsTheIntegerText) {
    EXPECT_TRUE(e::CancelaItem("003"));
    Return("EPSON_Fiscal_Cancelar_Item", 15);
    EXPECT_FALSE(e::CancelaItem("x"));
    EXPECT_EQ(Calls("EPSON_Fiscal_Cancelar_Item"),
              (Lines{"EPSON_Fiscal_Cancelar_Item(\"3\")", "EPSON_Fiscal_Cancelar_Item(\"0\")"}));
    EXPECT_TRUE(Messages().empty());
}

struct PaymentCase {
    const char* valor;
    const char* sent;
};

class EpsonPayment : public EpsonCoupon, public ::testing::WithParamInterface<PaymentCase> {};

TEST_P(EpsonPayment, ValueGoesAsDigitsWithTwoDecimals) {
    ASSERT_TRUE(e::FecharCupomFP("Dinheiro", GetParam().valor));
    EXPECT_EQ(Calls("EPSON_Fiscal_Pagamento"),
              Lines{std::string("EPSON_Fiscal_Pagamento(\"Dinheiro\",\"") + GetParam().sent +
                    "\",2,\"\",\"\")"});
}

INSTANTIATE_TEST_SUITE_P(Table, EpsonPayment,
                         ::testing::Values(PaymentCase{"12,50", "1250"}, PaymentCase{"10", "1000"},
                                           PaymentCase{"0,125", "013"},
                                           PaymentCase{"1.234,56", "123456"},
                                           PaymentCase{"xyz", "000"}));

TEST_F(EpsonCoupon, ARefusedPaymentShowsTheCall) {
    Return("EPSON_Fiscal_Pagamento", 23);
    PrinterState("1000000000000000", "1000000000010001", "0023", "payment form not programmed");
    EXPECT_FALSE(e::FecharCupomFP("Vale", "5,00"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("EPSON_Fiscal_Pagamento( Vale, 500, 2, '', '');\r\nszEstado", 0), 0u)
        << Boxes()[0];
}

TEST_F(EpsonCoupon, TheClosingMessageIsCutAt448) {
    const std::string mensagem = std::string(447, 'm') + "XY";
    ASSERT_TRUE(e::FecharCupomFim(mensagem));
    EXPECT_EQ(Calls("EPSON_Fiscal_Imprimir_MensagemEX"),
              Lines{"EPSON_Fiscal_Imprimir_MensagemEX(\"" + std::string(447, 'm') + "X\")"});
    EXPECT_EQ(Calls("EPSON_Fiscal_Fechar_Cupom"), Lines{"EPSON_Fiscal_Fechar_Cupom(1,0)"});
}

TEST_F(EpsonCoupon, ARefusedMessageDoesNotCloseTheCoupon) {
    Return("EPSON_Fiscal_Imprimir_MensagemEX", 12);
    PrinterState("1000000000000000", "1000000000000001", "0012", "wrong step");
    EXPECT_FALSE(e::FecharCupomFim("Obrigado"));
    EXPECT_TRUE(Calls("EPSON_Fiscal_Fechar_Cupom").empty());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("EPSON_Fiscal_Imprimir_MensagemEX\r\nObrigado\r\nszEstado", 0), 0u);

    Return("EPSON_Fiscal_Imprimir_MensagemEX", 0);
    Return("EPSON_Fiscal_Fechar_Cupom", 12);
    EXPECT_FALSE(e::FecharCupomFim("Obrigado"));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].rfind("EPSON_Fiscal_Fechar_Cupom(true, false);\r\nszEstado", 0), 0u);
}

TEST_F(EpsonCoupon, CancelaCupomReturnsTheCooItReadBeforeCancelling) {
    EXPECT_EQ(e::CancelaCupom(), 42);
    EXPECT_EQ(Calls("EPSON_Fiscal_Cancelar_Cupom").size(), 1u);
}

TEST_F(EpsonCoupon, CancelaCupomWithoutANumberSendsNothing) {
    Answer("EPSON_Obter_Contadores", std::string(101, '0'));
    EXPECT_EQ(e::CancelaCupom(), 0);
    Return("EPSON_Obter_Contadores", 1);
    EXPECT_EQ(e::CancelaCupom(), 0);
    EXPECT_TRUE(Calls("EPSON_Fiscal_Cancelar_Cupom").empty());
}

TEST_F(EpsonCoupon, AFailedCancelStillReturnsTheNumber) {
    Return("EPSON_Fiscal_Cancelar_Cupom", 25);
    PrinterState("1000000000000000", "1000000000000000", "0025", "nothing to cancel");
    EXPECT_EQ(e::CancelaCupom(), 42);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rfind("function CancelaCupom(", 0), 0u) << Boxes()[0];
    EXPECT_NE(Boxes()[0].find("EPSON_Fiscal_Cancelar_Cupom"), std::string::npos);
}

TEST_F(EpsonCoupon, CupomAbertoReadsTheFiscalState) {
    PrinterState("1000000000000000", "1000000000010001");
    EXPECT_TRUE(e::CupomAberto());
    PrinterState("1000000000000000", "1000000000000003");
    EXPECT_FALSE(e::CupomAberto());
}

TEST_F(EpsonCoupon, NumCupomIsTheCoo) {
    EXPECT_EQ(e::NumCupomInt(), 42);
    EXPECT_EQ(e::NumCupom(), "42");
    Return("EPSON_Obter_Contadores", 1);
    EXPECT_EQ(e::NumCupom(), "0");
    // Both the counters and the coupon number went through the status check.
    EXPECT_EQ(Calls("EPSON_Obter_Estado_ImpressoraEX").size(), 2u);
}

} // namespace
} // namespace zelt
