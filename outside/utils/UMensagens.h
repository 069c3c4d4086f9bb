// Modal boxes for the operator, through the platform's one message channel (a Qt box, standard
// error or a test recorder, whichever presenter the program installed).
#pragma once

#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

// `contextoAjuda` is the help topic the callers pass along with a message; no presenter of ours
// has a help system, so it only travels, it changes nothing that is shown.
ZELT_EXPORT void MensagemErro(const std::string& texto, int contextoAjuda = 0);
ZELT_EXPORT void MensagemInfo(const std::string& texto, int contextoAjuda = 0);
// A yes/no question; true when the operator answers yes.
ZELT_EXPORT bool Pergunta(const std::string& texto);

} // namespace zelt
