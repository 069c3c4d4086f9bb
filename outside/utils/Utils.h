// General routines of the Utils package: names and folders, texts and numbers.
#pragma once

#include "outside/utils/ULinhas.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/Numbers.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

// Folders and names. Every folder text ends in '/'.
ZELT_EXPORT std::string PastaAcima(std::string_view folder);
// Sub-folder pieces named after a moment, ending in '/': "yyyy/mm/dd/" and "yyyy/mm/dd/hh-nn-ss/".
ZELT_EXPORT std::string DateToPath(TDateTime dt);
ZELT_EXPORT std::string DateTimeToPath(TDateTime dt);
// Time stamps for file names; they sort in time order and hold no character that is invalid in a
// Windows file name: "yyyy-mm-dd", "yyyy-mm-dd-hh-nn-ss-zzz" (milliseconds, so that two calls in
// the same second differ) and "yyyy-mm-dd-hh" (one log file an hour).
ZELT_EXPORT std::string DateToNomeArq(TDateTime dt);
ZELT_EXPORT std::string DateTimeToNomeArq(TDateTime dt);
ZELT_EXPORT std::string DateTimeToNomeArqHora(TDateTime dt);
// A text made safe for a file name: characters invalid in a Windows file name (\ / : * ? " < > |
// and controls) become '_', blanks at both ends are removed.
ZELT_EXPORT std::string StrToName(std::string_view text);

// ---------------------------------------------------------------------------------------------
// Numbers read from texts and written for statements, printers and screens.

// The number a text holds, written with the regional decimal separator (a comma) and optionally
// grouped thousands ("1.234,5"); blanks around it are ignored. Any text that is not such a number
// as a whole ("", "FF", "T18", "1,2,3") gives 0: callers test tax codes and typed texts with it.
ZELT_EXPORT double StrToNum(std::string_view text);
// Money read strictly from a text in the same form. A blank text is 0 (a null column reads as "");
// anything else that is not a number raises EConvertError naming the text.
ZELT_EXPORT Currency StrToCurrency(std::string_view text);

// Decimal text with a point and no grouping, for statements and files ("12.5", "-0.01"): up to
// 15 significant digits; very large or small values take an exponent ("1E20"), which statements
// accept.
ZELT_EXPORT std::string FloatToStrPonto(double value);
ZELT_EXPORT std::string CurrToStrPonto(Currency value);

// Money text with the regional decimal separator and two decimals. comCifrao false gives the
// plain form that printer libraries and grids take ("1234,50", "-0,05"); true gives the form shown
// to people, with the currency symbol and grouped thousands ("R$ 1.234,50", "-R$ 0,05").
// Beyond two decimals the value rounds half away from zero.
ZELT_EXPORT std::string DinheiroStr(Currency value, bool comCifrao);

// The value cut, not rounded, after the decimal place 10^digits (-2: the cent; 2: the hundreds).
// The cut works on the value's decimal text of 15 significant digits, so a binary representation
// error cannot take a unit away: 1.15 stays 1.15 although the double is 1.14999...; 2.999 gives
// 2.99. Negative values are cut toward zero: -2.999 gives -2.99. Non-finite values are returned
// unchanged.
ZELT_EXPORT double TruncarViaStr(double value, int digits);
// The same on money, exactly (no text needed): digits below -4 leave the value unchanged.
ZELT_EXPORT Currency TruncarViaStr(Currency value, int digits);

// Decimal text filled with zeros on the left to `width` digits; the sign of a negative value goes
// before the zeros ("-005"); a value longer than the width is written whole.
ZELT_EXPORT std::string IntToStrZero(std::int64_t value, int width);

// ---------------------------------------------------------------------------------------------
// Texts.

// Only the digits of a text, in order ("" when none).
ZELT_EXPORT std::string SoDig(std::string_view text);
// The digits of a text as an integer text: leading zeros dropped, "0" when there are none
// ("000123" -> "123", "0000" -> "0"). The text may be longer than any integer type holds.
ZELT_EXPORT std::string StrToIntStr(std::string_view text);
// The text without its commas.
ZELT_EXPORT std::string SemVirgula(std::string_view text);
// Every run of blanks made one blank (ends included; nothing is trimmed).
ZELT_EXPORT std::string StrSemEspacoDuplo(std::string_view text);
// The text without its last `count` characters ("" when it has no more).
ZELT_EXPORT std::string StrComerDaDir(std::string_view text, int count);
// `length` characters from the 1-based position `start`, clipped to the text.
ZELT_EXPORT std::string SubStr(std::string_view text, int start, int length);

// Accent removal over Windows-1252: accented letters become their plain letter (á -> a, Ã -> A,
// ñ -> n, ÿ -> y). Characters listed in `manter` are returned as they are. With `maiuscula` the
// result is also in capitals; with `semCedilha` ç/Ç become c/C (otherwise they are kept). Every
// other character, control characters such as Backspace included, passes unchanged.
ZELT_EXPORT char CharSemAcento(char c, std::string_view manter = "", bool maiuscula = false,
                               bool semCedilha = true);
// The text without accents (ç included); with `maiuscula` also in capitals.
ZELT_EXPORT std::string StrSemAcento(std::string_view text, bool maiuscula = false);

// What a text is made of: its digits and its letters (Windows-1252 letters, accented ones
// included), each with its count. Other characters are left out of both.
struct TStrInfo {
    int QtdDig = 0;
    int QtdLetras = 0;
    std::string Digitos;
    std::string Letras;
    bool operator==(const TStrInfo&) const = default;
};
ZELT_EXPORT TStrInfo RetornaStrInfo(std::string_view text);

// The CPF (11 digits: 999.999.999-99) or CNPJ (14 digits: 99.999.999/9999-99) in the text with
// its punctuation; the digits are taken from the text, so a text already punctuated comes back
// the same. A text with any other number of digits is returned unchanged.
ZELT_EXPORT std::string CodComMasc(std::string_view text);

// Column layout for text reports. EscreverNaStr writes `text` over `line` from the 1-based column
// (a column below 1 is column 1), filling with blanks when the line is shorter.
// EscreverNaStrADir writes it so that it ends at column `width`, filling with blanks; a text
// longer than the width is cut to its first `width` characters. What the line holds beyond the
// written columns is kept.
ZELT_EXPORT std::string EscreverNaStr(std::string_view line, std::string_view text, int column);
ZELT_EXPORT std::string EscreverNaStrADir(std::string_view line, std::string_view text, int width);

// Word wrapping to pieces of at most `width` characters. A piece breaks at the last blank that
// fits; the blanks at a break are dropped; a word longer than the width is cut. The text's own
// line breaks (CR LF, LF or CR) always break; an empty line stays one empty piece. A width below 1
// wraps nothing. WrapStr joins the pieces with CR LF (no line end after the last); WrapSL wraps
// every item of a list.
ZELT_EXPORT std::string WrapStr(std::string_view text, int width);
ZELT_EXPORT TLinhas WrapSL(const TLinhas& lines, int width);

// Splitting. StrToSL cuts at every occurrence of the separator text, StrToSLSeparadores at every
// character that is one of `separadores`. n separators give n + 1 pieces, empty pieces included
// ("a;;b;" -> "a", "", "b", ""); an empty text gives an empty list.
ZELT_EXPORT TLinhas StrToSL(std::string_view text, std::string_view separador = ";");
ZELT_EXPORT TLinhas StrToSLSeparadores(std::string_view text, std::string_view separadores);
// Removes the items that are empty or blanks only.
ZELT_EXPORT void SLExcluaBlank(TLinhas& lines);

// ---------------------------------------------------------------------------------------------
// Dates and time spans.

// The last day of the date's month, at midnight.
ZELT_EXPORT TDateTime UltimoDateMes(TDateTime dt);
// Whether at least `span` (a fraction of a day) has passed since `last`, by the platform clock.
// A `last` later than now (the clock was set back) counts as passed, so that throttled displays
// do not freeze until the clock catches up.
ZELT_EXPORT bool PassouTempo(TDateTime last, TDateTime span);
// A time span as "hh:nn:ss", rounded to the second; hours go past 24 ("27:46:40"); a negative
// span gets a leading '-'; a span that is not finite (or absurdly long) gives "--:--:--".
ZELT_EXPORT std::string DeltaTToStr(TDateTime span);

} // namespace zelt
