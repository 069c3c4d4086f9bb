// What every step of the fetch writes to the run log: time stamps and the rows it read.
#pragma once

#include "outside/dataline/UDataSet.h"

#include <string>

namespace zelt::trazerprod {

// The current moment as "dd/mm/yy hh:nn:ss,zzz".
std::string Carimbo();

// The upper-cased field names, and the current row's field texts, joined with ";".
std::string NomesDosCampos(const TSQLDataSet& dataSet);
std::string ValoresDosCampos(const TSQLDataSet& dataSet);

// Runs `corpo`, then `fim` whether or not `corpo` raised; an error of `corpo` goes on after `fim`.
template <class Corpo, class Fim> void ComFim(Corpo&& corpo, Fim&& fim) {
    try {
        corpo();
    } catch (...) {
        fim();
        throw;
    }
    fim();
}

} // namespace zelt::trazerprod
