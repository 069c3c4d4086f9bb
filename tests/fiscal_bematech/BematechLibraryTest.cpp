// A maker library that is not there, or lacks a function: the operator is told once, the
// operations that need it answer false, and the drawer, which does not need it, still works.
#include "BematechFixture.h"
#include "fiscal/bematech/UMP2032.h"
#include "zelt/bematech.h"

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

namespace zelt {
namespace {

class LibraryTest : public BematechTest {};

TEST_F(LibraryTest, AMissingLibraryIsReportedOnceAndEveryCallAnswersFalse) {
    const std::string empty = temp_ + "empty/";
    std::filesystem::create_directory(empty);
    UseLibraryFolder(empty);

    EXPECT_FALSE(ImprDoc("/dev/ttyS0", 5, "TEXTO", 0, false));
    const std::string error = LastError();
    EXPECT_EQ(error.rfind("EBematechIndisponivel: Biblioteca Bematech não carregada (" + empty +
                              "libmp2032.so): ",
                          0),
              0u)
        << error;
    const char* status = "untouched";
    EXPECT_FALSE(GetGavetaStatus(&status, "/dev/ttyS0", 5));
    EXPECT_STREQ(status, "");
    EXPECT_EQ(LastError(), error);

    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Não foi possível carregar a biblioteca da impressora Bematech\r\n" +
                                 empty + "libmp2032.so\r\n",
                             0),
              0u)
        << boxes[0];

    TPseudoTerminal port;
    ASSERT_TRUE(GavetaAcionar(port.SlavePath().c_str(), 0)) << LastError();
    EXPECT_EQ(port.Read(10).size(), 10u);
}

TEST_F(LibraryTest, TheFolderIsReadAgainAfterAnUnload) {
    const std::string empty = temp_ + "empty/";
    std::filesystem::create_directory(empty);
    UseLibraryFolder(empty);
    EXPECT_FALSE(ImprDoc("/dev/ttyS0", 5, "A\r\n", 0, false));
    UseLibraryFolder(BinDir());
    EXPECT_TRUE(ImprDoc("/dev/ttyS0", 5, "A\r\n", 0, false)) << LastError();
    EXPECT_EQ(Tape(), "A\n");
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(LibraryTest, ALibraryWithoutAFunctionIsNeverCalled) {
    const std::string calls = temp_ + "fake_calls.txt";
    setenv("FAKE_MP2032_CALLS", calls.c_str(), 1);
    UseLibraryFolder(BinDir() + "fake_mp2032_without_sensor/");

    EXPECT_FALSE(ImprDoc("/dev/ttyS0", 5, "TEXTO", 1, true));
    EXPECT_EQ(LastError(),
              "EBematechIndisponivel: Função ausente na biblioteca Bematech: Le_Status_Gaveta");
    EXPECT_FALSE(GetGavetaStatus(nullptr, "/dev/ttyS0", 5));
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{"A biblioteca da impressora Bematech\r\n" + BinDir() +
                                        "fake_mp2032_without_sensor/libmp2032.so"
                                        "\r\nnão tem as funções:\r\nLe_Status_Gaveta"}));
    // Refused before the port was touched: no half-done document on the printer.
    EXPECT_FALSE(std::filesystem::exists(calls));
    unsetenv("FAKE_MP2032_CALLS");
}

// Hosts bind by plain and by qualified name; both lead to the same code.
TEST_F(LibraryTest, EveryOperationIsExportedUnderItsNames) {
    void* self = dlopen((BinDir() + "BematechPrinter.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(self, nullptr) << dlerror();
    const struct {
        const char* plain;
        const char* qualified;
    } names[] = {{"GavetaAcionar", "UBematechPrinter.GavetaAcionar"},
                 {"BemaGavetaEnviar", "UBematechPrinter.BemaGavetaEnviar"},
                 {"GetGavetaStatus", "UBematechPrinter.GetGavetaStatus"},
                 {"ImprDoc", "UBematechPrinter.ImprDoc"}};
    for (const auto& n : names) {
        void* plain = dlsym(self, n.plain);
        ASSERT_NE(plain, nullptr) << n.plain;
        EXPECT_EQ(dlsym(self, n.qualified), plain) << n.qualified;
    }
    EXPECT_EQ(dlsym(self, "BemaGavetaEnviar"), dlsym(self, "GavetaAcionar"));
    EXPECT_NE(dlsym(self, "BematechPrinterUltimoErro"), nullptr);
    dlclose(self);
}

} // namespace
} // namespace zelt
