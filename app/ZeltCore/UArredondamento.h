// Money brought to a decimal place the way the fiscal side expects it: binary rounding, the ABNT
// decimal rounding, or a cut.
#pragma once

#include "platform/rtl/Export.h"
#include "platform/rtl/Numbers.h"

namespace zelt {

// The decimal place is an exponent: the unit is 10^digitos (-2 the cent, 0 the unit, 1 the ten).
// Every caller in the system passes -2.
class ZELT_EXPORT TArredondamento {
public:
    TArredondamento() = delete;

    // Mode 0 rounds (ValorArredondadoPC); any other mode cuts the digits below the place.
    static Currency Arredondado(int modo, Currency valor, int digitos);

    // Decimal rounding by the digits of the value: the first discarded digit decides, and on an
    // exact half the kept digit stays only when it is 2, 4, 6 or 8 (0 goes up). Negative values
    // are rounded by their magnitude. The value is first counted in units of the place, and that
    // count must itself be money (at the cent, values below about 9.2 x 10^12), else
    // EConvertError. Places below -4 have no unit in money: EZeroDivide.
    static Currency ValorArredondadoAbnt(Currency valor, int digitos);

    // Rounding of the binary value (RoundTo), so a decimal half goes where its double lies.
    static Currency ValorArredondadoPC(Currency valor, int digitos);
};

} // namespace zelt
