// Last step of the fetch: the script that carries the tax data into both databases.
#pragma once

#include "outside/dataline/UArqSQL.h"
#include "pdv/ZeltPdvItemFetch/UTerminalModoOper.h"
#include "pdv/ZeltPdvItemFetch/UTrazerProd_VendaItem.h"
#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

class ZELT_EXPORT TInsereLinhas {
public:
    TInsereLinhas() = delete;

    // The sales database first: its `prod` rows get the products' tax data, then every item's
    // tax record; then the product database gets the same records. Items whose product the
    // product database did not know are left out of all of it.
    static void Exec(TArqSQL& arq, const TVendaList& lista, TTerminalModoOper& modoOper);
    // One ITENS_TRIBS_SET call per item, then "commit;" and an empty line.
    static void InsLin_EstMov(TArqSQL& arq, const TVendaList& lista);

    static std::string LinhaUpdateProd(const TVendaItem& item);
    static std::string LinhaItensTribsSet(const TVendaItem& item);
};

} // namespace zelt
