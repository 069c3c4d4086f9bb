// The maker library behind a fiscal plug-in, loaded at run time with dlopen from a configurable
// folder and bound name by name, as the maker's own library would be. Each plug-in keeps its own
// table of functions; this is the part of loading that every make does the same way.
//
// Where the library is looked for (first that is set):
//   1. the environment variable named by the plug-in (a folder);
//   2. key Pasta of the plug-in's section in the plug-in's INI file beside the plug-in;
//   3. the plug-in's own folder.
#pragma once

#include "platform/rtl/Export.h"

#include <functional>
#include <string>
#include <vector>

namespace zelt {

struct TLocalBiblioteca {
    const char* arquivo;       // "libInterfaceEpson.so"
    const char* variavelPasta; // "ZELT_EPSON_LIBRARY_DIR"
    const char* arquivoIni;    // "EcfPlugEpson.ini"
    const char* secaoIni;      // "InterfaceEpson"
    const char* marca;         // "Epson", as the operator reads it
};

class ZELT_EXPORT TBibliotecaFabricante {
public:
    // `avisar` tells the operator, once, that the library or some of its functions are missing.
    TBibliotecaFabricante(TLocalBiblioteca local, std::function<void(const std::string&)> avisar);
    // The library stays mapped until the process ends: a plug-in's per-thread texts keep the
    // plug-in alive past a host's dlclose, so this may run from the exit handlers, where a
    // dlclose would let the loader unmap code that is still running.
    ~TBibliotecaFabricante();
    TBibliotecaFabricante(const TBibliotecaFabricante&) = delete;
    TBibliotecaFabricante& operator=(const TBibliotecaFabricante&) = delete;

    // The folder the library is loaded from, as configured now (ends with '/').
    std::string PastaBiblioteca(const std::string& pastaPlugin) const;

    // Loads the library and looks the names up, on the first call only: true then, false on
    // every later call until Descarregar. Endereco(i) is the address of nomes[i], null when the
    // library or that function is missing.
    bool Carregar(const std::string& pastaPlugin, const std::vector<const char*>& nomes);
    void* Endereco(std::size_t indice) const;
    // Unloads; the next Carregar loads again from the folder configured then.
    void Descarregar();

    bool Carregada() const { return handle_ != nullptr; }
    // The library file tried and why it or its functions are missing ("" when nothing is).
    const std::string& Arquivo() const { return arquivo_; }
    const std::string& Erro() const { return erro_; }

private:
    TLocalBiblioteca local_;
    std::function<void(const std::string&)> avisar_;
    void* handle_ = nullptr;
    bool tentou_ = false;
    std::string arquivo_;
    std::string erro_;
    std::vector<void*> enderecos_;
};

} // namespace zelt
