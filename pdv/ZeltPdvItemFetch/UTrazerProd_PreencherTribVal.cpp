#include "pdv/ZeltPdvItemFetch/UTrazerProd_PreencherTribVal.h"

#include "stock/ZeltStock/UZelt_ItemPrecoI.h"

namespace zelt {

void TPreencherTribVal::Execute(TVendaList& lista) {
    for (int i = 0; i < lista.Count(); ++i) {
        TVendaItem& item = lista.GetVendaItem(i);
        Currency bruto;
        Currency liquido;
        TItemPrecoI::CalculeTots(item.ModoArredondamento, Currency::FromDouble(item.Qtd),
                                 Currency::FromDouble(item.PrecoUnit),
                                 Currency::FromDouble(item.Desconto), bruto, liquido);
        const Extended icms = liquido.ToExtended() * item.Perc.ToExtended() / 100;
        item.IcmsVal = Currency::FromDouble(RoundTo(static_cast<double>(icms), -2));
    }
}

} // namespace zelt
