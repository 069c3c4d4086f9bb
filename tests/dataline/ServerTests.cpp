// A Firebird server on this machine reached through the "host[/port]:path" form. The CI starts
// one; without a server answering on 127.0.0.1:3050 the tests are skipped.
#include "outside/dataline/UArqSQL.h"
#include "outside/dataline/UConexaoSQL.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/OperatorMessages.h"
#include "platform/rtl/Text.h"
#include "tests/dataline/DbFixture.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelt {
namespace {

using test::Banco;
using test::NovoBanco;
using test::PastaTemporaria;

bool ServidorResponde(int porta) {
    int s = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (s < 0) {
        return false;
    }
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_port = htons(static_cast<uint16_t>(porta));
    inet_pton(AF_INET, "127.0.0.1", &endereco.sin_addr);
    bool ok = connect(s, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) == 0;
    if (!ok && errno == EINPROGRESS) {
        pollfd p{s, POLLOUT, 0};
        int erro = 0;
        socklen_t tamanho = sizeof erro;
        ok = poll(&p, 1, 2000) == 1 && getsockopt(s, SOL_SOCKET, SO_ERROR, &erro, &tamanho) == 0 &&
             erro == 0;
    }
    close(s);
    return ok;
}

// The server's SYSDBA password: ISC_PASSWORD, or Debian's record of it when readable.
std::string SenhaDoServidor() {
    if (const char* senha = std::getenv("ISC_PASSWORD"); senha != nullptr && *senha != '\0') {
        return senha;
    }
    std::ifstream arquivo("/etc/firebird/3.0/SYSDBA.password");
    std::string linha;
    while (std::getline(arquivo, linha)) {
        if (linha.rfind("ISC_PASSWORD=", 0) == 0) {
            std::string valor = linha.substr(13);
            if (valor.size() >= 2 && valor.front() == '"' && valor.back() == '"') {
                valor = valor.substr(1, valor.size() - 2);
            }
            return valor;
        }
    }
    return {};
}

class ServidorTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!ServidorResponde(3050)) {
            GTEST_SKIP() << "no Firebird server answers on 127.0.0.1:3050 (start one with "
                            "/etc/init.d/firebird3.0 start after scripts/setup-firebird.sh)";
        }
        senha_ = SenhaDoServidor();
        ASSERT_FALSE(senha_.empty())
            << "a server answers on 127.0.0.1:3050 but its SYSDBA password is unknown: set "
               "ISC_PASSWORD";
        // The server runs as its own user: the folder and the file must be open to it.
        chmod(pasta_.Path().c_str(), 0777);
        arquivo_ = NovoBanco(pasta_, Banco::Retaguarda, true);
        chmod(arquivo_.c_str(), 0666);
    }

    PastaTemporaria pasta_;
    std::string arquivo_;
    std::string senha_;
};

TEST_F(ServidorTest, ConnectsThroughHostAndPath) {
    for (const std::string& dados : {"127.0.0.1:" + arquivo_, "127.0.0.1/3050:" + arquivo_}) {
        SCOPED_TRACE(dados);
        TConexaoSQL c;
        c.PegarDados(dados);
        c.PegarLogin("SYSDBA", senha_);
        ASSERT_TRUE(c.Conectar()) << c.GetUltimoErro();
        EXPECT_EQ(c.GetDatabase(), dados);
        EXPECT_NE(c.ValorStr("select mon$remote_protocol from mon$attachments"
                             " where mon$attachment_id = current_connection"),
                  "")
            << "the attachment goes through the network layer";
        EXPECT_EQ(c.ValorStr("select nome from prod_fabr where prod_fabr_cod=4"),
                  "D'ÁGUA COSMÉTICOS E PERFUMARIA DO NORDESTE");
        c.Exec("update or insert into config (chave, valor) values ('SERVIDOR', 'ok')"
               " matching (chave)");
        EXPECT_EQ(c.ValorStr("select valor from config where chave='SERVIDOR'"), "ok");
    }
}

TEST_F(ServidorTest, WrongPasswordIsRefusedWithTheServersText) {
    TConexaoSQL c;
    c.PegarDados("127.0.0.1", arquivo_);
    c.PegarLogin("SYSDBA", senha_ + "-errada");
    EXPECT_FALSE(c.Conectar());
    EXPECT_NE(c.GetUltimoErro().find("user name and password are not defined"), std::string::npos)
        << c.GetUltimoErro();
}

TEST_F(ServidorTest, ScriptRunsThroughTheServer) {
    ScopedRecordingPresenter semEco;
    TArqSQL arq(pasta_.Path() + "servidor.sql");
    arq.SetLogin(TLoginSQL{"SYSDBA", senha_});
    arq.Criar();
    arq.EscreverTopo("127.0.0.1:" + arquivo_, "pelo servidor", false);
    arq.EscreverComando("insert into cli_classe (cli_classe_cod, descr) values (5, 'REMOTA');");
    arq.EscreverComando("commit;");
    arq.Fechar();
    ASSERT_TRUE(arq.Executar(false, 30, true, 0, nullptr, TextoEsperaScript))
        << arq.GetUltimoErro();
    TConexaoSQL c;
    c.PegarDados("127.0.0.1:" + arquivo_);
    c.PegarLogin("SYSDBA", senha_);
    ASSERT_TRUE(c.Conectar()) << c.GetUltimoErro();
    EXPECT_EQ(c.ValorStr("select descr from cli_classe where cli_classe_cod=5"), "REMOTA");
    EXPECT_EQ(ReadFile(arq.GetNomeCompleto()).find(senha_), std::string::npos);
}

} // namespace
} // namespace zelt
