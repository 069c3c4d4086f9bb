#include "app/ZeltCore/UArredondamento.h"
#include "outside/utils/Utils.h"
#include "platform/rtl/Errors.h"
#include "tests/pdv_rounding/Money.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace zelt {
namespace {

struct RoundCase {
    std::string valor;
    int digitos;
    std::string esperado;
};

void PrintTo(const RoundCase& c, std::ostream* os) {
    *os << c.valor << " at " << c.digitos << " -> " << c.esperado;
}

// ---------------------------------------------------------------------------------------------
// ABNT rounding

class AbntTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(AbntTest, RoundsByTheDigitsOfTheValue) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(TArredondamento::ValorArredondadoAbnt(M(c.valor), c.digitos), M(c.esperado));
}

INSTANTIATE_TEST_SUITE_P(
    Cents, AbntTest,
    ::testing::Values(RoundCase{"1,2345", -2, "1,23"},  // first discarded digit 4
                      RoundCase{"1,2367", -2, "1,24"},  // 6 goes up
                      RoundCase{"1,2351", -2, "1,24"},  // 5 then a non-zero digit
                      RoundCase{"1,2350", -2, "1,24"},  // tie, kept digit 3 odd
                      RoundCase{"1,2450", -2, "1,24"},  // tie, kept digit 4 even
                      RoundCase{"1,2050", -2, "1,21"},  // tie, kept digit 0 goes up
                      RoundCase{"1,2250", -2, "1,22"},  // tie, kept digit 2 even
                      RoundCase{"1,2650", -2, "1,26"},  // tie, kept digit 6 even
                      RoundCase{"1,2850", -2, "1,28"},  // tie, kept digit 8 even
                      RoundCase{"1,2950", -2, "1,30"},  // tie, kept digit 9 carries
                      RoundCase{"9,9950", -2, "10,00"}, // the carry crosses the comma
                      RoundCase{"0,0050", -2, "0,01"},  // tie on zero
                      RoundCase{"0,0049", -2, "0"},     //
                      RoundCase{"1,2300", -2, "1,23"},  // nothing to discard
                      RoundCase{"0", -2, "0"},          //
                      RoundCase{"99999,9950", -2, "100000,00"}));

INSTANTIATE_TEST_SUITE_P(
    OtherPlaces, AbntTest,
    ::testing::Values(RoundCase{"2,5000", 0, "2"},    // K = 2 even
                      RoundCase{"3,5000", 0, "4"},    // K = 3 odd
                      RoundCase{"0,5000", 0, "1"},    // K = 0 raised
                      RoundCase{"4,4999", 0, "4"},    //
                      RoundCase{"1,2500", -1, "1,2"}, //
                      RoundCase{"1,3500", -1, "1,4"}, //
                      // Only two discarded digits are read: the third (1) does not break the tie.
                      RoundCase{"1,2501", -1, "1,2"},    //
                      RoundCase{"1,2355", -3, "1,236"},  //
                      RoundCase{"1,2345", -3, "1,234"},  // tie, kept 4
                      RoundCase{"1,2345", -4, "1,2345"}, // the last place of money: no change
                      RoundCase{"1234,5678", 2, "1200"}, //
                      RoundCase{"1234,5678", 1, "1230"}, //
                      RoundCase{"1250", 2, "1200"},      // tie in hundreds, kept 2
                      RoundCase{"1350", 2, "1400"},      //
                      RoundCase{"1050", 2, "1100"},      // tie, kept 0 raised
                      // value / unit is kept to four decimals first: 1,49999999 becomes 1,5000,
                      // a tie on an odd kept digit.
                      RoundCase{"14999,9999", 4, "20000"}));

// Outside the seven-digit picture and below zero the same digit rule applies to the magnitude.
INSTANTIATE_TEST_SUITE_P(MagnitudeRule, AbntTest,
                         ::testing::Values(RoundCase{"-1,2350", -2, "-1,24"}, //
                                           RoundCase{"-1,2450", -2, "-1,24"}, //
                                           RoundCase{"-1,2345", -2, "-1,23"}, //
                                           RoundCase{"-1,2367", -2, "-1,24"}, //
                                           RoundCase{"-0,0050", -2, "-0,01"}, //
                                           RoundCase{"-2,5000", 0, "-2"},     //
                                           RoundCase{"100000,1250", -2, "100000,12"},
                                           RoundCase{"100000,1350", -2, "100000,14"},
                                           RoundCase{"123456789,0050", -2, "123456789,01"},
                                           RoundCase{"-123456789,2450", -2, "-123456789,24"},
                                           RoundCase{"900000000000000,5000", 0, "900000000000001"},
                                           RoundCase{"900000000000002,5000", 0,
                                                     "900000000000002"}));

// With cents, the rule reduces to integer arithmetic on the raw ten-thousandths; any value of
// money, of either sign and beyond the picture, must agree with it.
std::int64_t AbntCentsReference(std::int64_t raw) {
    const bool negativo = raw < 0;
    const std::int64_t m = negativo ? -raw : raw;
    std::int64_t cents = m / 100;
    const int d1 = static_cast<int>(m / 10 % 10);
    const int d2 = static_cast<int>(m % 10);
    const int k = static_cast<int>(cents % 10);
    const bool tieKeeps = k == 2 || k == 4 || k == 6 || k == 8;
    if (d1 > 5 || (d1 == 5 && (d2 != 0 || !tieKeeps))) {
        ++cents;
    }
    return (negativo ? -cents : cents) * 100;
}

TEST(AbntRandomTest, AgreesWithTheDigitRuleOnRawMoney) {
    std::mt19937_64 gen(20261211);
    // Small values mostly, where every digit pattern shows up, and a share of large ones up to
    // the largest whose count of cents is still money.
    std::uniform_int_distribution<std::int64_t> small(-2'000'000, 2'000'000);
    std::uniform_int_distribution<std::int64_t> large(-92'000'000'000'000'000,
                                                      92'000'000'000'000'000);
    for (int i = 0; i < 200000; ++i) {
        std::int64_t raw = i % 4 == 0 ? large(gen) : small(gen);
        if (i % 3 == 0) {
            raw = raw / 100 * 100 + (raw < 0 ? -50 : 50); // force a tie
        }
        const Currency got = TArredondamento::ValorArredondadoAbnt(Currency::FromRaw(raw), -2);
        ASSERT_EQ(got.Raw(), AbntCentsReference(raw)) << "raw " << raw;
    }
}

TEST(AbntErrorsTest, AValueWhoseCountOfUnitsIsNoLongerMoneyFails) {
    // 10^13 reais are 10^15 cents, beyond the money range of about 9.2 x 10^14.
    EXPECT_THROW(TArredondamento::ValorArredondadoAbnt(M("10000000000000"), -2), EConvertError);
    EXPECT_EQ(TArredondamento::ValorArredondadoAbnt(M("10000000000000"), 0), M("10000000000000"));
}

TEST(AbntErrorsTest, PlacesBelowTheLastMoneyDecimalFailAsADivisionByZero) {
    EXPECT_THROW(TArredondamento::ValorArredondadoAbnt(M("1,2345"), -5), EZeroDivide);
    EXPECT_THROW(TArredondamento::ValorArredondadoAbnt(M("0"), -7), EZeroDivide);
    // The error is the platform's math error, as callers catching that family expect.
    EXPECT_THROW(TArredondamento::ValorArredondadoAbnt(M("1"), -5), EMathError);
}

// ---------------------------------------------------------------------------------------------
// Binary rounding

class PcTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(PcTest, RoundsTheBinaryValue) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(TArredondamento::ValorArredondadoPC(M(c.valor), c.digitos), M(c.esperado));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PcTest,
    ::testing::Values(RoundCase{"2,999", -2, "3,00"},   //
                      RoundCase{"2,675", -2, "2,67"},   // the double lies below the half
                      RoundCase{"2,665", -2, "2,67"},   // the double lies above the half
                      RoundCase{"1,005", -2, "1,00"},   // below the half in binary
                      RoundCase{"0,125", -2, "0,12"},   // exact binary half goes to even
                      RoundCase{"0,375", -2, "0,38"},   //
                      RoundCase{"1,2350", -2, "1,24"},  //
                      RoundCase{"1,2050", -2, "1,21"},  //
                      RoundCase{"-2,675", -2, "-2,67"}, //
                      RoundCase{"-0,125", -2, "-0,12"}, //
                      RoundCase{"2,5", 0, "2"},         // halves to even, unlike ABNT on 0
                      RoundCase{"0,5", 0, "0"},         //
                      RoundCase{"3,5", 0, "4"},         //
                      RoundCase{"15", 1, "20"},         //
                      RoundCase{"25", 1, "20"},         //
                      RoundCase{"1234,5678", 2, "1200"}, RoundCase{"1,23456", -4, "1,2346"}));

TEST(PcRandomTest, LandsOnACentWithinHalfACent) {
    std::mt19937_64 gen(7);
    std::uniform_int_distribution<std::int64_t> dist(-100'000'000'000, 100'000'000'000);
    for (int i = 0; i < 100000; ++i) {
        const std::int64_t raw = dist(gen);
        const Currency got = TArredondamento::ValorArredondadoPC(Currency::FromRaw(raw), -2);
        ASSERT_EQ(got.Raw() % 100, 0) << "raw " << raw;
        ASSERT_LE(std::llabs(got.Raw() - raw), 50) << "raw " << raw;
        // Values off a decimal half are never in doubt, whatever their binary form.
        if (std::llabs(raw % 100) != 50) {
            ASSERT_EQ(got.Raw(), (raw + (raw < 0 ? -50 : 50)) / 100 * 100) << "raw " << raw;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Arredondado: mode 0 rounds, any other mode cuts

struct ModeCase {
    int modo;
    std::string valor;
    std::string esperado;
};

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << "mode " << c.modo << ": " << c.valor << " -> " << c.esperado;
}

class ArredondadoTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ArredondadoTest, RoundsOrCutsToTheCent) {
    const ModeCase& c = GetParam();
    EXPECT_EQ(TArredondamento::Arredondado(c.modo, M(c.valor), -2), M(c.esperado));
}

INSTANTIATE_TEST_SUITE_P(Cases, ArredondadoTest,
                         ::testing::Values(ModeCase{0, "2,999", "3,00"}, //
                                           ModeCase{1, "2,999", "2,99"}, //
                                           ModeCase{0, "2,675",
                                                    "2,67"}, // mode 0 is the binary rule, not ABNT
                                           ModeCase{2, "2,999", "2,99"}, // every non-zero mode cuts
                                           ModeCase{-1, "2,999", "2,99"}, //
                                           // These doubles lie just below their decimal value; the
                                           // cut must not lose a cent to that.
                                           ModeCase{1, "1,15", "1,15"},    //
                                           ModeCase{1, "0,29", "0,29"},    //
                                           ModeCase{1, "8,7", "8,70"},     //
                                           ModeCase{1, "4,35", "4,35"},    //
                                           ModeCase{1, "1,1599", "1,15"},  //
                                           ModeCase{1, "0,0099", "0"},     //
                                           ModeCase{1, "-2,999", "-2,99"}, // toward zero
                                           ModeCase{1, "-1,15", "-1,15"},  //
                                           ModeCase{1, "0", "0"},          //
                                           ModeCase{1, "12345678,9999", "12345678,99"}));

// The cut goes through a double's 15-digit text; for money below 10^11 that text holds every
// digit of the value, so the result must be the exact cut of the money.
TEST(ArredondadoRandomTest, CutEqualsTheExactCutOfTheMoney) {
    std::mt19937_64 gen(11);
    std::uniform_int_distribution<std::int64_t> wide(-999'999'999'999'999, 999'999'999'999'999);
    std::uniform_int_distribution<std::int64_t> small(0, 10'000'000);
    for (int i = 0; i < 200000; ++i) {
        const std::int64_t raw = i % 2 == 0 ? wide(gen) : small(gen);
        const Currency valor = Currency::FromRaw(raw);
        ASSERT_EQ(TArredondamento::Arredondado(1, valor, -2).Raw(), raw / 100 * 100)
            << "raw " << raw;
    }
}

TEST(ArredondadoRandomTest, EveryCentUpToAThousandSurvivesTheCut) {
    for (std::int64_t cents = 0; cents <= 100000; ++cents) {
        const Currency valor = Currency::FromRaw(cents * 100);
        ASSERT_EQ(TArredondamento::Arredondado(1, valor, -2), valor) << "cents " << cents;
    }
}

} // namespace
} // namespace zelt
