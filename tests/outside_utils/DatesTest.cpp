#include "outside/utils/Utils.h"

#include <gtest/gtest.h>
#include <limits>

namespace zelt {
namespace {

struct MonthCase {
    int year, month, day;
    int lastDay;
};

class UltimoDateMesTest : public ::testing::TestWithParam<MonthCase> {};

TEST_P(UltimoDateMesTest, GivesTheLastDayAtMidnight) {
    const MonthCase& c = GetParam();
    const TDateTime withTime = EncodeDateTime(c.year, c.month, c.day, 15, 30, 0, 0);
    EXPECT_EQ(UltimoDateMes(withTime), EncodeDate(c.year, c.month, c.lastDay));
}

INSTANTIATE_TEST_SUITE_P(Months, UltimoDateMesTest,
                         ::testing::Values(MonthCase{2024, 1, 15, 31}, MonthCase{2024, 2, 1, 29},
                                           MonthCase{2023, 2, 28, 28}, MonthCase{1900, 2, 3, 28},
                                           MonthCase{2000, 2, 3, 29}, MonthCase{2024, 4, 30, 30},
                                           MonthCase{2024, 12, 31, 31}));

TEST(UltimoDateMes, WithTheEndOfDayClosesAMonthlyRange) {
    const TDateTime end = EndOfTheDay(UltimoDateMes(EncodeDate(2024, 2, 10)));
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", end), "29/02/2024 23:59:59.999");
}

class ClockFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetClockForTesting([this] { return now_; });
    }
    void TearDown() override { SetClockForTesting({}); }
    void SetNow(TDateTime t) { now_ = t; }

private:
    TDateTime now_ = EncodeDateTime(2024, 5, 6, 10, 0, 0, 0);
};

constexpr TDateTime kSecond = 1.0 / 86400.0;

using PassouTempoTest = ClockFixture;

TEST_F(PassouTempoTest, TellsWhetherTheSpanHasPassed) {
    const TDateTime last = EncodeDateTime(2024, 5, 6, 10, 0, 0, 0);
    const TDateTime third = kSecond / 3;
    SetNow(last);
    EXPECT_FALSE(PassouTempo(last, third));
    SetNow(IncMilliSecond(last, 200));
    EXPECT_FALSE(PassouTempo(last, third));
    SetNow(IncMilliSecond(last, 334));
    EXPECT_TRUE(PassouTempo(last, third));
    SetNow(IncMilliSecond(last, 999));
    EXPECT_FALSE(PassouTempo(last, kSecond));
    SetNow(IncMilliSecond(last, 1001));
    EXPECT_TRUE(PassouTempo(last, kSecond));
    // A zero span has always passed.
    SetNow(last);
    EXPECT_TRUE(PassouTempo(last, 0));
}

TEST_F(PassouTempoTest, AClockSetBackCountsAsPassed) {
    const TDateTime last = EncodeDateTime(2024, 5, 6, 10, 0, 0, 0);
    SetNow(last - 1.0 / 24);
    EXPECT_TRUE(PassouTempo(last, kSecond));
}

struct SpanCase {
    double seconds;
    const char* text;
};

class DeltaTToStrTest : public ::testing::TestWithParam<SpanCase> {};

TEST_P(DeltaTToStrTest, WritesHoursMinutesSeconds) {
    EXPECT_EQ(DeltaTToStr(GetParam().seconds * kSecond), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Spans, DeltaTToStrTest,
                         ::testing::Values(SpanCase{0, "00:00:00"}, SpanCase{5, "00:00:05"},
                                           SpanCase{65, "00:01:05"}, SpanCase{3661, "01:01:01"},
                                           SpanCase{59.6, "00:01:00"}, SpanCase{100000, "27:46:40"},
                                           SpanCase{400 * 3600, "400:00:00"},
                                           SpanCase{-5, "-00:00:05"}, SpanCase{-0.2, "00:00:00"},
                                           SpanCase{1e300, "--:--:--"}));

TEST(DeltaTToStr, NoEstimateForANonFiniteSpan) {
    EXPECT_EQ(DeltaTToStr(std::numeric_limits<double>::infinity()), "--:--:--");
    EXPECT_EQ(DeltaTToStr(std::numeric_limits<double>::quiet_NaN()), "--:--:--");
}

} // namespace
} // namespace zelt
