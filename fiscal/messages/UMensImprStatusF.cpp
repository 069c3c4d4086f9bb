#include "fiscal/messages/UMensImprStatusF.h"

#include "platform/rtl/OperatorMessages.h"

namespace zelt::UMensImprStatusF {

namespace {
// Plug-ins run on the host's user-interface thread only, as the window itself would.
bool exibindo = false;
} // namespace

void Exibir(const std::string& texto) {
    MessageStatus(texto.empty() ? std::string(ImprStatusTextoPadrao) : texto);
    exibindo = true;
}

void Fechar() {
    if (!exibindo)
        return;
    exibindo = false;
    MessageStatus("");
}

bool Exibindo() {
    return exibindo;
}

} // namespace zelt::UMensImprStatusF
