#include "tests/core_files/FilesFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace zelt::testing {

namespace fs = std::filesystem;

void FilesFixture::SetUp() {
    std::string modelo = (fs::temp_directory_path() / "zelt-files-XXXXXX").string();
    if (::mkdtemp(modelo.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    pasta_ = modelo + "/";
    if (const char* dev = std::getenv("ZELT_DEV")) {
        savedDev_ = dev;
    }
    ::unsetenv("ZELT_DEV");
    savedSettings_ = FormatSettings();
    FormatSettings() = TFormatSettings::Brazilian();
}

void FilesFixture::TearDown() {
    SetClockForTesting({});
    FormatSettings() = savedSettings_;
    if (savedDev_) {
        ::setenv("ZELT_DEV", savedDev_->c_str(), 1);
    } else {
        ::unsetenv("ZELT_DEV");
    }
    std::error_code ignored;
    fs::remove_all(pasta_, ignored);
}

void FilesFixture::FixClock(TDateTime moment) {
    ClockSequence({moment});
}

void FilesFixture::ClockSequence(std::vector<TDateTime> moments) {
    *readings_ = 0;
    SetClockForTesting([moments = std::move(moments), readings = readings_]() {
        const auto i = static_cast<std::size_t>(*readings);
        ++*readings;
        return i < moments.size() ? moments[i] : moments.back();
    });
}

std::string FilesFixture::ReadBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + name);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void FilesFixture::WriteBytes(const std::string& name, std::string_view bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + name);
    }
}

bool FilesFixture::Exists(const std::string& name) {
    return fs::exists(name);
}

bool FilesFixture::IsDirectory(const std::string& name) {
    return fs::is_directory(name);
}

int FilesFixture::OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

} // namespace zelt::testing
