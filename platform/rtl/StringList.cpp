#include "platform/rtl/StringList.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zelt {

namespace {

// The original list treats every byte up to and including the blank as white space when it
// splits a delimited text; bytes above 0x7F are letters of the code page, hence unsigned.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string::size_type NameEnd(const std::string& item) {
    return item.find('=');
}

bool NeedsQuotes(const std::string& item, char delimiter, char quote) {
    return std::any_of(item.begin(), item.end(),
                       [&](char c) { return IsBlank(c) || c == delimiter || c == quote; });
}

std::string Quoted(const std::string& item, char quote) {
    std::string out(1, quote);
    for (char c : item) {
        out += c;
        if (c == quote)
            out += quote;
    }
    out += quote;
    return out;
}

// Reads a quoted item starting at text[pos] (the opening quote); doubled quotes stand for one.
// Leaves pos after the closing quote, or at the end when the quote is never closed.
std::string ExtractQuoted(std::string_view text, std::size_t& pos, char quote) {
    std::string out;
    ++pos;
    while (pos < text.size()) {
        char c = text[pos++];
        if (c != quote) {
            out += c;
            continue;
        }
        if (pos < text.size() && text[pos] == quote) {
            out += quote;
            ++pos;
            continue;
        }
        break;
    }
    return out;
}

std::string OsText(int code) {
    char buf[256];
    const char* text = ::strerror_r(code, buf, sizeof buf);
    return text ? text : "unknown error";
}

} // namespace

void TStringList::CheckIndex(int index, bool allowEnd) const {
    int limit = allowEnd ? Count() : Count() - 1;
    if (index < 0 || index > limit)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStringList::Get(int index) const {
    CheckIndex(index, false);
    return items_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, std::string value) {
    CheckIndex(index, false);
    items_[static_cast<std::size_t>(index)] = std::move(value);
}

int TStringList::Add(std::string value) {
    items_.push_back(std::move(value));
    return Count() - 1;
}

void TStringList::Insert(int index, std::string value) {
    CheckIndex(index, true);
    items_.insert(items_.begin() + index, std::move(value));
}

void TStringList::Delete(int index) {
    CheckIndex(index, false);
    items_.erase(items_.begin() + index);
}

void TStringList::AddStrings(const TStringList& other) {
    // Copy first: other may be this very list.
    std::vector<std::string> copy = other.items_;
    items_.insert(items_.end(), copy.begin(), copy.end());
}

int TStringList::IndexOf(std::string_view value) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(items_[static_cast<std::size_t>(i)], value))
            return i;
    }
    return -1;
}

void TStringList::Sort() {
    std::stable_sort(items_.begin(), items_.end(), [](const std::string& a, const std::string& b) {
        return CompareText(a, b) < 0;
    });
}

void TStringList::Exchange(int a, int b) {
    CheckIndex(a, false);
    CheckIndex(b, false);
    std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
}

std::string TStringList::Names(int index) const {
    const std::string& item = Get(index);
    auto eq = NameEnd(item);
    return eq == std::string::npos ? std::string() : item.substr(0, eq);
}

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& item = Get(index);
    auto eq = NameEnd(item);
    return eq == std::string::npos ? std::string() : item.substr(eq + 1);
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& item = items_[static_cast<std::size_t>(i)];
        auto eq = NameEnd(item);
        if (eq != std::string::npos && SameText(std::string_view(item).substr(0, eq), name))
            return i;
    }
    return -1;
}

std::string TStringList::Values(std::string_view name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValue(std::string_view name, std::string_view value) {
    // As in the original list, an empty value removes the item rather than keeping "name=".
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0)
            Delete(i);
        return;
    }
    std::string item(name);
    item += '=';
    item += value;
    if (i >= 0)
        Put(i, std::move(item));
    else
        Add(std::move(item));
}

std::string TStringList::Text() const {
    std::string out;
    for (const std::string& item : items_) {
        out += item;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    items_.clear();
    std::size_t start = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (c != '\r' && c != '\n') {
            ++pos;
            continue;
        }
        items_.emplace_back(text.substr(start, pos - start));
        ++pos;
        if (c == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
        start = pos;
    }
    if (start < text.size())
        items_.emplace_back(text.substr(start));
}

std::string TStringList::DelimitedText(char delimiter, char quote) const {
    // A single empty item must still read back as one item.
    if (items_.size() == 1 && items_.front().empty())
        return std::string(2, quote);
    std::string out;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i > 0)
            out += delimiter;
        const std::string& item = items_[i];
        out += NeedsQuotes(item, delimiter, quote) ? Quoted(item, quote) : item;
    }
    return out;
}

void TStringList::SetDelimitedText(std::string_view text, char delimiter, char quote) {
    // Outside quotes a blank ends an item just as the delimiter does, which is how the original
    // list reads "a b,c" as three items.
    items_.clear();
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == quote) {
            items_.push_back(ExtractQuoted(text, pos, quote));
        } else {
            std::size_t start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != delimiter)
                ++pos;
            items_.emplace_back(text.substr(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == delimiter) {
            ++pos;
            if (pos == text.size())
                items_.emplace_back();
            skipBlanks();
        }
    }
}

void TStringList::LoadFromFile(const std::string& fileName) {
    SetText(ReadFile(fileName));
}

void TStringList::SaveToFile(const std::string& fileName) const {
    try {
        WriteFileAtomic(fileName, Text());
    } catch (const EInOutError& e) {
        throw EFCreateError("Cannot create file \"" + fileName + "\". " + OsText(e.ErrorCode()));
    }
}

} // namespace zelt
