#include "platform/rtl/Errors.h"
#include "platform/rtl/Numbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zelt {
namespace {

struct FormatCase {
    const char* pattern;
    Extended value;
    const char* expected;
};

// Brazilian settings: decimal comma, thousands point. Each pattern the system uses, with
// negatives, ties, zero, large values and grouping.
const FormatCase kFormatCases[] = {
    {"#######0.00", 0, "0,00"},
    {"#######0.00", 1234.5, "1234,50"},
    {"#######0.00", -1234.5, "-1234,50"},
    {"#######0.00", 0.125, "0,13"}, // exact half: away from zero on the decimal digits
    {"#######0.00", -0.125, "-0,13"},
    {"#######0.00", 0.005, "0,01"},
    {"#######0.00", -0.004, "0,00"}, // shows as zero: no "-0,00"
    {"#######0.00", 2.675, "2,67"},  // the double 2.675 is 2.67499999999999982...
    {"#######0.00", 2.675L, "2,68"}, // ...the extended one reads 2.67500000000000000 at 18 digits
    {"#######0.00", 1.005, "1,00"},
    {"#######0.00", 99999999.995L, "100000000,00"}, // carries past the placeholders
    {"#######0.00", 1e15, "1000000000000000,00"},
    {"######0.000", 1.2345, "1,234"}, // double below the half
    {"######0.000", 1.2345L, "1,235"},
    {"######0.000", -0.0005, "-0,001"},
    {"######0.000", 12.3, "12,300"},
    {"##0.#%", 17, "17%"}, // '%' is written as is; no decimal comma without a decimal
    {"##0.#%", 7.5, "7,5%"},
    {"##0.#%", 12.25, "12,3%"},
    {"##0.#%", 0, "0%"},
    {"##0.#%", 100, "100%"},
    {"##0.#%", 1234.56, "1234,6%"},
    {"##0.#%", -3.25, "-3,3%"},
    {"##0.#%", 0.04, "0%"},
    {"##0", 0.5, "1"},
    {"##0", 1.5, "2"},
    {"##0", 2.5, "3"}, // away from zero, not to even
    {"##0", -2.5, "-3"},
    {"##0", 0.49, "0"},
    {"##0", 1234567, "1234567"},
    {"###,###,##0", 0, "0"},
    {"###,###,##0", 999, "999"},
    {"###,###,##0", 1000, "1.000"},
    {"###,###,##0", 1234567, "1.234.567"},
    {"###,###,##0", -1234567, "-1.234.567"},
    {"###,###,##0", 1234567890, "1.234.567.890"},
    {"###,###,##0", 999.5, "1.000"},
    {"0", 0.4, "0"},
    {"0", -0.4, "0"},
    {"0", 42, "42"},
    {"0", 1e20L, "100000000000000000000"},
    {"0", 12345678901234567890.0L, "12345678901234567900"}, // 18 significant digits, then zeros
    {"0000000.0000000", 1.2350L, "0000001,2350000"},
    {"0000000.0000000", 0, "0000000,0000000"},
    {"0000000.0000000", 123.4567L, "0000123,4567000"},
    {"0000000.0000000", 99999.995L, "0099999,9950000"},
    {"#,##0.00", 1234567.891, "1.234.567,89"},
    {"#,##0.00", -0.5, "-0,50"},
    {"#,##0.00", 1000000, "1.000.000,00"},
    {"#,##0.00", 999.999, "1.000,00"},
    {"#,##0.00", 12, "12,00"},
    // sections
    {"0.00;(0.00);'zero'", 5, "5,00"},
    {"0.00;(0.00);'zero'", -5, "(5,00)"},
    {"0.00;(0.00);'zero'", 0, "zero"},
    {"0.00;(0.00);'zero'", -0.001, "zero"},
    {"0.00;(0.00);'zero'", 0.004, "zero"},
    {"0.00;;'zero'", -5, "-5,00"}, // an empty section falls back to the first
    {"0.00;(0.00)", -0.001, "0,00"},
    {"0.00;(0.00)", 0, "0,00"},
    // literals and optional digits
    {"'R$ '#,##0.00", -1234.5, "-R$ 1.234,50"},
    {"\"R$\" 0.00", 3, "R$ 3,00"},
    {"0 'kg'", 5, "5 kg"},
    {"0.00 '#0.;'", 1, "1,00 #0.;"}, // placeholders inside quotes are text
    {"#.##", 0, ""},
    {"#.##", 0.5, ",5"},
    {"0.###", 1.5, "1,5"},
    {"0.###", 2, "2"},
    {"00", 7, "07"},
    {"00-00", 1234, "12-34"},
    // exponent
    {"0.00E+00", 1234.5, "1,23E+03"},
    {"0.00E+00", 0.000123456, "1,23E-04"},
    {"0.00E+00", 0, "0,00E+00"},
    {"0.00E+00", -1234.5, "-1,23E+03"},
    {"00.00E+00", 1234.5, "12,35E+02"},
    {"0.0E-0", 1234.5, "1,2E3"},
    {"0.0E-0", 0.0012, "1,2E-3"},
    {"0.00E+00", 9.996, "1,00E+01"},
};

TEST(FormatFloat, PatternsWithBrazilianSettings) {
    const TFormatSettings br = TFormatSettings::Brazilian();
    for (const auto& c : kFormatCases) {
        EXPECT_EQ(FormatFloat(c.pattern, c.value, br), c.expected)
            << "pattern " << c.pattern << " value " << static_cast<double>(c.value);
    }
}

TEST(FormatFloat, ProcessSettingsAreBrazilianByDefaultAndFollowChanges) {
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
    TFormatSettings& s = FormatSettings();
    const TFormatSettings saved = s;
    s.DecimalSeparator = '.';
    s.ThousandSeparator = ',';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1,234.50");
    s = saved;
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, TFormatSettings::Invariant()), "1,234.50");
    EXPECT_EQ(FloatToStr(0.5, TFormatSettings::Invariant()), "0.5");
}

TEST(FormatFloat, SpecialValuesAndEmptyPattern) {
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<Extended>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<Extended>::infinity()), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<Extended>::infinity()), "-INF");
    EXPECT_EQ(FormatFloat("", 1.5), "1,5");
    EXPECT_EQ(FormatFloat("0.00", -0.0), "0,00");
}

TEST(FloatToStr, FifteenSignificantDigitsShortestText) {
    struct Case {
        Extended value;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {-123.456, "-123,456"},
        {100, "100"},
        {123456789012.5, "123456789012,5"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {-2.5e20, "-2,5E20"},
        {1e-5, "0,00001"},
        {1.5e-6, "1,5E-6"},
        {1.5e300, "1,5E300"},
        {0.05, "0,05"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FloatToStr(c.value), c.expected) << static_cast<double>(c.value);
    }
}

TEST(StrToFloat, ReadsTheSettingsDecimalSeparator) {
    struct Case {
        const char* text;
        Extended value;
    };
    const Case cases[] = {
        {"1,5", 1.5L},
        {" 2,25 ", 2.25L},
        {"-0,5", -0.5L},
        {"+3", 3},
        {"1E3", 1000},
        {"1,5e-2", 0.015L},
        {"5,", 5},
        {",5", 0.5L},
        {"0,1", 0.1L},
        {"007", 7},
        {"\t12,75\r\n", 12.75L},
        {"1234567,891", 1234567.891L},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;
    }
    EXPECT_EQ(StrToFloat("1.5", TFormatSettings::Invariant()), 1.5L);
    EXPECT_EQ(StrToFloatDef("x", -1), -1);
    Extended v = 0;
    EXPECT_TRUE(TryStrToFloat("2,5", v));
    EXPECT_EQ(v, 2.5L);
}

TEST(StrToFloat, MalformedTextRaisesConvertErrorNamingTheText) {
    const char* bad[] = {"1,2,3", "",    " ", "1.5", "1.000,00", "abc",   "1e", "1e+",
                         "--1",   "1 2", ",", "-",   "1,5x",     "1,5 %", "E5", "0x10"};
    for (const char* text : bad) {
        try {
            StrToFloat(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(),
                      "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
    EXPECT_THROW(StrToFloat("1,5", TFormatSettings::Invariant()), EConvertError);
    EXPECT_THROW(StrToFloat("1e99999"), EConvertError);
}

TEST(Rounding, RoundHalvesToEvenAndRaisesOutOfRange) {
    struct Case {
        Extended value;
        std::int64_t expected;
    };
    const Case cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999, 2},
        {2.5001, 3},
        {-2.5001, -3},
        {1e18, 1000000000000000000},
        {9223372036854775807.0L, INT64_MAX},
        {-9223372036854775808.0L, INT64_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.value), c.expected) << static_cast<double>(c.value);
    }
    EXPECT_THROW(Round(9223372036854775808.0L), EInvalidOp);
    EXPECT_THROW(Round(std::numeric_limits<Extended>::quiet_NaN()), EInvalidOp);
    EXPECT_THROW(Trunc(1e19), EInvalidOp);
    EXPECT_EQ(Trunc(-2.7L), -2);
    EXPECT_EQ(Trunc(2.99L), 2);
    EXPECT_EQ(Frac(-2.75L), -0.75L);
    EXPECT_EQ(Int(2.9L), 2);
    EXPECT_EQ(IntPower(10, -2), 1 / 100.0L);
    EXPECT_EQ(IntPower(2, 10), 1024);
    EXPECT_EQ(IntPower(10, 0), 1);
    EXPECT_EQ(IntPower(-3, 3), -27);
}

struct RoundToCase {
    double value;
    int digit;
    double expected;
};

// Binary rounding: a decimal half that is below the half as a binary value goes down, above it
// goes up, an exact binary half goes to the even neighbour.
const RoundToCase kRoundToCases[] = {
    {2.675, -2, 2.67}, // 2.67499999999999982... below
    {2.665, -2, 2.67}, // 2.66500000000000003... above
    {0.125, -2, 0.12}, // exact half, to even
    {0.375, -2, 0.38}, // exact half, to even
    {0.625, -2, 0.62},    {0.875, -2, 0.88},
    {-0.125, -2, -0.12},  {-2.675, -2, -2.67},
    {1.005, -2, 1.00},                       // 1.00499999999999989... below
    {1.015, -2, 1.01},    {0.155, -2, 0.15}, // 0.15499999999999999888...
    {2.999, -2, 3.00},    {1234.125, -2, 1234.12},
    {2.5, 0, 2},          {3.5, 0, 4},
    {1234.5, 1, 1230}, // 123.45 -> 123
    {1250, 2, 1200},      {1350, 2, 1400},
    {0.0125, -3, 0.013}, // 0.01250000000000000069... above
    {0.0135, -3, 0.013}, // 0.01349999999999999984... below
    {19.9999, -2, 20.00}, {0, -2, 0},
};

TEST(Rounding, RoundToRoundsTheBinaryQuotient) {
    for (const auto& c : kRoundToCases) {
        // Compared as money: the result must be the nearest double to the decimal expected.
        EXPECT_EQ(Currency::FromDouble(RoundTo(c.value, c.digit)), Currency::FromDouble(c.expected))
            << c.value << " at " << c.digit;
        EXPECT_EQ(RoundTo(c.value, c.digit), c.expected) << c.value << " at " << c.digit;
    }
}

TEST(Rounding, RoundToExtendedWorksOnTheExtendedValue) {
    // The extended overload sees the value it is given: 2.675 as a double lies below the half,
    // the extended literal so close to the half that the quotient is exactly 267.5 (to even: 268).
    EXPECT_EQ(Currency::FromExtended(RoundTo(static_cast<Extended>(2.675), -2)).Raw(), 26700);
    EXPECT_EQ(Currency::FromExtended(RoundTo(2.675L, -2)).Raw(), 26800);
    EXPECT_EQ(Currency::FromExtended(RoundTo(0.125L, -2)).Raw(), 1200);
    EXPECT_EQ(Currency::FromExtended(RoundTo(0.375L, -2)).Raw(), 3800);
    EXPECT_EQ(Currency::FromExtended(RoundTo(-1.5L, 0)).Raw(), -20000);
}

TEST(Rounding, SimpleRoundToHalvesAwayFromZero) {
    struct Case {
        double value;
        int digit;
        double expected;
    };
    const Case cases[] = {
        {0.125, -2, 0.13}, {-0.125, -2, -0.13}, {0.375, -2, 0.38}, {2.5, 0, 3},     {-2.5, 0, -3},
        {2.675, -2, 2.67}, {1.005, -2, 1.00},   {1234.5, 1, 1230}, {1235, 1, 1240}, {0.0049, -2, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SimpleRoundTo(c.value, c.digit), c.expected) << c.value << " at " << c.digit;
    }
    EXPECT_EQ(SimpleRoundTo(1.235), 1.24);
}

} // namespace
} // namespace zelt
