#include "DarumaFixture.h"

#include "fiscal/daruma/UDarumaFramework.h"
#include "fiscal/daruma/UEcfPlugDaruma.h"
#include "fiscal/messages/UMensEcfPlug.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace zelt {

namespace {

struct FakeControl {
    void (*reset)();
    void (*ret)(const char*, int);
    void (*retOnce)(const char*, int);
    void (*answer)(const char*, const char*);
    void (*integer)(const char*, int);
    const char* (*journal)();
    void (*clearJournal)();
};

template <class T> void Bind(void* handle, const char* name, T& target) {
    target = reinterpret_cast<T>(dlsym(handle, name));
    if (!target)
        throw std::runtime_error(std::string("fake library lacks ") + name);
}

// The same file the plug-in loads, so the same instance: what the test sets there, the plug-in
// reads.
const FakeControl& Fake() {
    static const FakeControl control = [] {
        const std::string path = BinDir() + "fake_daruma/libDarumaFramework.so";
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            throw std::runtime_error(std::string("cannot load ") + path + ": " + dlerror());
        FakeControl c{};
        Bind(handle, "FakeDaruma_Reset", c.reset);
        Bind(handle, "FakeDaruma_Return", c.ret);
        Bind(handle, "FakeDaruma_ReturnOnce", c.retOnce);
        Bind(handle, "FakeDaruma_Answer", c.answer);
        Bind(handle, "FakeDaruma_Int", c.integer);
        Bind(handle, "FakeDaruma_Journal", c.journal);
        Bind(handle, "FakeDaruma_ClearJournal", c.clearJournal);
        return c;
    }();
    return control;
}

} // namespace

std::string BinDir() {
    const char* dir = std::getenv("ZELT_BIN_DIR");
    std::string folder = dir ? dir : ".";
    return folder.back() == '/' ? folder : folder + "/";
}

std::string NewTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelt-daruma-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    return pattern + "/";
}

void DarumaTest::SetUp() {
    temp_ = NewTempFolder();
    setenv("ZELT_DARUMA_REPORTS", temp_.c_str(), 1);
    ecfdaruma::DefinirPastaPrograma(temp_);
    UseLibraryFolder(BinDir() + "fake_daruma/");
    Fake().reset();
}

void DarumaTest::TearDown() {
    ecfdaruma::TDarumaFramework::Instance().Descarregar();
    std::error_code ignored;
    std::filesystem::remove_all(temp_, ignored);
}

void DarumaTest::UseLibraryFolder(const std::string& folder) {
    setenv(ecfdaruma::DarumaFrameworkDirEnv, folder.c_str(), 1);
    ecfdaruma::TDarumaFramework::Instance().Descarregar();
}

void DarumaTest::Return(const char* function, int code) {
    Fake().ret(function, code);
}
void DarumaTest::ReturnOnce(const char* function, int code) {
    Fake().retOnce(function, code);
}
void DarumaTest::Answer(const char* key, const std::string& text) {
    Fake().answer(key, text.c_str());
}
void DarumaTest::Int(const char* key, int value) {
    Fake().integer(key, value);
}

std::vector<std::string> DarumaTest::Journal() const {
    std::vector<std::string> lines;
    std::istringstream in(Fake().journal());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> DarumaTest::Calls(const std::string& function) const {
    std::vector<std::string> lines;
    for (const std::string& line : Journal())
        if (line.rfind(function + "(", 0) == 0)
            lines.push_back(line);
    return lines;
}

void DarumaTest::ClearJournal() {
    Fake().clearJournal();
}

std::vector<std::string> DarumaTest::Boxes() {
    std::vector<std::string> texts;
    for (const auto& r : rec_->Records())
        if (r.kind == MessageKind::Information && r.caption == ecfdaruma::CaptionDaruma)
            texts.push_back(r.text);
    return texts;
}

std::vector<std::string> DarumaTest::Mens() {
    std::vector<std::string> texts;
    for (const auto& r : rec_->Records())
        if (r.kind == MessageKind::Error && r.caption == MensEcfPlugCaption)
            texts.push_back(r.text);
    return texts;
}

} // namespace zelt
