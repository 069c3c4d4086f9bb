#include "outside/utils/Utils.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zelt {

namespace {

// Characters Windows refuses in a file name, besides the controls.
bool InvalidInFileName(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
        return true;
    }
    switch (c) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Folders and names

std::string PastaAcima(std::string_view folder) {
    const std::string withoutDelim = ExcludeTrailingPathDelimiter(folder);
    if (withoutDelim.empty()) {
        // "/" (or "") has no parent; staying at the root is what a caller climbing twice expects.
        return std::string(folder);
    }
    return ExtractFilePath(withoutDelim);
}

// The quoted '/' are folder delimiters, not the regional date separator that a bare '/' prints.
std::string DateToPath(TDateTime dt) {
    return FormatDateTime("yyyy'/'mm'/'dd'/'", dt);
}

std::string DateTimeToPath(TDateTime dt) {
    return FormatDateTime("yyyy'/'mm'/'dd'/'hh'-'nn'-'ss'/'", dt);
}

std::string DateToNomeArq(TDateTime dt) {
    return FormatDateTime("yyyy'-'mm'-'dd", dt);
}

std::string DateTimeToNomeArq(TDateTime dt) {
    return FormatDateTime("yyyy'-'mm'-'dd'-'hh'-'nn'-'ss'-'zzz", dt);
}

std::string DateTimeToNomeArqHora(TDateTime dt) {
    return FormatDateTime("yyyy'-'mm'-'dd'-'hh", dt);
}

std::string StrToName(std::string_view text) {
    std::string name = Trim(text);
    for (char& c : name) {
        if (InvalidInFileName(c)) {
            c = '_';
        }
    }
    return name;
}

// ---------------------------------------------------------------------------------------------
// Numbers

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view s) {
    for (char c : s) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

// "1.234.567,89" -> "1234567,89" when the thousands groups are well formed; anything else comes
// back unchanged so that the strict parser sees, and reports, the text as it was written.
std::string WithoutThousands(std::string_view text, const TFormatSettings& fs) {
    const char thousand = fs.ThousandSeparator;
    if (thousand == '\0' || thousand == fs.DecimalSeparator ||
        text.find(thousand) == std::string_view::npos) {
        return std::string(text);
    }
    const std::size_t start = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    std::size_t end = text.find(fs.DecimalSeparator, start);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    const std::string_view integer = text.substr(start, end - start);
    std::string joined;
    std::size_t from = 0;
    bool firstGroup = true;
    while (true) {
        const std::size_t sep = integer.find(thousand, from);
        const std::string_view group = integer.substr(
            from, sep == std::string_view::npos ? std::string_view::npos : sep - from);
        const bool sizeOk =
            firstGroup ? (group.size() >= 1 && group.size() <= 3) : group.size() == 3;
        if (!sizeOk || !AllDigits(group)) {
            return std::string(text);
        }
        joined += group;
        firstGroup = false;
        if (sep == std::string_view::npos) {
            break;
        }
        from = sep + 1;
    }
    return std::string(text.substr(0, start)) + joined + std::string(text.substr(end));
}

const TFormatSettings& PointSettings() {
    static const TFormatSettings settings = TFormatSettings::Invariant();
    return settings;
}

} // namespace

double StrToNum(std::string_view text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        return 0.0;
    }
    Extended value = 0;
    if (!TryStrToFloat(WithoutThousands(trimmed, FormatSettings()), value) ||
        !std::isfinite(value)) {
        return 0.0;
    }
    return static_cast<double>(value);
}

Currency StrToCurrency(std::string_view text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        return Currency{};
    }
    Currency value;
    if (!TryStrToCurr(WithoutThousands(trimmed, FormatSettings()), value, FormatSettings())) {
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    }
    return value;
}

std::string FloatToStrPonto(double value) {
    return FloatToStr(value, PointSettings());
}

std::string CurrToStrPonto(Currency value) {
    return CurrToStr(value, PointSettings());
}

std::string DinheiroStr(Currency value, bool comCifrao) {
    if (!comCifrao) {
        return FormatCurr("0.00", value);
    }
    static constexpr std::string_view grouped = "###,###,###,###,##0.00";
    const std::string body = FormatCurr(grouped, Abs(value));
    // A value that shows as zero cents shows no sign either.
    const bool negative = value < Currency{} && body != FormatCurr(grouped, Currency{});
    return (negative ? "-" : "") + FormatSettings().CurrencyString + " " + body;
}

double TruncarViaStr(double value, int digits) {
    if (!std::isfinite(value) || value == 0.0) {
        return value;
    }
    // 15 significant digits, as the value's decimal text shows them: "d.dddddddddddddde+XX".
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", value);
    const std::string_view s(text);
    const bool negative = s[0] == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t ePos = s.find('e');
    std::string mantissa;
    for (char c : s.substr(mantissaStart, ePos - mantissaStart)) {
        if (IsDigit(c)) {
            mantissa += c;
        }
    }
    const int exponent = std::atoi(text + ePos + 1);
    // Digit i of the mantissa stands for 10^(exponent - i); keep those of place 10^digits or more.
    const long kept = static_cast<long>(exponent) - digits + 1;
    if (kept <= 0) {
        return 0.0;
    }
    if (kept >= static_cast<long>(mantissa.size())) {
        return std::strtod(text, nullptr);
    }
    const std::string cut = std::string(negative ? "-" : "") +
                            mantissa.substr(0, static_cast<std::size_t>(kept)) + "e" +
                            std::to_string(exponent - kept + 1);
    return std::strtod(cut.c_str(), nullptr);
}

Currency TruncarViaStr(Currency value, int digits) {
    if (digits < -4) {
        return value;
    }
    const int power = digits + 4; // in ten-thousandths
    if (power > 18) {
        return Currency{};
    }
    std::int64_t place = 1;
    for (int i = 0; i < power; ++i) {
        place *= 10;
    }
    // Integer division cuts toward zero, as the text cut does.
    return Currency::FromRaw(value.Raw() / place * place);
}

std::string IntToStrZero(std::int64_t value, int width) {
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (width > 0 && digits.size() < static_cast<std::size_t>(width)) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

// ---------------------------------------------------------------------------------------------
// Texts

std::string SoDig(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (IsDigit(c)) {
            digits += c;
        }
    }
    return digits;
}

std::string StrToIntStr(std::string_view text) {
    const std::string digits = SoDig(text);
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

std::string SemVirgula(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c != ',') {
            result += c;
        }
    }
    return result;
}

std::string StrSemEspacoDuplo(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c != ' ' || result.empty() || result.back() != ' ') {
            result += c;
        }
    }
    return result;
}

std::string StrComerDaDir(std::string_view text, int count) {
    if (count <= 0) {
        return std::string(text);
    }
    if (static_cast<std::size_t>(count) >= text.size()) {
        return {};
    }
    return std::string(text.substr(0, text.size() - static_cast<std::size_t>(count)));
}

std::string SubStr(std::string_view text, int start, int length) {
    return Copy(text, start, length);
}

namespace {

// Accented letters of Windows-1252 and their plain letters, in the same order.
constexpr std::string_view accented =
    "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝàáâãäåæçèéêëìíîïðñòóôõöøùúûüýÿŠšŽžŸ";
constexpr std::string_view plain =
    "AAAAAAACEEEEIIIIDNOOOOOOUUUUYaaaaaaaceeeeiiiidnoooooouuuuyySsZzY";
static_assert(accented.size() == plain.size(), "one plain letter per accented letter");

constexpr char kCedilhaMinuscula = '\xE7'; // ç
constexpr char kCedilhaMaiuscula = '\xC7'; // Ç

char PlainLetter(char c) {
    const std::size_t at = accented.find(c);
    return at == std::string_view::npos ? c : plain[at];
}

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        return true;
    }
    if (u >= 0xC0) {
        return u != 0xD7 && u != 0xF7; // × and ÷
    }
    // Š Œ Ž š œ ž Ÿ ƒ
    return u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9A || u == 0x9C || u == 0x9E ||
           u == 0x9F || u == 0x83;
}

} // namespace

char CharSemAcento(char c, std::string_view manter, bool maiuscula, bool semCedilha) {
    if (manter.find(c) != std::string_view::npos) {
        return c;
    }
    const bool cedilha = c == kCedilhaMinuscula || c == kCedilhaMaiuscula;
    const char result = (cedilha && !semCedilha) ? c : PlainLetter(c);
    return maiuscula ? AnsiUpperChar(result) : result;
}

std::string StrSemAcento(std::string_view text, bool maiuscula) {
    std::string result(text);
    for (char& c : result) {
        c = CharSemAcento(c, "", maiuscula, true);
    }
    return result;
}

TStrInfo RetornaStrInfo(std::string_view text) {
    TStrInfo info;
    for (char c : text) {
        if (IsDigit(c)) {
            info.Digitos += c;
        } else if (IsLetter(c)) {
            info.Letras += c;
        }
    }
    info.QtdDig = static_cast<int>(info.Digitos.size());
    info.QtdLetras = static_cast<int>(info.Letras.size());
    return info;
}

std::string CodComMasc(std::string_view text) {
    const std::string d = SoDig(text);
    if (d.size() == 11) {
        return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9, 2);
    }
    if (d.size() == 14) {
        return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) +
               "-" + d.substr(12, 2);
    }
    return std::string(text);
}

std::string EscreverNaStr(std::string_view line, std::string_view text, int column) {
    std::string result(line);
    const std::size_t start = column < 1 ? 0 : static_cast<std::size_t>(column) - 1;
    if (result.size() < start + text.size()) {
        result.resize(start + text.size(), ' ');
    }
    result.replace(start, text.size(), text);
    return result;
}

std::string EscreverNaStrADir(std::string_view line, std::string_view text, int width) {
    if (width < 1) {
        return std::string(line);
    }
    const std::string_view shown = text.substr(0, static_cast<std::size_t>(width));
    return EscreverNaStr(line, shown, width - static_cast<int>(shown.size()) + 1);
}

namespace {

std::string_view TrimBlanksLeft(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

std::string_view TrimBlanksRight(std::string_view s) {
    const std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

void WrapLine(std::string_view rest, int width, TLinhas& pieces) {
    const auto w = static_cast<std::size_t>(width);
    while (rest.size() > w) {
        // rest[w] exists: a blank there means the first w characters make a whole piece.
        std::size_t cut = std::string_view::npos;
        for (std::size_t i = w; i > 0; --i) {
            if (rest[i] == ' ') {
                cut = i;
                break;
            }
        }
        if (cut == std::string_view::npos) {
            pieces.Add(std::string(rest.substr(0, w)));
            rest = TrimBlanksLeft(rest.substr(w));
            continue;
        }
        const std::string_view piece = TrimBlanksRight(rest.substr(0, cut));
        if (!piece.empty()) {
            pieces.Add(std::string(piece));
        }
        rest = TrimBlanksLeft(rest.substr(cut));
    }
    if (!rest.empty()) {
        pieces.Add(std::string(rest));
    }
}

void WrapInto(std::string_view text, int width, TLinhas& pieces) {
    TLinhas lines;
    lines.SetText(text);
    if (lines.Empty()) {
        pieces.Add("");
        return;
    }
    for (const std::string& line : lines) {
        if (width < 1 || line.empty()) {
            pieces.Add(line);
        } else {
            WrapLine(line, width, pieces);
        }
    }
}

} // namespace

std::string WrapStr(std::string_view text, int width) {
    TLinhas pieces;
    WrapInto(text, width, pieces);
    std::string joined;
    for (int i = 0; i < pieces.Count(); ++i) {
        if (i > 0) {
            joined += "\r\n";
        }
        joined += pieces[i];
    }
    return joined;
}

TLinhas WrapSL(const TLinhas& lines, int width) {
    TLinhas pieces;
    for (const std::string& line : lines) {
        WrapInto(line, width, pieces);
    }
    return pieces;
}

TLinhas StrToSL(std::string_view text, std::string_view separador) {
    TLinhas pieces;
    if (text.empty()) {
        return pieces;
    }
    if (separador.empty()) {
        pieces.Add(std::string(text));
        return pieces;
    }
    std::size_t from = 0;
    while (true) {
        const std::size_t at = text.find(separador, from);
        if (at == std::string_view::npos) {
            pieces.Add(std::string(text.substr(from)));
            return pieces;
        }
        pieces.Add(std::string(text.substr(from, at - from)));
        from = at + separador.size();
    }
}

TLinhas StrToSLSeparadores(std::string_view text, std::string_view separadores) {
    TLinhas pieces;
    if (text.empty()) {
        return pieces;
    }
    std::string piece;
    for (char c : text) {
        if (separadores.find(c) != std::string_view::npos) {
            pieces.Add(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces.Add(piece);
    return pieces;
}

void SLExcluaBlank(TLinhas& lines) {
    for (int i = lines.Count() - 1; i >= 0; --i) {
        if (Trim(lines[i]).empty()) {
            lines.Delete(i);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Dates and time spans

TDateTime UltimoDateMes(TDateTime dt) {
    const DateParts d = DecodeDate(dt);
    return EncodeDate(d.year, d.month, DaysInAMonth(d.year, d.month));
}

bool PassouTempo(TDateTime last, TDateTime span) {
    const TDateTime now = Now();
    return now < last || now - last >= span;
}

std::string DeltaTToStr(TDateTime span) {
    // Beyond about a million years the seconds would not fit the integer; no estimate is that long.
    if (!std::isfinite(span) || std::fabs(span) > 1e8 * 365.0) {
        return "--:--:--";
    }
    const long long seconds = std::llround(std::fabs(span) * 86400.0);
    char text[48];
    std::snprintf(text, sizeof text, "%s%02lld:%02lld:%02lld", seconds > 0 && span < 0 ? "-" : "",
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

} // namespace zelt
