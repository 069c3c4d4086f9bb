#include "TempFolder.h"
#include "outside/utils/UMensagens.h"
#include "outside/utils/USistema.h"
#include "outside/utils/UWinExecutar.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/WindowRegistry.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace zelt {
namespace {

using testing_utils::TempFolder;

std::string Slurp(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Waits for a file that a detached program writes; a generous bound, not a timing check.
bool AppearsWithin(const std::string& name, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        if (FileExists(name) && !Slurp(name).empty()) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

class WinExecutarTest : public ::testing::Test {
protected:
    TempFolder tmp;
};

TEST_F(WinExecutarTest, RunsABatchFileInItsWorkingFolderAndAwaitsIt) {
    const std::string work = tmp.MakeFolder("work");
    // A batch file as the system writes it: not executable, with a blank in its name.
    const std::string batch = tmp.Write("TMP 1899-12-30.bat", "pwd > saida.txt\nexit 3\n");
    TWinExecutar run(batch, "", work, true, JanelaMinimizadaSemFoco);
    EXPECT_EQ(run.Esperar(), 3);
    EXPECT_FALSE(run.Executando());
    EXPECT_EQ(run.CodigoSaida(), 3);
    EXPECT_EQ(run.ModoJanela(), JanelaMinimizadaSemFoco);
    EXPECT_EQ(Slurp(work + "saida.txt"), ExcludeTrailingPathDelimiter(work) + "\n");
}

TEST_F(WinExecutarTest, ExecutandoFollowsTheProgram) {
    const std::string go = tmp.Path() + "go";
    // The script waits for the test, so "still running" is certain when it is asked.
    const std::string script =
        tmp.Write("wait.sh", "while [ ! -f \"" + go + "\" ]; do sleep 0.02; done\n");
    TWinExecutar run(script);
    EXPECT_TRUE(run.Executando());
    EXPECT_TRUE(run.Executando());
    tmp.Write("go", "");
    EXPECT_EQ(run.Esperar(), 0);
    EXPECT_FALSE(run.Executando());
}

TEST_F(WinExecutarTest, PassesTheParametersAsACommandLine) {
    const std::string script =
        tmp.Write("args.sh", "for a in \"$@\"; do echo \"[$a]\"; done > \"$1\"\n");
    const std::string out = tmp.Path() + "args.txt";
    TWinExecutar run("\"" + script + "\"", "'" + out + "' um \"dois tres\"", "");
    EXPECT_EQ(run.Esperar(), 0);
    EXPECT_EQ(Slurp(out), "[" + out + "]\n[um]\n[dois tres]\n");
}

TEST_F(WinExecutarTest, RunsAProgramFromThePath) {
    TWinExecutar run("sh", "-c 'exit 5'");
    EXPECT_EQ(run.Esperar(), 5);
}

TEST_F(WinExecutarTest, AMissingProgramEndsWithCode127) {
    TWinExecutar run(tmp.Path() + "nao-existe");
    EXPECT_EQ(run.Esperar(), 127);
}

TEST_F(WinExecutarTest, WithoutWaitingTheProgramRunsDetached) {
    const std::string out = tmp.Path() + "detached.txt";
    const std::string script = tmp.Write("bg.sh", "echo feito > \"" + out + "\"\n");
    TWinExecutar run(script, "", "", false);
    EXPECT_TRUE(AppearsWithin(out, 10));
    EXPECT_EQ(Slurp(out), "feito\n");
}

TEST(AbrirDoc, HandsTheFileToTheOpener) {
    TempFolder tmp;
    const std::string doc = tmp.Write("mensagem.txt", "texto");
    const std::string seen = tmp.Path() + "seen.txt";
    DefinirAbridorDeDocs({"/bin/sh", "-c", "echo \"$1\" > '" + seen + "'", "opener"});
    const bool opened = AbrirDoc(doc);
    DefinirAbridorDeDocs({});
    EXPECT_TRUE(opened);
    ASSERT_TRUE(AppearsWithin(seen, 10));
    EXPECT_EQ(Slurp(seen), doc + "\n");
}

TEST(AbrirDoc, FalseForAMissingFileOrOpener) {
    TempFolder tmp;
    EXPECT_FALSE(AbrirDoc(tmp.Path() + "nao-existe.txt"));
    DefinirAbridorDeDocs({tmp.Path() + "sem-abridor"});
    const bool opened = AbrirDoc(tmp.Write("doc.txt", "x"));
    DefinirAbridorDeDocs({});
    EXPECT_FALSE(opened);
}

TEST(JanelaExiste, FollowsTheWindowRegistry) {
    const std::string cls = "TUtilsTestF" + std::to_string(getpid());
    EXPECT_FALSE(JanelaExiste(cls));
    {
        WindowClassHold hold(cls);
        ASSERT_TRUE(hold.Held());
        EXPECT_TRUE(JanelaExiste(cls));
    }
    EXPECT_FALSE(JanelaExiste(cls));
}

TEST(TextoParaClipB, PutsTheTextOnTheClipboard) {
    std::string hooked;
    SetClipboardHook([&hooked](const std::string& text) { hooked = text; });
    TextoParaClipB("Comando encerrado");
    SetClipboardHook({});
    EXPECT_EQ(hooked, "Comando encerrado");
}

TEST(RetornaNomeComputador, IsTheMachinesNetworkName) {
    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    EXPECT_EQ(RetornaNomeComputador(), ComputerName());
    EXPECT_EQ(RetornaNomeComputador(), host);
}

TEST(AmbienteDeDesenvolvimento, FollowsZeltDev) {
    const char* saved = std::getenv("ZELT_DEV");
    const std::string keep = saved ? saved : "";
    setenv("ZELT_DEV", "1", 1);
    EXPECT_TRUE(AmbienteDeDesenvolvimento());
    setenv("ZELT_DEV", "0", 1);
    EXPECT_FALSE(AmbienteDeDesenvolvimento());
    if (saved) {
        setenv("ZELT_DEV", keep.c_str(), 1);
    } else {
        unsetenv("ZELT_DEV");
    }
}

TEST(EscolherPasta, AsksTheInstalledChooser) {
    std::string asked;
    std::string startedAt;
    DefinirEscolhedorDePasta([&](const std::string& prompt, std::string& pasta) {
        asked = prompt;
        startedAt = pasta;
        pasta = "/srv/zelt";
        return true;
    });
    std::string folder = "/home/loja/";
    const bool chose = EscolherPasta("Indicar a pasta K4PDV no servidor", folder);
    DefinirEscolhedorDePasta({});
    EXPECT_TRUE(chose);
    EXPECT_EQ(folder, "/srv/zelt/");
    EXPECT_EQ(asked, "Indicar a pasta K4PDV no servidor");
    EXPECT_EQ(startedAt, "/home/loja/");
}

TEST(EscolherPasta, CancelOrNoChooserLeavesTheFolder) {
    std::string folder = "/home/loja/";
    EXPECT_FALSE(EscolherPasta("?", folder));
    EXPECT_EQ(folder, "/home/loja/");
    DefinirEscolhedorDePasta([](const std::string&, std::string& pasta) {
        pasta = "/tmp/";
        return false;
    });
    const bool chose = EscolherPasta("?", folder);
    DefinirEscolhedorDePasta({});
    EXPECT_FALSE(chose);
    EXPECT_EQ(folder, "/home/loja/");
}

TEST(Mensagens, GoThroughTheOperatorMessageChannel) {
    ScopedRecordingPresenter recorder;
    MensagemErro("Código já existe", 12);
    MensagemInfo("Processo encerrado");
    recorder->answer = false;
    EXPECT_FALSE(Pergunta("Cancelar as alterações?"));
    recorder->answer = true;
    EXPECT_TRUE(Pergunta("Excluir?"));
    const auto records = recorder->Records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].kind, MessageKind::Error);
    EXPECT_EQ(records[0].text, "Código já existe");
    EXPECT_EQ(records[1].kind, MessageKind::Information);
    EXPECT_EQ(records[1].text, "Processo encerrado");
    EXPECT_EQ(records[2].kind, MessageKind::Question);
    EXPECT_EQ(records[2].text, "Cancelar as alterações?");
    EXPECT_EQ(records[3].text, "Excluir?");
}

} // namespace
} // namespace zelt
