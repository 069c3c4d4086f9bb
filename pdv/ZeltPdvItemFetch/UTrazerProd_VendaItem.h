// The items of one sale as they travel between the fetch steps.
#pragma once

#include "platform/rtl/Export.h"
#include "platform/rtl/Numbers.h"

#include <memory>
#include <string>
#include <vector>

namespace zelt {

class ZELT_EXPORT TVendaItem {
public:
    // Everything below the sale key starts cleared. Quantity, unit price and discount are kept
    // as the terminal prints them: three and two decimals, binary rounding.
    TVendaItem(int vendaEmprCod, int vendaEstacaoCod, int vendaCod);

    int VendaEmprCod;
    int VendaEstacaoCod;
    int VendaCod;
    int EstMovEmprCod = 0;
    int EstMovEstacaoCod = 0;
    int EstMovCod = 0;
    int ProdCod = 0;
    int TratIcms = 0;
    int TribCod = 0;
    std::string Cfop;
    std::string Ncm;
    Currency Perc;
    Currency IcmsVal;
    int ModoArredondamento = 0;
    double Qtd = 0;
    double PrecoUnit = 0;
    double Desconto = 0;
    std::string TribIcmsCBenef;
    Currency TribIcmsPIcmsDeson;
    int TribIcmsMotDesIcms = 0;
    // Set once the product database gave the product's tax data. An item without them must not
    // reach the script: its cleared fields would overwrite true tax data with zeros.
    bool ProdEncontrado = false;
};

class ZELT_EXPORT TVendaList {
public:
    TVendaList(int emprCod, int estacaoCod, int vendaCod);
    TVendaList(const TVendaList&) = delete;
    TVendaList& operator=(const TVendaList&) = delete;

    int Count() const { return static_cast<int>(itens_.size()); }
    TVendaItem& GetVendaItem(int index);
    const TVendaItem& GetVendaItem(int index) const;

    // Appends an item of this sale; quantity is rounded to 3 decimals, price and discount to 2.
    TVendaItem& PegarItem(int estMovEmprCod, int estMovEstacaoCod, int estMovCod, int prodCod,
                          int modoArredondamento, double qtd, double precoUnit, double desconto);

    int GetEmprCod() const { return emprCod_; }
    int GetEstacaoCod() const { return estacaoCod_; }
    int GetVendaCod() const { return vendaCod_; }

private:
    int emprCod_;
    int estacaoCod_;
    int vendaCod_;
    std::vector<std::unique_ptr<TVendaItem>> itens_;
};

} // namespace zelt
