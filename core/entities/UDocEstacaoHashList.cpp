#include "core/entities/UDocEstacaoHashList.h"

namespace zelt {

TDocEstacaoHashList::TDocEstacaoHashList() = default;
TDocEstacaoHashList::~TDocEstacaoHashList() = default;

TDocEstacaoHashItem& TDocEstacaoHashList::Add(std::unique_ptr<TDocEstacaoHashItem> item) {
    return static_cast<TDocEstacaoHashItem&>(TDocEstacaoList::Add(std::move(item)));
}

TDocEstacaoHashItem& TDocEstacaoHashList::GetDocEstacaoHashItem(int index) const {
    return static_cast<TDocEstacaoHashItem&>(GetDocEstacao(index));
}

TDocEstacaoHashItem* TDocEstacaoHashList::CodToDocEstacaoHashItem(std::int32_t emprCod,
                                                                  std::int32_t estacaoCod,
                                                                  std::int32_t numero) const {
    return static_cast<TDocEstacaoHashItem*>(CodToDocEstacao(emprCod, estacaoCod, numero));
}

TDocEstacaoHashItem* TDocEstacaoHashList::DescrToDocEstacaoHashItem(std::string_view descr) const {
    for (int i = 0; i < Count(); ++i) {
        TDocEstacaoHashItem& item = GetDocEstacaoHashItem(i);
        if (item.Descr == descr) {
            return &item;
        }
    }
    return nullptr;
}

TDocEstacaoHashItem& TDocEstacaoHashList::Pegar(std::int32_t emprCod, std::int32_t estacaoCod,
                                                std::int32_t numero, const std::string& descr) {
    return Add(std::make_unique<TDocEstacaoHashItem>(emprCod, estacaoCod, numero, descr));
}

std::unique_ptr<TDocEstacao> TDocEstacaoHashList::NovoItem(std::int32_t emprCod,
                                                           std::int32_t estacaoCod,
                                                           std::int32_t numero) const {
    return std::make_unique<TDocEstacaoHashItem>(emprCod, estacaoCod, numero, std::string());
}

bool TDocEstacaoHashList::AceitaItem(const TDocEstacao& item) const {
    return dynamic_cast<const TDocEstacaoHashItem*>(&item) != nullptr;
}

} // namespace zelt
