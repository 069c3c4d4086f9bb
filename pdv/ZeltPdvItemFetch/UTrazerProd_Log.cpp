#include "pdv/ZeltPdvItemFetch/UTrazerProd_Log.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Text.h"

namespace zelt::trazerprod {

std::string Carimbo() {
    return FormatDateTime("dd/mm/yy hh:nn:ss,zzz", Now());
}

std::string NomesDosCampos(const TSQLDataSet& dataSet) {
    std::string linha;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        if (i > 0)
            linha += ';';
        linha += UpperCase(dataSet.FieldDef(i).name);
    }
    return linha;
}

std::string ValoresDosCampos(const TSQLDataSet& dataSet) {
    std::string linha;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        if (i > 0)
            linha += ';';
        linha += dataSet.Fields(i).AsString();
    }
    return linha;
}

} // namespace zelt::trazerprod
