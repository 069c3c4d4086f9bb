#include "platform/rtl/Errors.h"
#include "platform/rtl/Numbers.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace zelt {
namespace {

// The nearest ten-thousandth of v, halves to even, read off the exact decimal expansion that
// printf gives for a long double: an oracle independent of floating-point products.
std::int64_t ExactTenThousandths(long double v) {
    char buf[256];
    std::snprintf(buf, sizeof buf, "%.120Lf", std::fabs(v));
    const std::string s(buf);
    const auto dot = s.find('.');
    const std::string kept = s.substr(0, dot) + s.substr(dot + 1, 4);
    const std::string rest = s.substr(dot + 5);
    std::int64_t k = std::stoll(kept);
    bool up = rest[0] > '5';
    if (rest[0] == '5') {
        up = rest.find_first_not_of('0', 1) != std::string::npos || k % 2 != 0;
    }
    if (up) {
        ++k;
    }
    return v < 0 ? -k : k;
}

TEST(Currency, FromExtendedRoundsToTheNearestTenThousandthHalvesToEven) {
    struct Case {
        Extended value;
        std::int64_t raw;
    };
    const Case cases[] = {
        {0, 0},
        {1, 10000},
        {-1, -10000},
        {1.5, 15000},
        {0.00005, 1},   // the double lies above the half
        {0.03125, 312}, // 312.5 ten-thousandths exactly: to even
        {0.09375, 938}, // 937.5: to even, upwards
        {-0.03125, -312},
        {-0.09375, -938},
        {std::nextafter(0.03125, 1.0), 313},
        {std::nextafter(0.09375, 0.0), 937},
        {2.675, 26750},
        {1.00005, 10001}, // the double is 1.0000500000000001055...
        {920000000000000.0L, 9200000000000000000},
        {-922337203685477.5808L, INT64_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Currency::FromExtended(c.value).Raw(), c.raw) << static_cast<double>(c.value);
    }
}

TEST(Currency, FromExtendedAgreesWithTheExactDecimalNearTies) {
    // Values next to every half ten-thousandth up to 2 (and a thousand times larger, and
    // negative): a product rounded to extended precision gets many of these wrong.
    int naiveWrong = 0;
    for (int k = 0; k < 20000; ++k) {
        const long double scale = (k % 7 == 0 ? 1000.0L : 1.0L) * (k % 3 == 0 ? -1 : 1);
        const long double tie = static_cast<long double>(2 * k + 1) / 20000.0L * scale;
        long double v = std::nextafter(std::nextafter(tie, -1e30L), -1e30L);
        for (int step = 0; step < 5; ++step, v = std::nextafter(v, 1e30L)) {
            const std::int64_t expected = ExactTenThousandths(v);
            ASSERT_EQ(Currency::FromExtended(v).Raw(), expected) << static_cast<double>(v);
            if (static_cast<std::int64_t>(std::nearbyint(v * 10000.0L)) != expected) {
                ++naiveWrong;
            }
        }
    }
    // The sample really contains the hard cases.
    EXPECT_GT(naiveWrong, 1000);
}

TEST(Currency, OverflowAndNonFiniteValuesRaiseConvertError) {
    const Extended bad[] = {1e15,
                            -1e15,
                            922337203685477.5808L,
                            1e300,
                            std::numeric_limits<Extended>::infinity(),
                            std::numeric_limits<Extended>::quiet_NaN()};
    for (Extended v : bad) {
        EXPECT_THROW(Currency::FromExtended(v), EConvertError) << static_cast<double>(v);
    }
    try {
        Currency::FromDouble(1e20);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1E20' is not a valid currency value");
    }
}

TEST(Currency, ArithmeticAndConversionBack) {
    const Currency a = Currency::FromRaw(12345); // 1,2345
    const Currency b = Currency::FromInt(2);
    EXPECT_EQ((a + b).Raw(), 32345);
    EXPECT_EQ((a - b).Raw(), -7655);
    EXPECT_EQ(Abs(a - b).Raw(), 7655);
    EXPECT_LT(a, b);
    EXPECT_EQ(a.ToDouble(), 1.2345);
    EXPECT_EQ(Currency::FromExtended(a.ToExtended()), a);
}

TEST(Currency, StrToCurrParsesDecimalTextExactly) {
    struct Case {
        const char* text;
        std::int64_t raw;
    };
    const Case cases[] = {
        {"1,5", 15000},
        {"0", 0},
        {"-0", 0},
        {"  10 ", 100000},
        {"000123,4500", 1234500},
        {"0,00015", 2},     // a tie, to even (through a double it would be 1)
        {"1,00005", 10000}, // a tie, to even (through a double it would be 10001)
        {"0,00025", 2},
        {"0,000250001", 3},
        {"0,00005", 0},
        {"-0,00015", -2},
        {"1,23456", 12346},
        {"1E2", 1000000},
        {"1,5E-4", 2},
        {"2,5E-4", 2},
        {"12345E-8", 1}, // 0,00012345
        {"922337203685477,5807", INT64_MAX},
        {"-922337203685477,5808", INT64_MIN},
        {"1e-300", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToCurr(c.text).Raw(), c.raw) << c.text;
    }
    EXPECT_EQ(StrToCurr("19.90", TFormatSettings::Invariant()).Raw(), 199000);
}

TEST(Currency, StrToCurrRejectsMalformedAndOutOfRangeText) {
    const char* bad[] = {
        "1,2,3",  "", "1.5", "abc", "1e999", "12345678901234567890", "922337203685477,5808",
        "R$ 1,00"};
    for (const char* text : bad) {
        try {
            StrToCurr(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_NE(e.Message().find("'" + std::string(text) + "'"), std::string::npos);
        }
    }
    Currency c = Currency::FromRaw(7);
    EXPECT_FALSE(TryStrToCurr("x", c, FormatSettings()));
    EXPECT_EQ(c.Raw(), 7);
}

TEST(Currency, FormatCurrUsesTheExactDigits) {
    struct Case {
        const char* pattern;
        std::int64_t raw;
        const char* expected;
    };
    const Case cases[] = {
        {"#,##0.00", 12345650, "1.234,57"}, // 1234,565: decimal half, away from zero
        {"#,##0.00", -26750, "-2,68"},
        {"#######0.00", 26750, "2,68"}, // money 2,675 is exact, unlike the double
        {"0.0000", 1, "0,0001"},
        {"0.00", 49, "0,00"},
        {"0.00", -49, "0,00"},
        {"0", INT64_MAX, "922337203685478"},
        {"0.0000", INT64_MIN, "-922337203685477,5808"},
        {"#,##0.00;(#,##0.00)", -10000, "(1,00)"},
        {"0000000.0000000", 12350, "0000001,2350000"},
        {"###,###,##0", 12345678900, "1.234.568"}, // 1234567,89
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCurr(c.pattern, Currency::FromRaw(c.raw)), c.expected)
            << c.pattern << " " << c.raw;
    }
}

TEST(Currency, CurrToStrWritesTheShortestText) {
    struct Case {
        std::int64_t raw;
        const char* expected;
    };
    const Case cases[] = {
        {15000, "1,5"},
        {100000, "10"},
        {-1, "-0,0001"},
        {0, "0"},
        {INT64_MAX, "922337203685477,5807"},
        {INT64_MIN, "-922337203685477,5808"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CurrToStr(Currency::FromRaw(c.raw)), c.expected);
    }
    EXPECT_EQ(CurrToStr(Currency::FromRaw(15000), TFormatSettings::Invariant()), "1.5");
}

} // namespace
} // namespace zelt
