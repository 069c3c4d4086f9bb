#include "platform/printers/common/EmuClock.h"

#include <cctype>
#include <ctime>

namespace zelt::printers {

namespace {

// Day numbers of the proleptic Gregorian calendar, counted in 400-year eras from 0000-03-01 so
// that the leap day falls at the end of each year.
std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t monthFromMarch = (month + 9) % 12;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

const std::int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Reads exactly `width` digits at `at`; false when they are not all digits.
bool Digits(std::string_view text, std::size_t at, std::size_t width, int& value) {
    if (at + width > text.size())
        return false;
    value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

bool ParseTime(std::string_view text, MomentParts& parts) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return false;
    return Digits(text, 0, 2, parts.hour) && Digits(text, 3, 2, parts.minute) &&
           Digits(text, 6, 2, parts.second);
}

} // namespace

Moment LocalNow(std::int64_t offsetSeconds) {
    std::time_t now = std::time(nullptr) + static_cast<std::time_t>(offsetSeconds);
    std::tm tm{};
    localtime_r(&now, &tm);
    MomentParts parts{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                      tm.tm_hour,        tm.tm_min,     tm.tm_sec > 59 ? 59 : tm.tm_sec};
    return JoinMoment(parts).value_or(0);
}

MomentParts SplitMoment(Moment m) {
    MomentParts parts;
    CivilFromDays(DayOf(m) + kEpochDays, parts.year, parts.month, parts.day);
    const int second = SecondOfDay(m);
    parts.hour = second / 3600;
    parts.minute = second / 60 % 60;
    parts.second = second % 60;
    return parts;
}

std::optional<Moment> JoinMoment(const MomentParts& p) {
    if (p.year < 1 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
        p.day > DaysIn(p.year, p.month) || p.hour < 0 || p.hour > 23 || p.minute < 0 ||
        p.minute > 59 || p.second < 0 || p.second > 59)
        return std::nullopt;
    const std::int64_t days = DaysFromCivil(p.year, p.month, p.day) - kEpochDays;
    return days * SecondsPerDay + p.hour * 3600 + p.minute * 60 + p.second;
}

std::optional<Moment> ParseMoment(std::string_view text) {
    text = TrimBlanks(text);
    MomentParts parts;
    std::string_view date = text.substr(0, text.find(' '));
    std::string_view time =
        date.size() < text.size() ? TrimBlanks(text.substr(date.size())) : std::string_view{};
    bool dateOk = false;
    if (date.size() == 10 && date[2] == '/' && date[5] == '/')
        dateOk = Digits(date, 0, 2, parts.day) && Digits(date, 3, 2, parts.month) &&
                 Digits(date, 6, 4, parts.year);
    else if (date.size() == 10 && date[4] == '-' && date[7] == '-')
        dateOk = Digits(date, 0, 4, parts.year) && Digits(date, 5, 2, parts.month) &&
                 Digits(date, 8, 2, parts.day);
    if (!dateOk)
        return std::nullopt;
    if (!time.empty() && !ParseTime(time, parts))
        return std::nullopt;
    return JoinMoment(parts);
}

std::optional<std::int64_t> ParseDdMmYyyy(std::string_view text) {
    MomentParts parts;
    if (text.size() != 8 || !Digits(text, 0, 2, parts.day) || !Digits(text, 2, 2, parts.month) ||
        !Digits(text, 4, 4, parts.year))
        return std::nullopt;
    std::optional<Moment> m = JoinMoment(parts);
    if (!m)
        return std::nullopt;
    return DayOf(*m);
}

std::string FormatMoment(Moment m, std::string_view pattern) {
    const MomentParts p = SplitMoment(m);
    auto two = [](int v) {
        return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
    };
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        std::string_view rest = pattern.substr(i);
        if (rest.starts_with("yyyy")) {
            out += two(p.year / 100) + two(p.year % 100);
            i += 4;
            continue;
        }
        int value = -1;
        if (rest.starts_with("dd"))
            value = p.day;
        else if (rest.starts_with("mm"))
            value = p.month;
        else if (rest.starts_with("hh"))
            value = p.hour;
        else if (rest.starts_with("nn"))
            value = p.minute;
        else if (rest.starts_with("ss"))
            value = p.second;
        if (value >= 0) {
            out += two(value);
            i += 2;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

} // namespace zelt::printers
