#include "platform/rtl/WindowRegistry.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Process.h"
#include "tests/platform/TempFolder.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zelt {
namespace {

using test::TempFolder;

// Points the registry at a private runtime folder for the test and puts the old one back.
class WindowRegistryTest : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            saved_ = old;
        ::setenv("XDG_RUNTIME_DIR", runtime_.Path().c_str(), 1);
    }
    void TearDown() override {
        if (saved_)
            ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }
    TempFolder runtime_;
    std::optional<std::string> saved_;
};

// A second process that shows a window of a class until it is killed.
class WindowHolderChild {
public:
    explicit WindowHolderChild(const std::string& windowClass) {
        int ready[2];
        if (::pipe(ready) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            try {
                WindowClassHold hold(windowClass);
                char held = hold.Held() ? 'H' : 'n';
                (void)!::write(ready[1], &held, 1);
                for (;;)
                    ::pause();
            } catch (...) {
                ::_exit(1); // never back into the test runner's copy
            }
        }
        ::close(ready[1]);
        char held = 0;
        if (::read(ready[0], &held, 1) != 1)
            held = '?';
        ::close(ready[0]);
        held_ = held == 'H';
    }
    WindowHolderChild(const WindowHolderChild&) = delete;
    WindowHolderChild& operator=(const WindowHolderChild&) = delete;
    ~WindowHolderChild() { Crash(); }

    bool Held() const { return held_; }
    // Ends the child the hard way: no destructor runs, the kernel alone releases the lock.
    void Crash() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool held_ = false;
};

TEST_F(WindowRegistryTest, FolderFollowsTheRuntimeFolder) {
    EXPECT_EQ(WindowRegistryFolder(), runtime_.Path() + "zelt/windows/");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(WindowRegistryFolder(), "/tmp/zelt-" + std::to_string(::getuid()) + "/windows/");
}

TEST_F(WindowRegistryTest, HoldCreatesPrivateFolders) {
    WindowClassHold hold("TFolderProbe");
    ASSERT_TRUE(hold.Held());
    for (const std::string& folder : {runtime_.Path() + "zelt", runtime_.Path() + "zelt/windows"}) {
        struct stat st {};
        ASSERT_EQ(::stat(folder.c_str(), &st), 0) << folder;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
    }
    EXPECT_TRUE(FileExists(WindowRegistryFolder() + "TFolderProbe.lock"));
}

TEST_F(WindowRegistryTest, HoldInThisProcess) {
    EXPECT_FALSE(WindowClassExists("TPrincipalF"));
    {
        WindowClassHold hold("TPrincipalF");
        EXPECT_TRUE(hold.Held());
        EXPECT_TRUE(WindowClassExists("TPrincipalF"));
        EXPECT_FALSE(WindowClassExists("TOutraF")) << "classes are kept apart";
        WindowClassHold second("TPrincipalF");
        EXPECT_FALSE(second.Held()) << "one window of a class at a time";
    }
    EXPECT_FALSE(WindowClassExists("TPrincipalF")) << "closing the window releases the class";
    EXPECT_TRUE(WindowClassHold("TPrincipalF").Held());
}

TEST_F(WindowRegistryTest, AcrossProcessesAndACrashReleases) {
    WindowHolderChild child("TGerenciadorF");
    ASSERT_TRUE(child.Held());
    EXPECT_TRUE(WindowClassExists("TGerenciadorF"));
    EXPECT_TRUE(WindowClassExists("TGerenciadorF")) << "a probe leaves the window standing";
    EXPECT_FALSE(WindowClassHold("TGerenciadorF").Held());

    child.Crash();
    EXPECT_FALSE(WindowClassExists("TGerenciadorF"));
    EXPECT_TRUE(WindowClassHold("TGerenciadorF").Held());
}

TEST_F(WindowRegistryTest, AProgramStartedMeanwhileDoesNotKeepTheClass) {
    std::optional<WindowClassHold> hold;
    hold.emplace("TPdvF");
    ASSERT_TRUE(hold->Held());
    Process sleeper = Process::Start({"sleep", "30"});
    hold.reset();
    EXPECT_FALSE(WindowClassExists("TPdvF")) << "the lock must not be inherited";
    ::kill(sleeper.Pid(), SIGKILL);
    sleeper.Wait();
}

TEST_F(WindowRegistryTest, ClassNameCannotLeaveTheFolder) {
    WindowClassHold hold("../../escape");
    ASSERT_TRUE(hold.Held());
    EXPECT_TRUE(WindowClassExists("../../escape"));
    EXPECT_TRUE(FileExists(WindowRegistryFolder() + ".._.._escape.lock"));
}

} // namespace
} // namespace zelt
