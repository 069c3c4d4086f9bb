// The pieces every printer emulator shares: state file, clock, journal, tape, answers.
#include "platform/printers/common/EmuAnswers.h"
#include "platform/printers/common/EmuClock.h"
#include "platform/printers/common/EmuJournal.h"
#include "platform/printers/common/EmuStateFile.h"
#include "platform/printers/common/EmuTape.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace zelt::printers {
namespace {

TEST(EmuStateFile, KeepsValuesWithLineEndsBackslashesAndBlanks) {
    TKeyValueDoc doc;
    doc.Set("Programacao", "Cabecalho", "LOJA\nRUA 1\r\n");
    doc.Set("Registro", "START\\LocalArquivosRelatorios", "C:\\");
    doc.Set("Item.1", "Descricao", "  ARROZ  ");
    doc.SetInt("Contadores", "COO", -7);
    const TKeyValueDoc back = TKeyValueDoc::Parse(doc.Serialize());
    EXPECT_EQ(back, doc);
    EXPECT_EQ(back.Get("Programacao", "Cabecalho"), "LOJA\nRUA 1\r\n");
    EXPECT_EQ(back.Get("Registro", "START\\LocalArquivosRelatorios"), "C:\\");
    EXPECT_EQ(back.Get("Item.1", "Descricao"), "  ARROZ  ");
    EXPECT_EQ(back.GetInt("Contadores", "COO", 0), -7);
}

TEST(EmuStateFile, DamagedLinesAreSkippedAndBadNumbersFallBack) {
    const TKeyValueDoc doc = TKeyValueDoc::Parse("garbage\n[A]\nx=12\nnoequals\ny=1z\n[B\nz=3\n");
    EXPECT_EQ(doc.GetInt("A", "x", 0), 12);
    EXPECT_EQ(doc.GetInt("A", "y", 5), 5);
    EXPECT_EQ(doc.Get("A", "z"), "3"); // "[B" is no section header
    EXPECT_EQ(doc.Find("A", "noequals"), nullptr);
}

TEST(EmuStateFile, SaveReplacesTheFileWholeAndLeavesNoTemporary) {
    const auto dir = std::filesystem::temp_directory_path() / "zelt-emu-state-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "s.ini").string();
    TKeyValueDoc doc;
    doc.Set("A", "k", "1");
    doc.SaveAtomic(file);
    doc.Set("A", "k", "2");
    doc.SaveAtomic(file);
    EXPECT_EQ(TKeyValueDoc::Load(file).Get("A", "k"), "2");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    EXPECT_EQ(TKeyValueDoc::Load((dir / "missing.ini").string()), TKeyValueDoc{});
    std::filesystem::remove_all(dir);
}

TEST(EmuClock, ParsesBothTextFormsAndRejectsImpossibleMoments) {
    const auto a = ParseMoment("11/12/2026 14:30:05");
    const auto b = ParseMoment(" 2026-12-11 14:30:05 ");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, *b);
    EXPECT_EQ(FormatMoment(*a, "ddmmyyyyhhnnss"), "11122026143005");
    EXPECT_EQ(FormatMoment(*a, "dd/mm/yyyy hh:nn:ss"), "11/12/2026 14:30:05");
    EXPECT_FALSE(ParseMoment("31/02/2026 10:00:00"));
    EXPECT_FALSE(ParseMoment("11/12/2026 24:00:00"));
    EXPECT_FALSE(ParseMoment("11-12-2026"));
    EXPECT_FALSE(ParseMoment(""));
    EXPECT_EQ(SecondOfDay(*ParseMoment("11/12/2026")), 0);
}

TEST(EmuClock, DayNumbersMatchTheSystemDateValues) {
    // 1899-12-30 is day 0 and 2000-01-01 day 36526 in the system's date-time values.
    EXPECT_EQ(DayOf(*ParseMoment("30/12/1899")), 0);
    EXPECT_EQ(DayOf(*ParseMoment("01/01/2000 23:59:59")), 36526);
    EXPECT_EQ(ParseDdMmYyyy("01012000"), 36526);
    EXPECT_EQ(ParseDdMmYyyy("29022024").has_value(), true);
    EXPECT_EQ(ParseDdMmYyyy("29022023").has_value(), false);
    EXPECT_EQ(ParseDdMmYyyy("1012000").has_value(), false);
    const Moment leap = *ParseMoment("28/02/2024 23:59:59") + 1;
    EXPECT_EQ(FormatMoment(leap, "dd/mm/yyyy"), "29/02/2024");
}

TEST(EmuJournal, WritesTextsQuotedWithEscapesAndOutputsAsOut) {
    EXPECT_EQ(FormatCall("iCFVender_ECF_Daruma",
                         {TJournalArg::Text("I18,00"), TJournalArg::Text("2,0"),
                          TJournalArg::Text(nullptr), TJournalArg::Int(8), TJournalArg::Out()}),
              "iCFVender_ECF_Daruma(\"I18,00\",\"2,0\",NULL,8,out)");
    EXPECT_EQ(FormatCall("f", {TJournalArg::Text("a\"b\\c\r\n\t\x01\x7F\xE7")}),
              "f(\"a\\\"b\\\\c\\r\\n\\t\\x01\\x7F\xE7\")");
    EXPECT_EQ(FormatCall("iLeituraX_ECF_Daruma", {}), "iLeituraX_ECF_Daruma()");
}

TEST(EmuTape, WrapsAtTheColumnsAndAlignsTwoParts) {
    TTapeDocument doc(10);
    doc.Text("0123456789ABC\r\nshort\n");
    doc.LeftRight("TOTAL", "12,00");
    doc.LeftRight("A LONG LEFT PART", "9,99");
    doc.Center("MID");
    doc.Rule();
    const std::vector<std::string> expected = {"0123456789", "ABC",    "short",     "TOTA 12,00",
                                               "A LON 9,99", "   MID", "----------"};
    EXPECT_EQ(doc.Lines(), expected);
    EXPECT_EQ(doc.Joined().substr(0, 15), "0123456789\nABC\n");
}

TEST(EmuAnswers, WritesAtMostTheBufferAndAlwaysANul) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    WriteAnswer(buffer, 4, "ABCDEFG");
    EXPECT_STREQ(buffer, "ABCD");
    EXPECT_EQ(buffer[5], 'x');
    WriteAnswer(buffer, 4, "");
    EXPECT_EQ(buffer[0], '\0');
    const std::string g = GarbageText(7, 1, 50);
    EXPECT_EQ(g.size(), 50u);
    EXPECT_EQ(g.find('\0'), std::string::npos);
    EXPECT_EQ(g, GarbageText(7, 1, 50));
    EXPECT_NE(g, GarbageText(7, 2, 50));
}

} // namespace
} // namespace zelt::printers
