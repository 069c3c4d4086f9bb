#include "app/TextFileModel/UTextFileModel.h"
#include "tests/core_files/FilesFixture.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace zelt {
namespace {

using testing::FilesFixture;

class TextFileModel : public FilesFixture {};

TEST_F(TextFileModel, AMissingFileHasNoLinesAndSalvarCreatesIt) {
    const std::string nome = Pasta() + "modelo.txt";
    TTextFileModel modelo(nome);
    EXPECT_EQ(modelo.GetNomeArquivo(), nome);
    EXPECT_EQ(modelo.GetLinhas().Count(), 0);
    EXPECT_FALSE(Exists(nome));

    modelo.GetLinhas().Add("primeira");
    modelo.GetLinhas().Add("a\xE7\xE3o");
    modelo.Salvar();
    EXPECT_EQ(ReadBytes(nome), "primeira\r\na\xE7\xE3o\r\n");
}

TEST_F(TextFileModel, LoadsAnExistingFileOneEntryALine) {
    const std::string nome = Pasta() + "modelo.txt";
    WriteBytes(nome, "um\r\ndois\ntres");
    TTextFileModel modelo(nome);
    EXPECT_EQ(modelo.GetLinhas(), (TLinhas{"um", "dois", "tres"}));
}

TEST_F(TextFileModel, SalvarReplacesTheFileAndCarregarFollowsIt) {
    const std::string nome = Pasta() + "modelo.txt";
    WriteBytes(nome, "velha\r\noutra\r\n");
    TTextFileModel modelo(nome);
    modelo.GetLinhas().Delete(0);
    modelo.Salvar();
    EXPECT_EQ(ReadBytes(nome), "outra\r\n");

    WriteBytes(nome, "de fora\r\n");
    modelo.Carregar();
    EXPECT_EQ(modelo.GetLinhas(), (TLinhas{"de fora"}));

    std::remove(nome.c_str());
    modelo.Carregar();
    EXPECT_EQ(modelo.GetLinhas().Count(), 0);
}

} // namespace
} // namespace zelt
