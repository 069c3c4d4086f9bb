#include "core/files/UArqBin.h"
#include "core/files/UArqTexto.h"
#include "platform/rtl/Errors.h"
#include "tests/core_files/FilesFixture.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace zelt {
namespace {

using testing::FilesFixture;

// Runs `action`, expecting EInOutError with the given errno.
template <typename Action> void ExpectIoError(Action action, int expectedErrno) {
    try {
        action();
        ADD_FAILURE() << "no EInOutError was raised";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode(), expectedErrno) << e.Message();
        EXPECT_STREQ(e.ClassName(), "EInOutError");
    }
}

// --- reading lines --------------------------------------------------------------------------

struct LinesCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
};

class ReadingLines : public FilesFixture, public ::testing::WithParamInterface<LinesCase> {
protected:
    std::string Written() {
        const std::string nome = Pasta() + "linhas.txt";
        WriteBytes(nome, GetParam().bytes);
        return nome;
    }
};

TEST_P(ReadingLines, GetLinhaReadsEachLineAndCountsIt) {
    TArqTexto arq(Written());
    EXPECT_TRUE(arq.Abrir());
    std::vector<std::string> read;
    while (arq.GetLinha()) {
        read.push_back(arq.Linha());
        EXPECT_EQ(arq.GetQtdLidas(), static_cast<int>(read.size()));
    }
    arq.Fechar();
    EXPECT_EQ(read, GetParam().lines);
}

TEST_P(ReadingLines, GetQtdLinhasCountsThemAndCloses) {
    TArqTexto arq(Written());
    EXPECT_EQ(arq.GetQtdLinhas(), static_cast<int>(GetParam().lines.size()));
    EXPECT_FALSE(arq.GetAberto());
}

TEST_P(ReadingLines, GetLinhaUltimaLeavesTheLastLine) {
    TArqTexto arq(Written());
    arq.SetLinha("antes");
    EXPECT_TRUE(arq.GetLinhaUltima());
    EXPECT_FALSE(arq.GetAberto());
    const auto& lines = GetParam().lines;
    EXPECT_EQ(arq.Linha(), lines.empty() ? "antes" : lines.back());
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ReadingLines,
    ::testing::Values(
        LinesCase{"Empty", "", {}}, LinesCase{"CrLf", "a\r\nb\r\nc\r\n", {"a", "b", "c"}},
        LinesCase{"NoFinalLineEnd", "a\r\nb\r\nc", {"a", "b", "c"}},
        LinesCase{"LoneCr", "a\rb\rc", {"a", "b", "c"}}, LinesCase{"LoneLf", "a\nb\n", {"a", "b"}},
        LinesCase{"Mixed", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        LinesCase{"EmptyLines", "\r\n\r\nx\r\n\r\n", {"", "", "x", ""}},
        LinesCase{"LfThenCrAreTwoEnds", "a\n\rb", {"a", "", "b"}}, LinesCase{"OnlyCr", "\r", {""}},
        LinesCase{"EightBitAndNul",
                  std::string("a\xE7\xE3o\0z\r\n", 7),
                  {std::string("a\xE7\xE3o\0z", 6)}}),
    [](const auto& info) { return info.param.what; });

// --- writing --------------------------------------------------------------------------------

class TextFile : public FilesFixture {};

TEST_F(TextFile, WritesCrLfLinesAndCountsOnlyWholeLines) {
    TArqTexto arq(Pasta() + "saida.txt");
    arq.Criar();
    arq.Escrever("a");
    arq.EscreverLn("b");
    EXPECT_TRUE(arq.EscreverStrings(TStringList{"c", "", "d"}));
    EXPECT_TRUE(arq.EscreverStrings(TStringList{}));
    EXPECT_EQ(arq.GetQtdEscritas(), 4);
    arq.Fechar();
    EXPECT_EQ(ReadBytes(arq.GetNomeCompleto()), "ab\r\nc\r\n\r\nd\r\n");
}

TEST_F(TextFile, CriarEmptiesAndAdicionarAppends) {
    const std::string nome = Pasta() + "saida.txt";
    WriteBytes(nome, "velho\r\n");
    TArqTexto arq(nome);
    arq.Criar();
    arq.EscreverLn("um");
    arq.Fechar();
    arq.Adicionar();
    EXPECT_EQ(arq.GetQtdEscritas(), 0);
    arq.EscreverLn("dois");
    arq.Fechar();
    EXPECT_EQ(ReadBytes(nome), "um\r\ndois\r\n");
}

TEST_F(TextFile, GravarImediatoIsOnAfterConstructionAndOffAfterInicialize) {
    TArqTexto completo(Pasta() + "a.txt");
    TArqTexto separado("b.txt", Pasta());
    EXPECT_TRUE(completo.GetGravarImediato());
    EXPECT_TRUE(separado.GetGravarImediato());
    EXPECT_EQ(separado.GetNomeCompleto(), Pasta() + "b.txt");
    completo.Inicialize();
    EXPECT_FALSE(completo.GetGravarImediato());
}

// Another reader (or a crash) must see what was written while the file is still open.
TEST_F(TextFile, GravarImediatoHandsEveryWriteToTheSystemAtOnce) {
    TArqTexto arq(Pasta() + "log.txt");
    arq.Criar();
    arq.Escrever("aberto");
    EXPECT_EQ(ReadBytes(arq.GetNomeCompleto()), "aberto");

    arq.SetGravarImediato(false);
    arq.Escrever(";fechado");
    EXPECT_EQ(ReadBytes(arq.GetNomeCompleto()), "aberto");
    arq.Fechar();
    EXPECT_EQ(ReadBytes(arq.GetNomeCompleto()), "aberto;fechado");
}

TEST_F(TextFile, NamesAreWindows1252AndBecomeUtf8OnDisk) {
    TArqTexto arq(Pasta() + "relat\xF3rio.txt");
    arq.Criar();
    arq.EscreverLn("a\xE7\xE3o");
    arq.Fechar();
    const std::string emDisco = Pasta() + reinterpret_cast<const char*>(u8"relatório.txt");
    EXPECT_EQ(ReadBytes(emDisco), "a\xE7\xE3o\r\n");
}

TEST_F(TextFile, ResetReadsTheBoundFileFromTheStart) {
    TArqTexto arq(Pasta() + "r.txt");
    arq.Criar();
    arq.EscreverLn("primeira");
    arq.EscreverLn("segunda");
    arq.Reset();
    EXPECT_EQ(arq.GetQtdEscritas(), 0);
    ASSERT_TRUE(arq.GetLinha());
    ASSERT_TRUE(arq.GetLinha());
    EXPECT_EQ(arq.Linha(), "segunda");
    arq.Reset();
    ASSERT_TRUE(arq.GetLinha());
    EXPECT_EQ(arq.Linha(), "primeira");
    EXPECT_EQ(arq.GetQtdLidas(), 1);
    arq.Fechar();
}

TEST_F(TextFile, AbertoAfterEachWayOfOpening) {
    TArqTexto arq(Pasta() + "e.txt");
    arq.Criar();
    EXPECT_TRUE(arq.GetAberto());
    arq.Fechar();
    EXPECT_FALSE(arq.GetAberto());
    arq.Adicionar();
    EXPECT_FALSE(arq.GetAberto()); // Adicionar keeps the previous value
    arq.EscreverLn("x");           // ... while the file is open for writing all the same
    arq.Fechar();
    arq.Abrir();
    EXPECT_TRUE(arq.GetAberto());
    arq.Adicionar();
    EXPECT_TRUE(arq.GetAberto());
    arq.Fechar();
    EXPECT_EQ(ReadBytes(arq.GetNomeCompleto()), "x\r\n");
}

// --- failures -------------------------------------------------------------------------------

TEST_F(TextFile, AMissingFileCannotBeReadOrAppendedTo) {
    TArqTexto arq(Pasta() + "ausente.txt");
    ExpectIoError([&] { arq.Abrir(); }, ENOENT);
    EXPECT_FALSE(arq.GetAberto());
    ExpectIoError([&] { arq.Adicionar(); }, ENOENT);
    ExpectIoError([&] { arq.GetQtdLinhas(); }, ENOENT);
    ExpectIoError([&] { arq.GetLinhaUltima(); }, ENOENT);
    EXPECT_FALSE(Exists(arq.GetNomeCompleto()));
}

TEST_F(TextFile, AdicionarOuCriarCreatesAMissingFile) {
    TArqTexto arq(Pasta() + "novo.txt");
    EXPECT_TRUE(arq.AdicionarOuCriar());
    EXPECT_TRUE(arq.GetAberto());
    arq.EscreverLn("1");
    arq.Fechar();
    EXPECT_TRUE(arq.AdicionarOuCriar());
    arq.EscreverLn("2");
    arq.Fechar();
    EXPECT_EQ(ReadBytes(arq.GetNomeCompleto()), "1\r\n2\r\n");
}

TEST_F(TextFile, CreatingInAFolderThatCannotBeMadeRaises) {
    WriteBytes(Pasta() + "plain", "x");
    TArqTexto arq(Pasta() + "plain/sub/a.txt");
    ExpectIoError([&] { arq.Criar(); }, ENOTDIR);
    EXPECT_FALSE(arq.GetAberto());
}

TEST_F(TextFile, ReadingOrWritingAFileNotOpenForItRaises) {
    TArqTexto arq(Pasta() + "f.txt");
    ExpectIoError([&] { arq.GetLinha(); }, EBADF);
    ExpectIoError([&] { arq.EscreverLn("x"); }, EBADF);
    ExpectIoError([&] { arq.Reset(); }, EBADF); // never bound to a file
    arq.Criar();
    arq.Fechar();
    arq.Abrir();
    ExpectIoError([&] { arq.EscreverLn("x"); }, EBADF);
    arq.Fechar();
    EXPECT_EQ(arq.GetQtdEscritas(), 0);
}

TEST_F(TextFile, AFullDiskRaisesOnTheWriteWhenWritingAtOnce) {
    if (!Exists("/dev/full")) {
        GTEST_SKIP() << "/dev/full is not available";
    }
    const int antes = OpenDescriptors();
    TArqTexto arq("/dev/full");
    arq.Criar();
    ExpectIoError([&] { arq.EscreverLn("x"); }, ENOSPC);
    EXPECT_EQ(arq.GetQtdEscritas(), 0);
    // The line that failed was reported already; closing does not report it twice.
    EXPECT_NO_THROW(arq.Fechar());
    EXPECT_FALSE(arq.GetAberto());
    EXPECT_EQ(OpenDescriptors(), antes);
}

TEST_F(TextFile, AFullDiskRaisesOnClosingWhenWritesAreBuffered) {
    if (!Exists("/dev/full")) {
        GTEST_SKIP() << "/dev/full is not available";
    }
    const int antes = OpenDescriptors();
    TArqTexto arq("/dev/full");
    arq.SetGravarImediato(false);
    arq.Criar();
    EXPECT_NO_THROW(arq.EscreverLn("x"));
    ExpectIoError([&] { arq.Fechar(); }, ENOSPC);
    EXPECT_FALSE(arq.GetAberto());
    EXPECT_EQ(OpenDescriptors(), antes);
}

// A read that fails (a folder opened as a file) closes the file and lets the error through.
TEST_F(TextFile, AFailedReadClosesTheFileAndPassesTheError) {
    std::filesystem::create_directory(Pasta() + "pasta");
    const int antes = OpenDescriptors();
    TArqTexto arq(Pasta() + "pasta");
    ExpectIoError([&] { arq.GetQtdLinhas(); }, EISDIR);
    EXPECT_FALSE(arq.GetAberto());
    ExpectIoError([&] { arq.GetLinhaUltima(); }, EISDIR);
    EXPECT_FALSE(arq.GetAberto());
    EXPECT_EQ(OpenDescriptors(), antes);
}

TEST_F(TextFile, NoHandleOutlivesItsObjectNorAReopening) {
    const int antes = OpenDescriptors();
    {
        TArqTexto arq(Pasta() + "h.txt");
        arq.Criar();
        arq.Criar();
        arq.Abrir();
        arq.Reset();
        arq.Adicionar();
        arq.EscreverLn("deixado aberto");
        EXPECT_EQ(OpenDescriptors(), antes + 1);
    }
    EXPECT_EQ(OpenDescriptors(), antes);
    EXPECT_EQ(ReadBytes(Pasta() + "h.txt"), "deixado aberto\r\n");
}

// --- TArqBin --------------------------------------------------------------------------------

class BinFile : public FilesFixture {};

TEST_F(BinFile, ReadsTheWholeFileIntoTheBuffer) {
    const std::string bytes("\x00\x01\xFF\r\nfim", 8);
    WriteBytes(Pasta() + "b.bin", bytes);
    TArqBin arq(Pasta() + "b.bin");
    EXPECT_TRUE(arq.Abrir());
    EXPECT_TRUE(arq.GetAberto());
    EXPECT_GE(arq.GetHandleArq(), 0);
    ASSERT_EQ(arq.GetTamArq(), 8);
    std::vector<char> buffer(static_cast<std::size_t>(arq.GetTamArq()));
    EXPECT_TRUE(arq.Leia(buffer.data()));
    EXPECT_EQ(arq.GetQtdLidas(), 8);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), bytes);
    arq.Fechar();
    EXPECT_FALSE(arq.GetAberto());
    EXPECT_EQ(arq.GetHandleArq(), -1);
}

TEST_F(BinFile, AnEmptyFileHasSizeZero) {
    WriteBytes(Pasta() + "vazio.bin", "");
    TArqBin arq(Pasta() + "vazio.bin");
    arq.Abrir();
    EXPECT_EQ(arq.GetTamArq(), 0);
    char nada = 'x';
    EXPECT_TRUE(arq.Leia(&nada));
    EXPECT_EQ(arq.GetQtdLidas(), 0);
    EXPECT_EQ(nada, 'x');
    arq.Fechar();
}

TEST_F(BinFile, AMissingFileRaisesAndLeavesNoSizeToRead) {
    TArqBin arq(Pasta() + "ausente.bin");
    ExpectIoError([&] { arq.Abrir(); }, ENOENT);
    EXPECT_FALSE(arq.GetAberto());
    EXPECT_EQ(arq.GetTamArq(), 0);
    EXPECT_EQ(arq.GetHandleArq(), -1);
    char buffer[1];
    ExpectIoError([&] { arq.Leia(buffer); }, EBADF);
}

TEST_F(BinFile, AFileTooLargeForTheSizeRaisesInsteadOfWrapping) {
    const std::string nome = Pasta() + "grande.bin";
    WriteBytes(nome, "");
    // Sparse: 2 GiB of size without the disk space.
    if (::truncate(nome.c_str(), 0x80000000LL) != 0) {
        GTEST_SKIP() << "cannot make a sparse 2 GiB file here";
    }
    const int antes = OpenDescriptors();
    TArqBin arq(nome);
    ExpectIoError([&] { arq.Abrir(); }, EFBIG);
    EXPECT_EQ(arq.GetTamArq(), 0);
    EXPECT_FALSE(arq.GetAberto());
    EXPECT_EQ(OpenDescriptors(), antes);
}

TEST_F(BinFile, ReopeningOrForgettingToCloseLeaksNoHandle) {
    WriteBytes(Pasta() + "b.bin", "abc");
    const int antes = OpenDescriptors();
    {
        TArqBin arq(Pasta() + "b.bin");
        arq.Abrir();
        arq.Abrir();
        EXPECT_EQ(OpenDescriptors(), antes + 1);
    }
    EXPECT_EQ(OpenDescriptors(), antes);
}

} // namespace
} // namespace zelt
