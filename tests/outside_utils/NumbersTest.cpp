#include "outside/utils/Utils.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FormatSettings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <iomanip>
#include <limits>
#include <ostream>
#include <string>

namespace zelt {
namespace {

Currency Money(std::int64_t raw) {
    return Currency::FromRaw(raw);
}

struct NumCase {
    const char* text;
    double value;
};

class StrToNumTest : public ::testing::TestWithParam<NumCase> {};

TEST_P(StrToNumTest, ReadsTheNumberOrGivesZero) {
    EXPECT_DOUBLE_EQ(StrToNum(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToNumTest,
    ::testing::Values(NumCase{"1800", 1800}, NumCase{"18,5", 18.5}, NumCase{" -2,25 ", -2.25},
                      NumCase{"0,001", 0.001}, NumCase{"1.234,5", 1234.5},
                      NumCase{"1.234.567", 1234567},
                      // Not numbers: tax codes made of letters, mixed texts, bad grouping.
                      NumCase{"FF", 0}, NumCase{"II", 0}, NumCase{"T18", 0}, NumCase{"18%", 0},
                      NumCase{"", 0}, NumCase{"   ", 0}, NumCase{"1,2,3", 0}, NumCase{"12.34,5", 0},
                      NumCase{"1..234", 0}));

TEST(StrToNum, FollowsTheRegionalDecimalSeparator) {
    const TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = '.';
    FormatSettings().ThousandSeparator = ',';
    const double withPoint = StrToNum("1,234.5");
    FormatSettings() = saved;
    EXPECT_DOUBLE_EQ(withPoint, 1234.5);
}

struct CurrencyCase {
    const char* text;
    std::int64_t raw;
};

class StrToCurrencyTest : public ::testing::TestWithParam<CurrencyCase> {};

TEST_P(StrToCurrencyTest, ReadsMoneyExactly) {
    EXPECT_EQ(StrToCurrency(GetParam().text).Raw(), GetParam().raw) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToCurrencyTest,
                         ::testing::Values(CurrencyCase{"12,5", 125000}, CurrencyCase{"0,0001", 1},
                                           // No detour through binary floating point.
                                           CurrencyCase{"2,675", 26750},
                                           CurrencyCase{"-1.234,56", -12345600},
                                           CurrencyCase{"", 0}, CurrencyCase{"  ", 0}));

TEST(StrToCurrency, MalformedTextRaisesNamingTheText) {
    for (const char* bad : {"1,2,3", "abc", "12,5x", "1..2"}) {
        try {
            StrToCurrency(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const EConvertError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("'") + bad + "'"), std::string::npos)
                << e.what();
        }
    }
}

struct PointCase {
    double value;
    const char* text;
};

class FloatToStrPontoTest : public ::testing::TestWithParam<PointCase> {};

TEST_P(FloatToStrPontoTest, WritesAPointWhateverTheRegion) {
    EXPECT_EQ(FloatToStrPonto(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FloatToStrPontoTest,
                         ::testing::Values(PointCase{12.5, "12.5"}, PointCase{-0.01, "-0.01"},
                                           PointCase{1234567.25, "1234567.25"}, PointCase{0, "0"},
                                           PointCase{0.1 + 0.2, "0.3"}));

TEST(CurrToStrPonto, WritesMoneyWithAPoint) {
    EXPECT_EQ(CurrToStrPonto(Money(12345600)), "1234.56");
    EXPECT_EQ(CurrToStrPonto(Money(-5)), "-0.0005");
    EXPECT_EQ(CurrToStrPonto(Money(70000)), "7");
}

struct MoneyTextCase {
    std::int64_t raw;
    bool comCifrao;
    const char* text;
};

void PrintTo(const MoneyTextCase& c, std::ostream* os) {
    *os << c.raw << (c.comCifrao ? " with symbol" : " plain");
}

class DinheiroStrTest : public ::testing::TestWithParam<MoneyTextCase> {};

TEST_P(DinheiroStrTest, WritesMoneyWithADecimalComma) {
    EXPECT_EQ(DinheiroStr(Money(GetParam().raw), GetParam().comCifrao), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, DinheiroStrTest,
                         ::testing::Values(
                             // The plain form the printer libraries take: no symbol, no grouping.
                             MoneyTextCase{5000, false, "0,50"},
                             MoneyTextCase{12345000, false, "1234,50"},
                             MoneyTextCase{-500, false, "-0,05"}, MoneyTextCase{0, false, "0,00"},
                             MoneyTextCase{125, false, "0,01"}, // 0,0125 shows as 0,01
                             MoneyTextCase{12345000, true, "R$ 1.234,50"},
                             MoneyTextCase{12345678900000, true, "R$ 1.234.567.890,00"},
                             MoneyTextCase{-500, true, "-R$ 0,05"},
                             MoneyTextCase{-10, true, "R$ 0,00"}));

struct TruncCase {
    double value;
    int digits;
    double expected;
};

void PrintTo(const TruncCase& c, std::ostream* os) {
    *os << std::setprecision(17) << c.value << " at " << c.digits;
}

class TruncarViaStrTest : public ::testing::TestWithParam<TruncCase> {};

TEST_P(TruncarViaStrTest, CutsWithoutRounding) {
    EXPECT_DOUBLE_EQ(TruncarViaStr(GetParam().value, GetParam().digits), GetParam().expected)
        << GetParam().value << " at " << GetParam().digits;
}

INSTANTIATE_TEST_SUITE_P(
    Values, TruncarViaStrTest,
    ::testing::Values(
        // These doubles lie just below their decimal text (1.15 is 1.14999...): a plain
        // multiply-and-truncate would take a cent away.
        TruncCase{1.15, -2, 1.15}, TruncCase{0.29, -2, 0.29}, TruncCase{0.57, -2, 0.57},
        TruncCase{8.7, -2, 8.7}, TruncCase{1.005, -3, 1.005}, TruncCase{2.99, -2, 2.99},
        TruncCase{2.999, -2, 2.99}, TruncCase{0.1 + 0.2, -2, 0.3}, TruncCase{4.35 * 3, -2, 13.05},
        TruncCase{10.0, -2, 10.0}, TruncCase{0.009, -2, 0.0}, TruncCase{123.456789, -4, 123.4567},
        TruncCase{123.456789, 0, 123.0}, TruncCase{1234.5, 2, 1200.0}, TruncCase{99.0, 2, 0.0},
        // Toward zero for negative values.
        TruncCase{-2.999, -2, -2.99}, TruncCase{-0.005, -2, 0.0}, TruncCase{-2.99, -2, -2.99}));

TEST(TruncarViaStr, LeavesNonFiniteValuesAlone) {
    EXPECT_TRUE(std::isnan(TruncarViaStr(std::numeric_limits<double>::quiet_NaN(), -2)));
    EXPECT_EQ(TruncarViaStr(std::numeric_limits<double>::infinity(), -2),
              std::numeric_limits<double>::infinity());
}

struct MoneyTruncCase {
    std::int64_t raw;
    int digits;
    std::int64_t expected;
};

class TruncarMoneyTest : public ::testing::TestWithParam<MoneyTruncCase> {};

TEST_P(TruncarMoneyTest, CutsMoneyExactly) {
    EXPECT_EQ(TruncarViaStr(Money(GetParam().raw), GetParam().digits).Raw(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TruncarMoneyTest,
    ::testing::Values(MoneyTruncCase{29999, -2, 29900}, MoneyTruncCase{29900, -2, 29900},
                      MoneyTruncCase{-29999, -2, -29900}, MoneyTruncCase{29999, -3, 29990},
                      MoneyTruncCase{29999, -6, 29999}, MoneyTruncCase{12345678, 2, 12000000},
                      MoneyTruncCase{12345678, 20, 0}));

struct ZeroCase {
    std::int64_t value;
    int width;
    const char* text;
};

class IntToStrZeroTest : public ::testing::TestWithParam<ZeroCase> {};

TEST_P(IntToStrZeroTest, FillsWithZerosOnTheLeft) {
    EXPECT_EQ(IntToStrZero(GetParam().value, GetParam().width), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, IntToStrZeroTest,
                         ::testing::Values(ZeroCase{7, 3, "007"}, ZeroCase{45, 6, "000045"},
                                           ZeroCase{0, 3, "000"}, ZeroCase{123, 3, "123"},
                                           ZeroCase{12345, 3, "12345"}, ZeroCase{-5, 3, "-005"},
                                           ZeroCase{5, 0, "5"}));

} // namespace
} // namespace zelt
