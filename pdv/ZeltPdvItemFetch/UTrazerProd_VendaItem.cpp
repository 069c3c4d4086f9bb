#include "pdv/ZeltPdvItemFetch/UTrazerProd_VendaItem.h"

#include "platform/rtl/Errors.h"
#include "platform/rtl/Text.h"

namespace zelt {

TVendaItem::TVendaItem(int vendaEmprCod, int vendaEstacaoCod, int vendaCod)
    : VendaEmprCod(vendaEmprCod), VendaEstacaoCod(vendaEstacaoCod), VendaCod(vendaCod) {}

TVendaList::TVendaList(int emprCod, int estacaoCod, int vendaCod)
    : emprCod_(emprCod), estacaoCod_(estacaoCod), vendaCod_(vendaCod) {}

TVendaItem& TVendaList::GetVendaItem(int index) {
    return *itens_.at(static_cast<std::size_t>(index));
}

const TVendaItem& TVendaList::GetVendaItem(int index) const {
    return *itens_.at(static_cast<std::size_t>(index));
}

TVendaItem& TVendaList::PegarItem(int estMovEmprCod, int estMovEstacaoCod, int estMovCod,
                                  int prodCod, int modoArredondamento, double qtd, double precoUnit,
                                  double desconto) {
    auto item = std::make_unique<TVendaItem>(emprCod_, estacaoCod_, vendaCod_);
    item->EstMovEmprCod = estMovEmprCod;
    item->EstMovEstacaoCod = estMovEstacaoCod;
    item->EstMovCod = estMovCod;
    item->ProdCod = prodCod;
    item->ModoArredondamento = modoArredondamento;
    item->Qtd = RoundTo(qtd, -3);
    item->PrecoUnit = RoundTo(precoUnit, -2);
    item->Desconto = RoundTo(desconto, -2);
    itens_.push_back(std::move(item));
    return *itens_.back();
}

} // namespace zelt
