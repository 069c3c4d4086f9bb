#include "platform/rtl/FileSystem.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zelt {

namespace {

std::string OsText(int code) {
    char buf[256];
    const char* text = ::strerror_r(code, buf, sizeof buf);
    return text ? text : "unknown error";
}

bool Stat(const std::string& name, struct stat& st) {
    return !name.empty() && ::stat(ToDiskPath(name).c_str(), &st) == 0;
}

// 0-based position of the last of `chars` in s, npos when none.
std::size_t LastDelimiter(std::string_view chars, std::string_view s) {
    return s.find_last_of(chars);
}

// Closes a descriptor on every path out of a function.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting the result (a failed close can mean lost data).
    int Close() {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

void WriteAll(int fd, std::string_view bytes, const std::string& name) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw EInOutError::FromErrno("Cannot write file", name, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// The file a write must finally replace: the target of a symbolic link rather than the link, so
// that a configuration file linked from elsewhere stays linked.
std::string FinalDiskTarget(const std::string& diskName) {
    struct stat st {};
    if (::lstat(diskName.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(diskName.c_str(), resolved) != nullptr)
            return resolved;
    }
    return diskName;
}

std::string DiskFolderOf(const std::string& diskName) {
    auto slash = diskName.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return diskName.substr(0, slash);
}

void SyncFolder(const std::string& diskFolder) {
    // Best effort: makes the rename itself durable; some file systems refuse fsync on folders.
    int fd = ::open(diskFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::atomic<unsigned> tempCounter{0};

} // namespace

std::string ToDiskPath(std::string_view name) {
    return Cp1252ToUtf8(name);
}

std::string FromDiskPath(std::string_view diskName) {
    return Utf8ToCp1252(diskName);
}

bool FileExists(const std::string& name) {
    struct stat st {};
    return Stat(name, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& name) {
    struct stat st {};
    return Stat(name, st) && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& name) {
    std::string dir = ExcludeTrailingPathDelimiter(name);
    if (dir.empty())
        return !name.empty(); // "/" exists; "" is no folder at all
    if (DirectoryExists(dir))
        return true;
    std::string parent = ExtractFilePath(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent))
        return false;
    // Another process may create the same level at the same moment; that counts as success.
    return CreateDir(dir) || DirectoryExists(dir);
}

bool CreateDir(const std::string& name) {
    return !name.empty() && ::mkdir(ToDiskPath(name).c_str(), 0777) == 0;
}

bool RemoveDir(const std::string& name) {
    return !name.empty() && ::rmdir(ToDiskPath(name).c_str()) == 0;
}

bool DeleteFile(const std::string& name) {
    return !name.empty() && ::unlink(ToDiskPath(name).c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return !from.empty() && !to.empty() &&
           ::rename(ToDiskPath(from).c_str(), ToDiskPath(to).c_str()) == 0;
}

std::int64_t FileSize(const std::string& name) {
    struct stat st {};
    if (!Stat(name, st) || S_ISDIR(st.st_mode))
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

std::string GetCurrentDir() {
    std::vector<char> buf(PATH_MAX);
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (errno != ERANGE)
            throw EInOutError::FromErrno("Cannot read the current folder", ".", errno);
        buf.resize(buf.size() * 2);
    }
    return FromDiskPath(buf.data());
}

std::string IncludeTrailingPathDelimiter(std::string_view s) {
    // As the original runtime: an empty text becomes the delimiter alone.
    std::string out(s);
    if (out.empty() || out.back() != PathDelim)
        out += PathDelim;
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view s) {
    std::string out(s);
    if (!out.empty() && out.back() == PathDelim)
        out.pop_back();
    return out;
}

std::string ExtractFilePath(std::string_view s) {
    auto i = LastDelimiter("/", s);
    return i == std::string_view::npos ? std::string() : std::string(s.substr(0, i + 1));
}

std::string ExtractFileDir(std::string_view s) {
    auto i = LastDelimiter("/", s);
    if (i == std::string_view::npos)
        return std::string();
    // The root keeps its delimiter, and so does a run of delimiters ("a//b" -> "a//").
    if (i > 0 && s[i - 1] != PathDelim)
        return std::string(s.substr(0, i));
    return std::string(s.substr(0, i + 1));
}

std::string ExtractFileName(std::string_view s) {
    auto i = LastDelimiter("/", s);
    return std::string(i == std::string_view::npos ? s : s.substr(i + 1));
}

std::string ExtractFileExt(std::string_view s) {
    auto i = LastDelimiter("./", s);
    if (i == std::string_view::npos || s[i] != '.')
        return std::string();
    return std::string(s.substr(i));
}

std::string ChangeFileExt(std::string_view s, std::string_view ext) {
    auto i = LastDelimiter("./", s);
    std::string out(i == std::string_view::npos || s[i] != '.' ? s : s.substr(0, i));
    out += ext;
    return out;
}

std::string ExpandFileName(std::string_view s) {
    if (s.empty())
        return std::string();
    std::string full = s.front() == PathDelim
                           ? std::string(s)
                           : IncludeTrailingPathDelimiter(GetCurrentDir()) + std::string(s);
    bool trailing = full.back() == PathDelim;
    // Collapse "." and ".." textually, as the original does: links are not followed.
    std::vector<std::string> parts;
    std::size_t start = 1;
    while (start <= full.size()) {
        auto end = full.find(PathDelim, start);
        if (end == std::string::npos)
            end = full.size();
        std::string part = full.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& part : parts) {
        out += PathDelim;
        out += part;
    }
    if (out.empty() || trailing)
        out += PathDelim;
    return out;
}

bool TryReadFile(const std::string& name, std::string& bytes) {
    Fd fd(::open(ToDiskPath(name).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    bytes.clear();
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw EInOutError::FromErrno("Cannot read file", name, errno);
        }
        if (n == 0)
            return true;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
}

std::string ReadFile(const std::string& name) {
    std::string bytes;
    if (!TryReadFile(name, bytes))
        throw EFOpenError("Cannot open file \"" + name + "\". " + OsText(errno));
    return bytes;
}

void WriteFileAtomic(const std::string& name, std::string_view bytes) {
    // A unique temporary name per call, so two threads saving the same file do not write into
    // one temporary; the folder is the target's, so that the rename never crosses file systems.
    std::string target = FinalDiskTarget(ToDiskPath(name));
    std::string temp = target + ".tmp-" + std::to_string(::getpid()) + "-" +
                       std::to_string(tempCounter.fetch_add(1));
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        throw EInOutError::FromErrno("Cannot create file", name, errno);
    try {
        struct stat st {};
        // The replacement keeps the permissions the file had (a shared INI stays group-writable).
        if (::stat(target.c_str(), &st) == 0)
            ::fchmod(fd.get(), st.st_mode & 07777);
        WriteAll(fd.get(), bytes, name);
        if (::fsync(fd.get()) != 0)
            throw EInOutError::FromErrno("Cannot flush file", name, errno);
        if (fd.Close() != 0)
            throw EInOutError::FromErrno("Cannot close file", name, errno);
        if (::rename(temp.c_str(), target.c_str()) != 0)
            throw EInOutError::FromErrno("Cannot replace file", name, errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    SyncFolder(DiskFolderOf(target));
}

} // namespace zelt
