#include "core/entities/UHashItem.h"

namespace zelt {

THashItem::~THashItem() = default;

void THashItem::Zerar() {
    TCodItem::Zerar();
    Descr.clear();
}

} // namespace zelt
