#include "core/files/UArq.h"

#include "platform/rtl/FileSystem.h"

namespace zelt {

TArq::TArq(const std::string& nomeCompleto) : nomeArq_(nomeCompleto, true) {
    TArq::Inicialize();
}

TArq::TArq(const std::string& nome, const std::string& pasta) : nomeArq_(pasta, nome, true) {
    TArq::Inicialize();
}

TArq::TArq(const std::string& pasta, const std::string& nome, const std::string& sufixo,
           TDateTime dataHora, TTipoCaminhoDateTime tipo, bool comDataHora)
    : nomeArq_(pasta, nome, sufixo, dataHora, tipo, comDataHora) {
    TArq::Inicialize();
}

TArq::~TArq() = default;

void TArq::ZereContadores() {
    qtdLidas_ = 0;
    qtdEscritas_ = 0;
}

void TArq::Inicialize() {
    ZereContadores();
    aberto_ = false;
}

void TArq::SetAberto(bool aberto) {
    aberto_ = aberto;
}

bool TArq::Criar() {
    ZereContadores();
    SetAberto(true);
    return true;
}

bool TArq::Abrir() {
    ZereContadores();
    SetAberto(true);
    return true;
}

bool TArq::Reset() {
    ZereContadores();
    return true;
}

bool TArq::Adicionar() {
    ZereContadores();
    return true;
}

bool TArq::AbrirOuCriar() {
    return Existe() ? Abrir() : Criar();
}

bool TArq::AdicionarOuCriar() {
    return Existe() ? Adicionar() : Criar();
}

bool TArq::Fechar() {
    SetAberto(false);
    return true;
}

void TArq::RenomearMudarExtensao(const std::string& novaExtensao) {
    const std::string antigo = GetNomeCompleto();
    const std::string novo = ChangeFileExt(antigo, novaExtensao);
    nomeArq_.GetNome().SetAsString(ExtractFileName(novo));
    static_cast<void>(RenameFile(antigo, novo));
}

} // namespace zelt
