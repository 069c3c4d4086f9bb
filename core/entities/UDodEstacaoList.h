// An owning list of station documents, looked up by their key (company, station, number).
#pragma once

#include "core/entities/UDocEstacao.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zelt {

// Insertion order, no sorting, duplicates allowed except through PegarUnique; lookups return the
// first match. Index errors raise EListError.
class ZELT_EXPORT TDocEstacaoList {
public:
    TDocEstacaoList();
    TDocEstacaoList(const TDocEstacaoList&) = delete;
    TDocEstacaoList& operator=(const TDocEstacaoList&) = delete;
    virtual ~TDocEstacaoList();

    int Count() const { return static_cast<int>(itens_.size()); }
    // Takes the item over; a null item or one of a kind the list does not hold raises
    // EArgumentError.
    TDocEstacao& Add(std::unique_ptr<TDocEstacao> item);
    void Delete(int index);
    void Clear() { itens_.clear(); }

    TDocEstacao& GetDocEstacao(int index) const;
    TDocEstacao* CodToDocEstacao(std::int32_t emprCod, std::int32_t estacaoCod,
                                 std::int32_t numero) const;
    int CodToIndex(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero) const;
    // A new item with the key, added at the end.
    TDocEstacao& Pegar(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero);
    // The item with the key, added only when there is none.
    TDocEstacao& PegarUnique(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero);
    // The first item with company, station and number all set.
    TDocEstacao* PrimDocNaoZero() const;
    // How many items have company, station and number all 0.
    int QtdZero() const;

protected:
    // What Pegar adds: a described list adds described items.
    virtual std::unique_ptr<TDocEstacao> NovoItem(std::int32_t emprCod, std::int32_t estacaoCod,
                                                  std::int32_t numero) const;
    virtual bool AceitaItem(const TDocEstacao& item) const;

private:
    std::vector<std::unique_ptr<TDocEstacao>> itens_;
};

} // namespace zelt
