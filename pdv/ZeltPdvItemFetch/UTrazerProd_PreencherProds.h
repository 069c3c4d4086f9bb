// Second step of the fetch: each item's product tax data from the product database.
#pragma once

#include "core/files/UArqTexto.h"
#include "outside/dataline/UDataSet.h"
#include "pdv/ZeltPdvItemFetch/UTerminalModoOper.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_VendaItem.h"
#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TPreencherProds {
public:
    TPreencherProds() = delete;

    // Fills the tax fields of every item whose product the product database knows; a product it
    // does not know is logged and its item keeps cleared fields (ProdEncontrado false). A failed
    // connection, or a select that gives no dataset at all, sets `erroDeu` and is reported
    // through `status` and the log; the items after it are not looked up.
    static void Exec(TTerminalModoOper& modoOper, const TStatusSink& status, TVendaList& lista,
                     bool& erroDeu, TArqTexto& log);

    static void DataSetToFieldNames(const TSQLDataSet& dataSet, std::string& nomes);
    static void DataSetToFieldValues(const TSQLDataSet& dataSet, std::string& valores);

    // The select of one product's tax data.
    static std::string SqlProd(int prodCod);
};

} // namespace zelt
