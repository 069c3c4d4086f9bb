// Third step of the fetch: each item's ICMS amount.
#pragma once

#include "pdv/ZeltPdvItemFetch/UTrazerProd_VendaItem.h"
#include "platform/rtl/Export.h"

namespace zelt {

class ZELT_EXPORT TPreencherTribVal {
public:
    TPreencherTribVal() = delete;

    // ICMS amount = the item's net total (from its stored, already rounded quantity, price and
    // discount, by the sale's rounding mode) times its rate in percent, to the cent by binary
    // rounding.
    static void Execute(TVendaList& lista);
};

} // namespace zelt
