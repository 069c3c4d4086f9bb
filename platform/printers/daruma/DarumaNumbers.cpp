#include "platform/printers/daruma/DarumaNumbers.h"

#include <cctype>

namespace zelt::printers::daruma {

namespace {

constexpr std::int64_t kLimit = 100'000'000'000'000LL; // 10^14: far above any printer field

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

int ParseDecimal(std::string_view text, int decimals, std::int64_t& value) {
    text = TrimBlanks(text);
    if (text.empty())
        return 16;
    const bool comma = text.find(',') != std::string_view::npos;
    const char point = comma ? ',' : '.';
    std::int64_t whole = 0, fraction = 0;
    int fractionDigits = 0, points = 0, digits = 0;
    for (char c : text) {
        if (c == point) {
            ++points;
        } else if (comma && c == '.') {
            if (points > 0)
                return 16;
        } else if (!IsDigit(c)) {
            return 13;
        } else if (points == 0) {
            whole = whole * 10 + (c - '0');
            ++digits;
            if (whole >= kLimit)
                return 17;
        } else {
            if (++fractionDigits > decimals)
                return 16;
            fraction = fraction * 10 + (c - '0');
            ++digits;
        }
    }
    if (points > 1 || digits == 0)
        return 16;
    for (int i = fractionDigits; i < decimals; ++i)
        fraction *= 10;
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    if (whole >= kLimit / scale)
        return 17;
    value = whole * scale + fraction;
    return 1;
}

int ParseDigits(std::string_view text, std::int64_t& value) {
    text = TrimBlanks(text);
    if (text.empty())
        return 16;
    value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return 13;
        value = value * 10 + (c - '0');
        if (value >= kLimit)
            return 17;
    }
    return 1;
}

std::string FormatFixed(std::int64_t scaled, int decimals) {
    const bool negative = scaled < 0;
    std::string digits = std::to_string(negative ? -scaled : scaled);
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places)
        digits = std::string(places + 1 - digits.size(), '0') + digits;
    std::string out = negative ? "-" : "";
    out += digits.substr(0, digits.size() - places);
    if (places > 0)
        out += "," + digits.substr(digits.size() - places);
    return out;
}

std::string FormatMoney(std::int64_t cents) {
    const bool negative = cents < 0;
    const std::string fixed = FormatFixed(negative ? -cents : cents, 2);
    const std::string whole = fixed.substr(0, fixed.size() - 3);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += '.';
        grouped += whole[i];
    }
    return (negative ? "-" : "") + grouped + fixed.substr(fixed.size() - 3);
}

std::string ZeroPad(std::int64_t value, int width) {
    std::string digits = std::to_string(value < 0 ? 0 : value);
    const auto w = static_cast<std::size_t>(width);
    return digits.size() < w ? std::string(w - digits.size(), '0') + digits : digits;
}

} // namespace zelt::printers::daruma
