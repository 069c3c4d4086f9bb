#include "core/files/UPasta.h"

#include "outside/utils/Utils.h"
#include "platform/rtl/FileSystem.h"

namespace zelt {

TPasta::TPasta(const std::string& pasta, bool criar) {
    TPasta::SetAsString(pasta);
    if (criar) {
        Force();
    }
}

TPasta::TPasta(const std::string& pasta, TTipoCaminhoDateTime tipo, TDateTime dataHora) {
    TPasta::SetAsString(ComDelimitador(pasta) + SubPasta(tipo, dataHora));
    Force();
}

void TPasta::SetAsString(const std::string& texto) {
    texto_ = ComDelimitador(texto);
}

bool TPasta::Force() const {
    if (texto_.empty()) {
        return false;
    }
    return ForceDirectories(texto_);
}

std::string TPasta::ComDelimitador(std::string_view pasta) {
    std::string result(pasta);
    if (result.empty() || result.back() != PathDelim) {
        result += PathDelim;
    }
    return result;
}

std::string TPasta::SubPasta(TTipoCaminhoDateTime tipo, TDateTime dataHora) {
    if (dataHora == 0) {
        dataHora = Now();
    }
    switch (tipo) {
    case tcdtDate:
        return DateToPath(dataHora);
    case tcdtDateTime:
        return DateTimeToPath(dataHora);
    case tcdtNenhum:
        break;
    }
    return {};
}

} // namespace zelt
