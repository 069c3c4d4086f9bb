// The fiscal coupon: the whole sale as the plug-in drives it, the refusals of each step, and
// cancellation.
#include "tests/printers_daruma/DarumaFixture.h"

#include <cctype>
#include <fstream>
#include <string>

namespace zelt::test {
namespace {

using Coupon = DarumaTest;

// How many times c appears in the first stretch of text made of c and line ends only, starting
// at its first run of eight: a long text as the tape wraps it.
std::size_t RunLength(const std::string& tape, char c) {
    std::size_t n = 0;
    for (std::size_t i = tape.find(std::string(8, c));
         i < tape.size() && (tape[i] == c || tape[i] == '\n'); ++i)
        n += tape[i] == c;
    return n;
}

TEST_F(Coupon, WholeSaleMovesThroughEveryStateAndPrintsIt) {
    ASSERT_EQ(D().eDefinirProduto("ECF"), 1);
    ASSERT_EQ(D().regAlterarValor("ECF\\ReceberInfoEstendida", "1"), 1);
    EXPECT_EQ(CouponStatus(), 0);
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    const std::string coo = Coo();
    EXPECT_EQ(coo, "000001");
    EXPECT_EQ(CouponStatus(), 1);
    EXPECT_EQ(StatusItem(3), 1);

    ASSERT_EQ(D().iCFVender("I18,00", "2,0", "3,50", "D$", "0,00", "789", "UN", "ARROZ"), 1);
    ASSERT_EQ(D().iCFVender("FF", "1,500", "4,00", "D$", "0,50", "790", "KG", "FEIJAO"), 1);
    ASSERT_EQ(D().iCFVender("T1200", "1,0", "9,99", "D$", "0,00", "791", "UN", "OLEO"), 1);
    ASSERT_EQ(D().iCFLancarDescontoItem("1", "D$", "0,20"), 1);
    ASSERT_EQ(D().iCFCancelarItem("3"), 1);
    // Items: 7,00 - 0,20 = 6,80; 6,00 - 0,50 = 5,50; the third cancelled. Subtotal 12,30.
    ASSERT_EQ(D().iCFTotalizarCupom("D$", "0,30"), 1);
    EXPECT_EQ(CouponStatus(), 2);
    ASSERT_EQ(D().iCFEfetuarPagamento("Cartao", "5,00", nullptr), 1);
    EXPECT_EQ(CouponStatus(), 3);
    ASSERT_EQ(D().iCFEfetuarPagamento("dinheiro", "10,00", nullptr), 1);
    EXPECT_EQ(CouponStatus(), 4);
    ASSERT_EQ(D().iCFIdentificarConsumidor("JOSE DA SILVA", "RUA A, 1", "123.456.789-09"), 1);
    const std::string message(500, 'M');
    ASSERT_EQ(D().iCFEncerrar("0", message.c_str()), 1);
    EXPECT_EQ(CouponStatus(), 0);
    EXPECT_EQ(Coo(), coo);

    const std::string tape = Tape();
    for (const char* expected :
         {"CUPOM FISCAL", "001 789 ARROZ", "2,000 UN X 3,50 T18,00", "1,500 KG X 4,00 FF",
          "desconto item 001", "-0,20", "cancelado item 003 OLEO", "SUBTOTAL R$", "12,30",
          "desconto subtotal", "TOTAL R$", "12,00", "Cartao", "Dinheiro", "TROCO R$",
          "JOSE DA SILVA", "COO:000001"})
        EXPECT_NE(tape.find(expected), std::string::npos) << expected;
    // The message is printed cut to 384 characters (8 lines of 48).
    EXPECT_NE(tape.find(std::string(48, 'M') + "\n"), std::string::npos);
    EXPECT_EQ(RunLength(tape, 'M'), 384u);
    EXPECT_NE(tape.find("TROCO R$" + std::string(36, ' ') + "3,00\n"), std::string::npos);

    // Day totals: gross of the live items, their discounts and the subtotal discount.
    EXPECT_EQ(StateValue("Dia", "Bruta"), "1300");
    EXPECT_EQ(StateValue("Dia", "Descontos"), "100");
    EXPECT_EQ(StateValue("Contadores", "GT"), "1300");
    EXPECT_EQ(StateValue("Contadores", "CCF"), "1");
    EXPECT_EQ(StateValue("Dia", "Tributos"), "FF:550;T1800:680");
}

TEST_F(Coupon, JournalHoldsEveryCallWithItsArguments) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("I18,00", "2,0", "3,50", "D$", "0,00", "789", "UN", "ARROZ"), 1);
    ASSERT_EQ(D().iCFTotalizarCupom("D$", "0,00"), 1);
    ASSERT_EQ(D().iCFEfetuarPagamento("Dinheiro", "7,00", nullptr), 1);
    ASSERT_EQ(D().iCFEncerrar("0", "linha 1\r\nlinha \"2\""), 1);
    char buffer[7] = {};
    ASSERT_EQ(D().rRetornarInformacao("26", buffer), 1);
    const std::vector<std::string> expected = {
        "iCFAbrirPadrao_ECF_Daruma()",
        "iCFVender_ECF_Daruma(\"I18,00\",\"2,0\",\"3,50\",\"D$\",\"0,00\",\"789\",\"UN\","
        "\"ARROZ\")",
        "iCFTotalizarCupom_ECF_Daruma(\"D$\",\"0,00\")",
        "iCFEfetuarPagamento_ECF_Daruma(\"Dinheiro\",\"7,00\",NULL)",
        "iCFEncerrar_ECF_Daruma(\"0\",\"linha 1\\r\\nlinha \\\"2\\\"\")",
        "rRetornarInformacao_ECF_Daruma(\"26\",out)"};
    EXPECT_EQ(JournalLines(), expected);
}

TEST_F(Coupon, ConsumerGivenAtOpeningIsPrintedCut) {
    const std::string name(40, 'N');
    const std::string address(100, 'E');
    ASSERT_EQ(D().iCFAbrir("123.456.789-09", name.c_str(), address.c_str()), 1);
    const std::string tape = Tape();
    EXPECT_NE(tape.find("CPF/CNPJ consumidor: 123.456.789-09"), std::string::npos);
    EXPECT_NE(tape.find("NOME: " + std::string(30, 'N') + "\n"), std::string::npos);
    EXPECT_EQ(RunLength(tape, 'E'), 79u); // the address cut to 79, wrapped
}

struct StepRefusal {
    const char* what;
    int setup; // how far the coupon goes first: 0 none, 1 open with an item, 2 totalised
    int (*call)(const DarumaApi&);
    int code;
};

const StepRefusal kRefusals[] = {
    {"sell without coupon", 0,
     [](const DarumaApi& d) {
         return d.iCFVender("FF", "1,0", "1,00", "D$", "0,00", "1", "UN", "X");
     },
     11},
    {"totalise without coupon", 0,
     [](const DarumaApi& d) { return d.iCFTotalizarCupom("D$", "0"); }, 11},
    {"end without coupon", 0, [](const DarumaApi& d) { return d.iCFEncerrar("0", ""); }, 11},
    {"cancel with nothing to cancel", 0, [](const DarumaApi& d) { return d.iCFCancelar(); }, 12},
    {"open twice", 1, [](const DarumaApi& d) { return d.iCFAbrirPadrao(); }, 10},
    {"rate not programmed", 1,
     [](const DarumaApi& d) {
         return d.iCFVender("I19,00", "1,0", "1,00", "D$", "0", "1", "UN", "X");
     },
     18},
    {"tax that is no tax", 1,
     [](const DarumaApi& d) { return d.iCFVender("0", "1,0", "1,00", "D$", "0", "1", "UN", "X"); },
     16},
    {"quantity with letters", 1,
     [](const DarumaApi& d) { return d.iCFVender("FF", "1,a", "1,00", "D$", "0", "1", "UN", "X"); },
     13},
    {"quantity zero", 1,
     [](const DarumaApi& d) { return d.iCFVender("FF", "0,0", "1,00", "D$", "0", "1", "UN", "X"); },
     28},
    {"surcharge too large", 1,
     [](const DarumaApi& d) {
         return d.iCFVender("FF", "9999,999", "9999999,999", "A%", "9999,99", "1", "UN", "X");
     },
     17},
    {"quantity too large", 1,
     [](const DarumaApi& d) {
         return d.iCFVender("FF", "10000,0", "1,00", "D$", "0", "1", "UN", "X");
     },
     17},
    {"four decimals in price", 1,
     [](const DarumaApi& d) {
         return d.iCFVender("FF", "1,0", "1,0001", "D$", "0", "1", "UN", "X");
     },
     16},
    {"no description", 1,
     [](const DarumaApi& d) {
         return d.iCFVender("FF", "1,0", "1,00", "D$", "0", "1", "UN", "  ");
     },
     45},
    {"discount of the whole item", 1,
     [](const DarumaApi& d) {
         return d.iCFVender("FF", "1,0", "1,00", "D$", "1,00", "1", "UN", "X");
     },
     24},
    {"unknown discount kind", 1,
     [](const DarumaApi& d) { return d.iCFVender("FF", "1,0", "1,00", "X$", "0", "1", "UN", "X"); },
     16},
    {"pay before totalising", 1,
     [](const DarumaApi& d) { return d.iCFEfetuarPagamento("Dinheiro", "1,00", nullptr); }, 39},
    {"end before paying", 2, [](const DarumaApi& d) { return d.iCFEncerrar("0", ""); }, 39},
    {"unknown payment form", 2,
     [](const DarumaApi& d) { return d.iCFEfetuarPagamento("Vale", "1,00", nullptr); }, 49},
    {"zero payment", 2,
     [](const DarumaApi& d) { return d.iCFEfetuarPagamento("Dinheiro", "0,00", nullptr); }, 28},
    {"sell after totalising", 2,
     [](const DarumaApi& d) { return d.iCFVender("FF", "1,0", "1,00", "D$", "0", "1", "UN", "X"); },
     39},
    {"discount item that does not exist", 1,
     [](const DarumaApi& d) { return d.iCFLancarDescontoItem("2", "D$", "0,10"); }, 15},
    {"cancel item zero", 1, [](const DarumaApi& d) { return d.iCFCancelarItem("0"); }, 15},
    {"discount of the whole subtotal", 1,
     [](const DarumaApi& d) { return d.iCFTotalizarCupom("D$", "5,00"); }, 24},
    {"discount of 100 percent", 1,
     [](const DarumaApi& d) { return d.iCFTotalizarCupom("D%", "100,00"); }, 24},
    {"identify before totalising", 1,
     [](const DarumaApi& d) { return d.iCFIdentificarConsumidor("A", "B", "C"); }, 39},
    {"identify with nothing", 2,
     [](const DarumaApi& d) { return d.iCFIdentificarConsumidor(" ", "", nullptr); }, 45},
    {"end with an additional coupon before paying", 2,
     [](const DarumaApi& d) { return d.iCFEncerrar("1", ""); }, 39},
};

class CouponRefusal : public DarumaTest, public ::testing::WithParamInterface<StepRefusal> {};

TEST_P(CouponRefusal, IsRefusedWithItsCodeAndChangesNothing) {
    const StepRefusal& r = GetParam();
    ASSERT_EQ(D().rVerificarImpressoraLigada(), 1);
    if (r.setup >= 1) {
        ASSERT_EQ(D().iCFAbrirPadrao(), 1);
        ASSERT_EQ(D().iCFVender("FF", "1,0", "5,00", "D$", "0,00", "1", "UN", "ITEM"), 1);
    }
    if (r.setup >= 2) {
        ASSERT_EQ(D().iCFTotalizarCupom("D$", "0,00"), 1);
    }
    const std::string before = FileText(Path("state.ini"));
    const std::string tapeBefore = Tape();

    EXPECT_EQ(r.call(D()), r.code);
    EXPECT_EQ(LastError(), r.code);
    EXPECT_EQ(Tape(), tapeBefore);
    // Only the last command's status may differ in the state file.
    std::string after = FileText(Path("state.ini"));
    const std::string errorKey = "Erro=";
    auto strip = [&](std::string s) {
        const std::size_t at = s.find(errorKey);
        return at == std::string::npos ? s : s.substr(0, at) + s.substr(s.find('\n', at));
    };
    EXPECT_EQ(strip(after), strip(before));
}

INSTANTIATE_TEST_SUITE_P(Steps, CouponRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST_F(Coupon, AnAdditionalCouponIsInhibitedOncePaid) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("FF", "1,0", "5,00", "D$", "0,00", "1", "UN", "ITEM"), 1);
    ASSERT_EQ(D().iCFTotalizarCupom("D$", "0,00"), 1);
    ASSERT_EQ(D().iCFEfetuarPagamento("Dinheiro", "5,00", nullptr), 1);
    EXPECT_EQ(D().iCFEncerrar("1", ""), 32);
    EXPECT_EQ(D().iCFEfetuarPagamento("Dinheiro", "1,00", nullptr), 39);
    EXPECT_EQ(D().iCFEncerrar("0", ""), 1);
}

TEST_F(Coupon, ItemTotalsRoundHalfUpOrTruncateAsProgrammed) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    // 3 x 0,335 = 1,005.
    ASSERT_EQ(D().iCFVender("FF", "3", "0,335", "D$", "0", "1", "UN", "A"), 1);
    EXPECT_EQ(StateValue("Item.1", "Bruto"), "101");
    ASSERT_EQ(D().iCFVender("FF", "0,333", "1,00", "D%", "10,00", "1", "UN", "B"), 1);
    EXPECT_EQ(StateValue("Item.2", "Bruto"), "33");
    EXPECT_EQ(StateValue("Item.2", "Desconto"), "3");
    ASSERT_EQ(D().iCFCancelar(), 1);

    // A truncating printer, as the state file programs it.
    std::string state = FileText(Path("state.ini"));
    state.replace(state.find("Truncamento=0"), 13, "Truncamento=1");
    std::ofstream(Path("state.ini"), std::ios::binary | std::ios::trunc) << state;
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("FF", "3", "0,335", "D$", "0", "1", "UN", "A"), 1);
    EXPECT_EQ(StateValue("Item.1", "Bruto"), "100");
    char flag[3001] = {};
    ASSERT_EQ(D().rRetornarInformacao("165", flag), 1);
    EXPECT_STREQ(flag, "1");
    EXPECT_EQ(StatusItem(9), 1);
}

TEST_F(Coupon, CancellingTheOpenCouponKeepsItsCoo) {
    ASSERT_EQ(D().iCFAbrirPadrao(), 1);
    ASSERT_EQ(D().iCFVender("FF", "1,0", "5,00", "D$", "0,00", "1", "UN", "ITEM"), 1);
    ASSERT_EQ(D().iCFTotalizarCupom("D$", "0,00"), 1);
    ASSERT_EQ(D().iCFCancelar(), 1);
    EXPECT_EQ(Coo(), "000001");
    EXPECT_EQ(CouponStatus(), 0);
    EXPECT_NE(Tape().find("CUPOM FISCAL CANCELADO"), std::string::npos);
    EXPECT_EQ(StateValue("Dia", "Cancelamentos"), "500");
    EXPECT_EQ(StateValue("Contadores", "CCC"), "1");
    EXPECT_EQ(D().iCFCancelar(), 12);
}

TEST_F(Coupon, CancellingTheLastCouponPrintsACancellationWithANewCoo) {
    SellSimpleCoupon();
    ASSERT_EQ(D().iCFCancelar(), 1);
    EXPECT_EQ(Coo(), "000002");
    const std::string tape = Tape();
    EXPECT_NE(tape.find("CANCELAMENTO"), std::string::npos);
    EXPECT_NE(tape.find("COO DO CUPOM CANCELADO:" + std::string(19, ' ') + "000001\n"),
              std::string::npos);
    EXPECT_EQ(StateValue("Dia", "Cancelamentos"), "1000");
    EXPECT_EQ(D().iCFCancelar(), 12);
}

TEST_F(Coupon, TheLastCouponCannotBeCancelledAfterAnotherDocument) {
    SellSimpleCoupon();
    ASSERT_EQ(D().iSuprimento("1,00", nullptr), 1);
    EXPECT_EQ(D().iCFCancelar(), 12);
}

} // namespace
} // namespace zelt::test
