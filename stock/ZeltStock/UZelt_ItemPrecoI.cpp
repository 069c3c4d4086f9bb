#include "stock/ZeltStock/UZelt_ItemPrecoI.h"

#include "app/ZeltCore/UArredondamento.h"
#include "platform/rtl/Errors.h"

#include <cstdint>
#include <limits>

namespace zelt {

namespace {

constexpr int kCentavo = -2;

__extension__ typedef __int128 Int128;

// quantity x price to the nearest ten-thousandth, halves to even, on the exact product: the
// product of two money values has eight decimals, and a half in the fifth must be judged on the
// digits themselves, not on a binary approximation of them.
Currency Produto(Currency qtd, Currency preco) {
    const Int128 exato = static_cast<Int128>(qtd.Raw()) * preco.Raw();
    Int128 raw = exato / Currency::Scale;
    const Int128 resto = exato % Currency::Scale;
    if (resto * 2 > Currency::Scale || (resto * 2 == Currency::Scale && raw % 2 != 0)) {
        ++raw;
    }
    if (raw > std::numeric_limits<std::int64_t>::max()) {
        throw EConvertError("Item total out of the money range");
    }
    return Currency::FromRaw(static_cast<std::int64_t>(raw));
}

} // namespace

void TItemPrecoI::CalculeTots(int modo, Currency qtd, Currency precoUnit, Currency desconto,
                              Currency& totalBruto, Currency& totalLiquido) {
    const Currency produto = Produto(Abs(qtd), Abs(precoUnit));
    totalBruto = TArredondamento::Arredondado(modo, produto, kCentavo);
    totalLiquido = TArredondamento::Arredondado(modo, totalBruto - Abs(desconto), kCentavo);
}

} // namespace zelt
