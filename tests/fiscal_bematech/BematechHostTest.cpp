// The drawer setting as a shop has it: ecfplugtexto.ini beside the host's executable. A copy of
// a small host program runs in a folder of the test's own, so no other test's file is seen.
#include "BematechFixture.h"

#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace zelt {
namespace {

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = NewTempFolder();
        host_ = folder_ + "bematech_drawer_host";
        std::filesystem::copy_file(BinDir() + "bematech_drawer_host", host_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // The host's exit code; what it printed (its last error) goes to `output`.
    int Run(const std::string& port, std::string& output) {
        const std::string package = BinDir() + "BematechPrinter.so";
        const std::string outFile = folder_ + "out.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        char* argv[] = {host_.data(), const_cast<char*>(package.c_str()),
                        const_cast<char*>(port.c_str()), nullptr};
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, host_.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            return -1;
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
            return -1;
        output = ReadAll(outFile);
        return WEXITSTATUS(status);
    }

    std::string folder_;
    std::string host_;
};

TEST_F(HostTest, DefaultBytesWithoutAnIniBesideTheHost) {
    TPseudoTerminal port;
    std::string output;
    ASSERT_EQ(Run(port.SlavePath(), output), 0) << output;
    EXPECT_EQ(Hex(port.Read(10)), "1D F9 20 00 1B 74 08 1B 76 8C");
    EXPECT_EQ(output, "");
}

TEST_F(HostTest, ConfiguredBytesFromTheIniBesideTheHost) {
    WriteAll(folder_ + "ecfplugtexto.ini", "[gaveta]\r\ncomando_abrir=27 112 0 50 250\r\n");
    TPseudoTerminal port;
    std::string output;
    ASSERT_EQ(Run(port.SlavePath(), output), 0) << output;
    EXPECT_EQ(Hex(port.Read(5)), "1B 70 00 32 FA");
}

TEST_F(HostTest, ABadPieceReachesTheHostAsFalseAndItsLastError) {
    WriteAll(folder_ + "ecfplugtexto.ini", "[gaveta]\ncomando_abrir=27 112 256\n");
    TPseudoTerminal port;
    std::string output;
    ASSERT_EQ(Run(port.SlavePath(), output), 1);
    EXPECT_EQ(output, "EConvertError: '256' is not a byte value (0 to 255) in the drawer "
                      "command '27 112 256'");
    EXPECT_EQ(Hex(port.Read(0)), "");
}

} // namespace
} // namespace zelt
