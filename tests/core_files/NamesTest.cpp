#include "core/files/UArq.h"
#include "core/files/UNome.h"
#include "core/files/UNomeArq.h"
#include "core/files/UPasta.h"
#include "tests/core_files/FilesFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelt {
namespace {

using testing::FilesFixture;

// 2024-03-05 07:08:09.045
const TDateTime kMoment = EncodeDateTime(2024, 3, 5, 7, 8, 9, 45);

// --- TPasta ---------------------------------------------------------------------------------

struct FolderCase {
    const char* given;
    const char* stored;
};

class PastaNormalisation : public ::testing::TestWithParam<FolderCase> {};

TEST_P(PastaNormalisation, EndsInExactlyOneDelimiter) {
    EXPECT_EQ(TPasta(GetParam().given).AsString(), GetParam().stored);
}

// SetAsString is virtual: storing through the base must still normalise.
TEST_P(PastaNormalisation, NormalisesWhenSetThroughTheBase) {
    TPasta pasta("/elsewhere/");
    TDadoStr& base = pasta;
    base.SetAsString(GetParam().given);
    EXPECT_EQ(base.GetAsString(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Folders, PastaNormalisation,
                         ::testing::Values(FolderCase{"/srv/Dados", "/srv/Dados/"},
                                           FolderCase{"/srv/Dados/", "/srv/Dados/"},
                                           FolderCase{"", "/"}, FolderCase{"/", "/"},
                                           FolderCase{"Log/Lig", "Log/Lig/"}));

class PastaFiles : public FilesFixture {};

TEST_F(PastaFiles, CreatesAllMissingLevelsOnlyWhenAsked) {
    TPasta semCriar(Pasta() + "a/b/c", false);
    EXPECT_FALSE(Exists(Pasta() + "a"));

    TPasta criada(Pasta() + "a/b/c", true);
    EXPECT_EQ(criada.AsString(), Pasta() + "a/b/c/");
    EXPECT_TRUE(IsDirectory(Pasta() + "a/b/c"));
    EXPECT_TRUE(criada.Force()); // an existing folder is fine
}

TEST_F(PastaFiles, ForceTellsWhenTheFolderCannotBeMade) {
    WriteBytes(Pasta() + "plain", "x");
    TPasta pasta(Pasta() + "plain/sub", false);
    EXPECT_FALSE(pasta.Force());
}

struct DateFolderCase {
    TTipoCaminhoDateTime tipo;
    const char* below;
};

class PastaWithDate : public FilesFixture, public ::testing::WithParamInterface<DateFolderCase> {};

TEST_P(PastaWithDate, AppendsTheDateFolderAndAlwaysCreatesIt) {
    TPasta pasta(Pasta() + "Dados", GetParam().tipo, kMoment);
    const std::string expected = Pasta() + "Dados/" + GetParam().below;
    EXPECT_EQ(pasta.AsString(), expected);
    EXPECT_TRUE(IsDirectory(expected));
}

TEST_P(PastaWithDate, TakesNowForAZeroMoment) {
    FixClock(kMoment);
    TPasta pasta(Pasta() + "Dados/", GetParam().tipo, 0);
    EXPECT_EQ(pasta.AsString(), Pasta() + "Dados/" + GetParam().below);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PastaWithDate,
                         ::testing::Values(DateFolderCase{tcdtNenhum, ""},
                                           DateFolderCase{tcdtDate, "2024/03/05/"},
                                           DateFolderCase{tcdtDateTime, "2024/03/05/07-08-09/"}));

// --- TNome ----------------------------------------------------------------------------------

class NomeTest : public FilesFixture {};

TEST_F(NomeTest, KeepsAPlainNameUnchanged) {
    EXPECT_EQ(TNome("Vendas.txt").AsString(), "Vendas.txt");
    EXPECT_EQ(TNome("").AsString(), ""); // no folder delimiter added to names
}

TEST_F(NomeTest, PutsTheTimeStampBetweenPrefixAndSuffix) {
    EXPECT_EQ(TNome("Backup", ".zip", kMoment).AsString(), "Backup 2024-03-05-07-08-09-045.zip");
}

TEST_F(NomeTest, ZeroMomentIsNow) {
    FixClock(kMoment);
    EXPECT_EQ(TNome("Backup", ".zip", 0).AsString(), "Backup 2024-03-05-07-08-09-045.zip");
    EXPECT_EQ(ClockReadings(), 1);
}

// --- TNomeArq -------------------------------------------------------------------------------

class NomeArqTest : public FilesFixture {};

TEST_F(NomeArqTest, SplitsAFullNameIntoFolderAndName) {
    TNomeArq nome(Pasta() + "x/y/Vendas.txt", false);
    EXPECT_EQ(nome.GetPasta().AsString(), Pasta() + "x/y/");
    EXPECT_EQ(nome.GetNome().AsString(), "Vendas.txt");
    EXPECT_EQ(nome.GetNomeCompleto(), Pasta() + "x/y/Vendas.txt");
    EXPECT_FALSE(Exists(Pasta() + "x"));
}

TEST_F(NomeArqTest, ANameWithoutFolderLiesInTheRoot) {
    TNomeArq nome("Vendas.txt", false);
    EXPECT_EQ(nome.GetPasta().AsString(), "/");
    EXPECT_EQ(nome.GetNomeCompleto(), "/Vendas.txt");
}

TEST_F(NomeArqTest, CreatesTheFoldersWhenAsked) {
    TNomeArq nome(Pasta() + "x/y/Vendas.txt", true);
    EXPECT_TRUE(IsDirectory(Pasta() + "x/y"));
    EXPECT_FALSE(nome.Existe());
    WriteBytes(nome.GetNomeCompleto(), "");
    EXPECT_TRUE(nome.Existe());

    TNomeArq separados(Pasta() + "z", "Compras.txt", true);
    EXPECT_EQ(separados.GetNomeCompleto(), Pasta() + "z/Compras.txt");
    EXPECT_TRUE(IsDirectory(Pasta() + "z"));
}

struct StampedCase {
    TTipoCaminhoDateTime tipo;
    bool comDataHora;
    const char* below; // what follows the test folder
};

class NomeArqStamped : public FilesFixture, public ::testing::WithParamInterface<StampedCase> {};

// The folder of the given name is dropped; the suffix carries the extension.
TEST_P(NomeArqStamped, BuildsFolderAndNameFromTheMoment) {
    TNomeArq nome(Pasta() + "Dados", "outra/pasta/Vendas", ".txt", kMoment, GetParam().tipo,
                  GetParam().comDataHora);
    EXPECT_EQ(nome.GetNomeCompleto(), Pasta() + GetParam().below);
    EXPECT_TRUE(IsDirectory(nome.GetPasta().AsString()));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NomeArqStamped,
    ::testing::Values(StampedCase{tcdtNenhum, true, "Dados/Vendas 2024-03-05-07-08-09-045.txt"},
                      StampedCase{tcdtNenhum, false, "Dados/Vendas.txt"},
                      StampedCase{tcdtDate, true,
                                  "Dados/2024/03/05/Vendas 2024-03-05-07-08-09-045.txt"},
                      StampedCase{tcdtDate, false, "Dados/2024/03/05/Vendas.txt"},
                      StampedCase{tcdtDateTime, false, "Dados/2024/03/05/07-08-09/Vendas.txt"}));

// A name made a moment before midnight must not get the next day's folder with the previous
// day's stamp: the clock is read once.
TEST_F(NomeArqTest, ZeroMomentReadsTheClockOnce) {
    ClockSequence(
        {EncodeDateTime(2024, 3, 5, 23, 59, 59, 999), EncodeDateTime(2024, 3, 6, 0, 0, 0, 0)});
    TNomeArq nome(Pasta(), "Vendas", ".txt", 0, tcdtDate, true);
    EXPECT_EQ(nome.GetNomeCompleto(), Pasta() + "2024/03/05/Vendas 2024-03-05-23-59-59-999.txt");
}

// --- TArq -----------------------------------------------------------------------------------

class ArqTest : public FilesFixture {};

TEST_F(ArqTest, TakesNameFirstAndFolderSecond) {
    TArq arq("Vendas.txt", Pasta() + "Dados");
    EXPECT_EQ(arq.GetNomeCompleto(), Pasta() + "Dados/Vendas.txt");
    EXPECT_TRUE(IsDirectory(Pasta() + "Dados"));
}

TEST_F(ArqTest, FullNameAndStampedConstructorsCreateTheFolders) {
    TArq completo(Pasta() + "a/b/Vendas.txt");
    EXPECT_TRUE(IsDirectory(Pasta() + "a/b"));
    TArq carimbado(Pasta() + "c", "Vendas", ".txt", kMoment, tcdtDate, false);
    EXPECT_EQ(carimbado.GetNomeCompleto(), Pasta() + "c/2024/03/05/Vendas.txt");
    EXPECT_TRUE(IsDirectory(Pasta() + "c/2024/03/05"));
}

// Records which of its operations ran, to show what the combined operations choose.
class RecordingArq : public TArq {
public:
    using TArq::TArq;
    bool Criar() override {
        calls.push_back("Criar");
        return TArq::Criar();
    }
    bool Abrir() override {
        calls.push_back("Abrir");
        return TArq::Abrir();
    }
    bool Adicionar() override {
        calls.push_back("Adicionar");
        return TArq::Adicionar();
    }
    std::vector<std::string> calls;
};

TEST_F(ArqTest, CombinedOperationsChooseByTheFilesExistence) {
    RecordingArq arq(Pasta() + "Vendas.txt");
    arq.AbrirOuCriar();
    arq.AdicionarOuCriar();
    WriteBytes(arq.GetNomeCompleto(), "");
    arq.AbrirOuCriar();
    arq.AdicionarOuCriar();
    EXPECT_EQ(arq.calls, (std::vector<std::string>{"Criar", "Criar", "Abrir", "Adicionar"}));
}

TEST_F(ArqTest, StateAndCountersFollowTheOperations) {
    TArq arq(Pasta() + "Vendas.txt");
    EXPECT_FALSE(arq.GetAberto());
    EXPECT_EQ(arq.GetQtdLidas(), 0);
    EXPECT_EQ(arq.GetQtdEscritas(), 0);
    arq.Adicionar();
    EXPECT_FALSE(arq.GetAberto()); // keeps its value
    arq.Abrir();
    EXPECT_TRUE(arq.GetAberto());
    arq.Adicionar();
    EXPECT_TRUE(arq.GetAberto());
    arq.Reset();
    EXPECT_TRUE(arq.GetAberto());
    arq.Fechar();
    EXPECT_FALSE(arq.GetAberto());
    arq.Criar();
    EXPECT_TRUE(arq.GetAberto());
}

TEST_F(ArqTest, RenamingChangesTheExtensionOnDiskAndInTheName) {
    TArq arq(Pasta() + "Precos.tmp");
    WriteBytes(arq.GetNomeCompleto(), "conteudo");
    arq.RenomearMudarExtensao(".txt");
    EXPECT_EQ(arq.GetNomeCompleto(), Pasta() + "Precos.txt");
    EXPECT_EQ(arq.GetNomeArq().GetNome().AsString(), "Precos.txt");
    EXPECT_FALSE(Exists(Pasta() + "Precos.tmp"));
    EXPECT_EQ(ReadBytes(Pasta() + "Precos.txt"), "conteudo");
}

// The file handed to another program replaces the previous one instead of staying behind under
// its temporary name.
TEST_F(ArqTest, RenamingReplacesAnExistingFileOfTheNewName) {
    WriteBytes(Pasta() + "Precos.txt", "antigo");
    TArq arq(Pasta() + "Precos.tmp");
    WriteBytes(arq.GetNomeCompleto(), "novo");
    arq.RenomearMudarExtensao(".txt");
    EXPECT_FALSE(Exists(Pasta() + "Precos.tmp"));
    EXPECT_EQ(ReadBytes(Pasta() + "Precos.txt"), "novo");
}

TEST_F(ArqTest, AFailedRenameIsNotReportedButTheNameChanges) {
    TArq arq(Pasta() + "Ausente.tmp");
    EXPECT_NO_THROW(arq.RenomearMudarExtensao(".txt"));
    EXPECT_EQ(arq.GetNomeCompleto(), Pasta() + "Ausente.txt");
    EXPECT_FALSE(Exists(Pasta() + "Ausente.txt"));
}

} // namespace
} // namespace zelt
