// Fiscal printer messages for the operator, shared by the fiscal plug-ins. They go through the
// process-wide operator-message service, so a host's presenter (or a test's recorder) sees them.
#pragma once

#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

// Caption of every fiscal printer message box.
inline constexpr const char* MensEcfPlugCaption = "Impressora fiscal";

// Shows a fiscal printer failure to the operator and returns when it was acknowledged.
ZELT_EXPORT void MensEcfPlug(const std::string& texto);

} // namespace zelt
