// One time-stamped line appended to an hourly log file. The file is opened, written and closed
// for every line, so that a crash loses nothing already written.
#pragma once

#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TArqLogManager {
public:
    TArqLogManager() = delete;

    // Appends "dd/mm/yyyy hh:nn:ss.zzz;<texto>" CR LF to
    // pasta + Trim(nome + " " + DateTimeToNomeArqHora(now) + ".txt"). The folder must end in the
    // delimiter: none is added. Waits 50 ms first, so that lines written one after another
    // carry distinct time stamps.
    static void EscrevaLogHoraAtual(const std::string& pasta, const std::string& nome,
                                    const std::string& texto);
    // The same (without the wait) inside pasta + DateToPath(now).
    static void EscrevaLogHoraAtualNoDia(const std::string& pasta, const std::string& nome,
                                         const std::string& texto);
};

} // namespace zelt
