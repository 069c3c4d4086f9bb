// The state file of an emulated printer: INI-looking text of ordered sections and keys that a
// person can read, saved whole under a temporary name, flushed and renamed, so that a crash
// leaves either the old or the new state and never half of one.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelt::printers {

class TKeyValueDoc {
public:
    using Entries = std::vector<std::pair<std::string, std::string>>;

    // Values keep their blanks; backslash, CR and LF are escaped so one entry stays one line.
    static TKeyValueDoc Parse(std::string_view text);
    std::string Serialize() const;

    // A missing file is an empty document; read errors raise EInOutError/EFOpenError.
    static TKeyValueDoc Load(const std::string& fileName);
    void SaveAtomic(const std::string& fileName) const;

    // Exact (letter case kept) section and key names: the emulator writes them itself.
    const std::string* Find(std::string_view section, std::string_view key) const;
    std::string Get(std::string_view section, std::string_view key,
                    std::string_view fallback = {}) const;
    long long GetInt(std::string_view section, std::string_view key, long long fallback) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, long long value);
    const Entries* Section(std::string_view section) const;
    bool HasSection(std::string_view section) const { return Section(section) != nullptr; }

    bool operator==(const TKeyValueDoc&) const = default;

private:
    Entries& SectionForWrite(std::string_view section);
    std::vector<std::pair<std::string, Entries>> sections_;
};

} // namespace zelt::printers
