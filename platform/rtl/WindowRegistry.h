// "A top-level window of class X exists", kept across processes: a program that shows a main
// window of class X holds an exclusive flock on <runtime dir>/zelt/windows/X.lock while the window
// lives ($XDG_RUNTIME_DIR, or /tmp/zelt-<uid>/ when unset). A probe that cannot take the lock
// knows the window exists; a crash releases it.
#pragma once

#include "platform/rtl/Export.h"

#include <string>
#include <string_view>

namespace zelt {

ZELT_EXPORT std::string WindowRegistryFolder();

class ZELT_EXPORT WindowClassHold {
public:
    // Raises EOSError when the lock file cannot be opened; Held() is false when another process
    // already shows a window of that class.
    explicit WindowClassHold(std::string_view windowClass);
    WindowClassHold(const WindowClassHold&) = delete;
    WindowClassHold& operator=(const WindowClassHold&) = delete;
    ~WindowClassHold();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

ZELT_EXPORT bool WindowClassExists(std::string_view windowClass);

} // namespace zelt
