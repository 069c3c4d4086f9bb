#include "platform/rtl/Environment.h"

#include "platform/rtl/FileSystem.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace zelt {
namespace {

// Sets a variable for one scope and restores what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old, had_ = true;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (had_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(Environment, DevelopmentOnlyWhenZeltDevIsOne) {
    struct Case {
        const char* value;
        bool dev;
    };
    const Case cases[] = {{"1", true}, {nullptr, false}, {"0", false},
                          {"", false}, {"11", false},    {"true", false}};
    for (const Case& c : cases) {
        ScopedEnv env("ZELT_DEV", c.value);
        EXPECT_EQ(IsDevelopmentEnvironment(), c.dev) << (c.value ? c.value : "(unset)");
    }
}

TEST(Environment, ComputerNameIsTheHostName) {
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    EXPECT_EQ(ComputerName(), FromDiskPath(host));
    EXPECT_FALSE(ComputerName().empty());
}

TEST(Environment, ExecutableAndModuleNames) {
    std::string exe = ExecutableFileName();
    EXPECT_EQ(ExtractFileName(exe), "platform_tests");
    EXPECT_EQ(exe.front(), '/');
    EXPECT_EQ(ModuleFileName(nullptr), exe);
    static int inThisProgram = 0;
    EXPECT_EQ(ModuleFileName(&inThisProgram), exe);
    // A function of the runtime package lives in ZeltRuntime.so beside the tests.
    std::string runtime = ModuleFileName(reinterpret_cast<const void*>(&ComputerName));
    EXPECT_EQ(ExtractFileName(runtime), "ZeltRuntime.so");
    EXPECT_EQ(ExtractFilePath(runtime), ExtractFilePath(exe));
    int onTheStack = 0;
    EXPECT_EQ(ModuleFileName(&onTheStack), "") << "an address in no module";
}

TEST(Environment, GetEnvVarConvertsToTheCodePage) {
    ScopedEnv env("ZELT_TEST_TEXT", "cora\xC3\xA7\xC3\xA3o"); // UTF-8 as the system keeps it
    EXPECT_EQ(GetEnvVar("ZELT_TEST_TEXT"), "cora\xE7\xE3o");
    EXPECT_EQ(GetEnvVar("ZELT_TEST_NOT_SET_AT_ALL"), "");
}

TEST(Clipboard, KeptInTheProcessAndHandedToTheHook) {
    SetClipboardHook(nullptr);
    SetClipboardText("primeiro");
    EXPECT_EQ(ClipboardText(), "primeiro");

    std::vector<std::string> seen;
    SetClipboardHook([&](const std::string& text) {
        seen.push_back(text);
        EXPECT_EQ(ClipboardText(), text) << "the hook may read the clipboard back";
    });
    SetClipboardText("comando ftp -s:x");
    EXPECT_EQ(seen, (std::vector<std::string>{"comando ftp -s:x"}));
    EXPECT_EQ(ClipboardText(), "comando ftp -s:x");
    SetClipboardHook(nullptr);
    SetClipboardText("depois");
    EXPECT_EQ(seen.size(), 1u);
}

} // namespace
} // namespace zelt
