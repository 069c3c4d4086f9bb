#include "outside/utils/Utils.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

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

} // namespace zelt
