// The printer's reading of numbers and tax codes, straight from its rules.
#include "platform/printers/daruma/DarumaNumbers.h"
#include "platform/printers/daruma/DarumaPrinter.h"

#include <gtest/gtest.h>

namespace zelt::printers::daruma {
namespace {

struct DecimalCase {
    const char* text;
    int decimals;
    int code;
    std::int64_t value;
};

TEST(DarumaNumbers, ReadDecimalsAsThePrinterDoes) {
    const DecimalCase cases[] = {
        {"3,50", 2, 1, 350},
        {"2,0", 3, 1, 2000},
        {"2", 3, 1, 2000},
        {" 1.234,56 ", 2, 1, 123456},
        {"3.50", 2, 1, 350},
        {"1.234.567,8", 2, 1, 123456780},
        {"0,335", 3, 1, 335},
        {",5", 2, 1, 50},
        {"5,", 2, 1, 500},
        {"1,001", 2, 16, 0},
        {"1,2,3", 2, 16, 0},
        {"1,23.4", 2, 16, 0},
        {"", 2, 16, 0},
        {"  ", 2, 16, 0},
        {",", 2, 16, 0},
        {"-1,00", 2, 13, 0},
        {"1a", 2, 13, 0},
        {"R$ 1,00", 2, 13, 0},
        {"99999999999999", 2, 17, 0},
        {"999999999999,99", 2, 1, 99999999999999},
        {"1.2.3", 2, 16, 0},
    };
    for (const DecimalCase& c : cases) {
        std::int64_t value = 0;
        EXPECT_EQ(ParseDecimal(c.text, c.decimals, value), c.code) << c.text;
        if (c.code == 1) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(DarumaNumbers, ReadDigitsOnly) {
    std::int64_t value = 0;
    EXPECT_EQ(ParseDigits("000123", value), 1);
    EXPECT_EQ(value, 123);
    EXPECT_EQ(ParseDigits(" 7 ", value), 1);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(ParseDigits("1,0", value), 13);
    EXPECT_EQ(ParseDigits("", value), 16);
    EXPECT_EQ(ParseDigits(std::string(20, '9'), value), 17);
}

TEST(DarumaNumbers, PrintMoneyWithThousandsDots) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0,00"},       {5, "0,05"},           {100, "1,00"},
        {99999, "999,99"}, {100000, "1.000,00"},  {123456789, "1.234.567,89"},
        {-50, "-0,50"},    {-123456, "-1.234,56"}};
    for (const auto& [cents, text] : cases)
        EXPECT_EQ(FormatMoney(cents), text);
    EXPECT_EQ(FormatFixed(2000, 3), "2,000");
    EXPECT_EQ(FormatFixed(5, 3), "0,005");
    EXPECT_EQ(FormatFixed(7, 0), "7");
    EXPECT_EQ(ZeroPad(123, 6), "000123");
    EXPECT_EQ(ZeroPad(1234567, 6), "1234567");
}

TEST(DarumaRules, TaxTextsNameAProgrammedRateOrALetterCode) {
    const std::vector<std::string> rates = {"T1800", "T0700", "S0500"};
    const std::tuple<const char*, int, const char*> cases[] = {
        {"I18,00", 1, "T1800"}, {"T18,00", 1, "T1800"}, {"t1800", 1, "T1800"},
        {"I7,00", 1, "T0700"},  {"S05,00", 1, "S0500"}, {"FF", 1, "FF"},
        {" ii ", 1, "II"},      {"N1", 1, "N1"},        {"I12,00", 18, ""},
        {"T0500", 18, ""},      {"S18,00", 18, ""},     {"0", 16, ""},
        {"", 16, ""},           {"I", 16, ""},          {"I18", 16, ""},
        {"X18,00", 16, ""},     {"I0,00", 16, ""},      {"I100,00", 16, ""},
        {"I18,001", 16, ""},
    };
    for (const auto& [text, code, key] : cases) {
        std::string got;
        EXPECT_EQ(ParseTax(text, rates, got), code) << text;
        if (code == 1) {
            EXPECT_EQ(got, key) << text;
        }
    }
}

TEST(DarumaRules, PrintableTextBlanksControlsAndKeepsLineEnds) {
    EXPECT_EQ(PrintableText("a\tb\x01\r\nc", 100), "a b \r\nc");
    EXPECT_EQ(PrintableText("abcdef", 3), "abc");
}

} // namespace
} // namespace zelt::printers::daruma
