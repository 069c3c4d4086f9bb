#include "app/ZeltCore/UArredondamento.h"

#include "outside/utils/Utils.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FormatSettings.h"

#include <cstdint>
#include <string>

namespace zelt {

namespace {

// Seven integer digits and seven decimals: the kept digit sits just left of the comma and the two
// digits that decide just right of it. The picture widens for magnitudes of 10 000 000 units and
// more, so the digits are found from the comma rather than from fixed columns (the same columns
// whenever the picture keeps its width).
constexpr const char* kPictureAbnt = "0000000.0000000";

struct DigitosAbnt {
    std::int64_t base = 0; // integer part of the shifted magnitude
    char mantido = '0';    // units digit of the shifted magnitude
    char descartado1 = '0';
    char descartado2 = '0';
};

DigitosAbnt LerDigitos(Currency magnitude) {
    const std::string texto = FormatCurr(kPictureAbnt, magnitude, TFormatSettings::Brazilian());
    const std::size_t virgula = texto.find(',');
    DigitosAbnt d;
    d.base = std::stoll(texto.substr(0, virgula));
    d.mantido = texto[virgula - 1];
    d.descartado1 = texto[virgula + 1];
    d.descartado2 = texto[virgula + 2];
    return d;
}

bool Sobe(const DigitosAbnt& d) {
    if (d.descartado1 != '5') {
        return d.descartado1 > '5';
    }
    if (d.descartado2 != '0') {
        return true;
    }
    // An exact half keeps only 2, 4, 6 and 8; 0 goes up with the odd digits.
    const std::string pares = "2468";
    return pares.find(d.mantido) == std::string::npos;
}

// units x unit, with the product formed exactly before the single rounding into money.
Currency Multiplo(std::int64_t unidades, Currency unidade) {
    const Extended produto = static_cast<Extended>(unidades) *
                             static_cast<Extended>(unidade.Raw()) /
                             static_cast<Extended>(Currency::Scale);
    return Currency::FromExtended(produto);
}

// value / unit as money: one rounding of the exact ratio of the two raw values.
Currency Deslocado(Currency valor, Currency unidade) {
    if (unidade.Raw() == 0) {
        throw EZeroDivide("Floating point division by zero");
    }
    return Currency::FromExtended(static_cast<Extended>(valor.Raw()) /
                                  static_cast<Extended>(unidade.Raw()));
}

} // namespace

Currency TArredondamento::Arredondado(int modo, Currency valor, int digitos) {
    if (modo == 0) {
        return ValorArredondadoPC(valor, digitos);
    }
    // The cut goes through the double and its decimal text, as the point of sale has always cut.
    return Currency::FromDouble(TruncarViaStr(valor.ToDouble(), digitos));
}

Currency TArredondamento::ValorArredondadoAbnt(Currency valor, int digitos) {
    // Below -4 the unit is smaller than money can hold and becomes 0.
    const Currency unidade = Currency::FromExtended(IntPower(10, digitos));
    const Currency deslocado = Deslocado(valor, unidade);
    const DigitosAbnt d = LerDigitos(Abs(deslocado));
    const Currency magnitude = Multiplo(Sobe(d) ? d.base + 1 : d.base, unidade);
    return deslocado.Raw() < 0 ? -magnitude : magnitude;
}

Currency TArredondamento::ValorArredondadoPC(Currency valor, int digitos) {
    return Currency::FromDouble(RoundTo(valor.ToDouble(), digitos));
}

} // namespace zelt
