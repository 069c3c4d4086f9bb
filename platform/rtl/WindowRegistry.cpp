#include "platform/rtl/WindowRegistry.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zelt {

namespace {

std::string OsText(int code) {
    char buf[256];
    const char* text = ::strerror_r(code, buf, sizeof buf);
    return text ? text : "unknown error";
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int code) {
    throw EOSError(what + " '" + path + "': " + OsText(code), code);
}

// One level of the registry's folders, private to the user: in the shared /tmp a folder that
// someone else made first must not be trusted with our locks.
void EnsurePrivateFolder(const std::string& diskPath) {
    if (::mkdir(diskPath.c_str(), 0700) != 0 && errno != EEXIST)
        Fail("Cannot create the window registry folder", diskPath, errno);
    struct stat st {};
    if (::lstat(diskPath.c_str(), &st) != 0)
        Fail("Cannot open the window registry folder", diskPath, errno);
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        Fail("The window registry folder is not the user's own", diskPath, EPERM);
}

// <base>/zelt/windows/ or /tmp/zelt-<uid>/windows/, on disk (UTF-8), created when missing.
std::string DiskFolder(bool create) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string top;
    if (runtime && *runtime) {
        top = runtime;
        while (!top.empty() && top.back() == '/')
            top.pop_back();
        top += "/zelt";
    } else {
        top = "/tmp/zelt-" + std::to_string(::getuid());
    }
    std::string windows = top + "/windows";
    if (create) {
        EnsurePrivateFolder(top);
        EnsurePrivateFolder(windows);
    }
    return windows + "/";
}

// A class name is used as a file name: the delimiter and NUL cannot be part of one.
std::string LockFileName(std::string_view windowClass, bool create) {
    std::string name(windowClass);
    for (char& c : name) {
        if (c == '/' || c == '\0')
            c = '_';
    }
    return DiskFolder(create) + ToDiskPath(name) + ".lock";
}

} // namespace

std::string WindowRegistryFolder() {
    return FromDiskPath(DiskFolder(false));
}

WindowClassHold::WindowClassHold(std::string_view windowClass) {
    std::string path = LockFileName(windowClass, true);
    // Close-on-exec: a program started while the window lives must not inherit the lock and keep
    // the window "existing" after its real owner has gone.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        Fail("Cannot open the window lock", path, errno);
    // A probe holds the lock shared for an instant; a few quick retries tell such a probe from a
    // window that really exists, which holds it for as long as it lives.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            int code = errno;
            ::close(fd);
            Fail("Cannot lock the window lock", path, code);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ::close(fd);
}

WindowClassHold::~WindowClassHold() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool WindowClassExists(std::string_view windowClass) {
    std::string path = LockFileName(windowClass, true);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false; // no program has ever shown that class here
    // Shared, so that probes from several programs at once do not see one another as windows.
    bool free = false;
    for (;;) {
        if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
            free = true;
            break;
        }
        if (errno != EINTR)
            break;
    }
    ::close(fd);
    return !free;
}

} // namespace zelt
