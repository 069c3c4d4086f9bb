#include "app/ZeltCore/UDocEstacaoHashListI.h"

namespace zelt {

void TDocEstacaoHashListI::PreencherSL(const TDocEstacaoHashList& lista, TStringList& sl) {
    for (int i = 0; i < lista.Count(); ++i) {
        sl.Add(lista.GetDocEstacaoHashItem(i).Descr);
    }
}

} // namespace zelt
