/* The public header must stay plain C for the PDV host. */
#include "zelt/pdvitemfetch.h"

#include <stddef.h>

_Static_assert(sizeof(ZeltPdvDinheiro) == 8, "money is 64-bit");
_Static_assert(offsetof(ZeltPdvModoOper, DadosConexaoVendas) == sizeof(const char*),
               "product connection first");

ZeltPdvExecutarFn pdv_header_c_executar = Executar;
