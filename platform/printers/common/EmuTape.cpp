#include "platform/printers/common/EmuTape.h"

namespace zelt::printers {

void TTapeDocument::Text(std::string_view text) {
    const auto width = static_cast<std::size_t>(columns_);
    while (true) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        do {
            lines_.emplace_back(line.substr(0, width));
            line.remove_prefix(std::min(width, line.size()));
        } while (!line.empty());
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
        if (text.empty())
            break; // a final line end adds no empty line
    }
}

void TTapeDocument::Center(std::string_view text) {
    text = text.substr(0, static_cast<std::size_t>(columns_));
    const std::size_t pad = (static_cast<std::size_t>(columns_) - text.size()) / 2;
    lines_.push_back(std::string(pad, ' ') + std::string(text));
}

void TTapeDocument::LeftRight(std::string_view left, std::string_view right) {
    const auto width = static_cast<std::size_t>(columns_);
    right = right.substr(0, width);
    const std::size_t room = width - right.size();
    std::string line(left.substr(0, room > 0 ? room - (left.size() >= room ? 1 : 0) : 0));
    line += std::string(width - right.size() - line.size(), ' ');
    line += right;
    lines_.push_back(std::move(line));
}

void TTapeDocument::Rule(char c) {
    lines_.emplace_back(static_cast<std::size_t>(columns_), c);
}

std::string TTapeDocument::Joined() const {
    std::string out;
    for (const std::string& line : lines_)
        out += line + '\n';
    return out;
}

} // namespace zelt::printers
