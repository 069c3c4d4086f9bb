// A bare file name (no folder), possibly carrying a time stamp.
#pragma once

#include "core/files/UDadoStr.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TNome : public TDadoStr {
public:
    // Stores the text unchanged.
    explicit TNome(const std::string& nome);
    // prefixo + " " + DateTimeToNomeArq(dataHora) + sufixo; a dataHora of 0 is now. The suffix
    // carries the extension (".zip").
    TNome(const std::string& prefixo, const std::string& sufixo, TDateTime dataHora);
};

} // namespace zelt
