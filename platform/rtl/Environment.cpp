#include "platform/rtl/Environment.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <link.h>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace zelt {

namespace {

struct Clipboard {
    std::mutex mutex;
    ClipboardHook hook;
    std::string text;
};

// Never destroyed, so that code running at exit (a package's finalisation) still finds it.
template <class T> union Immortal {
    Immortal() : value() {}
    ~Immortal() {}
    T value;
};

Clipboard& TheClipboard() {
    static Immortal<Clipboard> clipboard;
    return clipboard.value;
}

std::string RealDiskPath(const char* path) {
    char resolved[PATH_MAX];
    return ::realpath(path, resolved) ? std::string(resolved) : std::string(path);
}

} // namespace

bool IsDevelopmentEnvironment() {
    const char* dev = std::getenv("ZELT_DEV");
    return dev != nullptr && std::string_view(dev) == "1";
}

std::string ComputerName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        throw EOSError("Cannot read the computer's name", errno);
    return Utf8ToCp1252(name);
}

std::string ExecutableFileName() {
    std::vector<char> buf(PATH_MAX);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0)
            throw EOSError("Cannot read the executable's name", errno);
        if (static_cast<std::size_t>(n) < buf.size())
            return FromDiskPath(std::string_view(buf.data(), static_cast<std::size_t>(n)));
        buf.resize(buf.size() * 2);
    }
}

std::string ModuleFileName(const void* address) {
    // As on Windows, no module (null) names the executable.
    if (address == nullptr)
        return ExecutableFileName();
    Dl_info info{};
    link_map* map = nullptr;
    if (::dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 ||
        map == nullptr)
        return std::string();
    // The executable's entry in the link map has no name of its own; what dladdr reports for it
    // is the name it was started by, which may be relative or bare.
    if (map->l_name == nullptr || map->l_name[0] == '\0')
        return ExecutableFileName();
    return FromDiskPath(RealDiskPath(map->l_name));
}

std::string GetEnvVar(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    return value ? Utf8ToCp1252(value) : std::string();
}

void SetClipboardHook(ClipboardHook hook) {
    Clipboard& c = TheClipboard();
    std::lock_guard lock(c.mutex);
    c.hook = std::move(hook);
}

void SetClipboardText(const std::string& text) {
    Clipboard& c = TheClipboard();
    ClipboardHook hook;
    {
        std::lock_guard lock(c.mutex);
        c.text = text;
        hook = c.hook;
    }
    // Outside the lock: a hook may well read the clipboard back or install another hook.
    if (hook)
        hook(text);
}

std::string ClipboardText() {
    Clipboard& c = TheClipboard();
    std::lock_guard lock(c.mutex);
    return c.text;
}

} // namespace zelt
