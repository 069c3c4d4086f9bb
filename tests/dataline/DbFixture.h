// Fresh embedded databases for tests: the shop's schema scripts run once per test program into
// template files, and every test gets its own copies in a folder of its own.
#pragma once

#include <string>

namespace zelt::test {

enum class Banco { Retaguarda, TerminalDados, TerminalVendas, HistoricoCredito };

// A folder under the system's temporary folder, removed with everything in it at the end of the
// scope. Path() ends in '/'.
class PastaTemporaria {
public:
    PastaTemporaria();
    ~PastaTemporaria();
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The source tree (ZELT_SOURCE_DIR, set by the test runner), ending in '/'.
std::string PastaFontes();

// Copies the template of `banco` (with the demo shop when `demo`) into `pasta` and returns the
// copy's path (a system text, Windows-1252). `nome` defaults to the database's own file name and
// may name sub-folders, which are created.
std::string NovoBanco(const PastaTemporaria& pasta, Banco banco, bool demo = false,
                      const std::string& nome = "");

} // namespace zelt::test
