// Writing answers into the buffers a caller hands a printer library. A buffer of n takes at most
// n characters and a NUL; nothing is ever written past that. For fuzzing callers, the fault
// settings can swap the real answer for a given text or for pseudo-random bytes.
#pragma once

#include "platform/printers/common/EmuFaults.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelt::printers {

// At most maxChars characters of text, then a NUL.
void WriteAnswer(char* buffer, std::size_t maxChars, std::string_view text);

// maxChars bytes 0x01-0xFF, the same for the same seed and serial.
std::string GarbageText(std::uint64_t seed, std::uint64_t serial, std::size_t maxChars);

class TAnswerWriter {
public:
    TAnswerWriter(const TEmuFaults& faults, std::string function)
        : faults_(faults), function_(std::move(function)) {}

    // The real answer, or the fault file's replacement: under `key` first, then under the
    // function's name.
    void Text(char* buffer, std::size_t maxChars, std::string_view real,
              std::string_view key = {}) const;
    void Int(int* out, int real) const;

private:
    const TEmuFaults& faults_;
    std::string function_;
};

} // namespace zelt::printers
