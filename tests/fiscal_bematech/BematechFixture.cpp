#include "BematechFixture.h"

#include "fiscal/bematech/UBematechPrinter.h"
#include "fiscal/bematech/UMP2032.h"
#include "zelt/bematech.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace zelt {

std::string BinDir() {
    const char* dir = std::getenv("ZELT_BIN_DIR");
    std::string folder = dir ? dir : ".";
    return folder.back() == '/' ? folder : folder + "/";
}

std::string NewTempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zelt-bematech-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    return pattern + "/";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Lines ReadLines(const std::string& path) {
    Lines lines;
    std::istringstream in(ReadAll(path));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

TPseudoTerminal::TPseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        throw std::runtime_error("no pseudo-terminal");
    slavePath_ = ptsname(master_);
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        throw std::runtime_error("cannot open " + slavePath_);
    // Raw: no output processing, so every byte written reaches the master side as it was.
    termios mode{};
    if (tcgetattr(slave_, &mode) != 0)
        throw std::runtime_error("tcgetattr failed");
    cfmakeraw(&mode);
    if (tcsetattr(slave_, TCSANOW, &mode) != 0)
        throw std::runtime_error("tcsetattr failed");
}

TPseudoTerminal::~TPseudoTerminal() {
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

Bytes TPseudoTerminal::Read(std::size_t expected) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    Bytes got;
    for (;;) {
        int wait = 100;
        if (got.size() < expected) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                break;
            wait = static_cast<int>(left.count());
        }
        pollfd p{master_, POLLIN, 0};
        const int r = ::poll(&p, 1, wait);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        unsigned char buffer[256];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

std::string Hex(const Bytes& bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty())
            out += ' ';
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
    return out;
}

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

void BematechTest::SetUp() {
    temp_ = NewTempFolder();
    setenv("ZELT_BEMATECH_STATE", (temp_ + "state.ini").c_str(), 1);
    setenv("ZELT_BEMATECH_TAPE", (temp_ + "bobina.txt").c_str(), 1);
    setenv("ZELT_BEMATECH_JOURNAL", (temp_ + "journal.txt").c_str(), 1);
    setenv("ZELT_BEMATECH_FAULTS", (temp_ + "faults.ini").c_str(), 1);
    bematech::DefinirPastaPrograma(temp_);
    UseLibraryFolder(BinDir());
}

void BematechTest::TearDown() {
    bematech::DefinirPastaPrograma("");
    unsetenv(bematech::MP2032DirEnv);
    bematech::MP2032().Descarregar();
    std::error_code ignored;
    std::filesystem::remove_all(temp_, ignored);
}

void BematechTest::WriteIni(const std::string& content) {
    WriteAll(temp_ + bematech::ArquivoTexto, content);
}

void BematechTest::UseLibraryFolder(const std::string& folder) {
    setenv(bematech::MP2032DirEnv, folder.c_str(), 1);
    bematech::MP2032().Descarregar();
}

void BematechTest::WriteFaults(const std::string& content) {
    WriteAll(temp_ + "faults.ini", content);
}

void BematechTest::WriteState(const std::string& content) {
    WriteAll(temp_ + "state.ini", content);
}

std::string BematechTest::LastError() {
    return BematechPrinterUltimoErro();
}

} // namespace zelt
