// Money written as the shops write it, for readable cases and failure messages.
#pragma once

#include "platform/rtl/Numbers.h"

#include <ostream>
#include <string>

namespace zelt {

// "1,2345" -> 1.2345 (Brazilian decimal comma, exact).
inline Currency M(const std::string& text) {
    return StrToCurr(text, TFormatSettings::Brazilian());
}

inline void PrintTo(const Currency& c, std::ostream* os) {
    *os << CurrToStr(c, TFormatSettings::Brazilian());
}

} // namespace zelt
