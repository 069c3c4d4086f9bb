// An owning list of described coded items, looked up by code or by description.
#pragma once

#include "core/entities/UCodList.h"
#include "core/entities/UHashItem.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zelt {

// The kind of item GarantaDescr makes: THashList::Classe<TMyItem>.
using THashItemClass = std::unique_ptr<THashItem> (*)(std::int32_t cod, const std::string& descr);

// Descriptions compare exactly: letter case and blanks count.
class ZELT_EXPORT THashList : public TCodList {
public:
    template <class T>
    static std::unique_ptr<THashItem> Classe(std::int32_t cod, const std::string& descr) {
        return std::make_unique<T>(cod, descr);
    }

    THashList();
    ~THashList() override;

    THashItem& Add(std::unique_ptr<THashItem> item);
    THashItem& GetHashItem(int index) const;

    THashItem* DescrToHashItem(std::string_view descr) const;
    // The first item with the description; when there is none, a new one of the given kind with
    // the highest code + 1 (gaps are never filled), added at the end.
    THashItem& GarantaDescr(const std::string& descr, THashItemClass classe = &Classe<THashItem>);
    // A new item added at the end, whatever the list already holds.
    THashItem& Pegar(std::int32_t cod, const std::string& descr);

protected:
    bool AceitaItem(const TCodItem& item) const override;
};

} // namespace zelt
