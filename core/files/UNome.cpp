#include "core/files/UNome.h"

#include "outside/utils/Utils.h"

namespace zelt {

TNome::TNome(const std::string& nome) : TDadoStr(nome) {}

TNome::TNome(const std::string& prefixo, const std::string& sufixo, TDateTime dataHora)
    : TDadoStr(prefixo + " " + DateTimeToNomeArq(dataHora == 0 ? Now() : dataHora) + sufixo) {}

} // namespace zelt
