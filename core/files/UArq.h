// The common ground of the file classes: the file's name, whether it is open, and how many
// entries were read and written since it was last opened.
#pragma once

#include "core/files/UNomeArq.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <string>

namespace zelt {

class ZELT_EXPORT TArq {
public:
    // The folders of the name are created.
    explicit TArq(const std::string& nomeCompleto);
    // Name first, folder second: the reverse of TNomeArq, as the callers were written.
    TArq(const std::string& nome, const std::string& pasta);
    TArq(const std::string& pasta, const std::string& nome, const std::string& sufixo,
         TDateTime dataHora, TTipoCaminhoDateTime tipo, bool comDataHora);
    virtual ~TArq();
    TArq(const TArq&) = delete;
    TArq& operator=(const TArq&) = delete;

    // The operations that descendants refine, in the order their callers override them.
    virtual void Inicialize();
    virtual void SetAberto(bool aberto);
    virtual bool Criar();
    virtual bool Abrir();
    virtual bool Reset();
    virtual bool Adicionar();
    virtual bool AbrirOuCriar();
    virtual bool AdicionarOuCriar();
    virtual bool Fechar();

    // Gives the name the new extension (".txt", with its dot) and renames the file on disk. The
    // rename's outcome is not reported: the object carries the new name in any case. An existing
    // file of the new name is replaced, so the file is never left behind under the old name
    // while the object points elsewhere.
    void RenomearMudarExtensao(const std::string& novaExtensao);

    TNomeArq& GetNomeArq() { return nomeArq_; }
    const TNomeArq& GetNomeArq() const { return nomeArq_; }
    std::string GetNomeCompleto() const { return nomeArq_.GetNomeCompleto(); }
    bool Existe() const { return nomeArq_.Existe(); }

    bool GetAberto() const { return aberto_; }
    std::int32_t GetQtdLidas() const { return qtdLidas_; }
    std::int32_t GetQtdEscritas() const { return qtdEscritas_; }

protected:
    void ZereContadores();

    TNomeArq nomeArq_;
    bool aberto_ = false;
    std::int32_t qtdLidas_ = 0;
    std::int32_t qtdEscritas_ = 0;
};

} // namespace zelt
