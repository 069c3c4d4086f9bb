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
// ten-thousandth, halves to the even neighbour, judged on the exact value (0.03125 -> 0,0312,
// 0.09375 -> 0,0938; a product rounded to extended precision would misjudge values next to a
// half); NaN, infinities and values outside the 64-bit range raise EConvertError rather than
// wrapping. The arithmetic operators do not check for overflow.
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

// Nearest integer, halves to even (the FPU's default rounding, as the original Round). Round and
// Trunc raise EInvalidOp for NaN and for values outside the 64-bit range.
ZELT_EXPORT std::int64_t Round(Extended value);
ZELT_EXPORT std::int64_t Trunc(Extended value);
ZELT_EXPORT Extended Frac(Extended value);
ZELT_EXPORT Extended Int(Extended value);
ZELT_EXPORT Extended IntPower(Extended base, int exponent);

// RoundTo(value, digit): divides by 10^digit (IntPower), rounds the binary quotient to the
// nearest integer (halves to even) and multiplies back. digit -2 rounds to the cent. "Binary"
// matters: 2.675 is 2.67499999... as a double and goes down (2.67), 2.665 is 2.66500000...03 and
// goes up (2.67), while exact binary halves go to the even neighbour (0.125 -> 0.12,
// 0.375 -> 0.38). The quotient is always formed in extended precision, as on the original's
// floating-point unit: in plain double arithmetic 2.675 / 0.01 rounds to exactly 267.5 and would
// give 2.68. The double overload therefore differs from the extended one only in its argument
// and result type; the extended overload on 2.675L (a hair below the half, but closer than the
// quotient's precision) gives 2.68.
ZELT_EXPORT double RoundTo(double value, int digit);
ZELT_EXPORT Extended RoundTo(Extended value, int digit);
// SimpleRoundTo: halves away from zero on the scaled value (the original runtime's helper),
// computed in extended precision: SimpleRoundTo(0.125) = 0.13, SimpleRoundTo(-0.125) = -0.13,
// SimpleRoundTo(2.675) = 2.67 (below the half in binary).
ZELT_EXPORT double SimpleRoundTo(double value, int digit = -2);

// FormatFloat with the original pattern language: '0' digit placeholder, '#' optional digit,
// '.' decimal point (prints the settings' decimal separator; left out when no decimal is shown),
// ',' thousands grouping anywhere before the point (prints the thousand separator every three
// digits), 'E+'/'E-' exponent ('E+' always signs it), quoted literals ("..." or '...'), and up to
// three sections "pos;neg;zero". Every other character, '%' included, is printed as it stands
// ("##0.#%" shows 17 as "17%" and 7.5 as "7,5%"; nothing is multiplied). An empty section falls
// back to the first; an empty pattern is FloatToStr.
//
// Rounding, as the original: the value is first written as its 18 significant decimal digits
// (exact expansion, correctly rounded), and the shown digits are then rounded half away from zero
// on those decimal digits. So FormatFloat("0.00", 0.125) is "0,13" and FormatFloat("0.00", 2.675L)
// is "2,68", but the double 2.675 (2.67499999999999982...) prints "2,67": pass money as Currency
// (FormatCurr, exact digits) when the text must follow its decimal value.
//
// A negative value gets '-' in front of the whole text unless a negative section is used. A value
// whose shown digits are all zero is shown as zero: the zero section if there is one, else the
// first section without a sign (never "-0,00"). NaN and infinities print "NAN", "INF", "-INF".
ZELT_EXPORT std::string FormatFloat(std::string_view pattern, Extended value);
ZELT_EXPORT std::string FormatFloat(std::string_view pattern, Extended value,
                                    const TFormatSettings& settings);
ZELT_EXPORT std::string FormatCurr(std::string_view pattern, Currency value);
ZELT_EXPORT std::string FormatCurr(std::string_view pattern, Currency value,
                                   const TFormatSettings& settings);

// FloatToStr: shortest text of up to 15 significant digits, settings' decimal separator; the
// exponent form ("1E15", "1,5E-6") beyond 15 integer digits or below 0.00001, as the original.
// CurrToStr writes the exact money digits without trailing zeros.
ZELT_EXPORT std::string FloatToStr(Extended value);
ZELT_EXPORT std::string FloatToStr(Extended value, const TFormatSettings& settings);
ZELT_EXPORT std::string CurrToStr(Currency value);
ZELT_EXPORT std::string CurrToStr(Currency value, const TFormatSettings& settings);

// Parsing with the settings' decimal separator only (under the Brazilian settings "1.5" is
// malformed, as in the original), optional sign, optional exponent ("1,5E-3"), blanks and control
// characters around; no thousands separators. Malformed text such as "1,2,3" or "" raises
// EConvertError "'1,2,3' is not a valid floating point value"; so does an overflow.
ZELT_EXPORT Extended StrToFloat(std::string_view s);
ZELT_EXPORT Extended StrToFloat(std::string_view s, const TFormatSettings& settings);
ZELT_EXPORT bool TryStrToFloat(std::string_view s, Extended& value);
ZELT_EXPORT bool TryStrToFloat(std::string_view s, Extended& value,
                               const TFormatSettings& settings);
ZELT_EXPORT Extended StrToFloatDef(std::string_view s, Extended fallback);
// Exact decimal parsing into money (no detour through binary floating point); more than four
// decimals round half to even ("0,00015" -> 0,0002). Same syntax and error text as StrToFloat;
// a value outside the money range also raises EConvertError.
ZELT_EXPORT Currency StrToCurr(std::string_view s);
ZELT_EXPORT Currency StrToCurr(std::string_view s, const TFormatSettings& settings);
ZELT_EXPORT bool TryStrToCurr(std::string_view s, Currency& value, const TFormatSettings& settings);

} // namespace zelt
