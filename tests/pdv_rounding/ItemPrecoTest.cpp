#include "stock/ZeltStock/UZelt_ItemPrecoI.h"
#include "tests/pdv_rounding/Money.h"

#include <gtest/gtest.h>
#include <string>

namespace zelt {
namespace {

struct TotsCase {
    int modo;
    std::string qtd;
    std::string preco;
    std::string desconto;
    std::string bruto;
    std::string liquido;
};

void PrintTo(const TotsCase& c, std::ostream* os) {
    *os << "mode " << c.modo << ": " << c.qtd << " x " << c.preco << " - " << c.desconto << " -> "
        << c.bruto << " / " << c.liquido;
}

class CalculeTotsTest : public ::testing::TestWithParam<TotsCase> {};

TEST_P(CalculeTotsTest, GrossAndNetToTheCent) {
    const TotsCase& c = GetParam();
    Currency bruto = M("-999");
    Currency liquido = M("-999");
    TItemPrecoI::CalculeTots(c.modo, M(c.qtd), M(c.preco), M(c.desconto), bruto, liquido);
    EXPECT_EQ(bruto, M(c.bruto));
    EXPECT_EQ(liquido, M(c.liquido));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalculeTotsTest,
    ::testing::Values(
        TotsCase{0, "3", "0,3333", "0,01", "1,00", "0,99"}, // 0,9999 rounds up
        TotsCase{1, "3", "0,3333", "0,01", "0,99", "0,98"}, // 0,9999 is cut
        TotsCase{0, "1", "2,999", "0", "3,00", "3,00"},     //
        TotsCase{1, "1", "2,999", "0", "2,99", "2,99"},     //
        // Signs are dropped: a returned item totals as the sold one.
        TotsCase{0, "-3", "0,3333", "0,01", "1,00", "0,99"},  //
        TotsCase{0, "3", "-0,3333", "-0,01", "1,00", "0,99"}, //
        TotsCase{1, "-2", "1,15", "0", "2,30", "2,30"},       //
        // No floor at zero for the net.
        TotsCase{0, "1", "5", "7,5", "5,00", "-2,50"}, //
        TotsCase{1, "1", "5", "7,5", "5,00", "-2,50"}, //
        // Weighed goods.
        TotsCase{0, "1,2346", "9,99", "0", "12,33", "12,33"}, // 12,333654
        TotsCase{0, "0,755", "12,90", "0,5", "9,74", "9,24"}, // 9,7395
        TotsCase{1, "0,755", "12,90", "0,5", "9,73", "9,23"}, //
        // 0,5 x 2,0199 = 1,00995: the product is kept to the nearest ten-thousandth (1,0100,
        // the odd 1,0099 goes up on the half) before the cut.
        TotsCase{1, "0,5", "2,0199", "0", "1,01", "1,01"}, //
        // 0,5 x 0,0003 = 0,00015 -> 0,0002; the rest of the chain keeps it below a cent.
        TotsCase{0, "0,5", "0,0003", "0", "0", "0"}, //
        // The discount itself is brought to the cent with the net.
        TotsCase{0, "1", "10", "0,125", "10,00", "9,88"}, // 9,875 is an exact binary half
        TotsCase{1, "1", "10", "0,125", "10,00", "9,87"}, //
        TotsCase{0, "0", "10", "0", "0", "0"},            //
        TotsCase{0, "1000", "99999,99", "0", "99999990,00", "99999990,00"}));

} // namespace
} // namespace zelt
