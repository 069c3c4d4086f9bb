#include "outside/utils/UWinExecutar.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

namespace zelt {

namespace {

std::string Unquoted(const std::string& name) {
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
        return name.substr(1, name.size() - 2);
    }
    return name;
}

// One shell word, whatever the name holds.
std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

bool IsBatchFile(const std::string& name) {
    const std::string ext = ExtractFileExt(name);
    return SameText(ext, ".bat") || SameText(ext, ".cmd") || SameText(ext, ".sh");
}

std::string CommandLine(const std::string& arquivo, const std::string& parametros) {
    const std::string file = Unquoted(Trim(arquivo));
    std::string line = IsBatchFile(file) ? "/bin/sh " + ShellQuoted(file) : ShellQuoted(file);
    if (!Trim(parametros).empty()) {
        line += " " + parametros;
    }
    return line;
}

ProcessOptions Options(const std::string& pasta, bool esperar) {
    ProcessOptions options;
    options.workingFolder = pasta;
    options.detached = !esperar;
    return options;
}

} // namespace

TWinExecutar::TWinExecutar(const std::string& arquivo, const std::string& parametros,
                           const std::string& pasta, bool esperar, int modoJanela)
    : modoJanela_(modoJanela), linhaDeComando_(CommandLine(arquivo, parametros)),
      processo_(Process::StartShell(linhaDeComando_, Options(pasta, esperar))) {}

bool TWinExecutar::Executando() {
    return processo_.Running();
}

int TWinExecutar::Esperar() {
    return processo_.Wait();
}

} // namespace zelt
