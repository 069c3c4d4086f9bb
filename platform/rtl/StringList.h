// The ordered text list the system passes around (the original TStrings/TStringList).
#pragma once

#include "platform/rtl/Export.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelt {

class ZELT_EXPORT TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> items) : items_(items) {}

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    // Index errors raise EStringListError "List index out of bounds (<i>)".
    const std::string& Get(int index) const;
    void Put(int index, std::string value);
    const std::string& operator[](int index) const { return Get(index); }

    int Add(std::string value); // returns the new item's index
    void Insert(int index, std::string value);
    void Delete(int index);
    void Clear() { items_.clear(); }
    void AddStrings(const TStringList& other);
    void Assign(const TStringList& other) { items_ = other.items_; }
    // Letter case ignored (ASCII), as the original list does by default; -1 when absent.
    int IndexOf(std::string_view value) const;
    void Sort(); // letter case ignored, stable
    void Exchange(int a, int b);

    // Name=Value items.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(std::string_view name) const;
    void SetValue(std::string_view name, std::string_view value);
    int IndexOfName(std::string_view name) const;

    // Every item followed by CR LF (an empty list gives an empty text).
    std::string Text() const;
    // Splits at CR LF, lone CR or lone LF; a final line end adds no empty item.
    void SetText(std::string_view text);
    // Items joined by the delimiter, quoting items that contain it, blanks or quotes.
    std::string DelimitedText(char delimiter = ',', char quote = '"') const;
    void SetDelimitedText(std::string_view text, char delimiter = ',', char quote = '"');
    std::string CommaText() const { return DelimitedText(',', '"'); }

    // Whole file as bytes (Windows-1252); raises EFOpenError / EFCreateError with the file name.
    void LoadFromFile(const std::string& fileName);
    // Written under a temporary name and renamed, so a reader never sees half a file.
    void SaveToFile(const std::string& fileName) const;

    std::vector<std::string>::const_iterator begin() const { return items_.begin(); }
    std::vector<std::string>::const_iterator end() const { return items_.end(); }
    const std::vector<std::string>& Items() const { return items_; }
    bool operator==(const TStringList&) const = default;

private:
    void CheckIndex(int index, bool allowEnd) const;
    std::vector<std::string> items_;
};

} // namespace zelt
