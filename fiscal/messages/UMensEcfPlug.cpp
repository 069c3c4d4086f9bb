#include "fiscal/messages/UMensEcfPlug.h"

#include "platform/rtl/OperatorMessages.h"

namespace zelt {

void MensEcfPlug(const std::string& texto) {
    MessageError(texto, MensEcfPlugCaption);
}

} // namespace zelt
