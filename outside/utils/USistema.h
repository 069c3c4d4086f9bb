// What a program asks about the machine and the desktop it runs on.
#pragma once

#include "platform/rtl/Export.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt {

// Whether a program shows a top-level window of this window class (the per-user window
// registry), so a module can tell whether another module runs.
ZELT_EXPORT bool JanelaExiste(std::string_view classeJanela);
// Puts the text on the clipboard (the hook a Qt program installs, or the process's own).
ZELT_EXPORT void TextoParaClipB(const std::string& texto);
// The computer's network name.
ZELT_EXPORT std::string RetornaNomeComputador();
// True when the program runs under the development environment; single-instance checks are then
// skipped so that a second copy can be debugged beside a running one.
ZELT_EXPORT bool AmbienteDeDesenvolvimento();

// Opens a file with the program the desktop associates with its type, without waiting for it.
// False when the file does not exist or no opener could be started; the desktop's own errors
// (no program for the type) are the opener's to show.
ZELT_EXPORT bool AbrirDoc(const std::string& arquivo);
// The opener: a program and its first arguments, the file name is added as the last argument.
// "xdg-open" unless set otherwise (a kiosk installation, or a test, sets its own); an empty list
// restores it.
ZELT_EXPORT void DefinirAbridorDeDocs(std::vector<std::string> programaEArgs);

// Asks the operator to pick a folder. The program's screen layer installs the chooser (a Qt folder
// dialog); it gets the prompt and the folder to start from, and answers true with the chosen
// folder, false when the operator cancels. A program without a screen has no chooser: the answer
// is then false and `pasta` stays as it was. A chosen folder comes back ending in '/'.
using EscolhedorDePasta = std::function<bool(const std::string& prompt, std::string& pasta)>;
ZELT_EXPORT void DefinirEscolhedorDePasta(EscolhedorDePasta escolhedor);
ZELT_EXPORT bool EscolherPasta(const std::string& prompt, std::string& pasta);

} // namespace zelt
