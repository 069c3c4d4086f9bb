// Numbers as the printer reads and prints them: decimal comma, fixed decimal places.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt::printers::daruma {

// Reads "1.234,56" / "2,5" / "10" / "3.50" into an integer scaled by 10^decimals. With a comma
// the dots are thousands separators; without one a single dot is the decimal point. Blanks
// around are ignored. Returns 1, or the printer's refusal: 13 a character that is not a digit,
// 16 empty or malformed, or more decimals than allowed, 17 too large.
int ParseDecimal(std::string_view text, int decimals, std::int64_t& value);

// Whole numbers of digits only, e.g. an item number or a COO: 13 / 16 / 17 as above.
int ParseDigits(std::string_view text, std::int64_t& value);

// "1.234,56" (dots every three digits), "-0,50".
std::string FormatMoney(std::int64_t cents);
// value scaled by 10^decimals written with exactly that many decimals, no thousands dots.
std::string FormatFixed(std::int64_t scaled, int decimals);
// Zero-padded decimal of the given width (more digits when the number needs them).
std::string ZeroPad(std::int64_t value, int width);

} // namespace zelt::printers::daruma
