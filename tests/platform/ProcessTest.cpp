#include "platform/rtl/Process.h"

#include "platform/rtl/Errors.h"
#include "tests/platform/TempFolder.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zelt {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(Process, ExitCodes) {
    struct Case {
        const char* command;
        int code;
    };
    const Case cases[] = {
        {"exit 0", 0},
        {"exit 3", 3},
        {"exit 255", 255},
        {"kill -TERM $$", 128 + SIGTERM},
    };
    for (const Case& c : cases) {
        Process p = Process::StartShell(c.command);
        EXPECT_TRUE(p.Started());
        EXPECT_EQ(p.Wait(), c.code) << c.command;
        EXPECT_EQ(p.ExitCode(), c.code) << c.command;
        EXPECT_FALSE(p.Running());
        EXPECT_EQ(p.Wait(), c.code) << "a second wait repeats the code";
    }
}

TEST(Process, ArgumentsArePassedAsTheyAre) {
    TempFolder dir;
    ProcessOptions options;
    options.stdoutFile = dir / "out.txt";
    Process p = Process::Start({"printf", "[%s]", "a b", "", "$HOME"}, options);
    EXPECT_EQ(p.Wait(), 0);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "[a b][][$HOME]");
}

TEST(Process, RunsInTheWorkingFolder) {
    TempFolder dir;
    TempFolder work;
    ProcessOptions options;
    options.workingFolder = work.Path();
    options.stdoutFile = dir / "pwd.txt";
    EXPECT_EQ(Process::StartShell("pwd -P", options).Wait(), 0);
    char real[PATH_MAX];
    ASSERT_NE(::realpath(work.Path().c_str(), real), nullptr);
    EXPECT_EQ(ReadBytes(dir / "pwd.txt"), std::string(real) + "\n");
}

TEST(Process, ExtraEnvironmentOverridesTheCallers) {
    TempFolder dir;
    ::setenv("ZELT_TEST_VAR", "caller", 1);
    ProcessOptions options;
    options.env = {"ZELT_TEST_VAR=child", "ZELT_TEST_OTHER=\xE9"};
    options.stdoutFile = dir / "env.txt";
    EXPECT_EQ(Process::StartShell("printf '%s|%s|%s' \"$ZELT_TEST_VAR\" \"$ZELT_TEST_OTHER\" "
                                  "\"${PATH:+path}\"",
                                  options)
                  .Wait(),
              0);
    ::unsetenv("ZELT_TEST_VAR");
    EXPECT_EQ(ReadBytes(dir / "env.txt"), "child|\xC3\xA9|path")
        << "texts reach the child in UTF-8; the caller's other variables stay";
}

TEST(Process, RedirectsInputAndOutput) {
    TempFolder dir;
    WriteBytes(dir / "in.txt", "open\r\nquit\r\n");
    ProcessOptions options;
    options.stdinFile = dir / "in.txt";
    options.stdoutFile = dir / "out.txt";
    options.mergeStderr = true;
    EXPECT_EQ(Process::StartShell("tr a-z A-Z; echo err >&2", options).Wait(), 0);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "OPEN\r\nQUIT\r\nerr\n");
}

TEST(Process, ChildInheritsOnlyTheStandardStreams) {
    TempFolder dir;
    int leaked = ::open("/dev/null", O_RDONLY); // no close-on-exec, as a careless caller would
    ASSERT_GE(leaked, 3);
    ProcessOptions options;
    options.stdoutFile = dir / "fds.txt";
    std::string probe = "for fd in 0 1 2 " + std::to_string(leaked) +
                        "; do [ -e /proc/$$/fd/$fd ] && printf 'o' || printf 'c'; done";
    EXPECT_EQ(Process::StartShell(probe, options).Wait(), 0);
    ::close(leaked);
    EXPECT_EQ(ReadBytes(dir / "fds.txt"), "oooc");
}

TEST(Process, RunningWhileASleepRuns) {
    Process p = Process::Start({"sleep", "30"});
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(p.Running()) << "asking twice does not end it";
    ASSERT_EQ(::kill(p.Pid(), SIGKILL), 0);
    EXPECT_EQ(p.Wait(), 128 + SIGKILL);
    EXPECT_FALSE(p.Running());
}

TEST(Process, RunningTurnsFalseWhenTheChildEnds) {
    Process p = Process::StartShell("exit 4");
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (p.Running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(p.Running());
    EXPECT_EQ(p.ExitCode(), 4) << "Running() reaped it and kept the code";
}

TEST(Process, StartFailuresRaiseOsErrorNamingTheProgram) {
    TempFolder dir;
    WriteBytes(dir / "not-executable.sh", "exit 0\n");
    struct Case {
        std::vector<std::string> argv;
        ProcessOptions options;
        int code;
        std::string named;
    };
    ProcessOptions badFolder;
    badFolder.workingFolder = dir / "no-such-folder";
    ProcessOptions badFolderDetached = badFolder;
    badFolderDetached.detached = true;
    ProcessOptions badInput;
    badInput.stdinFile = dir / "no-input.txt";
    const Case cases[] = {
        {{"zelt-no-such-program"}, {}, ENOENT, "zelt-no-such-program"},
        {{dir / "missing.sh"}, {}, ENOENT, "missing.sh"},
        {{dir / "not-executable.sh"}, {}, EACCES, "not-executable.sh"},
        {{"true"}, badFolder, ENOENT, "no-such-folder"},
        {{"true"}, badFolderDetached, ENOENT, "no-such-folder"},
        {{"true"}, badInput, ENOENT, "no-input.txt"},
    };
    for (const Case& c : cases) {
        try {
            Process::Start(c.argv, c.options);
            ADD_FAILURE() << c.named << ": no error";
        } catch (const EOSError& e) {
            EXPECT_EQ(e.ErrorCode(), c.code) << e.Message();
            EXPECT_NE(e.Message().find(c.argv.front()), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(c.named), std::string::npos) << e.Message();
        }
    }
    // A failed exec in the child leaves no zombie behind.
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(Process, DetachedRunsInItsOwnSessionAndIsNotOurChild) {
    ProcessOptions options;
    options.detached = true;
    Process p = Process::Start({"sleep", "30"}, options);
    ASSERT_TRUE(p.Started());
    EXPECT_TRUE(p.Running());
    // Not a child: waitpid cannot reach it, so it can never become our zombie.
    int status = 0;
    EXPECT_EQ(::waitpid(p.Pid(), &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    EXPECT_NE(::getsid(p.Pid()), ::getsid(0)) << "a session of its own, not the caller's";
    ASSERT_EQ(::kill(p.Pid(), SIGKILL), 0);
    EXPECT_EQ(p.Wait(), -1) << "its exit code belongs to init";
    EXPECT_FALSE(p.Running());
}

// True while pid is a zombie of ours, waiting for someone to collect it.
bool IsZombie(pid_t pid) {
    std::string stat = ReadBytes("/proc/" + std::to_string(pid) + "/stat");
    auto paren = stat.rfind(')');
    return paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] == 'Z';
}

TEST(Process, AChildLeftBehindIsCollectedOnceItEnds) {
    TempFolder dir;
    pid_t pid;
    {
        Process p = Process::StartShell("read line"); // ends when its input does
        pid = p.Pid();
    }
    pid_t replaced;
    {
        ProcessOptions options;
        options.stdinFile = "/dev/null";
        Process a = Process::Start({"sleep", "30"});
        replaced = a.Pid();
        a = Process::Start({"true"}, options); // the sleep loses its object too
        a.Wait();
    }
    ::kill(pid, SIGKILL);
    ::kill(replaced, SIGKILL);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (
        (IsZombie(pid) || IsZombie(replaced) || ::kill(pid, 0) == 0 || ::kill(replaced, 0) == 0) &&
        std::chrono::steady_clock::now() < deadline) {
        Process::StartShell("exit 0").Wait(); // any later start collects the ended ones
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(IsZombie(pid));
    EXPECT_FALSE(IsZombie(replaced));
    EXPECT_NE(::kill(pid, 0), 0) << "collected, not left as a zombie";
    EXPECT_NE(::kill(replaced, 0), 0);
}

TEST(Process, MovedProcessKeepsTheChild) {
    Process a = Process::StartShell("exit 9");
    pid_t pid = a.Pid();
    Process b = std::move(a);
    EXPECT_FALSE(a.Started());
    EXPECT_EQ(b.Pid(), pid);
    EXPECT_EQ(b.Wait(), 9);
}

} // namespace
} // namespace zelt
