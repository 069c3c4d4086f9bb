#include "tests/dataline/DbFixture.h"

#include "platform/rtl/FileSystem.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zelt::test {

namespace fs = std::filesystem;

namespace {

std::string NovaPasta(const std::string& prefixo) {
    std::string modelo = (fs::temp_directory_path() / (prefixo + "XXXXXX")).string();
    if (mkdtemp(modelo.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed for " + modelo);
    }
    return modelo + "/";
}

std::string Ler(const std::string& nome) {
    std::ifstream in(nome, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int Rodar(const std::string& comando) {
    int status = std::system(comando.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

// The templates are built once for a version of the schema scripts and shared by every test
// process of a run (ctest starts one process per test): they live under the temporary folder in
// a folder named after a hash of the scripts, built under a lock and renamed into place whole.
class Modelos {
public:
    std::string Pasta(bool demo) {
        std::lock_guard<std::mutex> trava(mutex_);
        std::string& pasta = demo ? comDemo_ : vazia_;
        if (pasta.empty()) {
            pasta = Garantir(demo ? "demo" : "vazia", demo ? " --seed --async" : " --async");
        }
        return pasta;
    }

private:
    static std::string HashDosScripts() {
        std::uint64_t h = 1469598103934665603ULL; // FNV-1a
        std::vector<std::string> nomes;
        for (const auto& e : fs::directory_iterator(PastaFontes() + "schema")) {
            nomes.push_back(e.path().string());
        }
        std::sort(nomes.begin(), nomes.end());
        for (const std::string& nome : nomes) {
            for (char c : nome.substr(nome.rfind('/')) + Ler(nome)) {
                h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
            }
        }
        char texto[17];
        std::snprintf(texto, sizeof texto, "%016llx", static_cast<unsigned long long>(h));
        return texto;
    }

    static std::string Garantir(const std::string& tipo, const std::string& opcoes) {
        std::string raiz =
            (fs::temp_directory_path() / ("zelt-db-modelos-" + std::to_string(getuid()))).string() +
            "/";
        fs::create_directories(raiz);
        std::string pronta = raiz + HashDosScripts() + "-" + tipo + "/";
        if (fs::exists(pronta)) {
            return pronta;
        }
        int lock = open((raiz + "lock").c_str(), O_CREAT | O_RDWR, 0600);
        if (lock < 0 || flock(lock, LOCK_EX) != 0) {
            throw std::runtime_error("cannot lock " + raiz + "lock");
        }
        struct Soltar {
            int fd;
            ~Soltar() { close(fd); }
        } soltar{lock};
        if (fs::exists(pronta)) {
            return pronta;
        }
        std::string obra = raiz + "obra-" + std::to_string(getpid()) + "/";
        fs::remove_all(obra);
        std::string log = raiz + "criar-" + tipo + ".log";
        std::string comando = "sh '" + PastaFontes() + "schema/create-databases.sh' '" + obra +
                              "'" + opcoes + " >'" + log + "' 2>&1";
        if (Rodar(comando) != 0) {
            fs::remove_all(obra);
            throw std::runtime_error("schema/create-databases.sh failed:\n" + Ler(log));
        }
        fs::rename(obra, pronta);
        return pronta;
    }

    std::mutex mutex_;
    std::string vazia_;
    std::string comDemo_;
};

Modelos& OsModelos() {
    static Modelos modelos;
    return modelos;
}

const char* NomeDoArquivo(Banco banco) {
    switch (banco) {
    case Banco::Retaguarda:
        return "retaguarda.fdb";
    case Banco::TerminalDados:
        return "terminal_dados.fdb";
    case Banco::TerminalVendas:
        return "terminal_vendas.fdb";
    case Banco::HistoricoCredito:
        return "historico_credito.fdb";
    }
    return "";
}

} // namespace

PastaTemporaria::PastaTemporaria() : path_(NovaPasta("zelt-db-teste-")) {}

PastaTemporaria::~PastaTemporaria() {
    std::error_code ignorado;
    fs::remove_all(path_, ignorado);
}

std::string PastaFontes() {
    const char* fontes = std::getenv("ZELT_SOURCE_DIR");
    std::string pasta = fontes != nullptr ? fontes : ZELT_TEST_SOURCE_DIR;
    if (!pasta.empty() && pasta.back() != '/') {
        pasta += '/';
    }
    return pasta;
}

std::string NovoBanco(const PastaTemporaria& pasta, Banco banco, bool demo,
                      const std::string& nome) {
    std::string origem = OsModelos().Pasta(demo) + NomeDoArquivo(banco);
    // The name is a system text (Windows-1252); on disk it is UTF-8.
    std::string destino = pasta.Path() + (nome.empty() ? NomeDoArquivo(banco) : nome);
    fs::path disco = ToDiskPath(destino);
    fs::create_directories(disco.parent_path());
    fs::copy_file(origem, disco, fs::copy_options::overwrite_existing);
    return destino;
}

} // namespace zelt::test

#if defined(__SANITIZE_ADDRESS__)
// Firebird loads and unloads its engine plugins, which carry thread-local storage of their own; the
// leak checker of this GCC then walks the stale thread-local block of the unloaded module and
// crashes at exit. Not scanning thread-local storage avoids that; a pointer held only there would
// show as a leak, so this can report more, never less.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
    return "use_tls=0";
}

// Every test program that opens databases through the fixture gets the suppressions of
// lsan-fbclient.supp without an environment variable (ctest starts the programs itself).
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:mp_init\n"
           "leak:iconv_open\n"
           "leak:__gconv_lookup_cache\n";
}
#endif
