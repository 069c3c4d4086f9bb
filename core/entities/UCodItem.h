// An object known by a small integer code (product, unit, price table, company, workstation).
#pragma once

#include "platform/rtl/Export.h"

#include <cstdint>
#include <string>

namespace zelt {

// Code 0 means "no code yet"; codes are meant to be positive.
class ZELT_EXPORT TCodItem {
public:
    explicit TCodItem(std::int32_t cod = 0) : Cod(cod) {}
    TCodItem(const TCodItem&) = default;
    TCodItem& operator=(const TCodItem&) = default;
    virtual ~TCodItem();

    bool CodItemEhIgual(const TCodItem& outro) const { return Cod == outro.Cod; }
    std::string GetCodAsString() const;

    virtual void Zerar();
    virtual bool Zerado() const;

    std::int32_t Cod = 0;
};

} // namespace zelt
