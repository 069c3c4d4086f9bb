// A file's folder and name, kept apart so that the folder can be created before the file.
#pragma once

#include "core/files/UNome.h"
#include "core/files/UPasta.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TNomeArq {
public:
    // Splits the full name at its last delimiter; a name without a folder lies in "/".
    TNomeArq(const std::string& nomeCompleto, bool criarPastas);
    TNomeArq(const std::string& pasta, const std::string& nome, bool criarPastas);
    // Folder + date sub-folder by tipo; the name part of nome, then " " + the time stamp when
    // comDataHora, then the suffix (which carries the extension). A dataHora of 0 is now. The
    // folders are always created.
    TNomeArq(const std::string& pasta, const std::string& nome, const std::string& sufixo,
             TDateTime dataHora, TTipoCaminhoDateTime tipo, bool comDataHora);

    // Two bare literals would otherwise bind the second to the bool of the full-name form.
    TNomeArq(const std::string& nomeCompleto, const char* nome) = delete;

    TPasta& GetPasta() { return pasta_; }
    const TPasta& GetPasta() const { return pasta_; }
    TNome& GetNome() { return nome_; }
    const TNome& GetNome() const { return nome_; }

    std::string GetNomeCompleto() const;
    bool Existe() const;

private:
    // The moment read once, so that the date folder and the time stamp agree.
    struct Momento {
        TDateTime valor;
    };
    TNomeArq(Momento momento, const std::string& pasta, const std::string& nome,
             const std::string& sufixo, TTipoCaminhoDateTime tipo, bool comDataHora);

    TPasta pasta_;
    TNome nome_;
};

} // namespace zelt
