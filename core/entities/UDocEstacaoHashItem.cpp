#include "core/entities/UDocEstacaoHashItem.h"

namespace zelt {

TDocEstacaoHashItem::~TDocEstacaoHashItem() = default;

} // namespace zelt
