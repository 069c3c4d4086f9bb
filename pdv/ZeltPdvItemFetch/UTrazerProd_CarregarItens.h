// First step of the fetch: the sale's items from the sales database, and the sale's totals.
#pragma once

#include "core/files/UArqTexto.h"
#include "outside/dataline/UDataSet.h"
#include "pdv/ZeltPdvItemFetch/UTerminalModoOper.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_VendaItem.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/Numbers.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TCarregarItens {
public:
    TCarregarItens() = delete;

    // Appends the sale's items to `lista` and sums the four totals over them (they start at 0).
    // The `venda` row gets the totals only when the caller's gross total was 0: a sale whose
    // totals the PDV already wrote keeps them. A connection or select that fails sets `erroDeu`
    // and is reported through `status` and the log; the totals then hold what was summed.
    static void Exec(TTerminalModoOper& modoOper, int emprCod, int estacaoCod, int vendaCod,
                     const TStatusSink& status, TVendaList& lista, bool& erroDeu, TArqTexto& log,
                     Currency& totalBruto, Currency& totalDesconto, Currency& totalFrete,
                     Currency& totalLiquido);

    static void DataSetToFieldNames(const TSQLDataSet& dataSet, std::string& nomes);
    static void DataSetToFieldValues(const TSQLDataSet& dataSet, std::string& valores);

    // The select of the sale's items.
    static std::string SqlItens(int emprCod, int estacaoCod, int vendaCod);
};

} // namespace zelt
