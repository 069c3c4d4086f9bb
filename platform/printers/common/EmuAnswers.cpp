#include "platform/printers/common/EmuAnswers.h"

#include <atomic>
#include <cstring>

namespace zelt::printers {

namespace {

std::atomic<std::uint64_t> garbageSerial{0};

// splitmix64: small, fast and good enough to shake a caller's parser.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

} // namespace

void WriteAnswer(char* buffer, std::size_t maxChars, std::string_view text) {
    const std::size_t n = std::min(maxChars, text.size());
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

std::string GarbageText(std::uint64_t seed, std::uint64_t serial, std::size_t maxChars) {
    std::string out(maxChars, '\0');
    std::uint64_t state = Mix(seed ^ Mix(serial));
    for (char& c : out) {
        state = Mix(state);
        c = static_cast<char>(1 + state % 255);
    }
    return out;
}

void TAnswerWriter::Text(char* buffer, std::size_t maxChars, std::string_view real,
                         std::string_view key) const {
    if (std::uint64_t seed = faults_.GarbageSeed()) {
        WriteAnswer(buffer, maxChars, GarbageText(seed, garbageSerial++, maxChars));
        return;
    }
    if (!key.empty())
        if (auto replacement = faults_.Answer(key)) {
            WriteAnswer(buffer, maxChars, *replacement);
            return;
        }
    if (auto replacement = faults_.Answer(function_)) {
        WriteAnswer(buffer, maxChars, *replacement);
        return;
    }
    WriteAnswer(buffer, maxChars, real);
}

void TAnswerWriter::Int(int* out, int real) const {
    if (std::uint64_t seed = faults_.GarbageSeed()) {
        *out = static_cast<int>(static_cast<std::uint32_t>(Mix(seed ^ Mix(garbageSerial++))));
        return;
    }
    *out = real;
}

} // namespace zelt::printers
