#include "core/entities/UHashList.h"

namespace zelt {

THashList::THashList() = default;
THashList::~THashList() = default;

THashItem& THashList::Add(std::unique_ptr<THashItem> item) {
    return static_cast<THashItem&>(TCodList::Add(std::move(item)));
}

THashItem& THashList::GetHashItem(int index) const {
    return static_cast<THashItem&>(GetCodItem(index));
}

THashItem* THashList::DescrToHashItem(std::string_view descr) const {
    for (int i = 0; i < Count(); ++i) {
        THashItem& item = GetHashItem(i);
        if (item.Descr == descr) {
            return &item;
        }
    }
    return nullptr;
}

THashItem& THashList::GarantaDescr(const std::string& descr, THashItemClass classe) {
    if (THashItem* achado = DescrToHashItem(descr)) {
        return *achado;
    }
    return Add(classe(GetMaiorCod() + 1, descr));
}

THashItem& THashList::Pegar(std::int32_t cod, const std::string& descr) {
    return Add(std::make_unique<THashItem>(cod, descr));
}

bool THashList::AceitaItem(const TCodItem& item) const {
    return dynamic_cast<const THashItem*>(&item) != nullptr;
}

} // namespace zelt
