// The printer's clock. A printer keeps its own wall-clock time, which is what its fiscal rules
// (the day of a movement, the Z reduction window) go by; tests stop it or shift it through the
// fault settings. Moments are whole seconds counted from 1899-12-30 00:00 in local time, so that
// day numbers match the system's date-time values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelt::printers {

using Moment = std::int64_t;
inline constexpr Moment SecondsPerDay = 86400;

struct MomentParts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};

// Local time now, shifted by offsetSeconds.
Moment LocalNow(std::int64_t offsetSeconds = 0);

// Day number of a moment (days since 1899-12-30) and the second within its day.
inline std::int64_t DayOf(Moment m) {
    return m >= 0 ? m / SecondsPerDay : -((-m + SecondsPerDay - 1) / SecondsPerDay);
}
inline int SecondOfDay(Moment m) {
    return static_cast<int>(m - DayOf(m) * SecondsPerDay);
}

MomentParts SplitMoment(Moment m);
// Nothing when a part is out of range (31/02, 25:00).
std::optional<Moment> JoinMoment(const MomentParts& parts);

// "dd/mm/yyyy hh:nn:ss", "yyyy-mm-dd hh:nn:ss", either without its time part, with blanks around.
std::optional<Moment> ParseMoment(std::string_view text);
// Exactly eight digits "ddmmyyyy" naming a real date: its day number.
std::optional<std::int64_t> ParseDdMmYyyy(std::string_view text);

// Pattern letters dd mm yyyy hh nn ss; every other character is copied.
std::string FormatMoment(Moment m, std::string_view pattern);

} // namespace zelt::printers
