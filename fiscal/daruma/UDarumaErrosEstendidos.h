// The texts of the printer's extended error codes, for hosts: one "code=text" line per code.
#pragma once

#include "platform/rtl/Export.h"
#include "platform/rtl/StringList.h"

namespace zelt {

// Filled when the plug-in is loaded. The plug-in itself never reads it; a host looks a code up
// with Values("17").
ZELT_EXPORT extern const TStringList DarumaErrosEstendidosSL;

} // namespace zelt
