#include "platform/rtl/DateTime.h"
#include "platform/rtl/Errors.h"

#include <ctime>
#include <gtest/gtest.h>

namespace zelt {
namespace {

// Every test that reads "now" gets a fixed clock: Tuesday 2024-03-05 14:07:09.045.
class DateTimeTest : public testing::Test {
protected:
    void SetUp() override {
        now_ = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
        SetClockForTesting([this] { return now_; });
    }
    void TearDown() override { SetClockForTesting({}); }
    TDateTime now_ = 0;
};

struct SerialCase {
    int year, month, day;
    int serial;
    int dayOfWeek;
};

// Serial numbers and weekdays computed independently (Python's datetime).
const SerialCase kSerials[] = {
    {1899, 12, 30, 0, 7},   {1899, 12, 31, 1, 1},    {1900, 1, 1, 2, 2},
    {1900, 3, 1, 61, 5},    {2000, 1, 1, 36526, 7},  {2024, 2, 29, 45351, 5},
    {2024, 3, 5, 45356, 3}, {1, 1, 1, -693593, 2},   {9999, 12, 31, 2958465, 6},
    {1899, 12, 29, -1, 6},  {1800, 1, 1, -36522, 4}, {1600, 2, 29, -109512, 3},
};

TEST(DateTime, EncodeDecodeKnownSerials) {
    for (const auto& c : kSerials) {
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial) << c.year << "-" << c.month;
        const DateParts p = DecodeDate(c.serial);
        EXPECT_EQ(p.year, c.year);
        EXPECT_EQ(p.month, c.month);
        EXPECT_EQ(p.day, c.day);
        EXPECT_EQ(DayOfWeek(c.serial), c.dayOfWeek) << c.serial;
    }
}

TEST(DateTime, EveryDayFromYearOneTo9999RoundTrips) {
    DateParts prev = DecodeDate(-693594 + 1);
    ASSERT_EQ(prev.year, 1);
    for (int serial = -693592; serial <= 2958465; ++serial) {
        const DateParts p = DecodeDate(serial);
        ASSERT_EQ(EncodeDate(p.year, p.month, p.day), serial);
        // consecutive serials are consecutive calendar days
        const bool nextDay = p.year == prev.year && p.month == prev.month && p.day == prev.day + 1;
        const bool nextMonth = p.day == 1 && prev.day == DaysInAMonth(prev.year, prev.month) &&
                               ((p.month == prev.month + 1 && p.year == prev.year) ||
                                (p.month == 1 && prev.month == 12 && p.year == prev.year + 1));
        ASSERT_TRUE(nextDay || nextMonth) << serial;
        prev = p;
    }
}

TEST(DateTime, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(1900, 2), 28);
    EXPECT_EQ(DaysInAMonth(2024, 4), 30);
    EXPECT_EQ(DaysInAMonth(2024, 13), 0);
}

TEST(DateTime, EveryTimeOfDayRoundTripsAtOldAndLateDates) {
    const TDateTime days[] = {0, 45356, 2958465, -36522};
    for (TDateTime day : days) {
        for (int s = 0; s < 86400; ++s) {
            const int ms = (s * 37) % 1000;
            const TDateTime t = EncodeTime(s / 3600, s / 60 % 60, s % 60, ms);
            const TDateTime dt = day < 0 ? day - t : day + t;
            const TimeParts p = DecodeTime(dt);
            ASSERT_EQ(p.hour * 3600 + p.minute * 60 + p.second, s) << day;
            ASSERT_EQ(p.millisecond, ms) << day << " " << s;
            ASSERT_EQ(DecodeDate(dt).year, DecodeDate(day).year);
        }
    }
}

TEST(DateTime, TimePartsRoundToTheMillisecond) {
    // A hair before midnight is the next day at 00:00:00.000, never second 60.
    const DateParts d = DecodeDate(0.999999999);
    const TimeParts t = DecodeTime(0.999999999);
    EXPECT_EQ(d.day, 31);
    EXPECT_EQ(d.month, 12);
    EXPECT_EQ(d.year, 1899);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.second, 0);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", 45356.999999999),
              "06/03/2024 00:00:00.000");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", 45356 + 0.5 / 86400000.0 * 0.9), "00:00:00.000");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", EncodeTime(23, 59, 59, 999)), "23:59:59.999");
}

TEST(DateTime, InvalidPartsRaiseConvertErrorNamingThem) {
    struct Case {
        int y, m, d;
    };
    const Case badDates[] = {{2024, 2, 31}, {2023, 2, 29}, {0, 1, 1},    {10000, 1, 1},
                             {2024, 13, 1}, {2024, 0, 1},  {2024, 1, 0}, {2024, 4, 31}};
    for (const auto& c : badDates) {
        try {
            EncodeDate(c.y, c.m, c.d);
            ADD_FAILURE() << c.y << "-" << c.m << "-" << c.d;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode: year " + std::to_string(c.y) +
                                       ", month " + std::to_string(c.m) + ", day " +
                                       std::to_string(c.d));
        }
        TDateTime r = 7;
        EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, r));
        EXPECT_EQ(r, 7);
    }
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
    try {
        EncodeTime(25, 1, 2, 3);
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(),
                  "Invalid argument to time encode: hour 25, minute 1, second 2, millisecond 3");
    }
}

TEST(DateTime, NegativeValuesKeepTheTimeAsAPositiveFraction) {
    const TDateTime dt = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
    EXPECT_EQ(dt, -1.25);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", dt), "29/12/1899 06:00");
    EXPECT_EQ(DateOf(dt), -1);
    EXPECT_EQ(TimeOf(dt), 0.25);
    EXPECT_EQ(IncDay(dt, 1), 0.25);
    EXPECT_EQ(IncDay(0.25, -1), -1.25);
    EXPECT_EQ(IncDay(dt, -1), -2.25);
    EXPECT_EQ(MilliSecondsBetween(dt, 0.25), 86400000);
    EXPECT_EQ(IncMilliSecond(-1.0, -21600000), -2.75); // 1899-12-28 18:00
}

TEST(DateTime, DayPartsAndArithmetic) {
    const TDateTime dt = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
    EXPECT_EQ(DateOf(dt), 45356);
    EXPECT_EQ(StartOfTheDay(dt), 45356);
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", TimeOf(dt)), "14:07:09.045");
    EXPECT_LT(TimeOf(dt), 1);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", EndOfTheDay(dt)),
              "05/03/2024 23:59:59.999");
    EXPECT_EQ(MilliSecondsBetween(EndOfTheDay(dt), DateOf(dt) + 1), 1);
    EXPECT_EQ(MilliSecondsBetween(DateOf(dt) + 1, EndOfTheDay(dt)), 1);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", IncDay(dt, 30)), "04/04/2024 14:07:09.045");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", IncMilliSecond(dt, 955)), "14:07:10.000");
    EXPECT_EQ(FormatDateTime("dd hh:nn:ss.zzz", IncMilliSecond(dt, -50'829'046)),
              "04 23:59:59.999");
    EXPECT_EQ(MilliSecondsBetween(dt, IncMilliSecond(dt, 123456789)), 123456789);
}

TEST(DateTime, IncMonthClipsTheDayAndKeepsTheTime) {
    struct Case {
        int y, m, d, months;
        int ey, em, ed;
    };
    const Case cases[] = {
        {2024, 1, 31, 1, 2024, 2, 29},    {2023, 1, 31, 1, 2023, 2, 28},
        {2024, 3, 31, -1, 2024, 2, 29},   {2024, 12, 15, 1, 2025, 1, 15},
        {2024, 1, 15, -13, 2022, 12, 15}, {2024, 5, 31, 24, 2026, 5, 31},
        {2024, 8, 31, 1, 2024, 9, 30},    {2024, 2, 29, 12, 2025, 2, 28},
        {2024, 6, 10, 0, 2024, 6, 10},
    };
    for (const auto& c : cases) {
        const TDateTime dt = EncodeDateTime(c.y, c.m, c.d, 10, 30, 0, 0);
        const TDateTime r = IncMonth(dt, c.months);
        const DateParts p = DecodeDate(r);
        EXPECT_EQ(p.year, c.ey) << c.y << "-" << c.m << "-" << c.d << " + " << c.months;
        EXPECT_EQ(p.month, c.em);
        EXPECT_EQ(p.day, c.ed);
        EXPECT_EQ(FormatDateTime("hh:nn", r), "10:30");
    }
}

struct FormatCase {
    const char* pattern;
    const char* expected;
};

// Tuesday 2024-03-05 14:07:09.045, Brazilian settings.
const FormatCase kFormats[] = {
    {"dd/mm/yyyy hh:nn:ss,zzz", "05/03/2024 14:07:09,045"},
    {"dd/mm/yyyy hh:nn:ss.zzz", "05/03/2024 14:07:09.045"},
    {"dd/mm/yy hh:nn:ss", "05/03/24 14:07:09"},
    {"yyyy-mm-dd", "2024-03-05"},
    {"ddmmyyyy", "05032024"},
    {"yyyy-mm-dd-hh-nn-ss-zzz", "2024-03-05-14-07-09-045"},
    {"yyyy\\mm\\", "2024\\03\\"},
    {"hhnnss", "140709"},
    {"dd/mm/yy", "05/03/24"},
    {"d/m/y", "5/3/24"},
    {"h:n:s.z", "14:7:9.45"},
    {"hh:mm", "14:07"},       // m right after an hour is minutes
    {"hh 'h' mm", "14 h 07"}, // literals between do not break that
    {"mm/dd hh:mm", "03/05 14:07"},
    {"ddd dddd", "ter terça-feira"},
    {"mmm mmmm", "mar março"},
    {"ddddd", "05/03/2024"},
    {"dddddd", "terça-feira, 5 de março de 2024"},
    {"c", "05/03/2024 14:07:09"},
    {"", "05/03/2024 14:07:09"},
    {"t", "14:07"},
    {"tt", "14:07:09"},
    {"hh:nn am/pm", "02:07 pm"},
    {"h:nn AM/PM", "2:07 PM"},
    {"h a/p", "2 p"},
    {"hh ampm", "02 "}, // the Brazilian settings have no am/pm strings
    {"\"dia\" dd", "dia 05"},
    {"DD/MM/YYYY HH:NN:SS", "05/03/2024 14:07:09"},
    {"'unterminated", "unterminated"},
};

TEST(FormatDateTime, PatternsTheSystemUses) {
    const TDateTime dt = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
    for (const auto& c : kFormats) {
        EXPECT_EQ(FormatDateTime(c.pattern, dt), c.expected) << "pattern " << c.pattern;
    }
}

TEST(FormatDateTime, SeparatorsAndNamesComeFromTheSettings) {
    const TDateTime dt = EncodeDateTime(2024, 3, 5, 0, 30, 0, 0);
    TFormatSettings s = TFormatSettings::Brazilian();
    s.DateSeparator = '-';
    s.TimeSeparator = '.';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", dt, s), "05-03-2024 00.30");
    EXPECT_EQ(FormatDateTime("ddd, mmmm yyyy hh ampm", dt, TFormatSettings::Invariant()),
              "Tue, March 2024 12 AM");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", dt), "12:30 am");
    EXPECT_EQ(FormatDateTime("c", DateOf(dt)), "05/03/2024"); // no time at midnight
    EXPECT_EQ(FormatDateTime("c", DateOf(dt) + EncodeTime(0, 0, 0, 500)), "05/03/2024");
    EXPECT_EQ(FormatDateTime("c", DateOf(dt) + EncodeTime(0, 0, 1, 0)), "05/03/2024 00:00:01");
    // each hour field looks ahead for its own am/pm marker
    EXPECT_EQ(FormatDateTime("hh am/pm hh", EncodeTime(15, 0, 0, 0)), "03 pm 15");
    EXPECT_EQ(DateToStr(dt), "05/03/2024");
    EXPECT_EQ(TimeToStr(dt), "00:30:00");
    EXPECT_EQ(DateTimeToStr(dt), "05/03/2024 00:30:00");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", 0), "30/12/1899");
}

TEST_F(DateTimeTest, ClockIsReplaceable) {
    EXPECT_EQ(Now(), now_);
    EXPECT_EQ(Date(), 45356);
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Time()), "14:07:09.045");
    SetClockForTesting({});
    const TDateTime real = Now();
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    EXPECT_EQ(DecodeDate(real).year, local.tm_year + 1900);
    EXPECT_EQ(DecodeDate(real).day, local.tm_mday);
}

TEST_F(DateTimeTest, StrToDateReadsTheShortDateFormat) {
    struct Case {
        const char* text;
        int y, m, d;
    };
    const Case cases[] = {
        {"05/03/2024", 2024, 3, 5},   {"5/3/2024", 2024, 3, 5}, {" 05/03/2024 ", 2024, 3, 5},
        {"29/02/2024", 2024, 2, 29},  {"05/03/24", 2024, 3, 5}, {"05/03/75", 1975, 3, 5},
        {"05/03/74", 1974, 3, 5},     {"05/03/73", 2073, 3, 5}, {"05/03", 2024, 3, 5},
        {"31/12/9999", 9999, 12, 31}, {"1/1/0001", 1, 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToDate(c.text), EncodeDate(c.y, c.m, c.d)) << c.text;
    }
    TFormatSettings iso = TFormatSettings::Invariant();
    EXPECT_EQ(StrToDate("2024-03-05", iso), 45356);
    TFormatSettings us = TFormatSettings::Brazilian();
    us.ShortDateFormat = "mm/dd/yyyy";
    EXPECT_EQ(StrToDate("03/05/2024", us), 45356);
}

TEST_F(DateTimeTest, MalformedOrNonexistentDatesRaiseConvertErrorWithTheText) {
    const char* bad[] = {"31/02/2024", "29/02/2023",      "",           "abc",
                         "05-03-2024", "05/03/2024x",     "32/01/2024", "00/01/2024",
                         "05/13/2024", "2024/03/05",      "1,2,3",      "05/",
                         "/03/2024",   "05/03/2024 10:00"};
    for (const char* text : bad) {
        try {
            StrToDate(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(text) + "' is not a valid date");
        }
    }
    TDateTime r = 3;
    EXPECT_FALSE(TryStrToDate("31/02/2024", r));
    EXPECT_EQ(r, 3);
}

TEST_F(DateTimeTest, StrToDateTimeAndStrToTime) {
    struct Case {
        const char* text;
        TDateTime expected;
    };
    const Case cases[] = {
        {"05/03/2024 14:07:09", EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)},
        {"05/03/2024 14:07", EncodeDateTime(2024, 3, 5, 14, 7, 0, 0)},
        {"05/03/2024", 45356},
        {"05/03/2024 14:07:09,045", EncodeDateTime(2024, 3, 5, 14, 7, 9, 45)},
        {"14:07:09", EncodeTime(14, 7, 9, 0)},
        {"05/03/24 2:07 PM", EncodeDateTime(2024, 3, 5, 14, 7, 0, 0)},
        {"29/12/1899 06:00", -1.25},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToDateTime(c.text), c.expected) << c.text;
    }
    const char* bad[] = {"05/03/2024 25:00", "31/02/2024 10:00", "05/03/2024 10", "x", ""};
    for (const char* text : bad) {
        try {
            StrToDateTime(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(text) + "' is not a valid date and time");
        }
    }
    EXPECT_EQ(StrToTime("12:00 AM"), 0);
    EXPECT_EQ(StrToTime("12:30 pm"), EncodeTime(12, 30, 0, 0));
    EXPECT_EQ(StrToTime(" 08:05:03 "), EncodeTime(8, 5, 3, 0));
    const char* badTimes[] = {"25:00", "14", "14:60", "13:00 PM", "14:07:09.045", "1:2:3:4"};
    for (const char* text : badTimes) {
        try {
            StrToTime(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(text) + "' is not a valid time");
        }
    }
}

TEST_F(DateTimeTest, ParseDateTimePatternReadsFixedPatterns) {
    struct Case {
        const char* pattern;
        const char* text;
        TDateTime expected;
    };
    const Case cases[] = {
        {"ddmmyyyy", "05032024", 45356},
        {"yyyy-mm-dd", "2024-03-05", 45356},
        {"ddmmyyyyhhnnss", "05032024140709", EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)},
        {"dd/mm/yyyy hh:nn:ss", "05/03/2024 14:07:09", EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)},
        {"ddmmyyhhnnss", "050324140709", EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)},
        {"hhnnss", "140709", EncodeTime(14, 7, 9, 0)},
        {"yyyy-mm-dd-hh-nn-ss-zzz", "2024-03-05-14-07-09-045",
         EncodeDateTime(2024, 3, 5, 14, 7, 9, 45)},
        {"dd/mm/yyyy hh:mm", "05/03/2024 14:07", EncodeDateTime(2024, 3, 5, 14, 7, 0, 0)},
        {"d/m/yyyy", "5/3/2024", 45356},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDateTimePattern(c.pattern, c.text), c.expected)
            << c.pattern << " " << c.text;
    }
    const Case bad[] = {
        {"ddmmyyyy", "31022024", 0},     {"ddmmyyyy", "0503202", 0},
        {"ddmmyyyy", "050320245", 0},    {"yyyy-mm-dd", "2024/03/05", 0},
        {"dd/mm/yyyy", "05-03-2024", 0}, {"hhnnss", "256000", 0},
        {"ddmmyyyy", "0a032024", 0},     {"ddmmyyyy", "", 0},
    };
    for (const auto& c : bad) {
        try {
            ParseDateTimePattern(c.pattern, c.text);
            ADD_FAILURE() << "accepted " << c.pattern << " " << c.text;
        } catch (const EConvertError& e) {
            EXPECT_NE(e.Message().find("'" + std::string(c.text) + "'"), std::string::npos);
        }
        TDateTime r = 9;
        EXPECT_FALSE(TryParseDateTimePattern(c.pattern, c.text, r));
        EXPECT_EQ(r, 9);
    }
}

TEST(DateTime, TickCountIsMonotonicAcrossASleep) {
    const std::uint64_t before = GetTickCount64();
    Sleep(15);
    const std::uint64_t after = GetTickCount64();
    EXPECT_GE(after - before, 14u); // millisecond truncation of both readings
}

} // namespace
} // namespace zelt
