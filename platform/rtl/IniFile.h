// INI files with Windows profile semantics: sections and keys compare without letter case, the
// first match counts, values are trimmed, and a write replaces one line keeping every other line
// (comments, blank lines, order) byte for byte. Every call reads the file afresh, so that values
// written by another program are seen at once.
#pragma once

#include "platform/rtl/Errors.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/StringList.h"

#include <string>
#include <string_view>

namespace zelt {

// The platform's INI error: a write that could not reach the file ("Unable to write to <file>"),
// with the operating system's errno.
class ZELT_EXPORT EIniFileException : public Exception {
public:
    EIniFileException(std::string message, int errorCode)
        : Exception(std::move(message)), errorCode_(errorCode) {}
    const char* ClassName() const noexcept override { return "EIniFileException"; }
    int ErrorCode() const noexcept { return errorCode_; }

private:
    int errorCode_;
};

class ZELT_EXPORT TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    // "1"/"0" as written by WriteBool; any other integer is true, a non-number the fallback.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    double ReadFloat(std::string_view section, std::string_view key, double fallback) const;

    // Writes go to disk at once (temporary file, then rename). A missing file or section is
    // created; a write that fails (a missing folder, no rights, a file that exists but cannot be
    // read) raises EIniFileException.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    void ReadSections(TStringList& sections) const;
    void ReadSection(std::string_view section, TStringList& keys) const;
    // "key=value" items of a section.
    void ReadSectionValues(std::string_view section, TStringList& values) const;
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

private:
    std::string fileName_;
};

} // namespace zelt
