#include "platform/rtl/StringList.h"

#include "platform/rtl/Errors.h"
#include "tests/platform/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zelt {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(StringList, AddInsertDeleteKeepOrder) {
    TStringList list;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("d"), 1);
    list.Insert(0, "a");
    list.Insert(2, "c");
    list.Insert(list.Count(), "e"); // inserting at the end is allowed
    EXPECT_EQ(list, (TStringList{"a", "b", "c", "d", "e"}));
    list.Delete(1);
    list.Delete(list.Count() - 1);
    EXPECT_EQ(list, (TStringList{"a", "c", "d"}));
    list.Put(1, "C");
    EXPECT_EQ(list[1], "C");
    list.Exchange(0, 2);
    EXPECT_EQ(list, (TStringList{"d", "C", "a"}));
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

TEST(StringList, IndexErrorsNameTheIndex) {
    TStringList list{"x", "y"};
    struct Case {
        const char* what;
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {"Get past end", [&] { (void)list.Get(2); }, "List index out of bounds (2)"},
        {"Get negative", [&] { (void)list[-1]; }, "List index out of bounds (-1)"},
        {"Put past end", [&] { list.Put(2, "z"); }, "List index out of bounds (2)"},
        {"Delete past end", [&] { list.Delete(2); }, "List index out of bounds (2)"},
        {"Insert beyond end", [&] { list.Insert(3, "z"); }, "List index out of bounds (3)"},
        {"Exchange", [&] { list.Exchange(0, 5); }, "List index out of bounds (5)"},
        {"Names", [&] { (void)list.Names(7); }, "List index out of bounds (7)"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.what;
            EXPECT_STREQ(e.ClassName(), "EStringListError");
        }
    }
    EXPECT_EQ(list, (TStringList{"x", "y"})) << "a failed call must leave the list alone";
}

TEST(StringList, IndexOfIgnoresLetterCase) {
    TStringList list{"Alfa", "BETA", "gama"};
    EXPECT_EQ(list.IndexOf("beta"), 1);
    EXPECT_EQ(list.IndexOf("GAMA"), 2);
    EXPECT_EQ(list.IndexOf("delta"), -1);
    EXPECT_EQ(list.IndexOf("Alf"), -1);
}

TEST(StringList, SortIgnoresCaseAndIsStable) {
    TStringList list{"b", "B", "a", "C", "A"};
    list.Sort();
    EXPECT_EQ(list, (TStringList{"a", "A", "b", "B", "C"}));
}

TEST(StringList, NameValueItems) {
    TStringList list{"Host=loja01", "porta = 3050", "semigual", "Vazio="};
    EXPECT_EQ(list.Names(0), "Host");
    EXPECT_EQ(list.ValueFromIndex(0), "loja01");
    EXPECT_EQ(list.Names(1), "porta ") << "the name is everything before '=', blanks too";
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(2), "");
    EXPECT_EQ(list.IndexOfName("HOST"), 0);
    EXPECT_EQ(list.IndexOfName("semigual"), -1) << "an item without '=' has no name";
    EXPECT_EQ(list.Values("host"), "loja01");
    EXPECT_EQ(list.Values("nada"), "");

    list.SetValue("host", "loja02");
    EXPECT_EQ(list[0], "host=loja02");
    list.SetValue("Novo", "1");
    EXPECT_EQ(list[list.Count() - 1], "Novo=1");
    list.SetValue("Vazio", "");
    EXPECT_EQ(list.IndexOfName("Vazio"), -1) << "an empty value removes the item";
}

TEST(StringList, TextEndsEveryItemWithCrLf) {
    EXPECT_EQ(TStringList{}.Text(), "");
    EXPECT_EQ((TStringList{"a"}).Text(), "a\r\n");
    EXPECT_EQ((TStringList{"a", "", "c"}).Text(), "a\r\n\r\nc\r\n");
}

TEST(StringList, SetTextSplitsAtEveryLineEnd) {
    struct Case {
        std::string text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}}, // LF then CR is two line ends
        {"\r\n", {""}},
        {"x\r\n\r\n", {"x", ""}},
        {"cora\xE7\xE3o\r\n", {"cora\xE7\xE3o"}}, // code page bytes pass untouched
    };
    for (const Case& c : cases) {
        TStringList list{"old"};
        list.SetText(c.text);
        EXPECT_EQ(list.Items(), c.items) << testing::PrintToString(c.text);
    }
}

TEST(StringList, TextRoundTrip) {
    TStringList list{"primeira", "", "  com brancos  ", "a\tb", "\xC7"};
    TStringList back;
    back.SetText(list.Text());
    EXPECT_EQ(back, list);
}

TEST(StringList, DelimitedTextQuotesWhatNeedsIt) {
    EXPECT_EQ((TStringList{"a", "b c", "d,e", "f\"g", ""}).DelimitedText(),
              "a,\"b c\",\"d,e\",\"f\"\"g\",");
    EXPECT_EQ((TStringList{""}).DelimitedText(), "\"\"");
    EXPECT_EQ((TStringList{"a;b", "c"}).DelimitedText(';', '\''), "'a;b';c");
    EXPECT_EQ(TStringList{}.CommaText(), "");
}

TEST(StringList, SetDelimitedTextSplitsAtDelimiterAndBlanks) {
    struct Case {
        std::string text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"  a , b  ", {"a", "b"}},
        {"a b,c", {"a", "b", "c"}}, // outside quotes a blank ends an item
        {"\"a b\",c", {"a b", "c"}},
        {"\"f\"\"g\"", {"f\"g"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"\"", {""}},
        {"", {}},
        {"\"open", {"open"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetDelimitedText(c.text);
        EXPECT_EQ(list.Items(), c.items) << c.text;
    }
}

TEST(StringList, DelimitedRoundTrip) {
    const TStringList lists[] = {
        {"a", "b c", "d,e", "f\"g", "", "h"},
        {""},
        {"", ""},
        {"\xE9 acentuado", "x"},
    };
    for (const TStringList& list : lists) {
        TStringList back;
        back.SetDelimitedText(list.CommaText());
        EXPECT_EQ(back, list) << list.CommaText();
    }
}

TEST(StringList, AddStringsOfItself) {
    TStringList list{"a", "b"};
    list.AddStrings(list);
    EXPECT_EQ(list, (TStringList{"a", "b", "a", "b"}));
}

TEST(StringListFile, SaveWritesTheBytesAndLoadReadsThem) {
    TempFolder dir;
    TStringList list{"Jo\xE3o", "", "fim"};
    list.SaveToFile(dir / "lista.txt");
    EXPECT_EQ(ReadBytes(dir / "lista.txt"), "Jo\xE3o\r\n\r\nfim\r\n");

    WriteBytes(dir / "unix.txt", "um\ndois");
    TStringList loaded{"stale"};
    loaded.LoadFromFile(dir / "unix.txt");
    EXPECT_EQ(loaded, (TStringList{"um", "dois"}));
}

TEST(StringListFile, SaveReplacesAndLeavesNoTemporary) {
    TempFolder dir;
    WriteBytes(dir / "l.txt", "old contents that are longer\r\n");
    TStringList{"new"}.SaveToFile(dir / "l.txt");
    EXPECT_EQ(ReadBytes(dir / "l.txt"), "new\r\n");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(StringListFile, MissingFileRaisesOpenErrorWithTheName) {
    TempFolder dir;
    TStringList list;
    try {
        list.LoadFromFile(dir / "nao-existe.txt");
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(dir / "nao-existe.txt"), std::string::npos) << e.Message();
        EXPECT_STREQ(e.ClassName(), "EFOpenError");
    }
}

TEST(StringListFile, UnwritableFolderRaisesCreateError) {
    TempFolder dir;
    try {
        TStringList{"x"}.SaveToFile(dir / "sem-pasta/l.txt");
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find("sem-pasta/l.txt"), std::string::npos) << e.Message();
    }
}

} // namespace
} // namespace zelt
