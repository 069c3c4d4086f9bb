// The printer's number and tax readers, straight from the rules library.
#include "platform/printers/epson/EpsonPrinter.h"

#include <gtest/gtest.h>

namespace zelt::printers::epson {

namespace {

struct ScaledCase {
    const char* digits;
    int decimals, scale;
    int code;
    std::int64_t value;
};

TEST(EpsonEmuRulesTest, DigitStringsWithTheirDecimalsCount) {
    const ScaledCase cases[] = {
        {"1250", 2, 2, code::Ok, 1250},
        {"1250", 2, 3, code::Ok, 12500},
        {"15", 0, 3, code::Ok, 15000},
        {"0", 3, 3, code::Ok, 0},
        {"99999999999999", 0, 0, code::Ok, 99999999999999},
        {"999999999999999", 0, 0, code::Overflow, -1},
        {"12,5", 1, 2, code::Malformed, -1},
        {" 12", 0, 2, code::Malformed, -1},
        {"-1", 0, 2, code::Malformed, -1},
        {"", 2, 2, code::BadParameter, -1},
        {"1", 3, 2, code::BadCall, -1},
        {"1", -1, 2, code::BadCall, -1},
    };
    for (const ScaledCase& c : cases) {
        std::int64_t value = -1;
        EXPECT_EQ(ParseScaled(c.digits, c.decimals, c.scale, value), c.code) << c.digits;
        EXPECT_EQ(value, c.value) << c.digits;
    }
}

TEST(EpsonEmuRulesTest, TaxTextsBecomeTableKeys) {
    const std::vector<std::string> rates = {"T1800", "S0500"};
    const struct {
        const char* text;
        int code;
        const char* key;
    } cases[] = {
        {"1800", code::Ok, "T1800"},
        {"t1800", code::Ok, "T1800"},
        {" S0500 ", code::Ok, "S0500"},
        {"ff", code::Ok, "FF"},
        {"N1", code::Ok, "N1"},
        {"si", code::Ok, "SI"},
        {"1200", code::RateNotProgrammed, ""},
        {"S1800", code::RateNotProgrammed, ""},
        {"18,00", code::BadParameter, ""},
        {"", code::BadParameter, ""},
        {"X1800", code::BadParameter, ""},
    };
    for (const auto& c : cases) {
        std::string key;
        EXPECT_EQ(ParseTax(c.text, rates, key), c.code) << c.text;
        if (c.code == code::Ok) {
            EXPECT_EQ(key, c.key) << c.text;
        }
    }
}

TEST(EpsonEmuRulesTest, FieldsKeepTheirWidth) {
    EXPECT_EQ(Field(42, 6), "000042");
    EXPECT_EQ(Field(1234567, 6), "234567");
    EXPECT_EQ(Field(-5, 4), "0000");
    EXPECT_EQ(ErrorText(0), "");
    EXPECT_EQ(ErrorText(code::ZPending), "Reducao Z pendente");
}

} // namespace

} // namespace zelt::printers::epson
