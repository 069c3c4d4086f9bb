#include "app/TextFileModel/UTextFileModel.h"

#include "platform/rtl/FileSystem.h"

namespace zelt {

TTextFileModel::TTextFileModel(const std::string& nomeArquivo) : TArquivo(nomeArquivo) {
    Carregar();
}

TTextFileModel::~TTextFileModel() = default;

void TTextFileModel::Carregar() {
    if (FileExists(GetNomeArquivo())) {
        linhas_.LoadFromFile(GetNomeArquivo());
    } else {
        linhas_.Clear();
    }
}

void TTextFileModel::Salvar() const {
    linhas_.SaveToFile(GetNomeArquivo());
}

} // namespace zelt
