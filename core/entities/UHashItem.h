// A coded item with a description, looked up by either.
#pragma once

#include "core/entities/UCodItem.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <string>

namespace zelt {

class ZELT_EXPORT THashItem : public TCodItem {
public:
    THashItem(std::int32_t cod, std::string descr) : TCodItem(cod), Descr(std::move(descr)) {}
    ~THashItem() override;

    // Also empties the description.
    void Zerar() override;

    std::string Descr;
};

} // namespace zelt
