// Opening the drawer: the configured bytes written straight to the port's device, checked whole
// before the first byte goes out.
#include "BematechFixture.h"
#include "fiscal/bematech/UBematechPrinter.h"
#include "platform/rtl/Errors.h"
#include "zelt/bematech.h"

#include <filesystem>
#include <thread>

namespace zelt {
namespace {

const Bytes kDefault = {0x1D, 0xF9, 0x20, 0x00, 0x1B, 0x74, 0x08, 0x1B, 0x76, 0x8C};

class DrawerTest : public BematechTest {};

TEST_F(DrawerTest, DefaultBytesReachTheTerminalWithoutAnIniFile) {
    TPseudoTerminal port;
    ASSERT_TRUE(GavetaAcionar(port.SlavePath().c_str(), 0)) << LastError();
    EXPECT_EQ(Hex(port.Read(kDefault.size())), Hex(kDefault));
    EXPECT_EQ(LastError(), "");
    // The drawer does not need the printer library at all.
    EXPECT_TRUE(Journal().empty());
}

TEST_F(DrawerTest, ConfiguredBytesReachTheTerminal) {
    WriteIni("[gaveta]\r\ncomando_abrir=27 112 0 50 250\r\n");
    TPseudoTerminal port;
    ASSERT_TRUE(GavetaAcionar(port.SlavePath().c_str(), 7)) << LastError();
    EXPECT_EQ(Hex(port.Read(5)), "1B 70 00 32 FA");
}

TEST_F(DrawerTest, BemaGavetaEnviarIsTheSameOperation) {
    WriteIni("[gaveta]\ncomando_abrir=27 112 0 25 250\n");
    TPseudoTerminal port;
    ASSERT_TRUE(BemaGavetaEnviar(port.SlavePath().c_str(), 0)) << LastError();
    EXPECT_EQ(Hex(port.Read(5)), "1B 70 00 19 FA");
}

TEST_F(DrawerTest, TheIniFileIsReadAgainOnEveryCall) {
    TPseudoTerminal port;
    WriteIni("[gaveta]\ncomando_abrir=1 2 3\n");
    ASSERT_TRUE(GavetaAcionar(port.SlavePath().c_str(), 0));
    EXPECT_EQ(Hex(port.Read(3)), "01 02 03");
    WriteIni("[gaveta]\ncomando_abrir=4 5\n");
    ASSERT_TRUE(GavetaAcionar(port.SlavePath().c_str(), 0));
    EXPECT_EQ(Hex(port.Read(2)), "04 05");
    std::filesystem::remove(temp_ + bematech::ArquivoTexto);
    ASSERT_TRUE(GavetaAcionar(port.SlavePath().c_str(), 0));
    EXPECT_EQ(Hex(port.Read(kDefault.size())), Hex(kDefault));
}

struct IniCase {
    const char* name;
    const char* ini;
    Bytes expected;
};

class DrawerIniTest : public BematechTest, public ::testing::WithParamInterface<IniCase> {};

// A plain file stands for the port here: what is left in it is exactly what was written.
TEST_P(DrawerIniTest, WritesTheBytesOfTheSetting) {
    WriteIni(GetParam().ini);
    const std::string device = temp_ + "ttyS0";
    WriteAll(device, "earlier content that must go");
    ASSERT_TRUE(GavetaAcionar(device.c_str(), 0)) << LastError();
    EXPECT_EQ(Hex(BytesOf(ReadAll(device))), Hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DrawerIniTest,
    ::testing::Values(
        IniCase{"NoKey", "[gaveta]\noutra=1 2\n", kDefault},
        IniCase{"KeyInAnotherSection", "[impressora]\ncomando_abrir=1 2\n", kDefault},
        IniCase{"FiveBytes", "[gaveta]\ncomando_abrir=27 112 0 50 250\n", {27, 112, 0, 50, 250}},
        // Windows profile rules: names without letter case, the value trimmed.
        IniCase{"LetterCaseAndBlanks", "[GAVETA]\nComando_Abrir =  7 0 255  \n", {7, 0, 255}},
        IniCase{"FirstKeyWins", "[gaveta]\ncomando_abrir=9\ncomando_abrir=8\n", {9}},
        // The platform's integer reader, as the original's, also takes hexadecimal.
        IniCase{"HexadecimalPieces", "[gaveta]\ncomando_abrir=$1B 0x6D 010\n", {0x1B, 0x6D, 10}},
        IniCase{"OneByte", "[gaveta]\ncomando_abrir=0\n", {0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
    const char* name;
    const char* command;
    const char* piece;
};

class DrawerBadPieceTest : public BematechTest, public ::testing::WithParamInterface<BadCase> {};

// The fault mended here: bytes before the bad piece used to reach the printer, leaving it half
// a command. Now nothing is written and the device is not even opened (the file keeps its
// content), and the error names the piece.
TEST_P(DrawerBadPieceTest, RaisesAConversionErrorAndWritesNothing) {
    WriteIni(std::string("[gaveta]\ncomando_abrir=") + GetParam().command + "\n");
    const std::string device = temp_ + "ttyS0";
    WriteAll(device, "untouched");
    EXPECT_FALSE(GavetaAcionar(device.c_str(), 0));
    EXPECT_EQ(ReadAll(device), "untouched");
    EXPECT_EQ(LastError(), std::string("EConvertError: '") + GetParam().piece +
                               "' is not a byte value (0 to 255) in the drawer command '" +
                               GetParam().command + "'");
}

TEST_P(DrawerBadPieceTest, NothingReachesTheTerminal) {
    WriteIni(std::string("[gaveta]\ncomando_abrir=") + GetParam().command + "\n");
    TPseudoTerminal port;
    EXPECT_FALSE(GavetaAcionar(port.SlavePath().c_str(), 0));
    EXPECT_EQ(Hex(port.Read(0)), "");
}

TEST_P(DrawerBadPieceTest, TheCppLayerRaisesEConvertError) {
    try {
        bematech::BytesComando(GetParam().command);
        FAIL() << "no error for " << GetParam().command;
    } catch (const EConvertError& e) {
        EXPECT_NE(e.Message().find(std::string("'") + GetParam().piece + "'"), std::string::npos)
            << e.Message();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, DrawerBadPieceTest,
    ::testing::Values(BadCase{"AboveByte", "27 256 0", "256"}, BadCase{"Negative", "27 -1", "-1"},
                      BadCase{"Letters", "abc", "abc"},
                      BadCase{"EmptyPieceBetweenTwoBlanks", "27  112", ""},
                      BadCase{"HexWithoutPrefix", "27 1D", "1D"},
                      BadCase{"Decimal", "27 112 0,5", "0,5"},
                      BadCase{"FarTooLarge", "27 99999999999", "99999999999"},
                      BadCase{"LastPieceBad", "29 249 32 0 27 116 8 27 118 x", "x"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DeviceCase {
    const char* name;
    const char* device; // under the test's folder
};

class DrawerDeviceTest : public BematechTest, public ::testing::WithParamInterface<DeviceCase> {};

TEST_P(DrawerDeviceTest, RaisesAnIoErrorNamingTheDevice) {
    std::filesystem::create_directory(temp_ + "folder");
    const std::string device = temp_ + GetParam().device;
    EXPECT_FALSE(GavetaAcionar(device.c_str(), 0));
    EXPECT_EQ(LastError().rfind("EInOutError: ", 0), 0u) << LastError();
    EXPECT_NE(LastError().find("'" + device + "'"), std::string::npos) << LastError();
    // A port that is not there does not turn into a plain file.
    EXPECT_EQ(std::filesystem::exists(device), std::string(GetParam().name) == "Folder");
}

TEST_P(DrawerDeviceTest, TheCppLayerRaisesEInOutError) {
    const std::string device = temp_ + GetParam().device;
    std::filesystem::create_directory(temp_ + "folder");
    EXPECT_THROW(bematech::BemaGavetaEnviar(device), EInOutError);
}

INSTANTIATE_TEST_SUITE_P(Devices, DrawerDeviceTest,
                         ::testing::Values(DeviceCase{"Missing", "ttyUSB9"},
                                           DeviceCase{"MissingFolder", "no/such/ttyS1"},
                                           DeviceCase{"Folder", "folder"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DrawerTest, ANullPortIsAnEmptyDeviceName) {
    EXPECT_FALSE(GavetaAcionar(nullptr, 0));
    EXPECT_EQ(LastError().rfind("EInOutError: ", 0), 0u) << LastError();
}

TEST_F(DrawerTest, TheLastErrorBelongsToTheCallingThread) {
    WriteIni("[gaveta]\ncomando_abrir=300\n");
    ASSERT_FALSE(GavetaAcionar((temp_ + "ttyS0").c_str(), 0));
    std::string other = "not read";
    std::thread([&] { other = BematechPrinterUltimoErro(); }).join();
    EXPECT_EQ(other, "");
    EXPECT_NE(LastError(), "");
    // The next call of this thread starts afresh.
    WriteIni("[gaveta]\ncomando_abrir=1\n");
    WriteAll(temp_ + "ttyS0", "");
    ASSERT_TRUE(GavetaAcionar((temp_ + "ttyS0").c_str(), 0));
    EXPECT_EQ(LastError(), "");
}

} // namespace
} // namespace zelt
