// The call journal: one line per call into an emulated library, the function and its arguments
// written the way a C programmer would read them, for tests to compare and people to follow.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zelt::printers {

class TJournalArg {
public:
    // A text argument, quoted with C escapes; NULL is written as NULL.
    static TJournalArg Text(const char* text);
    static TJournalArg Int(long long value);
    // A buffer or integer the library fills.
    static TJournalArg Out() { return TJournalArg("out"); }

    const std::string& Rendered() const { return rendered_; }

private:
    explicit TJournalArg(std::string rendered) : rendered_(std::move(rendered)) {}
    std::string rendered_;
};

std::string FormatCall(std::string_view function, std::initializer_list<TJournalArg> args);

// Appends bytes to a file, creating it; with `sync` the bytes are on disk when it returns.
// Raises EInOutError.
void AppendToFile(const std::string& fileName, std::string_view bytes, bool sync);

} // namespace zelt::printers
