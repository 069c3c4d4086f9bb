#include "platform/printers/common/EmuPaths.h"

#include "platform/rtl/FileSystem.h"

#include <cstdlib>

namespace zelt::printers {

namespace {

std::string EnvPath(std::string_view envPrefix, const char* suffix, const std::string& fallback) {
    const std::string name = std::string(envPrefix) + suffix;
    const char* value = std::getenv(name.c_str());
    return FromDiskPath(value && *value ? value : fallback);
}

} // namespace

TEmuPaths ReadEmuPaths(std::string_view envPrefix, std::string_view printer) {
    const std::string stem = "./" + std::string(printer);
    return {EnvPath(envPrefix, "_STATE", stem + "_state.ini"),
            EnvPath(envPrefix, "_TAPE", stem + "_bobina.txt"),
            EnvPath(envPrefix, "_JOURNAL", stem + "_journal.txt"),
            EnvPath(envPrefix, "_FAULTS", stem + "_faults.ini"),
            IncludeTrailingPathDelimiter(EnvPath(envPrefix, "_REPORTS", "./"))};
}

} // namespace zelt::printers
