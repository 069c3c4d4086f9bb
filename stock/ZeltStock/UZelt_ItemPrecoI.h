// Totals of one sale item.
#pragma once

#include "platform/rtl/Export.h"
#include "platform/rtl/Numbers.h"

namespace zelt {

class ZELT_EXPORT TItemPrecoI {
public:
    TItemPrecoI() = delete;

    // Gross = quantity x unit price brought to the cent by the sale's rounding mode (see
    // TArredondamento::Arredondado); net = gross - discount brought to the cent the same way.
    // Signs of the three inputs are dropped (a returned item totals as a sold one); a discount
    // above the gross gives a negative net.
    static void CalculeTots(int modo, Currency qtd, Currency precoUnit, Currency desconto,
                            Currency& totalBruto, Currency& totalLiquido);
};

} // namespace zelt
