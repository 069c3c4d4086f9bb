// A folder text. It always ends in the path delimiter, so that a file name can be appended to it
// directly.
#pragma once

#include "core/files/UDadoStr.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

#include <string>
#include <string_view>

namespace zelt {

// Which date sub-folder goes below a folder.
enum TTipoCaminhoDateTime {
    tcdtNenhum = 0,   // none
    tcdtDate = 1,     // DateToPath of the moment
    tcdtDateTime = 2, // DateTimeToPath of the moment
};

class ZELT_EXPORT TPasta : public TDadoStr {
public:
    // Stores the folder; with criar, creates it (all missing levels).
    explicit TPasta(const std::string& pasta, bool criar = false);
    // Folder + the date sub-folder chosen by tipo for the moment dataHora (0 = now); the result is
    // always created.
    TPasta(const std::string& pasta, TTipoCaminhoDateTime tipo, TDateTime dataHora);

    // Appends the delimiter when the text lacks it; an empty text becomes a lone delimiter.
    void SetAsString(const std::string& texto) override;

    // Creates the whole folder path. An empty text is left alone. Returns whether the folder
    // exists afterwards: a folder that cannot be created shows up as an I/O error of the first
    // file opened in it.
    bool Force() const;

    // The folder text with exactly one trailing delimiter ("" -> "/").
    static std::string ComDelimitador(std::string_view pasta);
    // The sub-folder text of a moment for the kind ("" for tcdtNenhum).
    static std::string SubPasta(TTipoCaminhoDateTime tipo, TDateTime dataHora);
};

} // namespace zelt
