#include "core/entities/UDocEstacao.h"

#include "outside/utils/Utils.h"

namespace zelt {

namespace {

std::string DocComSeparador(const TDocEstacao& doc, const char* separador) {
    return IntToStrZero(doc.EmprCod, 3) + separador + IntToStrZero(doc.EstacaoCod, 3) + separador +
           IntToStrZero(doc.Cod, 6);
}

} // namespace

TDocEstacao::~TDocEstacao() = default;

void TDocEstacao::PegarCod(std::int32_t emprCod, std::int32_t estacaoCod, std::int32_t numero) {
    EmprCod = emprCod;
    EstacaoCod = estacaoCod;
    Cod = numero;
}

bool TDocEstacao::DocEstacaoEhIgual(const TDocEstacao& outro) const {
    return TemChave(outro.EmprCod, outro.EstacaoCod, outro.Cod);
}

std::string TDocEstacao::GetEmprCodAsString() const {
    return std::to_string(EmprCod);
}

std::string TDocEstacao::GetEstacaoCodAsString() const {
    return std::to_string(EstacaoCod);
}

std::string TDocEstacao::GetDocAsCsvString() const {
    return DocComSeparador(*this, ";");
}

std::string TDocEstacao::GetDocAsString() const {
    return DocComSeparador(*this, "-");
}

void TDocEstacao::Zerar() {
    PegarCod(0, 0, 0);
}

bool TDocEstacao::Zerado() const {
    return Cod == 0 && (EmprCod == 0 || EstacaoCod == 0);
}

} // namespace zelt
