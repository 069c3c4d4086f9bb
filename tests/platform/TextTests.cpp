#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"

#include <gtest/gtest.h>
#include <string>

// String literals of this project are Windows-1252 bytes (-fexec-charset); UTF-8 byte sequences
// are therefore written with hex escapes, which the compiler does not convert.

namespace zelt {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << "byte " << b;
    }
}

TEST(Cp1252, CodePageTableMapsToTheRightCharacters) {
    struct Case {
        unsigned char byte;
        const char* utf8;
    };
    const Case cases[] = {
        {0x41, "A"},
        {0x80, "\xE2\x82\xAC"}, // €
        {0x81, "\xC2\x81"},     // hole: C1 control of the same value
        {0x82, "\xE2\x80\x9A"}, // ‚
        {0x83, "\xC6\x92"},     // ƒ
        {0x84, "\xE2\x80\x9E"}, // „
        {0x85, "\xE2\x80\xA6"}, // …
        {0x86, "\xE2\x80\xA0"}, // †
        {0x87, "\xE2\x80\xA1"}, // ‡
        {0x88, "\xCB\x86"},     // ˆ
        {0x89, "\xE2\x80\xB0"}, // ‰
        {0x8A, "\xC5\xA0"},     // Š
        {0x8B, "\xE2\x80\xB9"}, // ‹
        {0x8C, "\xC5\x92"},     // Œ
        {0x8D, "\xC2\x8D"},
        {0x8E, "\xC5\xBD"}, // Ž
        {0x8F, "\xC2\x8F"},
        {0x90, "\xC2\x90"},
        {0x91, "\xE2\x80\x98"}, // ‘
        {0x92, "\xE2\x80\x99"}, // ’
        {0x93, "\xE2\x80\x9C"}, // “
        {0x94, "\xE2\x80\x9D"}, // ”
        {0x95, "\xE2\x80\xA2"}, // •
        {0x96, "\xE2\x80\x93"}, // –
        {0x97, "\xE2\x80\x94"}, // —
        {0x98, "\xCB\x9C"},     // ˜
        {0x99, "\xE2\x84\xA2"}, // ™
        {0x9A, "\xC5\xA1"},     // š
        {0x9B, "\xE2\x80\xBA"}, // ›
        {0x9C, "\xC5\x93"},     // œ
        {0x9D, "\xC2\x9D"},
        {0x9E, "\xC5\xBE"}, // ž
        {0x9F, "\xC5\xB8"}, // Ÿ
        {0xA0, "\xC2\xA0"}, // no-break space
        {0xC7, "\xC3\x87"}, // Ç
        {0xE3, "\xC3\xA3"}, // ã
        {0xFF, "\xC3\xBF"}, // ÿ
    };
    for (const auto& c : cases) {
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(Cp1252ToUtf8(byte), c.utf8) << "byte " << int(c.byte);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), byte) << "byte " << int(c.byte);
    }
    // The literal itself is Windows-1252 here: the compiler converted it.
    EXPECT_EQ(Cp1252ToUtf8("Promoção €"), "Promo\xC3\xA7\xC3\xA3o \xE2\x82\xAC");
}

TEST(Cp1252, UnmappableAndMalformedUtf8BecomesQuestionMarks) {
    struct Case {
        const char* utf8;
        const char* cp1252;
    };
    const Case cases[] = {
        {"\xE4\xB8\xAD", "?"},       // a CJK character the code page lacks
        {"\xF0\x9F\x98\x80!", "?!"}, // an emoji (four bytes)
        {"\xC2\x80", "?"},           // U+0080: not a character of the code page
        {"\xC3", "?"},               // truncated at the end
        {"\xC3"
         "A",
         "?A"}, // truncated before an ASCII letter
        {"\x80"
         "abc",
         "?abc"},                     // stray continuation byte
        {"\xC0\xAF", "??"},           // overlong form of '/'
        {"\xED\xA0\x80", "???"},      // a surrogate half
        {"\xF5\x80\x80\x80", "????"}, // beyond U+10FFFF
        {"\xE2\x82", "?"},            // € cut short
        {"a\xE2\x82\xAC"
         "b",
         "a\x80"
         "b"}, // € intact between letters
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << "input " << testing::PrintToString(c.utf8);
    }
}

TEST(AnsiCase, AccentedLettersOfTheCodePageChangeCase) {
    struct Case {
        const char* lower;
        const char* upper;
    };
    const Case cases[] = {
        {"ação", "AÇÃO"},   {"àáâãäå", "ÀÁÂÃÄÅ"}, {"èéêë", "ÈÉÊË"},   {"ìíîï", "ÌÍÎÏ"},
        {"òóôõö", "ÒÓÔÕÖ"}, {"ùúûü", "ÙÚÛÜ"},     {"ýþðñø", "ÝÞÐÑØ"}, {"æ", "Æ"},
        {"šœž", "ŠŒŽ"},     {"ÿ", "Ÿ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiUpperCase(c.lower), c.upper) << c.lower;
        EXPECT_EQ(AnsiLowerCase(c.upper), c.lower) << c.lower;
    }
    // Characters without a case partner stay as they are.
    EXPECT_EQ(AnsiUpperCase("ß÷×µ€1-"), "ß÷×µ€1-");
    EXPECT_EQ(AnsiLowerCase("ß÷×µ€1-"), "ß÷×µ€1-");
    EXPECT_EQ(UpperCase("ação"), "AçãO");
    EXPECT_EQ(LowerCase("AÇÃO"), "aÇÃo");
    EXPECT_TRUE(AnsiSameText("Conceição", "CONCEIÇÃO"));
    EXPECT_FALSE(SameText("Conceição", "CONCEIÇÃO"));
    EXPECT_TRUE(SameText("Ambiente.INI", "ambiente.ini"));
    EXPECT_FALSE(AnsiSameText("abc", "abcd"));
}

TEST(AnsiCase, EveryByteMapsBackAfterACaseRoundTrip) {
    // Case conversion is its own inverse on letters that have a partner and the identity elsewhere.
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const char up = AnsiUpperChar(c);
        const char low = AnsiLowerChar(c);
        if (up != c) {
            EXPECT_EQ(AnsiLowerChar(up), c) << b;
        }
        if (low != c) {
            EXPECT_EQ(AnsiUpperChar(low), c) << b;
        }
        EXPECT_FALSE(up != c && low != c) << b;
    }
}

TEST(Trim, RemovesBlanksAndControlCharactersOnly) {
    struct Case {
        std::string in, both, left, right;
    };
    const Case cases[] = {
        {"  abc  ", "abc", "abc  ", "  abc"},
        {"\t\r\n x \x01", "x", "x \x01", "\t\r\n x"},
        {"", "", "", ""},
        {"   ", "", "", ""},
        {std::string("\0a\0", 3), "a", std::string("a\0", 2), std::string("\0a", 2)},
        // 0xA0 (no-break space) and accented letters are above the blank: kept
        {"\xA0"
         "é\xA0",
         "\xA0"
         "é\xA0",
         "\xA0"
         "é\xA0",
         "\xA0"
         "é\xA0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Trim(c.in), c.both);
        EXPECT_EQ(TrimLeft(c.in), c.left);
        EXPECT_EQ(TrimRight(c.in), c.right);
    }
}

TEST(Substrings, PosAndCopyAreOneBasedAndClip) {
    EXPECT_EQ(Pos("b", "abcabc"), 2);
    EXPECT_EQ(Pos("b", "abcabc", 3), 5);
    EXPECT_EQ(Pos("bc", "abcabc", 6), 0);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("a", "abc", 0), 0);
    EXPECT_EQ(Pos("a", ""), 0);

    struct Case {
        int index, count;
        const char* expected;
    };
    const Case cases[] = {
        {1, 3, "abc"}, {2, 2, "bc"}, {4, 10, "def"},      {6, 1, "f"},
        {7, 1, ""},    {100, 5, ""}, {0, 2, "ab"},        {-5, 2, "ab"},
        {3, 0, ""},    {3, -1, ""},  {1, 1000, "abcdef"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Copy("abcdef", c.index, c.count), c.expected) << c.index << "," << c.count;
    }
}

TEST(Substrings, StringReplaceQuotedStrAndFriends) {
    EXPECT_EQ(StringReplace("a.b.c", ".", ","), "a,b,c");
    EXPECT_EQ(StringReplace("a.b.c", ".", ",", false), "a,b.c");
    EXPECT_EQ(StringReplace("Ação ação", "AÇÃO", "x", true, true), "x x");
    EXPECT_EQ(StringReplace("Ação ação", "AÇÃO", "x", true, false), "Ação ação");
    EXPECT_EQ(StringReplace("aaa", "a", "aa"), "aaaaaa"); // no rescanning of what was put in
    EXPECT_EQ(StringReplace("abc", "", "x"), "abc");
    EXPECT_EQ(QuotedStr("O'Brien"), "'O''Brien'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(QuotedStr("''"), "''''''");
    EXPECT_EQ(StringOfChar('-', 3), "---");
    EXPECT_EQ(StringOfChar('-', -1), "");
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abd", "ABC"), 0);
    EXPECT_EQ(CompareText("Abc", "aBC"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_GT(CompareText("é", "z"), 0); // bytes compare unsigned
}

TEST(Integers, ToTextAndHex) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
    EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST(Integers, ParsingGoodText) {
    struct Case {
        const char* text;
        std::int64_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-42", -42},
        {"+7", 7},
        {"  15  ", 15},
        {"007", 7},
        {"$FF", 255},
        {"0x1f", 31},
        {"-$10", -16},
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToInt64(c.text), c.value) << c.text;
    }
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToIntDef("x", -1), -1);
    EXPECT_EQ(StrToIntDef(" 12", -1), 12);
}

TEST(Integers, MalformedTextRaisesConvertErrorNamingTheText) {
    const char* bad[] = {
        "", "abc", "1,5", "1.5", "12a", "- 1", "--1", "$", "0x", "+", "9223372036854775808", "1 2"};
    for (const char* text : bad) {
        try {
            StrToInt64(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(text) + "' is not a valid integer value");
        }
        std::int64_t v = 99;
        EXPECT_FALSE(TryStrToInt64(text, v));
        EXPECT_EQ(v, 99) << "a failed parse must not touch the result";
    }
    EXPECT_THROW(StrToInt("2147483648"), EConvertError); // fits 64 bits, not 32
    int v = 0;
    EXPECT_FALSE(TryStrToInt("-2147483649", v));
}

} // namespace
} // namespace zelt
