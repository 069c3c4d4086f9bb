// An owning list of described station documents.
#pragma once

#include "core/entities/UDocEstacaoHashItem.h"
#include "core/entities/UDodEstacaoList.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zelt {

// Holds described items only: the key-only Pegar adds one with an empty description.
class ZELT_EXPORT TDocEstacaoHashList : public TDocEstacaoList {
public:
    TDocEstacaoHashList();
    ~TDocEstacaoHashList() override;

    using TDocEstacaoList::Pegar;

    TDocEstacaoHashItem& Add(std::unique_ptr<TDocEstacaoHashItem> item);
    TDocEstacaoHashItem& GetDocEstacaoHashItem(int index) const;
    TDocEstacaoHashItem* CodToDocEstacaoHashItem(std::int32_t emprCod, std::int32_t estacaoCod,
                                                 std::int32_t numero) const;
    // Exact comparison: letter case and blanks count.
    TDocEstacaoHashItem* DescrToDocEstacaoHashItem(std::string_view descr) const;
    TDocEstacaoHashItem& Pegar(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero,
                               const std::string& descr);

protected:
    std::unique_ptr<TDocEstacao> NovoItem(std::int32_t emprCod, std::int32_t estacaoCod,
                                          std::int32_t numero) const override;
    bool AceitaItem(const TDocEstacao& item) const override;
};

} // namespace zelt
