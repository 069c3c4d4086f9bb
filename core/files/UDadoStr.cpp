#include "core/files/UDadoStr.h"

namespace zelt {

TDadoStr::TDadoStr(const std::string& texto) {
    TDadoStr::SetAsString(texto);
}

TDadoStr::~TDadoStr() = default;

std::string TDadoStr::GetAsString() const {
    return texto_;
}

void TDadoStr::SetAsString(const std::string& texto) {
    texto_ = texto;
}

} // namespace zelt
