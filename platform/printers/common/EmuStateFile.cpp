#include "platform/printers/common/EmuStateFile.h"

#include "platform/rtl/FileSystem.h"

#include <charconv>

namespace zelt::printers {

namespace {

std::string Escape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string Unescape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        char next = value[++i];
        out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return out;
}

} // namespace

TKeyValueDoc TKeyValueDoc::Parse(std::string_view text) {
    TKeyValueDoc doc;
    Entries* current = nullptr;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            current = &doc.SectionForWrite(line.substr(1, line.size() - 2));
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || current == nullptr)
            continue; // a damaged line loses only itself
        current->emplace_back(std::string(line.substr(0, eq)), Unescape(line.substr(eq + 1)));
    }
    return doc;
}

std::string TKeyValueDoc::Serialize() const {
    std::string out;
    for (const auto& [name, entries] : sections_) {
        out += '[' + name + "]\n";
        for (const auto& [key, value] : entries)
            out += key + '=' + Escape(value) + '\n';
        out += '\n';
    }
    return out;
}

TKeyValueDoc TKeyValueDoc::Load(const std::string& fileName) {
    if (!FileExists(fileName))
        return {};
    return Parse(ReadFile(fileName));
}

void TKeyValueDoc::SaveAtomic(const std::string& fileName) const {
    WriteFileAtomic(fileName, Serialize());
}

const TKeyValueDoc::Entries* TKeyValueDoc::Section(std::string_view section) const {
    for (const auto& [name, entries] : sections_)
        if (name == section)
            return &entries;
    return nullptr;
}

const std::string* TKeyValueDoc::Find(std::string_view section, std::string_view key) const {
    if (const Entries* entries = Section(section))
        for (const auto& [k, v] : *entries)
            if (k == key)
                return &v;
    return nullptr;
}

std::string TKeyValueDoc::Get(std::string_view section, std::string_view key,
                              std::string_view fallback) const {
    const std::string* value = Find(section, key);
    return value ? *value : std::string(fallback);
}

long long TKeyValueDoc::GetInt(std::string_view section, std::string_view key,
                               long long fallback) const {
    const std::string* value = Find(section, key);
    if (!value)
        return fallback;
    long long result = 0;
    auto [ptr, ec] = std::from_chars(value->data(), value->data() + value->size(), result);
    if (ec != std::errc{} || ptr != value->data() + value->size())
        return fallback;
    return result;
}

TKeyValueDoc::Entries& TKeyValueDoc::SectionForWrite(std::string_view section) {
    for (auto& [name, entries] : sections_)
        if (name == section)
            return entries;
    return sections_.emplace_back(std::string(section), Entries{}).second;
}

void TKeyValueDoc::Set(std::string_view section, std::string_view key, std::string_view value) {
    Entries& entries = SectionForWrite(section);
    for (auto& [k, v] : entries)
        if (k == key) {
            v = value;
            return;
        }
    entries.emplace_back(std::string(key), std::string(value));
}

void TKeyValueDoc::SetInt(std::string_view section, std::string_view key, long long value) {
    Set(section, key, std::to_string(value));
}

} // namespace zelt::printers
