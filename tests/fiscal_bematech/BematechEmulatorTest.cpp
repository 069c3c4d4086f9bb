// The emulator's own rules, reached the way the package reaches them: the same library file,
// bound by name.
#include "BematechFixture.h"

#include <dlfcn.h>
#include <stdexcept>

namespace zelt {
namespace {

struct Library {
    int (*modelo)(int);
    int (*iniciar)(const char*);
    int (*fechar)();
    int (*formatar)(const char*, int, int, int, int, int);
    int (*comando)(const char*, int);
    int (*gaveta)();
};

template <class T> void Bind(void* handle, const char* name, T& target) {
    target = reinterpret_cast<T>(dlsym(handle, name));
    if (!target)
        throw std::runtime_error(std::string("libmp2032.so lacks ") + name);
}

const Library& Lib() {
    static const Library lib = [] {
        const std::string path = BinDir() + "libmp2032.so";
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            throw std::runtime_error(std::string("cannot load ") + path + ": " + dlerror());
        Library l{};
        Bind(handle, "ConfiguraModeloImpressora", l.modelo);
        Bind(handle, "IniciaPorta", l.iniciar);
        Bind(handle, "FechaPorta", l.fechar);
        Bind(handle, "FormataTX", l.formatar);
        Bind(handle, "ComandoTX", l.comando);
        Bind(handle, "Le_Status_Gaveta", l.gaveta);
        return l;
    }();
    return lib;
}

const std::string kCut = std::string(20, '-') + " corte " + std::string(21, '-') + "\n";

class EmulatorTest : public BematechTest {
protected:
    int Text(const char* text, int letter = 3) { return Lib().formatar(text, letter, 0, 0, 0, 0); }
};

TEST_F(EmulatorTest, AClosedPortAnswersZeroAndPrintsNothing) {
    EXPECT_EQ(Text("A\r\n"), 0);
    EXPECT_EQ(Lib().comando("\x1B\x6D", 2), 0);
    EXPECT_EQ(Lib().gaveta(), 0);
    EXPECT_EQ(Lib().fechar(), 0);
    EXPECT_EQ(Lib().iniciar(""), 0);
    EXPECT_EQ(Lib().iniciar(nullptr), 0);
    EXPECT_EQ(Tape(), "");
    EXPECT_EQ(Journal(), (Lines{"FormataTX(\"A\\r\\n\",3,0,0,0,0)", "ComandoTX(\"1B 6D\",2)",
                                "Le_Status_Gaveta()", "FechaPorta()", "IniciaPorta(\"\")",
                                "IniciaPorta(NULL)"}));
}

TEST_F(EmulatorTest, TheOpenPortIsKeptInTheStateFile) {
    ASSERT_EQ(Lib().modelo(8), 1);
    ASSERT_EQ(Lib().iniciar("/dev/ttyS3"), 1);
    const std::string state = State();
    EXPECT_NE(state.find("Aberta=1"), std::string::npos) << state;
    EXPECT_NE(state.find("Nome=/dev/ttyS3"), std::string::npos) << state;
    EXPECT_NE(state.find("Modelo=8"), std::string::npos) << state;
    EXPECT_EQ(Lib().fechar(), 1);
    EXPECT_EQ(Lib().fechar(), 0);
}

TEST_F(EmulatorTest, ALinePrintsWhenItsLineEndArrivesAndTheCutPrintsTheRest) {
    ASSERT_EQ(Lib().iniciar("/dev/ttyS0"), 1);
    ASSERT_EQ(Text("ABC"), 1);
    EXPECT_EQ(Tape(), "");
    ASSERT_EQ(Text("DEF\r\nSEGUNDA\nTER"), 1);
    EXPECT_EQ(Tape(), "ABCDEF\nSEGUNDA\n");
    // The line buffer outlives the port: it is the printer's, not the connection's.
    ASSERT_EQ(Lib().fechar(), 1);
    ASSERT_EQ(Lib().iniciar("/dev/ttyS0"), 1);
    ASSERT_EQ(Lib().comando("\x1B\x6D", 2), 1);
    EXPECT_EQ(Tape(), "ABCDEF\nSEGUNDA\nTER\n" + kCut);
}

TEST_F(EmulatorTest, LongLinesWrapAt48Columns) {
    ASSERT_EQ(Lib().iniciar("/dev/ttyS0"), 1);
    const std::string line(50, 'x');
    ASSERT_EQ(Text((line + "\r\n").c_str()), 1);
    EXPECT_EQ(Tape(), std::string(48, 'x') + "\nxx\n");
}

TEST_F(EmulatorTest, OnlyLetterTypes1To3Print) {
    ASSERT_EQ(Lib().iniciar("/dev/ttyS0"), 1);
    for (int letter : {0, 4, -1})
        EXPECT_EQ(Text("NAO\n", letter), 0) << letter;
    for (int letter : {1, 2, 3})
        EXPECT_EQ(Text("SIM\n", letter), 1) << letter;
    EXPECT_EQ(Tape(), "SIM\nSIM\nSIM\n");
}

TEST_F(EmulatorTest, CommandBytesAreJournalledAndOnlyTheCutActsOnPaper) {
    ASSERT_EQ(Lib().iniciar("/dev/ttyS0"), 1);
    EXPECT_EQ(Lib().comando("\x00\x1B\x70", 3), 1);
    EXPECT_EQ(Tape(), "");
    EXPECT_EQ(Lib().comando("\x00\x1B\x6D", 3), 1);
    EXPECT_EQ(Tape(), kCut);
    EXPECT_EQ(Lib().comando("\x1B\x6D", -1), 0);
    EXPECT_EQ(Lib().comando(nullptr, 2), 0);
    EXPECT_EQ(Lib().comando(nullptr, 0), 1);
    const Lines journal = Journal();
    ASSERT_EQ(journal.size(), 6u);
    EXPECT_EQ(journal[1], "ComandoTX(\"00 1B 70\",3)");
    EXPECT_EQ(journal[2], "ComandoTX(\"00 1B 6D\",3)");
    EXPECT_EQ(Tape(), kCut);
}

TEST_F(EmulatorTest, ARefusalIsUsedOnceAndChangesNothing) {
    WriteFaults("[Refuse]\nIniciaPorta=-7\n");
    EXPECT_EQ(Lib().iniciar("/dev/ttyS0"), -7);
    EXPECT_EQ(State().find("Aberta=1"), std::string::npos);
    EXPECT_EQ(Lib().iniciar("/dev/ttyS0"), 1);
}

TEST_F(EmulatorTest, PaperOutRefusesTextButNotTheSensor) {
    WriteState("[Gaveta]\nAberta=1\n");
    ASSERT_EQ(Lib().iniciar("/dev/ttyS0"), 1);
    WriteFaults("[Printer]\nPaperOut=1\n");
    EXPECT_EQ(Text("A\n"), 0);
    EXPECT_EQ(Lib().gaveta(), 1);
    WriteFaults("[Printer]\nOff=1\n");
    EXPECT_EQ(Lib().gaveta(), 0);
    EXPECT_EQ(Tape(), "");
}

TEST_F(EmulatorTest, OwnFilesThatCannotBeWrittenAnswerMinus2) {
    WriteAll(temp_ + "blocker", "a file where a folder should be");
    setenv("ZELT_BEMATECH_STATE", (temp_ + "blocker/state.ini").c_str(), 1);
    EXPECT_EQ(Lib().iniciar("/dev/ttyS0"), -2);
}

} // namespace
} // namespace zelt
