// A text file held whole in a line list: loaded on construction, saved back on request.
#pragma once

#include "outside/arquivo/UArquivo.h"
#include "outside/utils/ULinhas.h"
#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TTextFileModel : public TArquivo {
public:
    // Loads the file when it exists; a missing file gives no lines.
    explicit TTextFileModel(const std::string& nomeArquivo);
    ~TTextFileModel() override;

    // Reloads from the file, or empties the lines when it is missing.
    void Carregar();
    // Writes the lines to the file, replacing it.
    void Salvar() const;

    TLinhas& GetLinhas() { return linhas_; }
    const TLinhas& GetLinhas() const { return linhas_; }

private:
    TLinhas linhas_;
};

} // namespace zelt
