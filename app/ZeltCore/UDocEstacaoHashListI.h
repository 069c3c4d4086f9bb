// Services over described station-document lists.
#pragma once

#include "core/entities/UDocEstacaoHashList.h"
#include "platform/rtl/Export.h"
#include "platform/rtl/StringList.h"

namespace zelt {

class ZELT_EXPORT TDocEstacaoHashListI {
public:
    TDocEstacaoHashListI() = delete;

    // Appends every item's description, in list order, to what the text list already holds.
    static void PreencherSL(const TDocEstacaoHashList& lista, TStringList& sl);
};

} // namespace zelt
