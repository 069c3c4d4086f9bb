#include "platform/rtl/Numbers.h"

#include "platform/rtl/Errors.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace zelt {

namespace {

constexpr long double kTwo63 = 9223372036854775808.0L;

// Nearest integer of a long double, halves to even, independent of the current rounding mode.
long double RoundHalfEvenL(long double v) {
    long double f = std::floor(v);
    const long double diff = v - f; // exact
    if (diff > 0.5L || (diff == 0.5L && std::fmod(f, 2.0L) != 0)) {
        f += 1;
    }
    return f;
}

std::int64_t ToInt64OrRaise(long double r) {
    if (!(r >= -kTwo63 && r < kTwo63)) {
        throw EInvalidOp("Invalid floating point operation");
    }
    return static_cast<std::int64_t>(r);
}

// A decimal value: 0.d1d2d3... x 10^exp. No leading or trailing zeros in digits; empty digits is
// zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exp = 0;
    bool IsZero() const { return digits.empty(); }
};

void StripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
    }
}

// The original writes a floating-point value as an 18-digit decimal before it rounds the digits it
// shows; this is that expansion (correctly rounded, exact ties to even).
Decimal FromFloat(Extended v) {
    Decimal d;
    d.negative = std::signbit(v);
    if (v == 0) {
        d.negative = false;
        return d;
    }
    char buf[64];
    const long double mag = std::fabs(v);
    const auto asDouble = static_cast<double>(mag);
    if (static_cast<long double>(asDouble) == mag) {
        // Most values are doubles; the double conversion is exact as well and several times
        // faster than printf on a long double.
        const auto r =
            std::to_chars(buf, buf + sizeof buf - 1, asDouble, std::chars_format::scientific, 17);
        *r.ptr = '\0';
    } else {
        std::snprintf(buf, sizeof buf, "%.17Le", mag);
    }
    // buf: d.ddddddddddddddddde[+-]x
    d.digits += buf[0];
    const char* p = buf + 2;
    while (*p != 'e') {
        d.digits += *p++;
    }
    d.exp = std::atoi(p + 1) + 1;
    StripTrailingZeros(d);
    return d;
}

Decimal FromCurrency(Currency c) {
    Decimal d;
    const std::int64_t raw = c.Raw();
    d.negative = raw < 0;
    const std::uint64_t mag =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    if (mag == 0) {
        d.negative = false;
        return d;
    }
    d.digits = std::to_string(mag);
    d.exp = static_cast<int>(d.digits.size()) - 4;
    StripTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the next digit, as the original
// rounds shown digits.
void RoundDigits(Decimal& d, int keep) {
    if (d.IsZero() || keep >= static_cast<int>(d.digits.size())) {
        return;
    }
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits.pop_back();
            --i;
        }
        if (i < 0) {
            d.digits.assign(1, '1'); // not = "1": GCC 12 -O3 false -Wrestrict alarm
            d.exp += 1;
        } else {
            d.digits[static_cast<std::size_t>(i)]++;
        }
    }
    StripTrailingZeros(d);
}

// Digit of the value at 10^(exp-1-index); zero outside the stored digits.
char DigitAt(const Decimal& d, int index) {
    return index >= 0 && index < static_cast<int>(d.digits.size())
               ? d.digits[static_cast<std::size_t>(index)]
               : '0';
}

std::string GeneralText(Decimal d, int precision, const TFormatSettings& s) {
    RoundDigits(d, precision);
    if (d.IsZero()) {
        return "0";
    }
    std::string out = d.negative ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.exp > precision || d.exp < -4) {
        out += d.digits[0];
        if (n > 1) {
            out += s.DecimalSeparator;
            out.append(d.digits, 1);
        }
        out += 'E';
        out += std::to_string(d.exp - 1);
        return out;
    }
    if (d.exp <= 0) {
        out += '0';
    } else {
        for (int i = 0; i < d.exp; ++i) {
            out += DigitAt(d, i);
        }
    }
    if (n > d.exp) {
        out += s.DecimalSeparator;
        for (int i = d.exp; i < n; ++i) {
            out += DigitAt(d, i);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Pattern formatting

std::vector<std::string_view> SplitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';' && sections.size() < 2) {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

bool IsExponentAt(std::string_view s, std::size_t i) {
    return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

struct SectionShape {
    int intCount = 0; // digit placeholders before the decimal point
    int minInt = 0;   // from the first '0' to the point: always shown
    int fracCount = 0;
    int minFrac = 0; // up to the last '0' after the point: always shown
    bool thousands = false;
    bool scientific = false;
    int expDigits = 0;
};

SectionShape Shape(std::string_view sec) {
    SectionShape sh;
    bool point = false;
    int firstZero = -1;
    for (std::size_t i = 0; i < sec.size(); ++i) {
        const char c = sec[i];
        if (c == '"' || c == '\'') {
            const auto end = sec.find(c, i + 1);
            if (end == std::string_view::npos) {
                break;
            }
            i = end;
        } else if (c == '0' || c == '#') {
            if (point) {
                ++sh.fracCount;
                if (c == '0') {
                    sh.minFrac = sh.fracCount;
                }
            } else {
                if (c == '0' && firstZero < 0) {
                    firstZero = sh.intCount;
                }
                ++sh.intCount;
            }
        } else if (c == '.') {
            point = true;
        } else if (c == ',') {
            if (!point) {
                sh.thousands = true;
            }
        } else if (IsExponentAt(sec, i)) {
            sh.scientific = true;
            std::size_t j = i + 2;
            while (j < sec.size() && sec[j] == '0') {
                ++sh.expDigits;
                ++j;
            }
            break;
        }
    }
    sh.minInt = firstZero < 0 ? 0 : sh.intCount - firstZero;
    return sh;
}

class PatternWriter {
public:
    PatternWriter(std::string_view sec, const SectionShape& sh, const TFormatSettings& s)
        : sec_(sec), sh_(sh), s_(s) {}

    std::string Fixed(Decimal d, bool sign) {
        RoundDigits(d, d.exp + sh_.fracCount);
        for (int i = 0; i < d.exp; ++i) {
            int_ += DigitAt(d, i);
        }
        if (static_cast<int>(int_.size()) < sh_.minInt) {
            int_.insert(0, static_cast<std::size_t>(sh_.minInt) - int_.size(), '0');
        }
        for (int k = 0; k < sh_.fracCount; ++k) {
            frac_ += DigitAt(d, d.exp + k);
        }
        TrimFraction();
        return Emit(sign, false, 0);
    }

    std::string Scientific(Decimal d, bool sign) {
        const int nInt = std::max(sh_.intCount, 1);
        int exponent = 0;
        if (!d.IsZero()) {
            RoundDigits(d, nInt + sh_.fracCount);
            exponent = d.exp - nInt;
            for (int i = 0; i < nInt; ++i) {
                int_ += DigitAt(d, i);
            }
            for (int k = 0; k < sh_.fracCount; ++k) {
                frac_ += DigitAt(d, nInt + k);
            }
        } else {
            int_.assign(static_cast<std::size_t>(std::max(sh_.minInt, 1)), '0');
            frac_.assign(static_cast<std::size_t>(sh_.fracCount), '0');
        }
        TrimFraction();
        return Emit(sign, true, exponent);
    }

private:
    void TrimFraction() {
        while (static_cast<int>(frac_.size()) > sh_.minFrac && frac_.back() == '0') {
            frac_.pop_back();
        }
    }

    void PutIntDigit(std::string& out, std::size_t index, bool group) {
        out += int_[index];
        const std::size_t remaining = int_.size() - 1 - index;
        if (group && remaining > 0 && remaining % 3 == 0) {
            out += s_.ThousandSeparator;
        }
    }

    std::string Emit(bool sign, bool scientific, int exponent) {
        std::string out;
        if (sign) {
            out += '-';
        }
        const bool group = sh_.thousands && !scientific;
        const int len = static_cast<int>(int_.size());
        const int placeholders = scientific ? std::max(sh_.intCount, 1) : sh_.intCount;
        int k = 0; // integer placeholders met
        int f = 0; // fraction placeholders met
        bool point = false;
        bool intDone = false;
        auto flushInt = [&]() {
            // Integer digits of a pattern without integer placeholders go where the point is.
            if (!intDone && placeholders == 0) {
                for (int i = 0; i < len; ++i) {
                    PutIntDigit(out, static_cast<std::size_t>(i), group);
                }
            }
            intDone = true;
        };
        for (std::size_t i = 0; i < sec_.size(); ++i) {
            const char c = sec_[i];
            if (c == '"' || c == '\'') {
                const auto end = sec_.find(c, i + 1);
                const std::size_t stop = end == std::string_view::npos ? sec_.size() : end;
                out.append(sec_.substr(i + 1, stop - i - 1));
                i = stop;
            } else if (c == '0' || c == '#') {
                if (!point) {
                    if (k == 0 && len > placeholders) {
                        for (int j = 0; j <= len - placeholders; ++j) {
                            PutIntDigit(out, static_cast<std::size_t>(j), group);
                        }
                    } else {
                        const int pos = k - (placeholders - len);
                        if (pos >= 0) {
                            PutIntDigit(out, static_cast<std::size_t>(pos), group);
                        }
                    }
                    ++k;
                } else {
                    if (f < static_cast<int>(frac_.size())) {
                        out += frac_[static_cast<std::size_t>(f)];
                    }
                    ++f;
                }
            } else if (c == '.') {
                if (!point) {
                    flushInt();
                    point = true;
                    if (!frac_.empty()) {
                        out += s_.DecimalSeparator;
                    }
                }
            } else if (c == ',') {
                // grouping is a property of the whole section
            } else if (IsExponentAt(sec_, i) && scientific) {
                flushInt();
                out += c;
                if (sec_[i + 1] == '+' || exponent < 0) {
                    out += exponent < 0 ? '-' : '+';
                }
                std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
                if (static_cast<int>(e.size()) < sh_.expDigits) {
                    e.insert(0, static_cast<std::size_t>(sh_.expDigits) - e.size(), '0');
                }
                out += e;
                i += 1;
                while (i + 1 < sec_.size() && sec_[i + 1] == '0') {
                    ++i;
                }
                // Only the first exponent counts; whatever follows is literal.
                scientific = false;
            } else {
                out += c;
            }
        }
        if (!point) {
            flushInt();
        }
        return out;
    }

    std::string_view sec_;
    const SectionShape& sh_;
    const TFormatSettings& s_;
    std::string int_;
    std::string frac_;
};

std::string RenderSection(std::string_view sec, const Decimal& d, bool sign,
                          const TFormatSettings& s) {
    const SectionShape sh = Shape(sec);
    PatternWriter w(sec, sh, s);
    return sh.scientific ? w.Scientific(d, sign) : w.Fixed(d, sign);
}

// Would the value show as zero under this section?
bool RoundsToZero(std::string_view sec, Decimal d) {
    const SectionShape sh = Shape(sec);
    if (sh.scientific) {
        return d.IsZero();
    }
    RoundDigits(d, d.exp + sh.fracCount);
    return d.IsZero();
}

std::string FormatDecimal(std::string_view pattern, const Decimal& d, const TFormatSettings& s) {
    const auto sections = SplitSections(pattern);
    auto present = [&](std::size_t i) { return sections.size() > i && !sections[i].empty(); };
    std::size_t pick = 0;
    if (d.IsZero() && present(2)) {
        pick = 2;
    } else if (d.negative && !d.IsZero() && present(1)) {
        pick = 1;
    }
    // A value whose shown digits are all zero is shown as zero: the zero section when there is
    // one, otherwise the positive section without a sign (never "-0,00").
    if (pick != 2 && !d.IsZero() && RoundsToZero(sections[pick], d)) {
        return RenderSection(sections[present(2) ? 2 : 0], Decimal{}, false, s);
    }
    return RenderSection(sections[pick], d, d.negative && pick == 0, s);
}

// ---------------------------------------------------------------------------------------------
// Parsing

struct NumberText {
    bool negative = false;
    std::string digits; // integer and fraction digits together
    int fracLen = 0;
    long long exp = 0;
};

bool ParseNumberText(std::string_view s, char decimalSeparator, NumberText& n) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') {
        ++b;
    }
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') {
        --e;
    }
    std::size_t i = b;
    if (i < e && (s[i] == '-' || s[i] == '+')) {
        n.negative = s[i] == '-';
        ++i;
    }
    std::size_t count = 0;
    while (i < e && s[i] >= '0' && s[i] <= '9') {
        n.digits += s[i++];
        ++count;
    }
    if (i < e && s[i] == decimalSeparator) {
        ++i;
        while (i < e && s[i] >= '0' && s[i] <= '9') {
            n.digits += s[i++];
            ++n.fracLen;
            ++count;
        }
    }
    if (count == 0) {
        return false;
    }
    if (i < e && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < e && (s[i] == '-' || s[i] == '+')) {
            expNegative = s[i] == '-';
            ++i;
        }
        if (i >= e || s[i] < '0' || s[i] > '9') {
            return false;
        }
        long long x = 0;
        while (i < e && s[i] >= '0' && s[i] <= '9') {
            if (x < 1'000'000'000) {
                x = x * 10 + (s[i] - '0');
            }
            ++i;
        }
        n.exp = expNegative ? -x : x;
    }
    return i == e;
}

std::string InvalidFloat(std::string_view s) {
    return "'" + std::string(s) + "' is not a valid floating point value";
}

} // namespace

// ---------------------------------------------------------------------------------------------

Currency Currency::FromExtended(Extended value) {
    if (!std::isfinite(value) || std::fabs(value) >= kTwo63 / Scale * 2) {
        throw EConvertError("'" + FloatToStr(value) + "' is not a valid currency value");
    }
    // value * 10000 needs up to 78 significant bits; hi + lo is that product exactly, so the
    // nearest ten-thousandth and a true half are judged on the value itself, not on a rounded
    // product.
    const long double hi = value * static_cast<long double>(Scale);
    const long double lo = std::fma(value, static_cast<long double>(Scale), -hi);
    const long double fl = std::floor(hi);
    const long double s = (hi - fl - 0.5L) + lo;
    long double r = fl;
    if (s > 0 || (s == 0 && std::fmod(fl, 2.0L) != 0)) {
        r = fl + 1;
    }
    if (!(r >= -kTwo63 && r < kTwo63)) {
        throw EConvertError("'" + FloatToStr(value) + "' is not a valid currency value");
    }
    return FromRaw(static_cast<std::int64_t>(r));
}

Currency Abs(Currency c) {
    return c.Raw() < 0 ? -c : c;
}

std::int64_t Round(Extended value) {
    return ToInt64OrRaise(RoundHalfEvenL(value));
}
std::int64_t Trunc(Extended value) {
    return ToInt64OrRaise(std::trunc(value));
}
Extended Frac(Extended value) {
    return value - std::trunc(value);
}
Extended Int(Extended value) {
    return std::trunc(value);
}

Extended IntPower(Extended base, int exponent) {
    long double result = 1;
    long double b = base;
    unsigned e =
        exponent < 0 ? 0u - static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
    while (e != 0) {
        if (e & 1u) {
            result *= b;
        }
        b *= b;
        e >>= 1;
    }
    return exponent < 0 ? 1 / result : result;
}

double RoundTo(double value, int digit) {
    // The quotient is formed in extended precision, as the original's floating-point unit did:
    // in plain double arithmetic 2.675 / 0.01 rounds to exactly 267.5 and would go up to 268,
    // although 2.675 lies below the half.
    return static_cast<double>(RoundTo(static_cast<Extended>(value), digit));
}

Extended RoundTo(Extended value, int digit) {
    const Extended factor = IntPower(10.0L, digit);
    return static_cast<Extended>(Round(value / factor)) * factor;
}

double SimpleRoundTo(double value, int digit) {
    const Extended factor = IntPower(10.0L, digit);
    const Extended scaled = static_cast<Extended>(value) / factor;
    const Extended r = scaled < 0 ? std::trunc(scaled - 0.5L) : std::trunc(scaled + 0.5L);
    return static_cast<double>(r * factor);
}

std::string FormatFloat(std::string_view pattern, Extended value, const TFormatSettings& settings) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (pattern.empty()) {
        return FloatToStr(value, settings);
    }
    return FormatDecimal(pattern, FromFloat(value), settings);
}

std::string FormatFloat(std::string_view pattern, Extended value) {
    return FormatFloat(pattern, value, FormatSettings());
}

std::string FormatCurr(std::string_view pattern, Currency value, const TFormatSettings& settings) {
    if (pattern.empty()) {
        return CurrToStr(value, settings);
    }
    return FormatDecimal(pattern, FromCurrency(value), settings);
}

std::string FormatCurr(std::string_view pattern, Currency value) {
    return FormatCurr(pattern, value, FormatSettings());
}

std::string FloatToStr(Extended value, const TFormatSettings& settings) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    return GeneralText(FromFloat(value), 15, settings);
}

std::string FloatToStr(Extended value) {
    return FloatToStr(value, FormatSettings());
}

std::string CurrToStr(Currency value, const TFormatSettings& settings) {
    return GeneralText(FromCurrency(value), 19, settings);
}

std::string CurrToStr(Currency value) {
    return CurrToStr(value, FormatSettings());
}

bool TryStrToFloat(std::string_view s, Extended& value, const TFormatSettings& settings) {
    NumberText n;
    if (!ParseNumberText(s, settings.DecimalSeparator, n)) {
        return false;
    }
    std::string text = n.negative ? "-" : "";
    text += n.digits.empty() ? "0" : n.digits;
    text += 'e';
    text += std::to_string(n.exp - n.fracLen);
    long double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

bool TryStrToFloat(std::string_view s, Extended& value) {
    return TryStrToFloat(s, value, FormatSettings());
}

Extended StrToFloat(std::string_view s, const TFormatSettings& settings) {
    Extended v = 0;
    if (!TryStrToFloat(s, v, settings)) {
        throw EConvertError(InvalidFloat(s));
    }
    return v;
}

Extended StrToFloat(std::string_view s) {
    return StrToFloat(s, FormatSettings());
}

Extended StrToFloatDef(std::string_view s, Extended fallback) {
    Extended v = 0;
    return TryStrToFloat(s, v) ? v : fallback;
}

bool TryStrToCurr(std::string_view s, Currency& value, const TFormatSettings& settings) {
    NumberText n;
    if (!ParseNumberText(s, settings.DecimalSeparator, n)) {
        return false;
    }
    std::string digits = n.digits;
    std::size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0') {
        ++lead;
    }
    digits.erase(0, lead);
    if (digits.empty()) {
        value = Currency();
        return true;
    }
    // raw = digits x 10^shift, exactly, then rounded half to even on the dropped digits.
    const long long shift = n.exp + 4 - n.fracLen;
    const long long size = static_cast<long long>(digits.size());
    if (size + shift > 19) {
        return false;
    }
    std::string kept;
    bool up = false;
    if (shift >= 0) {
        kept = digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const long long keep = size + shift;
        if (keep < 0) {
            value = Currency();
            return true;
        }
        kept = digits.substr(0, static_cast<std::size_t>(keep));
        const std::string dropped = digits.substr(static_cast<std::size_t>(keep));
        if (dropped[0] > '5') {
            up = true;
        } else if (dropped[0] == '5') {
            const bool beyond = dropped.find_first_not_of('0', 1) != std::string::npos;
            const bool odd = !kept.empty() && ((kept.back() - '0') % 2 != 0);
            up = beyond || odd;
        }
    }
    // At most 19 digits: below 2^64 even after the rounding step.
    std::uint64_t mag = 0;
    for (char c : kept) {
        mag = mag * 10 + static_cast<unsigned>(c - '0');
    }
    if (up) {
        ++mag;
    }
    const std::uint64_t limit =
        n.negative ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << 63) - 1;
    if (mag > limit) {
        return false;
    }
    const std::uint64_t m64 = mag;
    value = Currency::FromRaw(n.negative ? static_cast<std::int64_t>(0 - m64)
                                         : static_cast<std::int64_t>(m64));
    return true;
}

Currency StrToCurr(std::string_view s, const TFormatSettings& settings) {
    Currency c;
    if (!TryStrToCurr(s, c, settings)) {
        throw EConvertError(InvalidFloat(s));
    }
    return c;
}

Currency StrToCurr(std::string_view s) {
    return StrToCurr(s, FormatSettings());
}

} // namespace zelt
