/* The contract headers as a C host includes them. */
#include "zelt/ecfplug.h"
#include "zelt/ecfplug_daruma.h"

#include <stddef.h>

#define ZELT_COUNT_DARUMA(name, daruma, epson) +(daruma)
#define ZELT_COUNT_EPSON(name, daruma, epson) +(epson)

int ZeltEcfHeaderDarumaCount(void) {
    return 0 ZELT_ECF_OPERATIONS(ZELT_COUNT_DARUMA);
}

int ZeltEcfHeaderEpsonCount(void) {
    return 0 ZELT_ECF_OPERATIONS(ZELT_COUNT_EPSON);
}

/* The Daruma prototypes and the contract's function types agree (checked without taking an
 * address, so nothing is linked). */
#define ZELT_SAME_TYPE(fn, type)                                                                   \
    _Static_assert(__builtin_types_compatible_p(__typeof__(&fn), type), #fn)
ZELT_SAME_TYPE(AbreCupom, EcfAbreCupomFn);
ZELT_SAME_TYPE(ImprimirItem, EcfImprimirItemFn);
ZELT_SAME_TYPE(VerificaStatusImpressora, EcfVerificaStatusImpressoraDarumaFn);
ZELT_SAME_TYPE(ExternarRetornoImpressora, EcfExternarRetornoImpressoraFn);
ZELT_SAME_TYPE(GeraSintegra, EcfGeraSintegraFn);

size_t ZeltEcfHeaderStatusSize(void) {
    return sizeof(ZeltPrinterStatus);
}
