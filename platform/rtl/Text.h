// Text helpers. Inside the system every std::string holds Windows-1252 bytes; UTF-8 exists only
// at the edges (Qt, terminals, file names on disk).
#pragma once

#include "platform/rtl/Export.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

// Windows-1252 <-> UTF-8. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in the code
// page and map to the C1 controls of the same value, so that no byte is ever lost. Characters of
// UTF-8 input that the code page lacks, and malformed UTF-8, become '?'.
ZELT_EXPORT std::string Cp1252ToUtf8(std::string_view text);
ZELT_EXPORT std::string Utf8ToCp1252(std::string_view text);

// Trim removes leading and trailing characters up to and including the blank (control
// characters too), as the original runtime does.
ZELT_EXPORT std::string Trim(std::string_view s);
ZELT_EXPORT std::string TrimLeft(std::string_view s);
ZELT_EXPORT std::string TrimRight(std::string_view s);

// UpperCase/LowerCase touch only a-z/A-Z; the Ansi versions also convert the accented letters of
// Windows-1252 (á -> Á, ç -> Ç, ...).
ZELT_EXPORT std::string UpperCase(std::string_view s);
ZELT_EXPORT std::string LowerCase(std::string_view s);
ZELT_EXPORT std::string AnsiUpperCase(std::string_view s);
ZELT_EXPORT std::string AnsiLowerCase(std::string_view s);
ZELT_EXPORT char AnsiUpperChar(char c);
ZELT_EXPORT char AnsiLowerChar(char c);

// ASCII letter case ignored; <0, 0, >0 (bytes compare unsigned, then the shorter text first).
ZELT_EXPORT int CompareText(std::string_view a, std::string_view b);
ZELT_EXPORT bool SameText(std::string_view a, std::string_view b);
// Windows-1252 letter case ignored (accented letters too).
ZELT_EXPORT bool AnsiSameText(std::string_view a, std::string_view b);

// 1-based position of sub in s, 0 when absent (an empty sub is never found).
ZELT_EXPORT int Pos(std::string_view sub, std::string_view s, int offset = 1);
// Copy(s, index, count) with 1-based index; out-of-range parts are clipped, never an error.
ZELT_EXPORT std::string Copy(std::string_view s, int index, int count);
ZELT_EXPORT std::string StringReplace(std::string_view s, std::string_view from,
                                      std::string_view to, bool replaceAll = true,
                                      bool ignoreCase = false);
// 'text' with inner quotes doubled, for statements.
ZELT_EXPORT std::string QuotedStr(std::string_view s);
ZELT_EXPORT std::string StringOfChar(char c, int count);

ZELT_EXPORT std::string IntToStr(std::int64_t value);
ZELT_EXPORT std::string IntToHex(std::uint64_t value, int digits);
// Decimal integer with optional sign and surrounding blanks (also hexadecimal written "$1F" or
// "0x1F", as the original's integer reader accepts); anything else, and values out of range,
// raise EConvertError "'<text>' is not a valid integer value".
ZELT_EXPORT std::int64_t StrToInt64(std::string_view s);
ZELT_EXPORT int StrToInt(std::string_view s);
ZELT_EXPORT int StrToIntDef(std::string_view s, int fallback);
ZELT_EXPORT bool TryStrToInt(std::string_view s, int& value);
ZELT_EXPORT bool TryStrToInt64(std::string_view s, std::int64_t& value);

} // namespace zelt
