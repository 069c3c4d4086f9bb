/* ZeltPdvItemFetch.so: the sale item fetch that the PDV calls after it has recorded a sale.
 *
 * For one sale, Executar reads the items from the sales database, recomputes the sale's totals
 * (and writes them to its `venda` row when the caller's gross total is 0), looks up every
 * product's tax data in the product database (terminal_dados), computes each item's ICMS amount,
 * and writes and runs (awaiting its end) the script
 *     <root>/Comandos/PDV/Trazer Prod <eee>-<sss>-<vvvvvv> 1899-12-30-00-00-00-000.sql
 * that copies the tax data into the sales database's `prod` rows and records every item through
 * ITENS_TRIBS_SET in both databases. <root> is two folders above the running program's folder;
 * every call writes its log under <root>/Log/PDV/ZeltPdvItemFetch/.
 *
 * A host binds "Executar" (or "UTrazerProd.Executar") with dlsym.
 */
#ifndef ZELT_PDVITEMFETCH_H
#define ZELT_PDVITEMFETCH_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#define ZELT_PDV_NOEXCEPT noexcept
extern "C" {
#else
#define ZELT_PDV_NOEXCEPT
#endif

/* The terminal's operation mode: the connection-data texts ("[host[/port]:]path", see
 * docs/database.md) of its two databases. The texts are copied. */
typedef struct ZeltPdvModoOper {
    const char* DadosConexaoProdutos; /* terminal_dados: products and their tax data */
    const char* DadosConexaoVendas;   /* venda, venda_est_mov, est_mov and a copy of prod */
} ZeltPdvModoOper;

/* The host's status channel. MostrarStatus gets a status text (an empty text clears it),
 * MostrarErro an error text (a failed connection or select with Firebird's own text, a failed
 * script run). Either may be null. Texts are Windows-1252 and live for the call only. */
typedef struct ZeltPdvStatus {
    void* Contexto;
    void (*MostrarStatus)(void* Contexto, const char* Texto);
    void (*MostrarErro)(void* Contexto, const char* Texto);
} ZeltPdvStatus;

/* Money: ten-thousandths in a signed 64-bit integer (12.5 is 125000). */
typedef int64_t ZeltPdvDinheiro;

/* The four totals are read and written: a gross total of 0 coming in asks for the `venda` row
 * to be updated; on return they hold the sums over the items read (also after an error: what
 * had been summed by then). A null total reads as 0 and is not written.
 *
 * True when the call ran to its end, whatever it reported through the status channel; false
 * when a platform error (a file that could not be written, a field that could not be read, a
 * failing update of `venda`) cut it short: ZeltPdvItemFetchUltimoErro then tells why. The run
 * log gets its closing lines in both cases. */
bool Executar(const ZeltPdvModoOper* ModoOper, const ZeltPdvStatus* Status, int32_t EmprCod,
              int32_t EstacaoCod, int32_t VendaCod, ZeltPdvDinheiro* TotalBruto,
              ZeltPdvDinheiro* TotalDesconto, ZeltPdvDinheiro* TotalFrete,
              ZeltPdvDinheiro* TotalLiquido) ZELT_PDV_NOEXCEPT;

typedef bool (*ZeltPdvExecutarFn)(const ZeltPdvModoOper*, const ZeltPdvStatus*, int32_t, int32_t,
                                  int32_t, ZeltPdvDinheiro*, ZeltPdvDinheiro*, ZeltPdvDinheiro*,
                                  ZeltPdvDinheiro*);

/* "<class>: <message>" of the error that ended the calling thread's last Executar, or "". */
const char* ZeltPdvItemFetchUltimoErro(void) ZELT_PDV_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif /* ZELT_PDVITEMFETCH_H */
