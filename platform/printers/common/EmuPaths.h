// Where an emulated printer keeps its files. Each is named by an environment variable
// <prefix>_STATE, _TAPE, _JOURNAL, _FAULTS and _REPORTS, and defaults to a file of the current
// folder named after the printer ("./daruma_state.ini", "./daruma_bobina.txt", ...).
#pragma once

#include <string>
#include <string_view>

namespace zelt::printers {

struct TEmuPaths {
    std::string state, tape, journal, faults;
    std::string reports; // a folder, ending in '/'
};

// Read on every call, so that tests can point a printer elsewhere between calls.
TEmuPaths ReadEmuPaths(std::string_view envPrefix, std::string_view printer);

} // namespace zelt::printers
