// Date-time as the original runtime keeps it: a double counting days since 1899-12-30 in local
// time, the fraction being the time of day. Before 1899-12-30 the integral part is the (negative)
// day and the time is a positive fraction taken away from it: -1.25 is 1899-12-29 06:00. Dates run
// from 0001-01-01 to 9999-12-31.
//
// Decoding works on the whole milliseconds of the value, rounded, as the original does: a time a
// hair before midnight (0.999999999) is the next day at 00:00:00.000, never second 60. DateOf
// and TimeOf cut the value itself (DateOf truncates; TimeOf is the positive time fraction).
#pragma once

#include "platform/rtl/Export.h"
#include "platform/rtl/FormatSettings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zelt {

using TDateTime = double;

struct DateParts {
    int year = 0, month = 0, day = 0;
};
struct TimeParts {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

ZELT_EXPORT TDateTime Now();
ZELT_EXPORT TDateTime Date();
ZELT_EXPORT TDateTime Time();
// Tests replace the clock (an empty function restores the real one); every routine that takes
// "now" reads it through here.
ZELT_EXPORT void SetClockForTesting(std::function<TDateTime()> clock);

ZELT_EXPORT bool IsLeapYear(int year);
// 0 for a month outside 1..12.
ZELT_EXPORT int DaysInAMonth(int year, int month);
ZELT_EXPORT bool TryEncodeDate(int year, int month, int day, TDateTime& result);
ZELT_EXPORT bool TryEncodeTime(int hour, int minute, int second, int ms, TDateTime& result);
// Invalid parts raise EConvertError naming them: "Invalid argument to date encode: year 2024,
// month 2, day 31" (and "... time encode: hour 25, minute 0, second 0, millisecond 0").
ZELT_EXPORT TDateTime EncodeDate(int year, int month, int day);
ZELT_EXPORT TDateTime EncodeTime(int hour, int minute, int second, int ms);
ZELT_EXPORT TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                                     int ms);
ZELT_EXPORT DateParts DecodeDate(TDateTime dt);
ZELT_EXPORT TimeParts DecodeTime(TDateTime dt);
// 1 = Sunday ... 7 = Saturday.
ZELT_EXPORT int DayOfWeek(TDateTime dt);

ZELT_EXPORT TDateTime DateOf(TDateTime dt);
ZELT_EXPORT TDateTime TimeOf(TDateTime dt);
ZELT_EXPORT TDateTime StartOfTheDay(TDateTime dt);
// 23:59:59.999 of the same day.
ZELT_EXPORT TDateTime EndOfTheDay(TDateTime dt);
ZELT_EXPORT TDateTime IncDay(TDateTime dt, int days);
// Keeps the time of day; a day past the new month's end becomes its last day.
ZELT_EXPORT TDateTime IncMonth(TDateTime dt, int months);
ZELT_EXPORT TDateTime IncMilliSecond(TDateTime dt, std::int64_t ms);
// Whole milliseconds between two moments, rounded (never negative).
ZELT_EXPORT std::int64_t MilliSecondsBetween(TDateTime a, TDateTime b);

// Format patterns of the original runtime, letters in either case: d dd ddd dddd ddddd
// (short date) dddddd (long date), m mm mmm mmmm, y/yy (two digits) yyyy, h hh (12-hour when an
// am/pm marker follows anywhere), n nn, s ss, z zzz, t (short time) tt (long time), am/pm and a/p
// (printed in the case written), ampm (the settings' strings), c (short date, then the long time
// unless the time is midnight; also what an empty pattern means), '/' and ':' (the settings'
// separators), quoted literals ("..." or '...'); any other character prints as it stands
// ("yyyy\mm\"). An m or mm whose previous letter token is h/hh is minutes ("hh:mm",
// "hh 'h' mm"), as in the original.
ZELT_EXPORT std::string FormatDateTime(std::string_view pattern, TDateTime dt);
ZELT_EXPORT std::string FormatDateTime(std::string_view pattern, TDateTime dt,
                                       const TFormatSettings& settings);
ZELT_EXPORT std::string DateToStr(TDateTime dt);
ZELT_EXPORT std::string TimeToStr(TDateTime dt);
ZELT_EXPORT std::string DateTimeToStr(TDateTime dt);

// Parsing with the settings' short date format (day, month, year order) and date separator; a
// two-digit year follows the century window, a missing year is the current one ("05/03"). Times
// are h:n[:s[<decimal separator>z]] with an optional AM/PM; StrToDateTime takes a date, a date and
// a time, or a time alone. Blanks around the parts are allowed. Malformed text, or a date that
// does not exist (31/02/2024), raises EConvertError "'<text>' is not a valid date" ("... valid
// time", "... valid date and time").
ZELT_EXPORT TDateTime StrToDate(std::string_view s);
ZELT_EXPORT TDateTime StrToTime(std::string_view s);
ZELT_EXPORT TDateTime StrToDateTime(std::string_view s);
ZELT_EXPORT bool TryStrToDate(std::string_view s, TDateTime& result);
ZELT_EXPORT bool TryStrToDateTime(std::string_view s, TDateTime& result);
ZELT_EXPORT TDateTime StrToDate(std::string_view s, const TFormatSettings& settings);
ZELT_EXPORT TDateTime StrToDateTime(std::string_view s, const TFormatSettings& settings);

// Reads text written exactly in a fixed pattern such as "ddmmyyyy", "yyyy-mm-dd",
// "dd/mm/yyyy hh:nn:ss", "ddmmyyhhnnss" (dd mm yy yyyy hh nn ss zzz are digit fields of that
// width, single d m h n s take one or two digits, z one to three; other characters are literal,
// '/' and ':' match the settings' separators; "mm" after "hh" is minutes). A pattern without date
// fields gives a time on day zero. Raises EConvertError "'<text>' is not a valid date and time
// for the pattern '<pattern>'".
ZELT_EXPORT TDateTime ParseDateTimePattern(std::string_view pattern, std::string_view text);
ZELT_EXPORT bool TryParseDateTimePattern(std::string_view pattern, std::string_view text,
                                         TDateTime& result);

// Sleeping and a monotonic millisecond tick, for the polling waits.
ZELT_EXPORT void Sleep(unsigned milliseconds);
ZELT_EXPORT std::uint64_t GetTickCount64();

} // namespace zelt
