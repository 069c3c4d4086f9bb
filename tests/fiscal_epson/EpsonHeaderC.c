/* The Epson header as a C host includes it: its prototypes and the contract's function types
 * agree (checked without taking an address, so nothing is linked). */
#include "zelt/ecfplug.h"
#include "zelt/ecfplug_epson.h"

#define ZELT_SAME_TYPE(fn, type)                                                                   \
    _Static_assert(__builtin_types_compatible_p(__typeof__(&fn), type), #fn)
ZELT_SAME_TYPE(AbreCupom, EcfAbreCupomFn);
ZELT_SAME_TYPE(AbreCupomCli, EcfAbreCupomCliFn);
ZELT_SAME_TYPE(PegarDadosPorta, EcfPegarDadosPortaFn);
ZELT_SAME_TYPE(ImprimirItem, EcfImprimirItemFn);
ZELT_SAME_TYPE(VerificaStatusImpressora, EcfVerificaStatusImpressoraFn);
ZELT_SAME_TYPE(ExternarRetornoImpressora, EcfExternarRetornoImpressoraFn);
ZELT_SAME_TYPE(DtUltimaReducaoZStr, EcfDtUltimaReducaoZStrFn);
ZELT_SAME_TYPE(PegarDadosImpr, EcfPegarDadosImprFn);
ZELT_SAME_TYPE(GeraSintegra, EcfGeraSintegraFn);

int ZeltEcfEpsonHeaderCompiles(void) {
    return 1;
}
