// The installation's environment settings, read from "ambiente.ini" in the product folder.
//
// The product folder is the nearest folder above the program's folder (the program's own folder
// excluded) that holds "ambiente.ini", the name's letter case ignored; when none does, it is two
// levels above the program's folder and every setting takes its default. The file is read once,
// when the object is created.
//
// Keys (sections and keys compare without letter case; values are trimmed):
//
//   [pastas]
//   log=Log             first working folder: the logs            (default <product>/Log/)
//   temp=Tmp            second working folder: temporary files    (default <product>/Tmp/)
//   backup=Backup       third working folder: copies kept aside   (default <product>/Backup/)
//   comandos=Comandos   the commands folder, root of the command-file folders and the command
//                       base folder (default <product>/Comandos/)
//   [lote]
//   tamanho=500         batch size: codes per in-list of a statement and per terminal file
//                       (default 500; a value below 1 or not a number gives the default)
//   [depuracao]
//   modo=0              debug mode, an integer (default 0; 21 makes the price runner pause)
//
// A folder value may be relative (to the product folder) or absolute, may use '\' as delimiter
// as the Windows-era files do, and always comes back ending in '/'. An empty value takes the
// default.
#pragma once

#include "platform/rtl/Export.h"

#include <string>
#include <string_view>

namespace zelt {

class ZELT_EXPORT TAmbienteIni {
public:
    static constexpr std::string_view NomeArquivo = "ambiente.ini";
    static constexpr int TamanhoLotePadrao = 500;

    // Finds the product folder from the running program's folder.
    TAmbienteIni();
    // Reads the file of a product folder the caller already knows.
    explicit TAmbienteIni(const std::string& pastaProduto);

    // The product folder for a program folder, found as described above.
    static std::string EncontrarPastaProduto(std::string_view pastaPrograma);

    const std::string& GetPastaProduto() const { return pastaProduto_; }
    // The full name of the settings file (whether or not it exists).
    const std::string& GetNomeArq() const { return nomeArq_; }
    bool GetArqExiste() const { return arqExiste_; }

    const std::string& GetPastaLog() const { return pastaLog_; }
    const std::string& GetPastaTemp() const { return pastaTemp_; }
    const std::string& GetPastaBackup() const { return pastaBackup_; }
    // Working folder 1 (log), 2 (temp) or 3 (backup); any other number raises EArgumentError.
    const std::string& GetPastaTrabalho(int numero) const;
    const std::string& GetPastaComandos() const { return pastaComandos_; }
    // The command base folder is the commands folder; the second name is the one its readers use.
    const std::string& GetPastaComandosBase() const { return pastaComandos_; }
    int GetTamanhoLote() const { return tamanhoLote_; }
    int GetModoDepuracao() const { return modoDepuracao_; }

private:
    void Carregar();

    std::string pastaProduto_;
    std::string nomeArq_;
    bool arqExiste_ = false;
    std::string pastaLog_;
    std::string pastaTemp_;
    std::string pastaBackup_;
    std::string pastaComandos_;
    int tamanhoLote_ = TamanhoLotePadrao;
    int modoDepuracao_ = 0;
};

} // namespace zelt
