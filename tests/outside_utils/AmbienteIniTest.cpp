#include "TempFolder.h"
#include "outside/utils/UAmbienteIni.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"

#include <gtest/gtest.h>

namespace zelt {
namespace {

using testing_utils::TempFolder;

class AmbienteIniTest : public ::testing::Test {
protected:
    TempFolder tmp;
    std::string Product() const { return tmp.Path() + "Zelt/"; }
    void WriteIni(const std::string& text) const { tmp.Write("Zelt/ambiente.ini", text); }
};

TEST_F(AmbienteIniTest, DefaultsBelowTheProductFolderWithoutAFile) {
    tmp.MakeFolder("Zelt");
    const TAmbienteIni env(Product());
    EXPECT_FALSE(env.GetArqExiste());
    EXPECT_EQ(env.GetNomeArq(), Product() + "ambiente.ini");
    EXPECT_EQ(env.GetPastaLog(), Product() + "Log/");
    EXPECT_EQ(env.GetPastaTemp(), Product() + "Tmp/");
    EXPECT_EQ(env.GetPastaBackup(), Product() + "Backup/");
    EXPECT_EQ(env.GetPastaComandos(), Product() + "Comandos/");
    EXPECT_EQ(env.GetPastaComandosBase(), env.GetPastaComandos());
    EXPECT_EQ(env.GetTamanhoLote(), 500);
    EXPECT_EQ(env.GetModoDepuracao(), 0);
}

TEST_F(AmbienteIniTest, ReadsEveryKeyWhateverItsLetterCase) {
    WriteIni("; installation settings\r\n"
             "[retag_local]\r\nterminal_num=3\r\n"
             "[PASTAS]\r\nLog = /var/log/zelt\r\ntemp=Temporarios\\Zelt\\\r\n"
             "backup=C:\\Copias\r\nComandos=/srv/shared/Comandos/\r\n"
             "[Lote]\r\ntamanho=250\r\n"
             "[depuracao]\r\nmodo=21\r\n");
    const TAmbienteIni env(Product());
    EXPECT_TRUE(env.GetArqExiste());
    EXPECT_EQ(env.GetPastaLog(), "/var/log/zelt/");
    // Relative folders lie below the product folder; '\' becomes '/'.
    EXPECT_EQ(env.GetPastaTemp(), Product() + "Temporarios/Zelt/");
    EXPECT_EQ(env.GetPastaBackup(), Product() + "C:/Copias/");
    EXPECT_EQ(env.GetPastaComandos(), "/srv/shared/Comandos/");
    EXPECT_EQ(env.GetTamanhoLote(), 250);
    EXPECT_EQ(env.GetModoDepuracao(), 21);
}

TEST_F(AmbienteIniTest, WorkingFoldersByNumber) {
    WriteIni("[pastas]\nlog=L\ntemp=T\nbackup=B\n");
    const TAmbienteIni env(Product());
    EXPECT_EQ(env.GetPastaTrabalho(1), Product() + "L/");
    EXPECT_EQ(env.GetPastaTrabalho(2), Product() + "T/");
    EXPECT_EQ(env.GetPastaTrabalho(3), Product() + "B/");
    EXPECT_THROW(env.GetPastaTrabalho(4), EArgumentError);
    EXPECT_THROW(env.GetPastaTrabalho(0), EArgumentError);
}

struct BatchCase {
    const char* value;
    int batch;
};

class AmbienteIniBatchTest : public AmbienteIniTest,
                             public ::testing::WithParamInterface<BatchCase> {};

TEST_P(AmbienteIniBatchTest, NeverGivesABatchBelowOne) {
    WriteIni(std::string("[lote]\ntamanho=") + GetParam().value + "\n");
    EXPECT_EQ(TAmbienteIni(Product()).GetTamanhoLote(), GetParam().batch);
}

INSTANTIATE_TEST_SUITE_P(Values, AmbienteIniBatchTest,
                         ::testing::Values(BatchCase{"1", 1}, BatchCase{"1000", 1000},
                                           BatchCase{"0", 500}, BatchCase{"-3", 500},
                                           BatchCase{"abc", 500}, BatchCase{"", 500}));

TEST_F(AmbienteIniTest, EmptyFolderValuesTakeTheDefault) {
    WriteIni("[pastas]\nlog=\ncomandos=   \n");
    const TAmbienteIni env(Product());
    EXPECT_EQ(env.GetPastaLog(), Product() + "Log/");
    EXPECT_EQ(env.GetPastaComandos(), Product() + "Comandos/");
}

TEST_F(AmbienteIniTest, IsReadOnceAtCreation) {
    WriteIni("[lote]\ntamanho=10\n");
    const TAmbienteIni env(Product());
    WriteIni("[lote]\ntamanho=20\n");
    EXPECT_EQ(env.GetTamanhoLote(), 10);
    EXPECT_EQ(TAmbienteIni(Product()).GetTamanhoLote(), 20);
}

TEST_F(AmbienteIniTest, FindsTheProductFolderAboveTheProgram) {
    WriteIni("[lote]\ntamanho=7\n");
    const std::string program = tmp.MakeFolder("Zelt/Bin/Pdv");
    EXPECT_EQ(TAmbienteIni::EncontrarPastaProduto(program), Product());
    // Without the final delimiter too.
    EXPECT_EQ(TAmbienteIni::EncontrarPastaProduto(tmp.Path() + "Zelt/Bin/Pdv"), Product());
}

TEST_F(AmbienteIniTest, TheNearestFolderWins) {
    WriteIni("");
    tmp.Write("Zelt/Bin/ambiente.ini", "");
    const std::string program = tmp.MakeFolder("Zelt/Bin/Pdv");
    EXPECT_EQ(TAmbienteIni::EncontrarPastaProduto(program), Product() + "Bin/");
}

TEST_F(AmbienteIniTest, SkipsTheProgramsOwnFolder) {
    WriteIni("");
    tmp.Write("Zelt/Bin/Pdv/ambiente.ini", "");
    EXPECT_EQ(TAmbienteIni::EncontrarPastaProduto(tmp.Path() + "Zelt/Bin/Pdv/"), Product());
}

TEST_F(AmbienteIniTest, TheFileNameMayHaveCapitals) {
    tmp.Write("Zelt/Ambiente.INI", "[lote]\ntamanho=42\n");
    tmp.MakeFolder("Zelt/Bin/Pdv");
    EXPECT_EQ(TAmbienteIni::EncontrarPastaProduto(Product() + "Bin/Pdv/"), Product());
    const TAmbienteIni env(Product());
    EXPECT_TRUE(env.GetArqExiste());
    EXPECT_EQ(env.GetNomeArq(), Product() + "Ambiente.INI");
    EXPECT_EQ(env.GetTamanhoLote(), 42);
}

TEST_F(AmbienteIniTest, WithoutAnyFileTheProductIsTwoLevelsUp) {
    // The search climbs to the root and stops there.
    const std::string program = tmp.MakeFolder("Nada/Bin/Pdv");
    EXPECT_EQ(TAmbienteIni::EncontrarPastaProduto(program), tmp.Path() + "Nada/");
}

TEST(AmbienteIni, TheDefaultConstructorStartsFromTheRunningProgram) {
    const TAmbienteIni env;
    const std::string product =
        TAmbienteIni::EncontrarPastaProduto(ExtractFilePath(ExecutableFileName()));
    EXPECT_EQ(env.GetPastaProduto(), product);
    EXPECT_EQ(env.GetPastaLog(), TAmbienteIni(product).GetPastaLog());
}

} // namespace
} // namespace zelt
