// General routines of the Utils package: names and folders, texts and numbers.
#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

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

} // namespace zelt
