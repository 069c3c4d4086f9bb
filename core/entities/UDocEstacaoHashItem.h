// A station document with a description.
#pragma once

#include "core/entities/UDocEstacao.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <string>

namespace zelt {

// Zerar clears the key only; the description stays.
class ZELT_EXPORT TDocEstacaoHashItem : public TDocEstacao {
public:
    TDocEstacaoHashItem(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero,
                        std::string descr)
        : TDocEstacao(emprCod, estacaoCod, numero), Descr(std::move(descr)) {}
    ~TDocEstacaoHashItem() override;

    std::string Descr;
};

} // namespace zelt
