// The "printer at work" window that a plug-in keeps up while the printer runs a long job (the Z
// reduction). It is the operator-message service's status text: shown at once, not modal.
#pragma once

#include "platform/rtl/Export.h"

#include <string>

namespace zelt {

namespace UMensImprStatusF {

// Shown when the caller gives no text of its own.
inline constexpr const char* ImprStatusTextoPadrao =
    "Aguarde, a impressora fiscal está trabalhando...";

// Shows the window with `texto` (or the default text) and returns at once.
ZELT_EXPORT void Exibir(const std::string& texto);
// Closes the window; nothing when it is not shown.
ZELT_EXPORT void Fechar();
ZELT_EXPORT bool Exibindo();

} // namespace UMensImprStatusF
} // namespace zelt
