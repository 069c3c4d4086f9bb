// One printed document of an emulated printer's paper tape: lines of a fixed column count, as
// the printer lays them out. Whole documents are appended to the tape file one after the other.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelt::printers {

class TTapeDocument {
public:
    explicit TTapeDocument(int columns = 48) : columns_(columns) {}

    int Columns() const { return columns_; }
    // Text broken at CR LF / LF and wrapped at the column count.
    void Text(std::string_view text);
    void Center(std::string_view text);
    // Left part and right part on one line; the left is cut when both do not fit.
    void LeftRight(std::string_view left, std::string_view right);
    void Rule(char c = '-');
    void Blank() { lines_.emplace_back(); }

    const std::vector<std::string>& Lines() const { return lines_; }
    bool Empty() const { return lines_.empty(); }
    // Every line followed by LF.
    std::string Joined() const;

private:
    int columns_;
    std::vector<std::string> lines_;
};

} // namespace zelt::printers
