// Numbers as the system keeps them: money as a 64-bit integer of ten-thousandths, extended
// precision as long double (80-bit on x86-64), and the original runtime's rounding and
// formatting routines.
#pragma once

#include "platform/rtl/Export.h"
#include "platform/rtl/FormatSettings.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

using Extended = long double;

// Fixed-point money: Raw() ten-thousandths. Conversion from floating point rounds to the nearest
// ten-thousandth, halves to the even neighbour; values outside the 64-bit range raise
// EConvertError rather than wrapping.
class ZELT_EXPORT Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromRaw(std::int64_t raw) {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    static constexpr Currency FromInt(std::int64_t units) { return FromRaw(units * Scale); }
    static Currency FromExtended(Extended value);
    static Currency FromDouble(double value) { return FromExtended(value); }

    constexpr std::int64_t Raw() const { return raw_; }
    Extended ToExtended() const { return static_cast<Extended>(raw_) / Scale; }
    double ToDouble() const { return static_cast<double>(ToExtended()); }

    constexpr Currency operator-() const { return FromRaw(-raw_); }
    constexpr Currency operator+(Currency o) const { return FromRaw(raw_ + o.raw_); }
    constexpr Currency operator-(Currency o) const { return FromRaw(raw_ - o.raw_); }
    constexpr Currency& operator+=(Currency o) {
        raw_ += o.raw_;
        return *this;
    }
    constexpr Currency& operator-=(Currency o) {
        raw_ -= o.raw_;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    std::int64_t raw_ = 0;
};

ZELT_EXPORT Currency Abs(Currency c);

// Nearest integer, halves to even (the FPU's default rounding, as the original Round).
ZELT_EXPORT std::int64_t Round(Extended value);
ZELT_EXPORT std::int64_t Trunc(Extended value);
ZELT_EXPORT Extended Frac(Extended value);
ZELT_EXPORT Extended Int(Extended value);
ZELT_EXPORT Extended IntPower(Extended base, int exponent);

// RoundTo(value, digit): divides by 10^digit, rounds the binary quotient to the nearest integer
// (halves to even) and multiplies back. digit -2 rounds to the cent. "Binary" matters: 2.675 is
// 2.67499999... as a double and goes down.
ZELT_EXPORT double RoundTo(double value, int digit);
ZELT_EXPORT Extended RoundTo(Extended value, int digit);
// SimpleRoundTo: halves away from zero on the scaled value (the original runtime's helper).
ZELT_EXPORT double SimpleRoundTo(double value, int digit = -2);

// FormatFloat with the original pattern language: '0' digit placeholder, '#' optional digit,
// '.' decimal point (prints the settings' decimal separator), ',' thousands grouping (prints the
// thousand separator), '%' multiplies by 100, 'E+'/'E-' exponent, quoted literals and up to three
// sections "pos;neg;zero". Rounding of the shown digits is half away from zero on the decimal
// value, as the original does.
ZELT_EXPORT std::string FormatFloat(std::string_view pattern, Extended value);
ZELT_EXPORT std::string FormatFloat(std::string_view pattern, Extended value,
                                    const TFormatSettings& settings);
ZELT_EXPORT std::string FormatCurr(std::string_view pattern, Currency value);
ZELT_EXPORT std::string FormatCurr(std::string_view pattern, Currency value,
                                   const TFormatSettings& settings);

// FloatToStr: shortest text of up to 15 significant digits, settings' decimal separator.
ZELT_EXPORT std::string FloatToStr(Extended value);
ZELT_EXPORT std::string FloatToStr(Extended value, const TFormatSettings& settings);
ZELT_EXPORT std::string CurrToStr(Currency value);
ZELT_EXPORT std::string CurrToStr(Currency value, const TFormatSettings& settings);

// Parsing with the settings' decimal separator (no thousands separators). Malformed text such as
// "1,2,3" raises EConvertError "'1,2,3' is not a valid floating point value".
ZELT_EXPORT Extended StrToFloat(std::string_view s);
ZELT_EXPORT Extended StrToFloat(std::string_view s, const TFormatSettings& settings);
ZELT_EXPORT bool TryStrToFloat(std::string_view s, Extended& value);
ZELT_EXPORT bool TryStrToFloat(std::string_view s, Extended& value,
                               const TFormatSettings& settings);
ZELT_EXPORT Extended StrToFloatDef(std::string_view s, Extended fallback);
// Exact decimal parsing into money (no detour through binary floating point); more than four
// decimals round half to even.
ZELT_EXPORT Currency StrToCurr(std::string_view s);
ZELT_EXPORT Currency StrToCurr(std::string_view s, const TFormatSettings& settings);
ZELT_EXPORT bool TryStrToCurr(std::string_view s, Currency& value, const TFormatSettings& settings);

} // namespace zelt
