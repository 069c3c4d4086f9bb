// The index check shared by the entity lists.
#pragma once

#include <cstddef>

namespace zelt {

// Raises EListError "List index out of bounds (<index>)" unless 0 <= index < count.
void ChecarIndiceLista(int index, std::size_t count);

} // namespace zelt
