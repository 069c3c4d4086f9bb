// The key of a document numbered per company and per workstation: company, station, number.
#pragma once

#include "core/entities/UCodItem.h"
#include "platform/rtl/Export.h"

#include <cstdint>
#include <string>

namespace zelt {

// Cod is the document number. Arguments always go company, station, number.
class ZELT_EXPORT TDocEstacao : public TCodItem {
public:
    TDocEstacao(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero)
        : TCodItem(numero), EmprCod(emprCod), EstacaoCod(estacaoCod) {}
    TDocEstacao(const TDocEstacao&) = default;
    TDocEstacao& operator=(const TDocEstacao&) = default;
    ~TDocEstacao() override;

    void PegarCod(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero);
    bool DocEstacaoEhIgual(const TDocEstacao& outro) const;
    bool TemChave(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero) const {
        return Cod == numero && EstacaoCod == estacaoCod && EmprCod == emprCod;
    }

    std::string GetEmprCodAsString() const;
    std::string GetEstacaoCodAsString() const;
    // "001;002;000123" and "001-002-000123": company and station to 3 digits, number to 6.
    std::string GetDocAsCsvString() const;
    std::string GetDocAsString() const;

    void Zerar() override;
    // No number, and the company or the station missing as well.
    bool Zerado() const override;

    std::int32_t EmprCod = 0;
    std::int32_t EstacaoCod = 0;
};

} // namespace zelt
