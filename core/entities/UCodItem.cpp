#include "core/entities/UCodItem.h"

namespace zelt {

TCodItem::~TCodItem() = default;

std::string TCodItem::GetCodAsString() const {
    return std::to_string(Cod);
}

void TCodItem::Zerar() {
    Cod = 0;
}

bool TCodItem::Zerado() const {
    return Cod == 0;
}

} // namespace zelt
