#include "platform/printers/common/EmuJournal.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zelt::printers {

TJournalArg TJournalArg::Text(const char* text) {
    if (text == nullptr)
        return TJournalArg("NULL");
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\x";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
    return TJournalArg(std::move(out));
}

TJournalArg TJournalArg::Int(long long value) {
    return TJournalArg(std::to_string(value));
}

std::string FormatCall(std::string_view function, std::initializer_list<TJournalArg> args) {
    std::string line(function);
    line += '(';
    bool first = true;
    for (const TJournalArg& arg : args) {
        if (!first)
            line += ',';
        line += arg.Rendered();
        first = false;
    }
    line += ')';
    return line;
}

void AppendToFile(const std::string& fileName, std::string_view bytes, bool sync) {
    const std::string disk = ToDiskPath(fileName);
    const int fd = ::open(disk.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        throw EInOutError::FromErrno("Cannot open file", fileName, errno);
    int error = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = errno ? errno : EIO;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (error == 0 && sync && ::fsync(fd) != 0)
        error = errno;
    ::close(fd);
    if (error != 0)
        throw EInOutError::FromErrno("Cannot write file", fileName, error);
}

} // namespace zelt::printers
