#include "outside/arquivo/UArquivo.h"

namespace zelt {

TArquivo::TArquivo(const std::string& nomeArquivo) : nomeArquivo_(nomeArquivo) {}

TArquivo::~TArquivo() = default;

} // namespace zelt
