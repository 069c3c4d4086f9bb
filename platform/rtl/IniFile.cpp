// Why our own INI code rather than Debian's libsimpleini-dev: that library loads the whole file
// into its own model and, on save, writes the file anew in its own layout ("key = value" with its
// spacing, its own line end, duplicate sections merged, blank lines and comments only "where
// possible"), and without its multi-key mode a repeated key keeps the LAST value loaded. The
// shops' programs and people edit these files side by side with ours and expect what the Windows
// profile functions do: the first section and key of a name count, and a write touches exactly
// one line while every other byte (comments, blank lines, CR LF or LF line ends) stays as it was.
// That is a line editor, not a document model, so it is written here.
#include "platform/rtl/IniFile.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace zelt {

namespace {

enum class LineKind { Blank, Comment, Section, Entry, Other };

struct Line {
    std::string text; // without its line end
    std::string end;  // "\r\n", "\n" or "" (the last line may have none)
    LineKind kind = LineKind::Other;
    std::string name;           // section name, or the key of an entry
    std::size_t valueStart = 0; // entries: where the value begins in text
};

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Windows hands back a value written in matching quotes without them.
std::string StripQuotes(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

void Classify(Line& line) {
    std::string trimmed = Trim(line.text);
    if (trimmed.empty()) {
        line.kind = LineKind::Blank;
    } else if (trimmed.front() == ';') {
        line.kind = LineKind::Comment;
    } else if (trimmed.front() == '[' && trimmed.find(']') != std::string::npos) {
        line.kind = LineKind::Section;
        line.name = Trim(trimmed.substr(1, trimmed.rfind(']') - 1));
    } else if (auto eq = line.text.find('='); eq != std::string::npos) {
        line.kind = LineKind::Entry;
        line.name = Trim(std::string_view(line.text).substr(0, eq));
        std::size_t start = eq + 1;
        while (start < line.text.size() && IsBlank(line.text[start]))
            ++start;
        line.valueStart = start;
    } else {
        // Text without '=' inside a section: kept as it is, never a key.
        line.kind = LineKind::Other;
    }
}

std::string Value(const Line& line) {
    return StripQuotes(Trim(line.text.substr(line.valueStart)));
}

class Document {
public:
    explicit Document(std::string_view bytes) { Split(bytes); }

    static Document Load(const std::string& fileName, bool forWrite) {
        // A file that cannot be read gives the defaults, as on Windows. A write, though, must not
        // replace a file that exists but could not be read: its contents would be lost.
        std::string bytes;
        try {
            if (!TryReadFile(fileName, bytes)) {
                int code = errno;
                if (forWrite && code != ENOENT)
                    throw EInOutError::FromErrno("Cannot open INI file", fileName, code);
                bytes.clear();
            }
        } catch (const EInOutError&) {
            if (forWrite)
                throw;
            bytes.clear();
        }
        return Document(bytes);
    }

    // Index of the header line of the first section of that name; nullopt when absent.
    std::optional<std::size_t> FindSection(std::string_view section) const {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (lines_[i].kind == LineKind::Section && AnsiSameText(lines_[i].name, section))
                return i;
        }
        return std::nullopt;
    }

    // One past the last line of the section whose header is at `header`.
    std::size_t SectionEnd(std::size_t header) const {
        std::size_t i = header + 1;
        while (i < lines_.size() && lines_[i].kind != LineKind::Section)
            ++i;
        return i;
    }

    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const {
        for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
            if (lines_[i].kind == LineKind::Entry && AnsiSameText(lines_[i].name, key))
                return i;
        }
        return std::nullopt;
    }

    std::optional<std::string> Read(std::string_view section, std::string_view key) const {
        auto header = FindSection(section);
        if (!header)
            return std::nullopt;
        auto line = FindKey(*header, key);
        if (!line)
            return std::nullopt;
        return Value(lines_[*line]);
    }

    // Keys of the first section of that name, each once, in file order.
    std::vector<std::size_t> KeyLines(std::string_view section) const {
        std::vector<std::size_t> out;
        auto header = FindSection(section);
        if (!header)
            return out;
        for (std::size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
            if (lines_[i].kind == LineKind::Entry && FindKey(*header, lines_[i].name) == i)
                out.push_back(i);
        }
        return out;
    }

    const std::vector<Line>& Lines() const { return lines_; }

    void Write(std::string_view section, std::string_view key, std::string_view value) {
        auto header = FindSection(section);
        if (!header) {
            AppendLine("[" + std::string(section) + "]");
            AppendLine(std::string(key) + "=" + std::string(value));
            return;
        }
        if (auto line = FindKey(*header, key)) {
            // Only the value changes: the key's spelling and the spacing around '=' stay.
            Line& l = lines_[*line];
            l.text = l.text.substr(0, l.valueStart) + std::string(value);
            Classify(l);
            return;
        }
        // After the section's last entry, so that blank lines and comments that lead into the
        // next section stay in front of it.
        std::size_t after = *header;
        for (std::size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
            if (lines_[i].kind == LineKind::Entry || lines_[i].kind == LineKind::Other)
                after = i;
        }
        InsertLine(after + 1, std::string(key) + "=" + std::string(value));
    }

    bool EraseSection(std::string_view section) {
        auto header = FindSection(section);
        if (!header)
            return false;
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header)));
        return true;
    }

    bool DeleteKey(std::string_view section, std::string_view key) {
        auto header = FindSection(section);
        if (!header)
            return false;
        auto line = FindKey(*header, key);
        if (!line)
            return false;
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
        return true;
    }

    std::string Bytes() const {
        std::string out;
        for (const Line& l : lines_) {
            out += l.text;
            out += l.end;
        }
        return out;
    }

private:
    void Split(std::string_view bytes) {
        std::size_t start = 0;
        while (start < bytes.size()) {
            auto nl = bytes.find('\n', start);
            Line line;
            if (nl == std::string_view::npos) {
                line.text = bytes.substr(start);
                start = bytes.size();
            } else {
                std::size_t textEnd = nl > start && bytes[nl - 1] == '\r' ? nl - 1 : nl;
                line.text = bytes.substr(start, textEnd - start);
                line.end = bytes.substr(textEnd, nl + 1 - textEnd);
                start = nl + 1;
            }
            Classify(line);
            lines_.push_back(std::move(line));
        }
        // New lines follow the file's own convention; a new file gets the Windows one.
        eol_ = "\r\n";
        for (const Line& l : lines_) {
            if (!l.end.empty()) {
                eol_ = l.end;
                break;
            }
        }
    }

    void InsertLine(std::size_t at, std::string text) {
        if (at > 0 && lines_[at - 1].end.empty())
            lines_[at - 1].end = eol_;
        Line line;
        line.text = std::move(text);
        line.end = eol_;
        Classify(line);
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    }

    void AppendLine(std::string text) { InsertLine(lines_.size(), std::move(text)); }

    std::vector<Line> lines_;
    std::string eol_;
};

// Integers as the original reads them: decimal, or hexadecimal written "0x1F" or "$1F".
bool ParseInteger(std::string_view text, int& value) {
    std::string_view digits;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        digits = text.substr(2);
    else if (text.size() > 1 && text[0] == '$')
        digits = text.substr(1);
    else
        return TryStrToInt(text, value);
    std::uint64_t n = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        n = n * 16 + static_cast<std::uint64_t>(d);
        if (n > 0xFFFFFFFFu)
            return false;
    }
    value = static_cast<int>(static_cast<std::uint32_t>(n));
    return true;
}

// Reads the file, lets `edit` change it and writes it back when it did. Whatever stops the
// write reaches the caller as the platform's INI error, with the system's reason.
template <class Edit> void Update(const std::string& fileName, Edit edit) {
    try {
        Document doc = Document::Load(fileName, true);
        if (edit(doc))
            WriteFileAtomic(fileName, doc.Bytes());
    } catch (const EInOutError& e) {
        char buf[256];
        const char* reason = ::strerror_r(e.ErrorCode(), buf, sizeof buf);
        throw EIniFileException("Unable to write to " + fileName + " (" + reason + ")",
                                e.ErrorCode());
    }
}

} // namespace

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
    if (auto value = Document::Load(fileName_, false).Read(section, key))
        return *value;
    // The profile functions drop trailing blanks of the default they hand back.
    std::string out(fallback);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
    auto text = Document::Load(fileName_, false).Read(section, key);
    int value = 0;
    if (text && ParseInteger(*text, value))
        return value;
    return fallback;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(std::string_view section, std::string_view key, double fallback) const {
    auto text = Document::Load(fileName_, false).Read(section, key);
    Extended value = 0;
    if (text && !text->empty() && TryStrToFloat(*text, value))
        return static_cast<double>(value);
    return fallback;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Update(fileName_, [&](Document& doc) {
        doc.Write(section, key, value);
        return true;
    });
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::SectionExists(std::string_view section) const {
    return Document::Load(fileName_, false).FindSection(section).has_value();
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    return Document::Load(fileName_, false).Read(section, key).has_value();
}

void TIniFile::ReadSections(TStringList& sections) const {
    Document doc = Document::Load(fileName_, false);
    sections.Clear();
    // Each name once, spelled as its first occurrence (the one lookups use).
    const std::vector<Line>& lines = doc.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section && doc.FindSection(lines[i].name) == i)
            sections.Add(lines[i].name);
    }
}

void TIniFile::ReadSection(std::string_view section, TStringList& keys) const {
    Document doc = Document::Load(fileName_, false);
    keys.Clear();
    for (std::size_t i : doc.KeyLines(section))
        keys.Add(doc.Lines()[i].name);
}

void TIniFile::ReadSectionValues(std::string_view section, TStringList& values) const {
    Document doc = Document::Load(fileName_, false);
    values.Clear();
    for (std::size_t i : doc.KeyLines(section))
        values.Add(doc.Lines()[i].name + "=" + Value(doc.Lines()[i]));
}

void TIniFile::EraseSection(std::string_view section) {
    Update(fileName_, [&](Document& doc) { return doc.EraseSection(section); });
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    Update(fileName_, [&](Document& doc) { return doc.DeleteKey(section, key); });
}

} // namespace zelt
