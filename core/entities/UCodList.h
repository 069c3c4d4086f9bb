// An owning list of coded items, in insertion order, looked up by code.
#pragma once

#include "core/entities/UCodItem.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zelt {

// Lookups scan from the first item and return the first match; nothing keeps codes unique except
// PreencherCods. Index errors raise EListError.
class ZELT_EXPORT TCodList {
public:
    TCodList();
    TCodList(const TCodList&) = delete;
    TCodList& operator=(const TCodList&) = delete;
    virtual ~TCodList();

    int Count() const { return static_cast<int>(itens_.size()); }
    // Takes the item over and returns it. A list that holds only some kind of item refuses others
    // (EArgumentError), as it does a null item.
    TCodItem& Add(std::unique_ptr<TCodItem> item);
    void Delete(int index);
    void Clear() { itens_.clear(); }

    TCodItem& GetCodItem(int index) const;
    TCodItem* CodToCodItem(std::int32_t cod) const;
    // The highest positive code; 0 when there is none.
    std::int32_t GetMaiorCod() const;
    // Every item with code 0 gets the smallest positive code free at that point, in list order
    // (0, 2, 0, 0, 5 become 1, 2, 3, 4, 5); coded items are left alone, duplicates included.
    void PreencherCods();

protected:
    virtual bool AceitaItem(const TCodItem& item) const;

private:
    std::vector<std::unique_ptr<TCodItem>> itens_;
};

} // namespace zelt
