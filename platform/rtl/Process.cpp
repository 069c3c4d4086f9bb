#include "platform/rtl/Process.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zelt {

namespace {

std::string OsText(int code) {
    char buf[256];
    const char* text = ::strerror_r(code, buf, sizeof buf);
    return text ? text : "unknown error";
}

[[noreturn]] void StartFailure(const std::string& program, const std::string& what, int code) {
    std::string message = "Cannot start program '" + program + "'";
    if (!what.empty())
        message += " (" + what + ")";
    message += ": " + OsText(code);
    throw EOSError(std::move(message), code);
}

class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Reset(); }
    int get() const { return fd_; }
    void Reset() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

bool IsExecutableFile(const std::string& diskPath) {
    struct stat st {};
    return ::stat(diskPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(diskPath.c_str(), X_OK) == 0;
}

// The program's disk path, found before the fork so that the child only has to exec. A name
// with a '/' is taken relative to the caller's folder (not the child's working folder), as the
// original process start does.
std::string ResolveProgram(const std::string& program) {
    std::string disk = ToDiskPath(program);
    if (disk.find('/') != std::string::npos) {
        if (disk.front() != '/')
            disk = ToDiskPath(IncludeTrailingPathDelimiter(GetCurrentDir())) + disk;
        if (!IsExecutableFile(disk))
            StartFailure(program, "", ::access(disk.c_str(), F_OK) == 0 ? EACCES : ENOENT);
        return disk;
    }
    const char* pathVar = std::getenv("PATH");
    std::string path = pathVar && *pathVar ? pathVar : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= path.size()) {
        auto colon = path.find(':', start);
        if (colon == std::string::npos)
            colon = path.size();
        std::string dir = path.substr(start, colon - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + disk;
        if (IsExecutableFile(candidate))
            return candidate;
        start = colon + 1;
    }
    StartFailure(program, "not found on PATH", ENOENT);
}

std::string EnvName(const std::string& entry) {
    return entry.substr(0, entry.find('='));
}

// The caller's environment with the extra entries laid over it (same name: the extra wins).
std::vector<std::string> BuildEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> out;
    std::vector<std::string> extraDisk;
    for (const std::string& e : extra)
        extraDisk.push_back(Cp1252ToUtf8(e));
    for (char** e = environ; e && *e; ++e) {
        std::string entry = *e;
        bool replaced = false;
        for (const std::string& x : extraDisk)
            replaced = replaced || EnvName(x) == EnvName(entry);
        if (!replaced)
            out.push_back(std::move(entry));
    }
    out.insert(out.end(), extraDisk.begin(), extraDisk.end());
    return out;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (std::string& t : texts)
        out.push_back(t.data());
    out.push_back(nullptr);
    return out;
}

Fd OpenRedirect(const std::string& program, const std::string& file, bool output) {
    if (file.empty())
        return Fd();
    int flags = output ? O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC : O_RDONLY | O_CLOEXEC;
    int fd = ::open(ToDiskPath(file).c_str(), flags, 0666);
    if (fd < 0)
        StartFailure(program, (output ? "output file '" : "input file '") + file + "'", errno);
    return Fd(fd);
}

// What a child that could not exec reports through the status pipe.
struct ChildFailure {
    int step; // 0 working folder, 1 exec
    int code;
};

void WriteFully(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Reads exactly `size` bytes; false at end of file (the exec succeeded and closed the pipe).
bool ReadFully(int fd, void* data, std::size_t size) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        ssize_t n = ::read(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

struct ExecPlan {
    const char* path;
    char* const* argv;
    char* const* envp;
    const char* workingFolder; // nullptr: stay
    int stdinFd;
    int stdoutFd;
    bool mergeStderr;
    int statusFd;
};

// Runs in the forked child: only async-signal-safe calls from here to the exec.
[[noreturn]] void ExecChild(const ExecPlan& plan) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    if (plan.stdinFd >= 0)
        dup2(plan.stdinFd, STDIN_FILENO);
    if (plan.stdoutFd >= 0) {
        dup2(plan.stdoutFd, STDOUT_FILENO);
        if (plan.mergeStderr)
            dup2(plan.stdoutFd, STDERR_FILENO);
    }
    // The child inherits nothing but its three standard streams, as a program started without
    // handle inheritance on the original platform: no database socket, no lock of ours.
    if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = 3; fd < 4096; ++fd)
            fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    if (plan.workingFolder && chdir(plan.workingFolder) != 0) {
        ChildFailure f{0, errno};
        WriteFully(plan.statusFd, &f, sizeof f);
        _exit(127);
    }
    execve(plan.path, plan.argv, plan.envp);
    ChildFailure f{1, errno};
    WriteFully(plan.statusFd, &f, sizeof f);
    _exit(127);
}

// A detached start: the intermediate child starts a session, forks the real child and ends at
// once, so the real child belongs to init and never lingers as our zombie. The real child puts
// its own pid up the status pipe before anything else; only one process ever writes to the pipe,
// so a pid and a failure report cannot interleave.
[[noreturn]] void DetachChild(const ExecPlan& plan) {
    setsid();
    pid_t grandchild = fork();
    if (grandchild == 0) {
        pid_t self = getpid();
        WriteFully(plan.statusFd, &self, sizeof self);
        ExecChild(plan);
    }
    if (grandchild < 0) {
        ChildFailure f{1, errno};
        pid_t none = -1;
        WriteFully(plan.statusFd, &none, sizeof none);
        WriteFully(plan.statusFd, &f, sizeof f);
        _exit(127);
    }
    _exit(0);
}

int ExitCodeOf(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

pid_t WaitNoEintr(pid_t pid, int& status, int flags) {
    pid_t r;
    do {
        r = ::waitpid(pid, &status, flags);
    } while (r < 0 && errno == EINTR);
    return r;
}

// A detached child is not ours to wait for: it runs while its pid exists and is no zombie
// (a zombie waits only for init, or a sub-reaper, to collect it).
bool DetachedAlive(pid_t pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    auto paren = line.rfind(')');
    return paren == std::string::npos || paren + 2 >= line.size() || line[paren + 2] != 'Z';
}

// Children whose Process went away while they still ran. Nobody can wait for them any more, so
// the runtime collects them once they end, at the next start or release of a process, instead
// of letting zombies pile up in a host that starts programs all day.
class Orphans {
public:
    void Adopt(pid_t pid) {
        std::lock_guard lock(mutex_);
        pids_.push_back(pid);
    }
    void Reap() {
        std::lock_guard lock(mutex_);
        std::erase_if(pids_, [](pid_t pid) {
            int status = 0;
            return WaitNoEintr(pid, status, WNOHANG) != 0; // ended, or no longer ours
        });
    }

private:
    std::mutex mutex_;
    std::vector<pid_t> pids_;
};

// Never destroyed: a Process may be released by another package's finalisation at exit.
Orphans& TheOrphans() {
    static union Holder {
        Holder() : value() {}
        ~Holder() {}
        Orphans value;
    } holder;
    return holder.value;
}

} // namespace

Process::Process(Process&& other) noexcept
    : pid_(other.pid_), ended_(other.ended_), exitCode_(other.exitCode_),
      detached_(other.detached_) {
    other.pid_ = -1;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        if (pid_ > 0 && !detached_ && !ended_)
            TheOrphans().Adopt(pid_);
        pid_ = other.pid_;
        ended_ = other.ended_;
        exitCode_ = other.exitCode_;
        detached_ = other.detached_;
        other.pid_ = -1;
    }
    return *this;
}

Process::~Process() {
    if (pid_ > 0 && !detached_ && !ended_)
        TheOrphans().Adopt(pid_);
    TheOrphans().Reap();
}

Process Process::Start(const std::vector<std::string>& argv, const ProcessOptions& options) {
    TheOrphans().Reap();
    if (argv.empty() || argv.front().empty())
        throw EOSError("Cannot start program '': no program named", EINVAL);
    const std::string& program = argv.front();

    // Everything the child needs is made ready here: after a fork only async-signal-safe calls
    // are allowed, and the caller may have other threads.
    std::string path = ResolveProgram(program);
    std::vector<std::string> args;
    for (const std::string& a : argv)
        args.push_back(Cp1252ToUtf8(a));
    std::vector<std::string> env = BuildEnvironment(options.env);
    std::vector<char*> argPtrs = Pointers(args);
    std::vector<char*> envPtrs = Pointers(env);
    std::string folder = ToDiskPath(options.workingFolder);
    Fd in = OpenRedirect(program, options.stdinFile, false);
    Fd out = OpenRedirect(program, options.stdoutFile, true);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        StartFailure(program, "status pipe", errno);
    Fd readEnd(pipeFds[0]);
    Fd writeEnd(pipeFds[1]);

    ExecPlan plan{path.c_str(),
                  argPtrs.data(),
                  envPtrs.data(),
                  folder.empty() ? nullptr : folder.c_str(),
                  in.get(),
                  out.get(),
                  options.mergeStderr,
                  writeEnd.get()};
    pid_t child = ::fork();
    if (child < 0)
        StartFailure(program, "fork", errno);
    if (child == 0) {
        if (options.detached)
            DetachChild(plan);
        ExecChild(plan);
    }
    writeEnd.Reset();

    Process p;
    p.detached_ = options.detached;
    if (options.detached) {
        int status = 0;
        WaitNoEintr(child, status, 0);
        pid_t grandchild = -1;
        if (!ReadFully(readEnd.get(), &grandchild, sizeof grandchild))
            StartFailure(program, "detach", ECHILD);
        child = grandchild;
    }
    ChildFailure failure{};
    if (ReadFully(readEnd.get(), &failure, sizeof failure)) {
        if (!options.detached) {
            int status = 0;
            WaitNoEintr(child, status, 0);
        }
        StartFailure(program,
                     failure.step == 0 ? "working folder '" + options.workingFolder + "'" : "",
                     failure.code);
    }
    p.pid_ = child;
    return p;
}

Process Process::StartShell(const std::string& commandLine, const ProcessOptions& options) {
    return Start({"/bin/sh", "-c", commandLine}, options);
}

bool Process::Running() {
    if (pid_ <= 0 || ended_)
        return false;
    if (detached_) {
        ended_ = !DetachedAlive(pid_);
        return !ended_;
    }
    int status = 0;
    pid_t r = WaitNoEintr(pid_, status, WNOHANG);
    if (r == 0)
        return true;
    ended_ = true;
    if (r == pid_)
        exitCode_ = ExitCodeOf(status);
    return false;
}

int Process::Wait() {
    if (pid_ <= 0)
        return exitCode_;
    if (detached_) {
        // Its exit code goes to init; all we can learn is when it is gone.
        while (Running())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return exitCode_;
    }
    if (!ended_) {
        int status = 0;
        pid_t r = WaitNoEintr(pid_, status, 0);
        ended_ = true;
        if (r == pid_)
            exitCode_ = ExitCodeOf(status);
    }
    return exitCode_;
}

} // namespace zelt
