#include "platform/rtl/Text.h"

#include "platform/rtl/Errors.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>

namespace zelt {

namespace {

// Code points of bytes 0x80-0x9F; the five holes of the code page keep their C1 value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

unsigned char U(char c) {
    return static_cast<unsigned char>(c);
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char ToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

bool IsBlank(char c) {
    return U(c) <= ' ';
}

} // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        const unsigned char b = U(c);
        if (b < 0x80) {
            out += c;
        } else if (b < 0xA0) {
            AppendUtf8(out, kHigh[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const unsigned char b = U(text[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        // Length and the allowed range of the second byte (excludes overlong forms, surrogates
        // and code points past U+10FFFF); a broken sequence is replaced by one '?' for its
        // longest valid beginning, the usual practice.
        int len = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0) {
                lo = 0xA0;
            } else if (b == 0xED) {
                hi = 0x9F;
            }
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0) {
                lo = 0x90;
            } else if (b == 0xF4) {
                hi = 0x8F;
            }
        }
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = b & (0xFF >> (len + 1));
        std::size_t j = i + 1;
        bool ok = true;
        for (int k = 1; k < len; ++k, ++j) {
            const unsigned char c = j < n ? U(text[j]) : 0;
            const unsigned char cl = k == 1 ? lo : 0x80;
            const unsigned char ch = k == 1 ? hi : 0xBF;
            if (j >= n || c < cl || c > ch) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        out += ok ? ToCp1252(cp) : '?';
        i = j;
    }
    return out;
}

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) {
        ++b;
    }
    while (e > b && IsBlank(s[e - 1])) {
        --e;
    }
    return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) {
        ++b;
    }
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) {
        --e;
    }
    return std::string(s.substr(0, e));
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

char AnsiUpperChar(char c) {
    const unsigned char b = U(c);
    if (b >= 'a' && b <= 'z') {
        return static_cast<char>(b - 0x20);
    }
    // à..þ except the division sign; ß has no capital in the code page and stays.
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) {
        return static_cast<char>(b - 0x20);
    }
    switch (b) {
    case 0x9A:
        return static_cast<char>(0x8A); // š
    case 0x9C:
        return static_cast<char>(0x8C); // œ
    case 0x9E:
        return static_cast<char>(0x8E); // ž
    case 0xFF:
        return static_cast<char>(0x9F); // ÿ
    default:
        return c;
    }
}

char AnsiLowerChar(char c) {
    const unsigned char b = U(c);
    if (b >= 'A' && b <= 'Z') {
        return static_cast<char>(b + 0x20);
    }
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) {
        return static_cast<char>(b + 0x20);
    }
    switch (b) {
    case 0x8A:
        return static_cast<char>(0x9A);
    case 0x8C:
        return static_cast<char>(0x9C);
    case 0x8E:
        return static_cast<char>(0x9E);
    case 0x9F:
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

std::string AnsiUpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = AnsiUpperChar(c);
    }
    return out;
}

std::string AnsiLowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = AnsiLowerChar(c);
    }
    return out;
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int ca = U(a[i]), cb = U(b[i]);
        if (ca >= 'a' && ca <= 'z') {
            ca -= 0x20;
        }
        if (cb >= 'a' && cb <= 'z') {
            cb -= 0x20;
        }
        if (ca != cb) {
            return ca - cb;
        }
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AnsiUpperChar(a[i]) != AnsiUpperChar(b[i])) {
            return false;
        }
    }
    return true;
}

int Pos(std::string_view sub, std::string_view s, int offset) {
    if (sub.empty() || offset < 1 || static_cast<std::size_t>(offset) > s.size()) {
        return 0;
    }
    const auto at = s.find(sub, static_cast<std::size_t>(offset - 1));
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Copy(std::string_view s, int index, int count) {
    // As the original: an index below 1 starts at the first character without shortening count.
    const long long len = static_cast<long long>(s.size());
    long long start = index < 1 ? 0 : static_cast<long long>(index) - 1;
    if (start > len) {
        start = len;
    }
    long long n = count < 0 ? 0 : count;
    if (n > len - start) {
        n = len - start;
    }
    return std::string(s.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(n)));
}

std::string StringReplace(std::string_view s, std::string_view from, std::string_view to,
                          bool replaceAll, bool ignoreCase) {
    if (from.empty()) {
        return std::string(s);
    }
    const std::string hay = ignoreCase ? AnsiUpperCase(s) : std::string(s);
    const std::string needle = ignoreCase ? AnsiUpperCase(from) : std::string(from);
    std::string out;
    out.reserve(s.size());
    std::size_t at = 0;
    while (true) {
        const auto found = hay.find(needle, at);
        if (found == std::string::npos) {
            break;
        }
        out.append(s.substr(at, found - at));
        out.append(to);
        at = found + needle.size();
        if (!replaceAll) {
            break;
        }
    }
    out.append(s.substr(at));
    return out;
}

std::string QuotedStr(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    out += '\'';
    for (char c : s) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    out += '\'';
    return out;
}

std::string StringOfChar(char c, int count) {
    return count > 0 ? std::string(count, c) : "";
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

std::string IntToHex(std::uint64_t value, int digits) {
    char buf[17];
    auto r = std::to_chars(buf, buf + sizeof buf, value, 16);
    std::string out(buf, r.ptr);
    for (char& c : out) {
        if (c >= 'a' && c <= 'f') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (digits > static_cast<int>(out.size())) {
        out.insert(0, static_cast<std::size_t>(digits) - out.size(), '0');
    }
    return out;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) {
        ++b;
    }
    while (e > b && IsBlank(s[e - 1])) {
        --e;
    }
    std::string_view t = s.substr(b, e - b);
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    // Hexadecimal with '$' or 0x, as the original's integer reader accepts.
    int base = 10;
    if (!t.empty() && t[0] == '$') {
        base = 16;
        t.remove_prefix(1);
    } else if (t.size() > 1 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.remove_prefix(2);
    }
    if (t.empty()) {
        return false;
    }
    std::uint64_t magnitude = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), magnitude, base);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size()) {
        return false;
    }
    const std::uint64_t limit = negative ? static_cast<std::uint64_t>(INT64_MAX) + 1 : INT64_MAX;
    if (magnitude > limit) {
        return false;
    }
    value =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool TryStrToInt(std::string_view s, int& value) {
    std::int64_t v = 0;
    if (!TryStrToInt64(s, v) || v < INT_MIN || v > INT_MAX) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t v = 0;
    if (!TryStrToInt64(s, v)) {
        throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
    }
    return v;
}

int StrToInt(std::string_view s) {
    int v = 0;
    if (!TryStrToInt(s, v)) {
        throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
    }
    return v;
}

int StrToIntDef(std::string_view s, int fallback) {
    int v = 0;
    return TryStrToInt(s, v) ? v : fallback;
}

} // namespace zelt
