#include "platform/rtl/DateTime.h"

#include "platform/rtl/Errors.h"

#include <cerrno>
#include <cmath>
#include <ctime>
#include <mutex>

namespace zelt {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

std::mutex& ClockMutex() {
    static std::mutex m;
    return m;
}

std::function<TDateTime()>& ClockSlot() {
    static std::function<TDateTime()> clock;
    return clock;
}

TDateTime SystemNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    return EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec > 59 ? 59 : tm.tm_sec,
                          static_cast<int>(ts.tv_nsec / 1'000'000));
}

// Days from 1899-12-30 to the given civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    // 693959 is the count for 1899-12-30 in this scheme (days since 0000-03-01 minus 60).
    return era * 146097 + doe - 693899;
}

DateParts CivilFromDays(std::int64_t days) {
    const std::int64_t z = days + 693899;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    DateParts p;
    p.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    p.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    p.year = static_cast<int>(yoe + era * 400 + (p.month <= 2 ? 1 : 0));
    return p;
}

// Nearest integer, halves to even, without depending on the current rounding mode.
std::int64_t RoundHalfEven(double v) {
    const double f = std::floor(v);
    const double diff = v - f;
    auto r = static_cast<std::int64_t>(f);
    if (diff > 0.5 || (diff == 0.5 && (r % 2 != 0))) {
        ++r;
    }
    return r;
}

// A value as the original splits it: the whole milliseconds of |dt| (rounded, so that a time a
// hair below midnight is the next day's 00:00:00.000 rather than second 60), the day carrying
// the sign of dt.
struct Stamp {
    std::int64_t day;  // days since 1899-12-30
    std::int64_t time; // milliseconds since midnight
};

Stamp ToStamp(TDateTime dt) {
    const std::int64_t total = RoundHalfEven(std::fabs(dt) * kMsPerDay);
    std::int64_t day = total / kMsPerDay;
    if (dt < 0) {
        day = -day;
    }
    return {day, total % kMsPerDay};
}

// Negative values hold the day in the integral part and the time of day as a positive fraction
// subtracted from it (-1.25 is 1899-12-29 06:00); these turn such a value into a point on a
// straight time line and back, for arithmetic on moments.
double ToLinear(TDateTime dt) {
    if (dt >= 0) {
        return dt;
    }
    const double day = std::trunc(dt);
    return day + std::fabs(dt - day);
}

TDateTime FromLinear(double x) {
    if (x >= 0) {
        return x;
    }
    const double day = std::floor(x);
    const double time = x - day;
    if (day == 0) {
        return time;
    }
    return day - time;
}

TDateTime Combine(double date, double time) {
    return date < 0 ? date - time : date + time;
}

std::string Quote(std::string_view s) {
    return "'" + std::string(s) + "'";
}

} // namespace

TDateTime Now() {
    std::function<TDateTime()> clock;
    {
        std::lock_guard lock(ClockMutex());
        clock = ClockSlot();
    }
    return clock ? clock() : SystemNow();
}

TDateTime Date() {
    return DateOf(Now());
}
TDateTime Time() {
    return TimeOf(Now());
}

void SetClockForTesting(std::function<TDateTime()> clock) {
    std::lock_guard lock(ClockMutex());
    ClockSlot() = std::move(clock);
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInAMonth(year, month)) {
        return false;
    }
    result = static_cast<TDateTime>(DaysFromCivil(year, month, day));
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int ms, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || ms < 0 ||
        ms > 999) {
        return false;
    }
    const std::int64_t total = ((hour * 60LL + minute) * 60 + second) * 1000 + ms;
    result = static_cast<double>(total) / kMsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime r = 0;
    if (!TryEncodeDate(year, month, day, r)) {
        throw EConvertError("Invalid argument to date encode: year " + std::to_string(year) +
                            ", month " + std::to_string(month) + ", day " + std::to_string(day));
    }
    return r;
}

TDateTime EncodeTime(int hour, int minute, int second, int ms) {
    TDateTime r = 0;
    if (!TryEncodeTime(hour, minute, second, ms, r)) {
        throw EConvertError("Invalid argument to time encode: hour " + std::to_string(hour) +
                            ", minute " + std::to_string(minute) + ", second " +
                            std::to_string(second) + ", millisecond " + std::to_string(ms));
    }
    return r;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int ms) {
    return Combine(EncodeDate(year, month, day), EncodeTime(hour, minute, second, ms));
}

DateParts DecodeDate(TDateTime dt) {
    return CivilFromDays(ToStamp(dt).day);
}

TimeParts DecodeTime(TDateTime dt) {
    std::int64_t t = ToStamp(dt).time;
    TimeParts p;
    p.millisecond = static_cast<int>(t % 1000);
    t /= 1000;
    p.second = static_cast<int>(t % 60);
    t /= 60;
    p.minute = static_cast<int>(t % 60);
    p.hour = static_cast<int>(t / 60);
    return p;
}

int DayOfWeek(TDateTime dt) {
    // 1899-12-30 was a Saturday.
    const std::int64_t d = ToStamp(dt).day;
    return static_cast<int>(((d % 7) + 7 + 6) % 7) + 1;
}

TDateTime DateOf(TDateTime dt) {
    return std::trunc(dt);
}
TDateTime TimeOf(TDateTime dt) {
    return std::fabs(dt - std::trunc(dt));
}
TDateTime StartOfTheDay(TDateTime dt) {
    return DateOf(dt);
}

TDateTime EndOfTheDay(TDateTime dt) {
    return Combine(DateOf(dt), EncodeTime(23, 59, 59, 999));
}

TDateTime IncDay(TDateTime dt, int days) {
    return FromLinear(ToLinear(dt) + days);
}

TDateTime IncMonth(TDateTime dt, int months) {
    const DateParts p = CivilFromDays(static_cast<std::int64_t>(DateOf(dt)));
    const std::int64_t index = static_cast<std::int64_t>(p.year) * 12 + (p.month - 1) + months;
    const int year = static_cast<int>(index >= 0 ? index / 12 : (index - 11) / 12);
    const int month = static_cast<int>(index - static_cast<std::int64_t>(year) * 12) + 1;
    const int day = std::min(p.day, DaysInAMonth(year, month));
    return Combine(EncodeDate(year, month, day), TimeOf(dt));
}

TDateTime IncMilliSecond(TDateTime dt, std::int64_t ms) {
    const std::int64_t total = RoundHalfEven(ToLinear(dt) * kMsPerDay) + ms;
    return FromLinear(static_cast<double>(total) / kMsPerDay);
}

std::int64_t MilliSecondsBetween(TDateTime a, TDateTime b) {
    const std::int64_t ma = RoundHalfEven(ToLinear(a) * kMsPerDay);
    const std::int64_t mb = RoundHalfEven(ToLinear(b) * kMsPerDay);
    return ma > mb ? ma - mb : mb - ma;
}

// ---------------------------------------------------------------------------------------------
// Formatting

namespace {

char Up(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c;
}

void AppendNumber(std::string& out, std::int64_t value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) {
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    }
    out += digits;
}

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view what) {
    if (s.size() - at < what.size()) {
        return false;
    }
    for (std::size_t i = 0; i < what.size(); ++i) {
        if (Up(s[at + i]) != Up(what[i])) {
            return false;
        }
    }
    return true;
}

class DateTimeWriter {
public:
    DateTimeWriter(TDateTime dt, const TFormatSettings& s)
        : settings_(s), stamp_(ToStamp(dt)), date_(CivilFromDays(stamp_.day)),
          time_(DecodeTime(dt)) {}

    void Write(std::string_view f, int depth) {
        char lastToken = ' ';
        std::size_t i = 0;
        while (i < f.size()) {
            const char starter = f[i];
            char token = Up(starter);
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H') {
                    token = 'N';
                }
                lastToken = token;
            }
            auto count = [&](char letter) {
                std::size_t n = 0;
                while (i + n < f.size() && Up(f[i + n]) == letter) {
                    ++n;
                }
                return static_cast<int>(n);
            };
            switch (token) {
            case 'Y': {
                const int n = count('Y');
                i += n;
                if (n <= 2) {
                    AppendNumber(out_, date_.year % 100, 2);
                } else {
                    AppendNumber(out_, date_.year, 4);
                }
                break;
            }
            case 'M': {
                const int n = count('M');
                i += n;
                if (n <= 2) {
                    AppendNumber(out_, date_.month, n);
                } else if (n == 3) {
                    out_ += settings_.ShortMonthNames[date_.month - 1];
                } else {
                    out_ += settings_.LongMonthNames[date_.month - 1];
                }
                break;
            }
            case 'N': {
                // an 'm' turned into minutes keeps its own letter count
                const int n = count(Up(starter));
                i += n;
                AppendNumber(out_, time_.minute, n >= 2 ? 2 : 1);
                break;
            }
            case 'D': {
                const int n = count('D');
                i += n;
                const int dow = DayOfWeekIndex();
                switch (n) {
                case 1:
                case 2:
                    AppendNumber(out_, date_.day, n);
                    break;
                case 3:
                    out_ += settings_.ShortDayNames[dow];
                    break;
                case 4:
                    out_ += settings_.LongDayNames[dow];
                    break;
                case 5:
                    Nested(settings_.ShortDateFormat, depth);
                    break;
                default:
                    Nested(settings_.LongDateFormat, depth);
                    break;
                }
                break;
            }
            case 'H': {
                const int n = count('H');
                i += n;
                int h = time_.hour;
                if (HasAmPm(f, i)) {
                    h %= 12;
                    if (h == 0) {
                        h = 12;
                    }
                }
                AppendNumber(out_, h, n >= 2 ? 2 : 1);
                break;
            }
            case 'S': {
                const int n = count('S');
                i += n;
                AppendNumber(out_, time_.second, n >= 2 ? 2 : 1);
                break;
            }
            case 'Z': {
                const int n = count('Z');
                i += n;
                AppendNumber(out_, time_.millisecond, n >= 2 ? 3 : 1);
                break;
            }
            case 'T': {
                const int n = count('T');
                i += n;
                Nested(n == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, depth);
                break;
            }
            case 'C': {
                i += count('C');
                Nested(settings_.ShortDateFormat, depth);
                // milliseconds alone do not bring the time in, as in the original
                if (time_.hour != 0 || time_.minute != 0 || time_.second != 0) {
                    out_ += ' ';
                    Nested(settings_.LongTimeFormat, depth);
                }
                break;
            }
            case 'A': {
                const bool pm = time_.hour >= 12;
                if (StartsWithNoCase(f, i, "AM/PM")) {
                    out_.append(f.substr(pm ? i + 3 : i, 2));
                    i += 5;
                } else if (StartsWithNoCase(f, i, "A/P")) {
                    out_ += f[pm ? i + 2 : i];
                    i += 3;
                } else if (StartsWithNoCase(f, i, "AMPM")) {
                    out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
                    i += 4;
                } else {
                    out_ += starter;
                    ++i;
                }
                break;
            }
            case '"':
            case '\'': {
                const auto end = f.find(starter, i + 1);
                const std::size_t stop = end == std::string_view::npos ? f.size() : end;
                out_.append(f.substr(i + 1, stop - i - 1));
                i = end == std::string_view::npos ? f.size() : end + 1;
                break;
            }
            case '/':
                out_ += settings_.DateSeparator;
                ++i;
                break;
            case ':':
                out_ += settings_.TimeSeparator;
                ++i;
                break;
            default:
                out_ += starter;
                ++i;
                break;
            }
        }
    }

    std::string Take() { return std::move(out_); }

private:
    int DayOfWeekIndex() const { return static_cast<int>(((stamp_.day % 7) + 7 + 6) % 7); }

    void Nested(const std::string& f, int depth) {
        // The settings' formats may themselves name other formats; two levels, as the original.
        if (depth < 2) {
            Write(f, depth + 1);
        }
    }

    // An am/pm marker anywhere after this hour field makes it a 12-hour clock.
    static bool HasAmPm(std::string_view f, std::size_t from) {
        for (std::size_t i = from; i < f.size(); ++i) {
            const char c = f[i];
            if (c == '"' || c == '\'') {
                const auto end = f.find(c, i + 1);
                if (end == std::string_view::npos) {
                    return false;
                }
                i = end;
            } else if (Up(c) == 'A' &&
                       (StartsWithNoCase(f, i, "AM/PM") || StartsWithNoCase(f, i, "A/P") ||
                        StartsWithNoCase(f, i, "AMPM"))) {
                return true;
            }
        }
        return false;
    }

    const TFormatSettings& settings_;
    Stamp stamp_;
    DateParts date_;
    TimeParts time_;
    std::string out_;
};

} // namespace

std::string FormatDateTime(std::string_view pattern, TDateTime dt,
                           const TFormatSettings& settings) {
    DateTimeWriter w(dt, settings);
    w.Write(pattern.empty() ? std::string_view("c") : pattern, 0);
    return w.Take();
}

std::string FormatDateTime(std::string_view pattern, TDateTime dt) {
    return FormatDateTime(pattern, dt, FormatSettings());
}

std::string DateToStr(TDateTime dt) {
    return FormatDateTime("ddddd", dt);
}
std::string TimeToStr(TDateTime dt) {
    return FormatDateTime("tt", dt);
}
std::string DateTimeToStr(TDateTime dt) {
    return FormatDateTime("c", dt);
}

// ---------------------------------------------------------------------------------------------
// Parsing

namespace {

class Scanner {
public:
    explicit Scanner(std::string_view s) : s_(s) {}

    void Blanks() {
        while (pos_ < s_.size() && s_[pos_] == ' ') {
            ++pos_;
        }
    }
    bool AtEnd() {
        Blanks();
        return pos_ >= s_.size();
    }
    bool Char(char c) {
        Blanks();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Text(std::string_view t) {
        Blanks();
        if (!t.empty() && StartsWithNoCase(s_, pos_, t)) {
            pos_ += t.size();
            return true;
        }
        return false;
    }
    // Up to four digits, as the original reads the parts of a date or time.
    bool Number(int& value, int& digits) {
        Blanks();
        value = 0;
        digits = 0;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9' && digits < 4) {
            value = value * 10 + (s_[pos_] - '0');
            ++digits;
            ++pos_;
        }
        return digits > 0;
    }
    std::size_t Position() const { return pos_; }
    void Reset(std::size_t p) { pos_ = p; }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
};

int CurrentYear() {
    return DecodeDate(Now()).year;
}

int ExpandYear(int year, int digits, const TFormatSettings& s) {
    if (digits > 2) {
        return year;
    }
    int current = CurrentYear() - s.TwoDigitYearCenturyWindow;
    year += current / 100 * 100;
    if (s.TwoDigitYearCenturyWindow > 0 && year < current) {
        year += 100;
    }
    return year;
}

enum class Order { DMY, MDY, YMD };

Order DateOrder(const std::string& shortDateFormat) {
    for (char c : shortDateFormat) {
        switch (Up(c)) {
        case 'D':
            return Order::DMY;
        case 'M':
            return Order::MDY;
        case 'Y':
            return Order::YMD;
        default:
            break;
        }
    }
    return Order::DMY;
}

bool ScanDate(Scanner& sc, const TFormatSettings& s, TDateTime& result) {
    int n1 = 0, n2 = 0, n3 = 0, l1 = 0, l2 = 0, l3 = 0;
    if (!sc.Number(n1, l1) || !sc.Char(s.DateSeparator) || !sc.Number(n2, l2)) {
        return false;
    }
    int y = 0, m = 0, d = 0, yl = 0;
    const Order order = DateOrder(s.ShortDateFormat);
    if (sc.Char(s.DateSeparator)) {
        if (!sc.Number(n3, l3)) {
            return false;
        }
        switch (order) {
        case Order::DMY:
            d = n1, m = n2, y = n3, yl = l3;
            break;
        case Order::MDY:
            m = n1, d = n2, y = n3, yl = l3;
            break;
        case Order::YMD:
            y = n1, yl = l1, m = n2, d = n3;
            break;
        }
    } else {
        // Day and month only: the current year.
        y = CurrentYear();
        yl = 4;
        if (order == Order::MDY) {
            m = n1, d = n2;
        } else {
            d = n1, m = n2;
        }
    }
    y = ExpandYear(y, yl, s);
    return TryEncodeDate(y, m, d, result);
}

bool ScanTime(Scanner& sc, const TFormatSettings& s, TDateTime& result) {
    int h = 0, n = 0, sec = 0, ms = 0, l = 0;
    if (!sc.Number(h, l) || !sc.Char(s.TimeSeparator) || !sc.Number(n, l)) {
        return false;
    }
    if (sc.Char(s.TimeSeparator)) {
        if (!sc.Number(sec, l)) {
            return false;
        }
        if (sc.Char(s.DecimalSeparator)) {
            if (!sc.Number(ms, l)) {
                return false;
            }
        }
    }
    // am/pm (either the settings' strings or the literal markers)
    int pm = -1;
    if (sc.Text("AM") || (!s.TimeAMString.empty() && sc.Text(s.TimeAMString))) {
        pm = 0;
    } else if (sc.Text("PM") || (!s.TimePMString.empty() && sc.Text(s.TimePMString))) {
        pm = 1;
    }
    if (pm >= 0) {
        if (h == 0 || h > 12) {
            return false;
        }
        if (h == 12) {
            h = 0;
        }
        if (pm == 1) {
            h += 12;
        }
    }
    return TryEncodeTime(h, n, sec, ms, result);
}

bool TryStrToTime(std::string_view str, TDateTime& result, const TFormatSettings& s) {
    Scanner sc(str);
    TDateTime t = 0;
    if (!ScanTime(sc, s, t) || !sc.AtEnd()) {
        return false;
    }
    result = t;
    return true;
}

bool TryStrToDate(std::string_view str, TDateTime& result, const TFormatSettings& s) {
    Scanner sc(str);
    TDateTime d = 0;
    if (!ScanDate(sc, s, d) || !sc.AtEnd()) {
        return false;
    }
    result = d;
    return true;
}

bool TryStrToDateTime(std::string_view str, TDateTime& result, const TFormatSettings& s) {
    Scanner sc(str);
    TDateTime d = 0, t = 0;
    if (ScanDate(sc, s, d)) {
        if (sc.AtEnd()) {
            result = d;
            return true;
        }
        if (ScanTime(sc, s, t) && sc.AtEnd()) {
            result = Combine(d, t);
            return true;
        }
    }
    // A time alone is a date-time on day zero, as the original.
    return TryStrToTime(str, result, s);
}

} // namespace

bool TryStrToDate(std::string_view s, TDateTime& result) {
    return TryStrToDate(s, result, FormatSettings());
}

bool TryStrToDateTime(std::string_view s, TDateTime& result) {
    return TryStrToDateTime(s, result, FormatSettings());
}

TDateTime StrToDate(std::string_view s, const TFormatSettings& settings) {
    TDateTime r = 0;
    if (!TryStrToDate(s, r, settings)) {
        throw EConvertError(Quote(s) + " is not a valid date");
    }
    return r;
}

TDateTime StrToDate(std::string_view s) {
    return StrToDate(s, FormatSettings());
}

TDateTime StrToTime(std::string_view s) {
    TDateTime r = 0;
    if (!TryStrToTime(s, r, FormatSettings())) {
        throw EConvertError(Quote(s) + " is not a valid time");
    }
    return r;
}

TDateTime StrToDateTime(std::string_view s, const TFormatSettings& settings) {
    TDateTime r = 0;
    if (!TryStrToDateTime(s, r, settings)) {
        throw EConvertError(Quote(s) + " is not a valid date and time");
    }
    return r;
}

TDateTime StrToDateTime(std::string_view s) {
    return StrToDateTime(s, FormatSettings());
}

bool TryParseDateTimePattern(std::string_view pattern, std::string_view text, TDateTime& result) {
    const TFormatSettings& s = FormatSettings();
    int year = -1, yearDigits = 4, month = -1, day = -1;
    int hour = 0, minute = 0, second = 0, ms = 0;
    std::size_t t = 0;
    char lastToken = ' ';
    auto digits = [&](std::size_t minWidth, std::size_t maxWidth, int& value) {
        std::size_t n = 0;
        value = 0;
        while (n < maxWidth && t < text.size() && text[t] >= '0' && text[t] <= '9') {
            value = value * 10 + (text[t] - '0');
            ++t;
            ++n;
        }
        return n >= minWidth;
    };
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        char token = Up(c);
        std::size_t n = 1;
        if (token >= 'A' && token <= 'Z') {
            while (i + n < pattern.size() && Up(pattern[i + n]) == token) {
                ++n;
            }
            if (token == 'M' && lastToken == 'H') {
                token = 'N';
            }
            lastToken = token;
        }
        // Doubled letters are fixed-width fields; a single letter takes one or two digits.
        const std::size_t width = n == 1 ? 1 : n;
        const std::size_t widest = n == 1 ? (token == 'Z' ? 3 : 2) : n;
        bool ok = true;
        switch (token) {
        case 'D':
            ok = n <= 2 && digits(width, widest, day);
            break;
        case 'M':
            ok = n <= 2 && digits(width, widest, month);
            break;
        case 'Y':
            ok = (n == 2 || n == 4) && digits(n, n, year);
            yearDigits = static_cast<int>(n);
            break;
        case 'H':
            ok = n <= 2 && digits(width, widest, hour);
            break;
        case 'N':
            ok = n <= 2 && digits(width, widest, minute);
            break;
        case 'S':
            ok = n <= 2 && digits(width, widest, second);
            break;
        case 'Z':
            ok = (n == 1 || n == 3) && digits(width, widest, ms);
            break;
        default: {
            const char expect = c == '/' ? s.DateSeparator : c == ':' ? s.TimeSeparator : c;
            ok = t < text.size() && text[t] == expect;
            ++t;
            break;
        }
        }
        if (!ok) {
            return false;
        }
        i += n;
    }
    if (t != text.size()) {
        return false;
    }
    TDateTime date = 0, time = 0;
    if (year >= 0 || month >= 0 || day >= 0) {
        if (year < 0 || month < 0) {
            return false;
        }
        if (yearDigits == 2) {
            year = ExpandYear(year, 2, s);
        }
        if (!TryEncodeDate(year, month, day < 0 ? 1 : day, date)) {
            return false;
        }
    }
    if (!TryEncodeTime(hour, minute, second, ms, time)) {
        return false;
    }
    result = Combine(date, time);
    return true;
}

TDateTime ParseDateTimePattern(std::string_view pattern, std::string_view text) {
    TDateTime r = 0;
    if (!TryParseDateTimePattern(pattern, text, r)) {
        throw EConvertError(Quote(text) + " is not a valid date and time for the pattern " +
                            Quote(pattern));
    }
    return r;
}

void Sleep(unsigned milliseconds) {
    timespec req{static_cast<time_t>(milliseconds / 1000),
                 static_cast<long>(milliseconds % 1000) * 1'000'000L};
    timespec rem{};
    while (nanosleep(&req, &rem) != 0 && errno == EINTR) {
        req = rem;
    }
}

std::uint64_t GetTickCount64() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
           static_cast<std::uint64_t>(ts.tv_nsec) / 1'000'000u;
}

} // namespace zelt
