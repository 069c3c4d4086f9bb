#include "outside/utils/Utils.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {
namespace {

std::vector<std::string> Items(const TLinhas& lines) {
    return lines.Items();
}

using Strings = std::vector<std::string>;

struct DigitsCase {
    const char* text;
    const char* soDig;
    const char* intStr;
};

class DigitsTest : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(DigitsTest, KeepsTheDigits) {
    EXPECT_EQ(SoDig(GetParam().text), GetParam().soDig);
    EXPECT_EQ(StrToIntStr(GetParam().text), GetParam().intStr);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DigitsTest,
    ::testing::Values(DigitsCase{"123.456.789-09", "12345678909", "12345678909"},
                      DigitsCase{"000045", "000045", "45"}, DigitsCase{"0000", "0000", "0"},
                      DigitsCase{"abc", "", "0"}, DigitsCase{"", "", "0"},
                      DigitsCase{"-12", "12", "12"}, DigitsCase{"1,000", "1000", "1000"},
                      DigitsCase{"99999999999999999999x1", "999999999999999999991",
                                 "999999999999999999991"}));

TEST(SemVirgula, DropsEveryComma) {
    EXPECT_EQ(SemVirgula("1,234,5"), "12345");
    EXPECT_EQ(SemVirgula(",,"), "");
    EXPECT_EQ(SemVirgula("sem"), "sem");
}

TEST(StrSemEspacoDuplo, MakesEveryRunOfBlanksOne) {
    EXPECT_EQ(StrSemEspacoDuplo("JOSE   DA  SILVA"), "JOSE DA SILVA");
    EXPECT_EQ(StrSemEspacoDuplo("  a  "), " a ");
    EXPECT_EQ(StrSemEspacoDuplo("a\t\tb"), "a\t\tb");
    EXPECT_EQ(StrSemEspacoDuplo(""), "");
}

TEST(StrComerDaDir, TakesCharactersFromTheRight) {
    EXPECT_EQ(StrComerDaDir("ABC", 1), "AB");
    EXPECT_EQ(StrComerDaDir("ABC", 3), "");
    EXPECT_EQ(StrComerDaDir("ABC", 9), "");
    EXPECT_EQ(StrComerDaDir("", 1), "");
    EXPECT_EQ(StrComerDaDir("ABC", 0), "ABC");
    EXPECT_EQ(StrComerDaDir("ABC", -2), "ABC");
}

TEST(SubStr, CopiesFromAOneBasedPosition) {
    const std::string buffer = "000123ABCDEF";
    EXPECT_EQ(SubStr(buffer, 1, 6), "000123");
    EXPECT_EQ(SubStr(buffer, 7, 3), "ABC");
    EXPECT_EQ(SubStr(buffer, 10, 50), "DEF");
    EXPECT_EQ(SubStr(buffer, 40, 2), "");
}

struct AccentCase {
    const char* text;
    const char* plain;
    const char* upper;
};

class StrSemAcentoTest : public ::testing::TestWithParam<AccentCase> {};

TEST_P(StrSemAcentoTest, RemovesAccents) {
    EXPECT_EQ(StrSemAcento(GetParam().text), GetParam().plain);
    EXPECT_EQ(StrSemAcento(GetParam().text, true), GetParam().upper);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrSemAcentoTest,
    ::testing::Values(AccentCase{"Conceição", "Conceicao", "CONCEICAO"},
                      AccentCase{"ÁGUA OXIGENADA", "AGUA OXIGENADA", "AGUA OXIGENADA"},
                      AccentCase{"àáâãäå èéêë ìíîï òóôõö ùúûü ýÿ ñ",
                                 "aaaaaa eeee iiii ooooo uuuu yy n",
                                 "AAAAAA EEEE IIII OOOOO UUUU YY N"},
                      AccentCase{"Nº 5, 10%", "Nº 5, 10%", "Nº 5, 10%"}, AccentCase{"", "", ""}));

TEST(CharSemAcento, AsTheGridSearchCallsIt) {
    // Empty exceptions, capitals, cedilla removed.
    EXPECT_EQ(CharSemAcento('é', "", true, true), 'E');
    EXPECT_EQ(CharSemAcento('ç', "", true, true), 'C');
    EXPECT_EQ(CharSemAcento('a', "", true, true), 'A');
    EXPECT_EQ(CharSemAcento('7', "", true, true), '7');
    // Backspace must come back as Backspace: the grid edits its search text with it.
    EXPECT_EQ(CharSemAcento('\b', "", true, true), '\b');
}

TEST(CharSemAcento, FlagsAndExceptions) {
    EXPECT_EQ(CharSemAcento('é'), 'e');
    EXPECT_EQ(CharSemAcento('ç', "", false, false), 'ç');
    EXPECT_EQ(CharSemAcento('ç', "", true, false), 'Ç');
    EXPECT_EQ(CharSemAcento('é', "é", true, true), 'é');
    EXPECT_EQ(CharSemAcento('á', "é"), 'a');
}

struct InfoCase {
    const char* text;
    TStrInfo info;
};

class RetornaStrInfoTest : public ::testing::TestWithParam<InfoCase> {};

TEST_P(RetornaStrInfoTest, SplitsDigitsAndLetters) {
    EXPECT_EQ(RetornaStrInfo(GetParam().text), GetParam().info) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, RetornaStrInfoTest,
                         ::testing::Values(InfoCase{"T1800", {4, 1, "1800", "T"}},
                                           InfoCase{"T18,00", {4, 1, "1800", "T"}},
                                           InfoCase{"S0500", {4, 1, "0500", "S"}},
                                           InfoCase{"TT0000", {4, 2, "0000", "TT"}},
                                           InfoCase{"Ação 1", {1, 4, "1", "Ação"}},
                                           InfoCase{" ;-", {0, 0, "", ""}},
                                           InfoCase{"", {0, 0, "", ""}}));

struct MaskCase {
    const char* text;
    const char* masked;
};

class CodComMascTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(CodComMascTest, PunctuatesCpfAndCnpj) {
    EXPECT_EQ(CodComMasc(GetParam().text), GetParam().masked);
}

INSTANTIATE_TEST_SUITE_P(Texts, CodComMascTest,
                         ::testing::Values(MaskCase{"12345678909", "123.456.789-09"},
                                           MaskCase{"11222333000181", "11.222.333/0001-81"},
                                           // Already punctuated: the same text again.
                                           MaskCase{"123.456.789-09", "123.456.789-09"},
                                           MaskCase{"11.222.333/0001-81", "11.222.333/0001-81"},
                                           // Any other length stays as it was.
                                           MaskCase{"1234567890", "1234567890"},
                                           MaskCase{"123456789012", "123456789012"},
                                           MaskCase{"", ""}, MaskCase{"ISENTO", "ISENTO"}));

struct ColumnCase {
    const char* line;
    const char* text;
    int column;
    const char* result;
};

class EscreverNaStrTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(EscreverNaStrTest, WritesAtTheColumn) {
    EXPECT_EQ(EscreverNaStr(GetParam().line, GetParam().text, GetParam().column),
              GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Lines, EscreverNaStrTest,
                         ::testing::Values(ColumnCase{"", "abc", 1, "abc"},
                                           ColumnCase{"", "abc", 4, "   abc"},
                                           ColumnCase{"0123456789", "ab", 3, "01ab456789"},
                                           ColumnCase{"0123", "abcdef", 3, "01abcdef"},
                                           ColumnCase{"0123", "ab", 0, "ab23"}));

class EscreverNaStrADirTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(EscreverNaStrADirTest, EndsAtTheWidth) {
    EXPECT_EQ(EscreverNaStrADir(GetParam().line, GetParam().text, GetParam().column),
              GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EscreverNaStrADirTest,
    ::testing::Values(ColumnCase{"", "abc", 6, "   abc"},
                      ColumnCase{"Loja 1", " Relatorio", 20, "Loja 1     Relatorio"},
                      ColumnCase{"Loja 1 - Centro", " Relatorio", 20, "Loja 1 - C Relatorio"},
                      ColumnCase{"0123456789XY", "ab", 10, "01234567abXY"},
                      ColumnCase{"", "abcdef", 4, "abcd"}, ColumnCase{"xyz", "ab", 0, "xyz"}));

TEST(EscreverNaStrADir, PutsThePageNumberAtTheEndOfTheFooter) {
    const std::string footer = EscreverNaStrADir("Impresso em 01/02/24 10:00", "  Pag.: 3", 40);
    EXPECT_EQ(footer.size(), 40u);
    EXPECT_EQ(footer, "Impresso em 01/02/24 10:00       Pag.: 3");
}

struct WrapCase {
    const char* text;
    int width;
    Strings pieces;
};

class WrapStrTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapStrTest, BreaksAtBlanksWithinTheWidth) {
    std::string joined;
    for (std::size_t i = 0; i < GetParam().pieces.size(); ++i) {
        joined += (i > 0 ? "\r\n" : "") + GetParam().pieces[i];
    }
    EXPECT_EQ(WrapStr(GetParam().text, GetParam().width), joined);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WrapStrTest,
    ::testing::Values(WrapCase{"abc def ghi", 7, {"abc def", "ghi"}},
                      WrapCase{"abc def ghi", 3, {"abc", "def", "ghi"}},
                      WrapCase{"abc def", 20, {"abc def"}},
                      // A blank right after the width: the first piece is full.
                      WrapCase{"abcd efgh", 4, {"abcd", "efgh"}},
                      // A word longer than the width is cut.
                      WrapCase{"abcdefghij xy", 4, {"abcd", "efgh", "ij", "xy"}},
                      WrapCase{"a    b", 2, {"a", "b"}},
                      // The text's own breaks always break; an empty line stays.
                      WrapCase{"um\r\n\r\ndois tres", 4, {"um", "", "dois", "tres"}},
                      WrapCase{"um\ndois", 10, {"um", "dois"}}, WrapCase{"abc def", 0, {"abc def"}},
                      WrapCase{"", 5, {""}}));

TEST(WrapStr, NoPieceIsWiderThanTheWidth) {
    const std::string text = "Relatório de vendas do período com descontos e acréscimos por "
                             "vendedor, forma de pagamento e caixa";
    for (int width : {1, 5, 10, 17, 40}) {
        TLinhas pieces;
        pieces.SetText(WrapStr(text, width));
        std::string words;
        for (const std::string& piece : pieces) {
            EXPECT_LE(piece.size(), static_cast<std::size_t>(width)) << piece;
            EXPECT_FALSE(piece.empty());
            words += piece;
        }
        // Only blanks are lost at the breaks.
        std::string withoutBlanks;
        for (char c : text) {
            if (c != ' ') {
                withoutBlanks += c;
            }
        }
        std::string piecesWithoutBlanks;
        for (char c : words) {
            if (c != ' ') {
                piecesWithoutBlanks += c;
            }
        }
        EXPECT_EQ(piecesWithoutBlanks, withoutBlanks) << width;
    }
}

TEST(WrapSL, WrapsEveryItemKeepingEmptyOnes) {
    const TLinhas lines{"abc def", "", "x"};
    EXPECT_EQ(Items(WrapSL(lines, 3)), (Strings{"abc", "def", "", "x"}));
    EXPECT_TRUE(WrapSL(TLinhas{}, 3).Empty());
}

struct SplitCase {
    const char* text;
    const char* separators;
    Strings pieces;
};

class StrToSLTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(StrToSLTest, SplitsAtTheSeparatorText) {
    EXPECT_EQ(Items(StrToSL(GetParam().text, GetParam().separators)), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToSLTest,
    ::testing::Values(SplitCase{"Dinheiro;Cheque;Cartao", ";", {"Dinheiro", "Cheque", "Cartao"}},
                      SplitCase{"a;;b;", ";", {"a", "", "b", ""}}, SplitCase{"", ";", {}},
                      SplitCase{"abc", ";", {"abc"}}, SplitCase{"a<>b<c", "<>", {"a", "b<c"}},
                      SplitCase{"a;b", "", {"a;b"}}));

class StrToSLSeparadoresTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(StrToSLSeparadoresTest, SplitsAtAnyOfTheCharacters) {
    EXPECT_EQ(Items(StrToSLSeparadores(GetParam().text, GetParam().separators)), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToSLSeparadoresTest,
    ::testing::Values(SplitCase{"27 112 0 50 250", " ", {"27", "112", "0", "50", "250"}},
                      SplitCase{"T1800;T0700;S0500", ";", {"T1800", "T0700", "S0500"}},
                      SplitCase{"a;b,c d", ";, ", {"a", "b", "c", "d"}},
                      SplitCase{"a  b", " ", {"a", "", "b"}}, SplitCase{"", ";", {}},
                      SplitCase{";", ";", {"", ""}}));

TEST(SLExcluaBlank, RemovesEmptyAndBlankItems) {
    TLinhas lines{"DARUMA", "", "  ", "FS700 L", std::string("\0\0", 2), "MACH"};
    SLExcluaBlank(lines);
    EXPECT_EQ(Items(lines), (Strings{"DARUMA", "FS700 L", "MACH"}));
}

TEST(SplitAndClean, AsThePrinterAnswersAreRead) {
    TLinhas pieces = StrToSLSeparadores("DARUMA;;FS700 L;  ;ECF-IF;", ";");
    SLExcluaBlank(pieces);
    EXPECT_EQ(Items(pieces), (Strings{"DARUMA", "FS700 L", "ECF-IF"}));
}

} // namespace
} // namespace zelt
