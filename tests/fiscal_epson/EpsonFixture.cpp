#include "EpsonFixture.h"

#include "fiscal/epson/UEcfPlugEpson.h"
#include "fiscal/epson/UInterfaceEpson.h"

#include <cstdlib>
#include <dlfcn.h>
#include <sstream>
#include <stdexcept>

namespace zelt {

namespace {

struct FakeControl {
    void (*reset)();
    void (*ret)(const char*, int);
    void (*retOnce)(const char*, int);
    void (*answer)(const char*, const char*);
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
        const std::string path = BinDir() + "fake_epson/libInterfaceEpson.so";
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            throw std::runtime_error(std::string("cannot load ") + path + ": " + dlerror());
        FakeControl c{};
        Bind(handle, "FakeEpson_Reset", c.reset);
        Bind(handle, "FakeEpson_Return", c.ret);
        Bind(handle, "FakeEpson_ReturnOnce", c.retOnce);
        Bind(handle, "FakeEpson_Answer", c.answer);
        Bind(handle, "FakeEpson_Journal", c.journal);
        Bind(handle, "FakeEpson_ClearJournal", c.clearJournal);
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

void EpsonTest::SetUp() {
    UseLibraryFolder(BinDir() + "fake_epson/");
    Fake().reset();
    ecfepson::RestaurarEstado();
}

void EpsonTest::TearDown() {
    ecfepson::TInterfaceEpson::Instance().Descarregar();
}

void EpsonTest::UseLibraryFolder(const std::string& folder) {
    setenv(ecfepson::InterfaceEpsonDirEnv, folder.c_str(), 1);
    ecfepson::TInterfaceEpson::Instance().Descarregar();
}

void EpsonTest::Return(const char* function, int code) {
    Fake().ret(function, code);
}
void EpsonTest::ReturnOnce(const char* function, int code) {
    Fake().retOnce(function, code);
}
void EpsonTest::Answer(const char* key, const std::string& text) {
    Fake().answer(key, text.c_str());
}

void EpsonTest::PrinterState(const std::string& impressora, const std::string& fiscal,
                             const std::string& retorno, const std::string& mensagem) {
    Answer("EPSON_Obter_Estado_ImpressoraEX.impressora", impressora);
    Answer("EPSON_Obter_Estado_ImpressoraEX.fiscal", fiscal);
    Answer("EPSON_Obter_Estado_ImpressoraEX.retorno", retorno);
    Answer("EPSON_Obter_Estado_ImpressoraEX.mensagem", mensagem);
}

std::vector<std::string> EpsonTest::Journal() const {
    std::vector<std::string> lines;
    std::istringstream in(Fake().journal());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> EpsonTest::Calls(const std::string& function) const {
    std::vector<std::string> lines;
    for (const std::string& line : Journal())
        if (line.rfind(function + "(", 0) == 0)
            lines.push_back(line);
    return lines;
}

void EpsonTest::ClearJournal() {
    Fake().clearJournal();
}

std::vector<std::string> EpsonTest::Boxes() {
    std::vector<std::string> texts;
    for (const auto& r : rec_->Records())
        if (r.kind == MessageKind::Information && r.caption == ecfepson::CaptionEpson)
            texts.push_back(r.text);
    return texts;
}

} // namespace zelt
