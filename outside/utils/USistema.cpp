#include "outside/utils/USistema.h"

#include "platform/rtl/Environment.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Process.h"
#include "platform/rtl/WindowRegistry.h"

#include <mutex>

namespace zelt {

namespace {

std::mutex openerMutex;
std::vector<std::string> opener = {"xdg-open"};

std::vector<std::string> OpenerCommand(const std::string& file) {
    std::lock_guard lock(openerMutex);
    std::vector<std::string> argv = opener;
    argv.push_back(file);
    return argv;
}

std::mutex chooserMutex;
EscolhedorDePasta chooser;

} // namespace

bool JanelaExiste(std::string_view classeJanela) {
    return WindowClassExists(classeJanela);
}

void TextoParaClipB(const std::string& texto) {
    SetClipboardText(texto);
}

std::string RetornaNomeComputador() {
    return ComputerName();
}

bool AmbienteDeDesenvolvimento() {
    return IsDevelopmentEnvironment();
}

bool AbrirDoc(const std::string& arquivo) {
    if (!FileExists(arquivo)) {
        return false;
    }
    ProcessOptions options;
    options.detached = true;
    try {
        return Process::Start(OpenerCommand(ExpandFileName(arquivo)), options).Started();
    } catch (const EOSError&) {
        // A workstation without a desktop has no opener; that is an answer, not a fault.
        return false;
    }
}

void DefinirAbridorDeDocs(std::vector<std::string> programaEArgs) {
    std::lock_guard lock(openerMutex);
    opener =
        programaEArgs.empty() ? std::vector<std::string>{"xdg-open"} : std::move(programaEArgs);
}

void DefinirEscolhedorDePasta(EscolhedorDePasta escolhedor) {
    std::lock_guard lock(chooserMutex);
    chooser = std::move(escolhedor);
}

bool EscolherPasta(const std::string& prompt, std::string& pasta) {
    EscolhedorDePasta current;
    {
        std::lock_guard lock(chooserMutex);
        current = chooser;
    }
    std::string chosen = pasta;
    if (!current || !current(prompt, chosen) || chosen.empty()) {
        return false;
    }
    pasta = IncludeTrailingPathDelimiter(chosen);
    return true;
}

} // namespace zelt
