#include "platform/rtl/Errors.h"

#include <cstring>

namespace zelt {

// Out of line so that the vtable and type information live once, in the runtime package.
Exception::~Exception() = default;

std::string Exception::ClassAndMessage() const {
    std::string out = ClassName();
    out += ": ";
    out += message_;
    return out;
}

EInOutError EInOutError::FromErrno(const std::string& what, const std::string& path, int code) {
    // strerror_r (GNU form) is thread-safe; it returns either buf or a static string.
    char buf[256];
    const char* text = ::strerror_r(code, buf, sizeof buf);
    std::string message = what;
    message += " '";
    message += path;
    message += "': ";
    message += text ? text : "unknown error";
    return EInOutError(std::move(message), code);
}

} // namespace zelt
