#include "fiscal/defs/UBibliotecaFabricante.h"

#include "platform/rtl/Environment.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/IniFile.h"

#include <dlfcn.h>
#include <utility>

namespace zelt {

namespace {

std::string JuntarLinhas(const std::vector<std::string>& nomes) {
    std::string texto;
    for (const std::string& nome : nomes) {
        if (!texto.empty())
            texto += "\r\n";
        texto += nome;
    }
    return texto;
}

} // namespace

TBibliotecaFabricante::TBibliotecaFabricante(TLocalBiblioteca local,
                                             std::function<void(const std::string&)> avisar)
    : local_(std::move(local)), avisar_(std::move(avisar)) {}

TBibliotecaFabricante::~TBibliotecaFabricante() = default;

std::string TBibliotecaFabricante::PastaBiblioteca(const std::string& pastaPlugin) const {
    std::string pasta = GetEnvVar(local_.variavelPasta);
    if (pasta.empty()) {
        TIniFile ini(pastaPlugin + local_.arquivoIni);
        pasta = ini.ReadString(local_.secaoIni, "Pasta", "");
    }
    if (pasta.empty())
        pasta = pastaPlugin;
    return pasta.empty() ? std::string() : IncludeTrailingPathDelimiter(pasta);
}

bool TBibliotecaFabricante::Carregar(const std::string& pastaPlugin,
                                     const std::vector<const char*>& nomes) {
    if (tentou_)
        return false;
    tentou_ = true;
    enderecos_.assign(nomes.size(), nullptr);
    const std::string marca = local_.marca;
    arquivo_ = PastaBiblioteca(pastaPlugin) + local_.arquivo;
    handle_ = dlopen(ToDiskPath(arquivo_).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* motivo = dlerror();
        erro_ = motivo ? motivo : "";
        avisar_("Não foi possível carregar a biblioteca da impressora " + marca + "\r\n" +
                arquivo_ + "\r\n" + erro_);
        return true;
    }
    std::vector<std::string> ausentes;
    for (std::size_t i = 0; i < nomes.size(); ++i) {
        enderecos_[i] = dlsym(handle_, nomes[i]);
        if (!enderecos_[i])
            ausentes.emplace_back(nomes[i]);
    }
    if (!ausentes.empty()) {
        erro_ = JuntarLinhas(ausentes);
        avisar_("A biblioteca da impressora " + marca + "\r\n" + arquivo_ +
                "\r\nnão tem as funções:\r\n" + erro_);
    }
    return true;
}

void* TBibliotecaFabricante::Endereco(std::size_t indice) const {
    return indice < enderecos_.size() ? enderecos_[indice] : nullptr;
}

void TBibliotecaFabricante::Descarregar() {
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
    tentou_ = false;
    erro_.clear();
    enderecos_.clear();
}

} // namespace zelt
