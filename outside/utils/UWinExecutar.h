// Starting a program or a batch file and asking whether it still runs.
#pragma once

#include "platform/rtl/Export.h"
#include "platform/rtl/Process.h"

#include <string>

namespace zelt {

// Show-window modes the callers pass (the operating system's codes). A Linux program has no such
// start-up window, so the mode is kept and has no effect.
inline constexpr int JanelaOculta = 0;
inline constexpr int JanelaNormal = 1;
inline constexpr int JanelaMinimizadaSemFoco = 7;

// Starts `arquivo` with the command-line text `parametros`, in the folder `pasta` (empty: the
// caller's), as soon as it is created. The file name may come between double quotes and may hold
// blanks. A batch file (".bat", ".cmd" or ".sh") is handed to /bin/sh, so it need not be
// executable, as a written batch file on Windows need not be. The parameters are a command-line
// text: blanks separate them, quotes group them.
//
// With `esperar` the program stays this object's child: Executando and Esperar follow it.
// Without, it starts detached in its own session ("start X"); Executando still tells whether it
// runs, but its exit code is not ours.
//
// Raises EOSError when the program cannot be started at all; a program that the shell cannot
// find ends at once with code 127.
class ZELT_EXPORT TWinExecutar {
public:
    explicit TWinExecutar(const std::string& arquivo, const std::string& parametros = "",
                          const std::string& pasta = "", bool esperar = true,
                          int modoJanela = JanelaNormal);
    TWinExecutar(const TWinExecutar&) = delete;
    TWinExecutar& operator=(const TWinExecutar&) = delete;

    bool Executando();
    // Waits for the end; the exit code (128 + signal when killed), -1 for a detached program.
    int Esperar();
    int CodigoSaida() const { return processo_.ExitCode(); }
    pid_t Pid() const { return processo_.Pid(); }
    int ModoJanela() const { return modoJanela_; }
    // What /bin/sh -c ran.
    const std::string& LinhaDeComando() const { return linhaDeComando_; }

private:
    int modoJanela_;
    std::string linhaDeComando_;
    Process processo_;
};

} // namespace zelt
