#include "TempFolder.h"
#include "outside/utils/UPastas.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {
namespace {

using testing_utils::TempFolder;
using Strings = std::vector<std::string>;

struct MaskCase {
    const char* name;
    const char* pattern;
    bool matches;
};

class NomeCasaComMascaraTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(NomeCasaComMascaraTest, MatchesAsWindowsDoes) {
    EXPECT_EQ(NomeCasaComMascara(GetParam().name, GetParam().pattern), GetParam().matches)
        << GetParam().name << " ~ " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NomeCasaComMascaraTest,
    ::testing::Values(
        MaskCase{"a.txt", "*.txt", true}, MaskCase{"a.TXT", "*.txt", true},
        MaskCase{"a.txt.bak", "*.txt", false}, MaskCase{"LEIAME", "*.*", true},
        MaskCase{"LEIAME", "*", true}, MaskCase{"abc", "a?c", true}, MaskCase{"ac", "a?c", false},
        MaskCase{"abbbc", "a*c", true}, MaskCase{"Relatório.txt", "RELATÓRIO.*", true},
        // The fixed-width stamp keeps prefix P10 out of the pattern of P1.
        MaskCase{"2024-01-02-03-04-05-006 P1.txt", "????????????????????????P1.txt", true},
        MaskCase{"2024-01-02-03-04-05-006 P10.txt", "????????????????????????P1.txt", false},
        MaskCase{"x", "", false}));

class SLPreencherDoDiretorioTest : public ::testing::Test {
protected:
    TempFolder tmp;
    Strings List(const std::string& mask, int attributes) const {
        TLinhas list{"stale item"};
        const int count = SLPreencherDoDiretorio(list, tmp.Path() + mask, attributes);
        EXPECT_EQ(count, list.Count());
        return list.Items();
    }
};

TEST_F(SLPreencherDoDiretorioTest, ListsMatchingFileNamesWithoutTheirFolder) {
    tmp.Write("b.txt", "");
    tmp.Write("A.txt", "");
    tmp.Write("c.TXT", "");
    tmp.Write("d.log", "");
    tmp.MakeFolder("pasta.txt");
    tmp.Write("sub/e.txt", "");
    EXPECT_EQ(List("*.txt", faArchive), (Strings{"A.txt", "b.txt", "c.TXT"}));
    EXPECT_EQ(List("*.*", faArchive), (Strings{"A.txt", "b.txt", "c.TXT", "d.log"}));
}

TEST_F(SLPreencherDoDiretorioTest, SpecialEntriesOnlyWhenAsked) {
    tmp.Write("plain.txt", "");
    tmp.Write(".hidden.txt", "");
    tmp.MakeFolder("folder.txt");
    tmp.MakeFolder(".svn");
    EXPECT_EQ(List("*", faArchive), (Strings{"plain.txt"}));
    EXPECT_EQ(List("*", faArchive | faHidden), (Strings{".hidden.txt", "plain.txt"}));
    EXPECT_EQ(List("*", faDirectory), (Strings{"folder.txt", "plain.txt"}));
    EXPECT_EQ(List("*", faAnyFile), (Strings{".hidden.txt", ".svn", "folder.txt", "plain.txt"}));
}

TEST_F(SLPreencherDoDiretorioTest, ReadOnlyFilesAreStillPlainFiles) {
    const std::string name = tmp.Write("ro.txt", "");
    std::filesystem::permissions(name, std::filesystem::perms::owner_read);
    EXPECT_EQ(List("*.txt", faArchive), (Strings{"ro.txt"}));
    EXPECT_EQ(AtributosDoArq(name), faArchive | faReadOnly);
}

TEST_F(SLPreencherDoDiretorioTest, AMissingFolderGivesAnEmptyList) {
    EXPECT_TRUE(List("nao-existe/*.txt", faAnyFile).empty());
}

TEST_F(SLPreencherDoDiretorioTest, NamesComeBackInTheSystemsCodePage) {
    tmp.Write(std::string("Relat\xC3\xB3rio.txt"), ""); // UTF-8 on disk
    EXPECT_EQ(List("*.txt", faArchive), (Strings{"Relatório.txt"}));
}

TEST(AtributosDoArq, TellsFoldersFilesAndMissingEntries) {
    TempFolder tmp;
    EXPECT_EQ(AtributosDoArq(tmp.Write("f.txt", "x")), faArchive);
    EXPECT_EQ(AtributosDoArq(tmp.MakeFolder("d")), faDirectory);
    EXPECT_EQ(AtributosDoArq(tmp.Write(".oculto", "")), faArchive | faHidden);
    EXPECT_EQ(AtributosDoArq(tmp.Path() + "nada"), 0);
}

} // namespace
} // namespace zelt
