// The line list of the Utils package: a text list loaded from and saved to a file whole.
#pragma once

#include "platform/rtl/StringList.h"

namespace zelt {

using TLinhas = TStringList;

} // namespace zelt
