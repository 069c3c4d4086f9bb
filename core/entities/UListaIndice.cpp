#include "core/entities/UListaIndice.h"

#include "platform/rtl/Errors.h"

#include <string>

namespace zelt {

void ChecarIndiceLista(int index, std::size_t count) {
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }
}

} // namespace zelt
