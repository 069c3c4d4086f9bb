#include "core/files/UNomeArq.h"

#include "outside/utils/Utils.h"
#include "platform/rtl/FileSystem.h"

namespace zelt {

namespace {

std::string NomeComCarimbo(const std::string& nome, const std::string& sufixo, TDateTime dataHora,
                           bool comDataHora) {
    std::string result = ExtractFileName(nome);
    if (comDataHora) {
        result += " " + DateTimeToNomeArq(dataHora);
    }
    return result + sufixo;
}

} // namespace

TNomeArq::TNomeArq(const std::string& nomeCompleto, bool criarPastas)
    : TNomeArq(ExtractFilePath(nomeCompleto), ExtractFileName(nomeCompleto), criarPastas) {}

TNomeArq::TNomeArq(const std::string& pasta, const std::string& nome, bool criarPastas)
    : pasta_(pasta, criarPastas), nome_(nome) {}

TNomeArq::TNomeArq(const std::string& pasta, const std::string& nome, const std::string& sufixo,
                   TDateTime dataHora, TTipoCaminhoDateTime tipo, bool comDataHora)
    : TNomeArq(Momento{dataHora == 0 ? Now() : dataHora}, pasta, nome, sufixo, tipo, comDataHora) {}

TNomeArq::TNomeArq(Momento momento, const std::string& pasta, const std::string& nome,
                   const std::string& sufixo, TTipoCaminhoDateTime tipo, bool comDataHora)
    : pasta_(pasta, tipo, momento.valor),
      nome_(NomeComCarimbo(nome, sufixo, momento.valor, comDataHora)) {}

std::string TNomeArq::GetNomeCompleto() const {
    return pasta_.GetAsString() + nome_.GetAsString();
}

bool TNomeArq::Existe() const {
    return FileExists(GetNomeCompleto());
}

} // namespace zelt
