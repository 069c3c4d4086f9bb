#include "outside/utils/UMensagens.h"

#include "platform/rtl/OperatorMessages.h"

namespace zelt {

void MensagemErro(const std::string& texto, int /*contextoAjuda*/) {
    MessageError(texto);
}

void MensagemInfo(const std::string& texto, int /*contextoAjuda*/) {
    MessageInfo(texto);
}

bool Pergunta(const std::string& texto) {
    return MessageQuestion(texto);
}

} // namespace zelt
