#include "platform/rtl/IniFile.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FormatSettings.h"
#include "tests/platform/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zelt {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// A file the way the shops keep them: comments, blank lines, odd spacing, a duplicate section
// and key, CR LF line ends.
const std::string kAmbiente = "; configuracao da loja\r\n"
                              "[Pastas]\r\n"
                              "Trabalho = /srv/zelt/trab/\r\n"
                              "  Comandos=/srv/zelt/cmd/  \r\n"
                              "Trabalho=/segunda/\r\n"
                              "\r\n"
                              "; lote\r\n"
                              "[Geral]\r\n"
                              "Lote=500\r\n"
                              "Debug=1\r\n"
                              "Aspas=\"  com brancos  \"\r\n"
                              "Simples='x'\r\n"
                              "Meia=\"sem fim\r\n"
                              "Vazio=\r\n"
                              "Hex=0x1F\r\n"
                              "Dolar=$10\r\n"
                              "Real=1,5\r\n"
                              "Texto=abc\r\n"
                              "linha sem igual\r\n"
                              "[pastas]\r\n"
                              "Trabalho=/terceira/\r\n"
                              "SoNaSegunda=1\r\n";

class IniFileTest : public testing::Test {
protected:
    void SetUp() override { WriteBytes(Name(), kAmbiente); }
    std::string Name() const { return dir_ / "ambiente.ini"; }
    TempFolder dir_;
    TIniFile ini_{dir_ / "ambiente.ini"};
};

TEST_F(IniFileTest, ReadsTrimmedValuesIgnoringLetterCase) {
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Pastas", "Trabalho", "/srv/zelt/trab/"},
        {"PASTAS", "trabalho", "/srv/zelt/trab/"},
        {"pastas", "COMANDOS", "/srv/zelt/cmd/"},
        {"Geral", "Lote", "500"},
        {"Geral", "Aspas", "  com brancos  "}, // matching quotes go, the blanks inside stay
        {"Geral", "Simples", "x"},
        {"Geral", "Meia", "\"sem fim"}, // an unmatched quote is part of the value
        {"Geral", "Vazio", ""},         // present but empty: not the fallback
        {"Geral", "Nenhuma", "padrao"},
        {"Nenhuma", "Lote", "padrao"},
        {"Geral", "linha sem igual", "padrao"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini_.ReadString(c.section, c.key, "padrao"), c.expected)
            << c.section << "/" << c.key;
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyWin) {
    EXPECT_EQ(ini_.ReadString("Pastas", "Trabalho", ""), "/srv/zelt/trab/");
    EXPECT_EQ(ini_.ReadString("Pastas", "SoNaSegunda", "nao"), "nao")
        << "a repeated section is shadowed by the first";
    TStringList keys;
    ini_.ReadSection("pastas", keys);
    EXPECT_EQ(keys, (TStringList{"Trabalho", "Comandos"}));
}

TEST_F(IniFileTest, TypedReads) {
    EXPECT_EQ(ini_.ReadInteger("Geral", "Lote", 0), 500);
    EXPECT_EQ(ini_.ReadInteger("Geral", "Hex", 0), 31);
    EXPECT_EQ(ini_.ReadInteger("Geral", "Dolar", 0), 16);
    EXPECT_EQ(ini_.ReadInteger("Geral", "Texto", -7), -7);
    EXPECT_EQ(ini_.ReadInteger("Geral", "Vazio", -7), -7);
    EXPECT_TRUE(ini_.ReadBool("Geral", "Debug", false));
    EXPECT_TRUE(ini_.ReadBool("Geral", "Lote", false)) << "any other integer is true";
    EXPECT_FALSE(ini_.ReadBool("Geral", "Texto", false));
    EXPECT_TRUE(ini_.ReadBool("Geral", "Texto", true));
    EXPECT_DOUBLE_EQ(ini_.ReadFloat("Geral", "Real", 0), 1.5) << "the regional decimal comma";
    EXPECT_DOUBLE_EQ(ini_.ReadFloat("Geral", "Texto", 2.25), 2.25);
}

TEST_F(IniFileTest, ListsSectionsKeysAndValues) {
    TStringList sections{"stale"};
    ini_.ReadSections(sections);
    EXPECT_EQ(sections, (TStringList{"Pastas", "Geral"}));
    TStringList values;
    ini_.ReadSectionValues("geral", values);
    EXPECT_EQ(values.Values("Aspas"), "  com brancos  ");
    EXPECT_EQ(values.IndexOfName("linha sem igual"), -1);
    EXPECT_EQ(values[0], "Lote=500");
    EXPECT_TRUE(ini_.SectionExists("GERAL"));
    EXPECT_FALSE(ini_.SectionExists("Outra"));
    EXPECT_TRUE(ini_.ValueExists("Geral", "vazio"));
    EXPECT_FALSE(ini_.ValueExists("Geral", "Nenhuma"));
}

TEST_F(IniFileTest, AccentedLettersIgnoreCaseToo) {
    TStringList sections;
    WriteBytes(Name(), "[A\xE7\xE3o]\nx=1\n[A\xC7\xC3O]\ny=2\n"); // "Ação", "AÇÃO"
    ini_.ReadSections(sections);
    EXPECT_EQ(sections, (TStringList{"A\xE7\xE3o"})) << "accented letters ignore case too";
    EXPECT_EQ(ini_.ReadString("A\xC7\xC3O", "X", ""), "1");
}

TEST_F(IniFileTest, WritingAKeyReplacesOnlyItsValue) {
    ini_.WriteString("PASTAS", "trabalho", "/novo/");
    std::string expected = kAmbiente;
    expected.replace(expected.find("Trabalho = /srv/zelt/trab/"),
                     std::string("Trabalho = /srv/zelt/trab/").size(), "Trabalho = /novo/");
    EXPECT_EQ(ReadBytes(Name()), expected);
    EXPECT_EQ(ini_.ReadString("Pastas", "Trabalho", ""), "/novo/");
}

TEST_F(IniFileTest, NewKeyGoesAfterTheLastEntryOfTheFirstSection) {
    ini_.WriteInteger("Pastas", "Lote2", 7);
    std::string expected = kAmbiente;
    std::string after = "Trabalho=/segunda/\r\n";
    expected.insert(expected.find(after) + after.size(), "Lote2=7\r\n");
    EXPECT_EQ(ReadBytes(Name()), expected) << "the blank line and comment before [Geral] stay";
}

TEST_F(IniFileTest, NewSectionIsAppended) {
    ini_.WriteBool("Novo", "Ativo", true);
    EXPECT_EQ(ReadBytes(Name()), kAmbiente + "[Novo]\r\nAtivo=1\r\n");
    EXPECT_TRUE(ini_.ReadBool("novo", "ativo", false));
}

TEST_F(IniFileTest, ValueWithBlanksAndQuotesRoundTrips) {
    ini_.WriteString("Geral", "Msg", "\"  dois  brancos \"");
    EXPECT_EQ(ini_.ReadString("Geral", "Msg", ""), "  dois  brancos ");
    ini_.WriteString("Geral", "Msg", "  solto  ");
    EXPECT_EQ(ini_.ReadString("Geral", "Msg", ""), "solto") << "unquoted blanks are trimmed";
    ini_.WriteString("Geral", "Msg", "a=b;c");
    EXPECT_EQ(ini_.ReadString("Geral", "Msg", ""), "a=b;c");
}

TEST_F(IniFileTest, EachReadSeesTheFileAsItIsNow) {
    EXPECT_EQ(ini_.ReadInteger("Geral", "Lote", 0), 500);
    WriteBytes(Name(), "[Geral]\nLote=250\n"); // another program changed it
    EXPECT_EQ(ini_.ReadInteger("Geral", "Lote", 0), 250);
}

TEST_F(IniFileTest, DeleteKeyAndEraseSectionRemoveOnlyTheirLines) {
    ini_.DeleteKey("geral", "debug");
    std::string expected = kAmbiente;
    expected.erase(expected.find("Debug=1\r\n"), std::string("Debug=1\r\n").size());
    EXPECT_EQ(ReadBytes(Name()), expected);

    ini_.EraseSection("Pastas");
    EXPECT_EQ(ini_.ReadString("Pastas", "Trabalho", ""), "/terceira/")
        << "the repeated section now counts";
    EXPECT_EQ(ReadBytes(Name()).substr(0, 24), "; configuracao da loja\r\n");
    EXPECT_EQ(ReadBytes(Name()).find("/srv/zelt/cmd/"), std::string::npos);

    std::string before = ReadBytes(Name());
    ini_.DeleteKey("Geral", "Nenhuma");
    ini_.EraseSection("Nenhuma");
    EXPECT_EQ(ReadBytes(Name()), before);
}

TEST(IniFileLayout, LfFileStaysLfAndLastLineGetsAnEnd) {
    TempFolder dir;
    std::string name = dir / "lf.ini";
    WriteBytes(name, "[A]\nx=1\n\n[B]\ny=2"); // no final line end
    TIniFile ini(name);
    ini.WriteString("B", "z", "3");
    EXPECT_EQ(ReadBytes(name), "[A]\nx=1\n\n[B]\ny=2\nz=3\n");
    ini.WriteString("A", "w", "4");
    EXPECT_EQ(ReadBytes(name), "[A]\nx=1\nw=4\n\n[B]\ny=2\nz=3\n");
}

TEST(IniFileLayout, EmptySectionGetsItsFirstKeyUnderTheHeader) {
    TempFolder dir;
    std::string name = dir / "e.ini";
    WriteBytes(name, "[A]\r\n\r\n[B]\r\n");
    TIniFile(name).WriteString("a", "k", "v");
    EXPECT_EQ(ReadBytes(name), "[A]\r\nk=v\r\n\r\n[B]\r\n");
}

TEST(IniFileMissing, ReadsFallbackAndWriteCreatesTheFile) {
    TempFolder dir;
    TIniFile ini(dir / "novo.ini");
    EXPECT_EQ(ini.ReadString("S", "K", "padrao"), "padrao");
    EXPECT_EQ(ini.ReadString("S", "K", "com fim   "), "com fim") << "trailing blanks dropped";
    EXPECT_EQ(ini.ReadInteger("S", "K", 42), 42);
    EXPECT_FALSE(ini.SectionExists("S"));
    TStringList sections{"stale"};
    ini.ReadSections(sections);
    EXPECT_TRUE(sections.Empty());

    ini.WriteString("S", "K", "v");
    EXPECT_EQ(ReadBytes(dir / "novo.ini"), "[S]\r\nK=v\r\n");
}

TEST(IniFileMissing, UnreadableFileGivesDefaultsButIsNeverOverwritten) {
    TempFolder dir;
    ASSERT_EQ(::mkdir((dir / "pasta.ini").c_str(), 0700), 0); // a folder where the file should be
    TIniFile ini(dir / "pasta.ini");
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    EXPECT_FALSE(ini.SectionExists("S"));
    try {
        ini.WriteString("S", "K", "v");
        FAIL() << "no error";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.ErrorCode(), EISDIR);
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "pasta.ini"));
}

TEST(IniFileMissing, WriteErrorsAreIniErrorsNamingTheFile) {
    TempFolder dir;
    TIniFile ini(dir / "nao/ha.ini");
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    struct Case {
        const char* what;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"WriteString", [&] { ini.WriteString("S", "K", "v"); }},
        {"WriteInteger", [&] { ini.WriteInteger("S", "K", 1); }},
        {"WriteBool", [&] { ini.WriteBool("S", "K", true); }},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.ErrorCode(), ENOENT) << c.what;
            EXPECT_EQ(e.Message().rfind("Unable to write to " + (dir / "nao/ha.ini"), 0), 0u)
                << e.Message();
            EXPECT_STREQ(e.ClassName(), "EIniFileException");
        }
    }
}

} // namespace
} // namespace zelt
