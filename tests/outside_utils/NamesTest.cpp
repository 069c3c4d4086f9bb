#include "outside/utils/Utils.h"
#include "platform/rtl/FormatSettings.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {
namespace {

struct FolderCase {
    const char* folder;
    const char* parent;
};

class PastaAcimaTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(PastaAcimaTest, GivesTheParentWithDelimiter) {
    EXPECT_EQ(PastaAcima(GetParam().folder), GetParam().parent);
}

INSTANTIATE_TEST_SUITE_P(Folders, PastaAcimaTest,
                         ::testing::Values(FolderCase{"/opt/zelt/bin/", "/opt/zelt/"},
                                           FolderCase{"/opt/zelt/bin", "/opt/zelt/"},
                                           FolderCase{"/opt/", "/"}, FolderCase{"/", "/"},
                                           FolderCase{"a/b/", "a/"}));

TEST(PastaAcima, TwiceFromTheProgramFolderGivesTheRoot) {
    EXPECT_EQ(PastaAcima(PastaAcima("/srv/zelt/Bin/Pdv/")), "/srv/zelt/");
}

// 2024-03-05 07:08:09.045
TDateTime SampleMoment() {
    return EncodeDateTime(2024, 3, 5, 7, 8, 9, 45);
}

struct StampCase {
    const char* what;
    std::string (*routine)(TDateTime);
    const char* expected;
};

class StampTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(StampTest, WritesTheMomentInItsFixedForm) {
    EXPECT_EQ(GetParam().routine(SampleMoment()), GetParam().expected);
}

// Regional separators must not leak into names and folders: a workstation whose date separator
// is '-' or '.' would otherwise get other folders.
TEST_P(StampTest, DoesNotFollowTheRegionalSeparators) {
    TFormatSettings saved = FormatSettings();
    FormatSettings().DateSeparator = '.';
    FormatSettings().TimeSeparator = '.';
    const std::string text = GetParam().routine(SampleMoment());
    FormatSettings() = saved;
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, StampTest,
    ::testing::Values(StampCase{"DateToPath", DateToPath, "2024/03/05/"},
                      StampCase{"DateTimeToPath", DateTimeToPath, "2024/03/05/07-08-09/"},
                      StampCase{"DateToNomeArq", DateToNomeArq, "2024-03-05"},
                      StampCase{"DateTimeToNomeArq", DateTimeToNomeArq, "2024-03-05-07-08-09-045"},
                      StampCase{"DateTimeToNomeArqHora", DateTimeToNomeArqHora, "2024-03-05-07"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(DateTimeToNomeArq, ZeroMomentIsStableSoThatCallersGetOneName) {
    EXPECT_EQ(DateTimeToNomeArq(0.0), "1899-12-30-00-00-00-000");
    EXPECT_EQ(DateTimeToNomeArq(0.0), DateTimeToNomeArq(0.0));
}

TEST(DateTimeToNomeArq, SortsInTimeOrderAndDiffersWithinOneSecond) {
    const std::vector<TDateTime> moments = {
        EncodeDateTime(2023, 12, 31, 23, 59, 59, 999), EncodeDateTime(2024, 1, 1, 0, 0, 0, 0),
        EncodeDateTime(2024, 1, 1, 0, 0, 0, 1),        EncodeDateTime(2024, 1, 1, 0, 0, 1, 0),
        EncodeDateTime(2024, 1, 1, 9, 0, 0, 0),        EncodeDateTime(2024, 1, 1, 10, 0, 0, 0),
        EncodeDateTime(2024, 2, 1, 0, 0, 0, 0),        EncodeDateTime(2024, 10, 1, 0, 0, 0, 0)};
    std::vector<std::string> names;
    for (TDateTime m : moments) {
        names.push_back(DateTimeToNomeArq(m));
    }
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_TRUE(std::adjacent_find(names.begin(), names.end()) == names.end());
}

TEST(DateTimeToNomeArq, HoldsNoCharacterInvalidInAWindowsFileName) {
    const std::string name = DateTimeToNomeArq(EncodeDateTime(2024, 12, 31, 23, 59, 58, 7));
    EXPECT_EQ(name.find_first_of("\\/:*?\"<>| "), std::string::npos) << name;
}

struct NameCase {
    const char* text;
    const char* name;
};

class StrToNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(StrToNameTest, ReplacesWhatAFileNameCannotHold) {
    EXPECT_EQ(StrToName(GetParam().text), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToNameTest,
                         ::testing::Values(NameCase{"pdv.exe", "pdv.exe"},
                                           NameCase{"  relatório final  ", "relatório final"},
                                           NameCase{"a\\b/c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
                                           NameCase{"tab\there", "tab_here"}, NameCase{"", ""}));

} // namespace
} // namespace zelt
