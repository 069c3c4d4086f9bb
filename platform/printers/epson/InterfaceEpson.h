// libInterfaceEpson.so: our emulator of the Epson fiscal printer maker library.
//
// The fiscal plug-in loads this library with dlopen and binds every function below by name, as it
// would the maker's own library. The emulator keeps a whole fiscal printer behind these calls:
// fiscal day (opened by EPSON_RelatorioFiscal_Abrir_Jornada, closed by the Z reduction), fiscal
// coupon, linked receipt (CCD) and management report documents, counters, rates, payment forms,
// the last Z reduction, the drawer and the paper.
//
// ---------------------------------------------------------------------------------------------
// Calling rules
// ---------------------------------------------------------------------------------------------
// * Texts in are NUL-terminated Windows-1252. A NULL text reads as an empty text. Texts longer
//   than the printer takes are cut (limits given per function).
// * Buffers the library fills are char*. "buffer n" means: the library writes at most n
//   characters followed by one NUL, i.e. at most n+1 bytes; the caller passes at least n+1
//   bytes. Nothing is ever written beyond that. Fixed-width answers are written to their full
//   width (blank- or zero-filled as each layout says). A call that does not return 0 writes
//   nothing into its buffers.
// * Amounts and quantities are digit strings with a separate count of decimals:
//   ("1250", 2) is 12,50 and ("1500", 3) is 1,500. Leading zeros are fine. An empty (or NULL)
//   text -> 16, a character that is not a digit -> 13, more than 14 digits -> 17, a count of
//   decimals out of range -> 2.
// * A NULL output buffer refuses the call with 2.
// * Every call reads the environment and the files below afresh, so a test may switch files or
//   faults between two calls.
//
// Return values (every function returns int):
//     0    success
//     1    the printer does not answer (printer off fault); nothing happened
//     2    bad call caught by the library: NULL output buffer, integer argument out of range
//     3    the emulator could not read or write its own files; the call had no effect
//   >=10   refusal by the printer. The status query reports the code of the last call as its
//          4-digit command return ("0000" after a success), with the matching text below as
//          its error message:
//           10 another document is open              11 no fiscal coupon open
//           12 wrong step in the coupon sequence     13 malformed number
//           14 no room left (table full, items)      15 item not found or already cancelled
//           16 bad parameter                         17 numeric overflow
//           18 tax rate not programmed               19 a value is zero
//           20 fiscal day not open                   21 Z reduction already done today
//           22 Z reduction of a previous day pending 23 payment form not programmed
//           24 bad discount or surcharge             25 nothing to cancel
//           26 linked receipt not possible           27 no non-fiscal document open
//           28 management report not registered     29 no Z reduction done yet
//           30 paper out
//          A refusal injected through the fault file returns whatever code the file names.
//
// Counters: COO (every document), CCF (fiscal coupons), GNF (non-fiscal documents), GRG
// (management reports), CDC (linked receipts), CRZ (Z reductions), CRO (restarts, 1), CFC
// (cancelled coupons). All start at 0 on a new printer.
//
// Fiscal day: EPSON_RelatorioFiscal_Abrir_Jornada opens it on the printer's date (printing an
// opening document with its own COO). Fiscal coupons and cash movements need an open day (20).
// A day opened on date D is pending reduction from date D+1 on: documents are then refused
// with 22, and so is every step of a coupon left open but its cancellation. The Z reduction
// closes the day and reduces the movement of its date (the open day's date, or today when no
// day is open). A date is reduced once: a second Z for it -> 21, and a day cannot be opened
// again on a reduced date (21). So a pending day reduced on the next morning leaves that
// morning free for a day of its own. The Z does not cancel an open document (10).
// "Z reduction done today" in the status and day data means: today's date is reduced.
//
// ---------------------------------------------------------------------------------------------
// Environment
// ---------------------------------------------------------------------------------------------
//   ZELT_EPSON_STATE    state file (INI text), default ./epson_state.ini. Written to
//                       "<name>.tmp-<pid>", flushed and renamed after every change. A missing
//                       file is a new printer; a test may write one beforehand to program it:
//                         [Programacao]
//                         Truncamento=0|1              (item totals truncated instead of rounded)
//                         Aliquotas=T1800;T1200;T0700;T2500;S0500   (at most 24)
//                         FormasPagamento=Dinheiro;Cheque;Cartao    (at most 20, 15 characters;
//                                                      the first is cash: no linked receipt)
//                         Relatorios=Geral;...         (management reports "1", "2", ...)
//                       Calls on one state file run one at a time, across processes too (flock
//                       on "<name>.lock"). Missing folders of our files are created.
//   ZELT_EPSON_TAPE     paper tape, default ./epson_bobina.txt: every printed document is
//                       appended as the printer prints it (56 columns, Windows-1252).
//   ZELT_EPSON_JOURNAL  call journal, default ./epson_journal.txt: one line per call, written
//                       before the call runs (calls to a printer that is off are there too):
//                         EPSON_Fiscal_Pagamento("Dinheiro","1000",2,"","")
//                       Texts are quoted; inside them \ " CR LF TAB become \\ \" \r \n \t and
//                       other bytes below 0x20 \xHH; bytes from 0x80 stay as they are. A NULL
//                       text is NULL, an integer argument is written in decimal, an output
//                       buffer is written as out.
//   ZELT_EPSON_FAULTS   fault settings (INI), default ./epson_faults.ini, read on every call.
//                       A missing file means no faults.
//                         [Printer]
//                         Off=1            every call returns 1
//                         PaperOut=1       calls that print return 30 and change nothing;
//                                          printer state character 15 reads 1
//                         PaperLow=1       printer state character 13 reads 1
//                         [Clock]
//                         Fixed=dd/mm/yyyy hh:nn:ss  (or yyyy-mm-dd hh:nn:ss) the printer's
//                                          clock stands still at this moment
//                         Offset=N         the clock runs N seconds ahead (negative: behind)
//                                          of local time; ignored when Fixed is given
//                         [Refuse]
//                         <function>=N     the next call to <function> returns N and does
//                                          nothing; the key is then deleted from the file
//                         [Answers]        what query functions write, for fuzzing callers
//                         <function>=text  write this text instead of the real answer (cut to
//                                          the buffer). For functions with several buffers a
//                                          key may name one of them, and is looked up first:
//                                          EPSON_Obter_Estado_ImpressoraEX.impressora / .fiscal
//                                          / .retorno / .mensagem,
//                                          EPSON_Obter_Arredonda_Trunca_Fabricacao.arredonda /
//                                          .fabricacao
//                         Garbage=S        (S non-zero) every query fills its buffers to full
//                                          size with pseudo-random bytes 0x01-0xFF; the return
//                                          code stays the real one. The CRZ that the Z
//                                          reduction writes is never replaced.
//                         [Drawer]
//                         OpenSeconds=N    the drawer closes N seconds (printer clock) after it
//                                          was opened, default 5
//   ZELT_EPSON_REPORTS  report folder, default the current folder: every Z reduction is also
//                       written there as "RZ_<CRZ 6 digits>.TXT" (the text printed on the tape).
//
// The printer's clock is local time unless the fault file sets it.
#pragma once

#include "platform/rtl/Export.h"

// ---- port --------------------------------------------------------------------------------------

// Opens the communication with the printer (the port comes from the library's own settings).
ZELT_C_EXPORT int EPSON_Serial_Abrir_PortaEX(void);
ZELT_C_EXPORT int EPSON_Serial_Fechar_Porta(void);

// ---- state -------------------------------------------------------------------------------------

// Buffer 24, always 24 characters: characters 1-16 the printer state, 17-20 the fiscal state's
// characters 13-16 (document in progress), 21-24 the command return of the last call (as
// EPSON_Obter_Estado_ImpressoraEX writes them). Does not become the last call itself.
ZELT_C_EXPORT int EPSON_Obter_Estado_Impressora(char* estado);
// Status of the printer and of the last call (any function but the two state queries):
//   estadoImpressora  buffer 16, exactly 16 characters "0"/"1", character 1 first:
//                       1 on line (1 whenever the printer answers)   4 drawer open
//                       13 paper near its end                       15 paper out
//                       the others 0
//   estadoFiscal      buffer 16, exactly 16 characters:
//                       1 fiscal day open  2 Z reduction pending  3 Z reduction done today
//                       4-8 "00000"
//                       9-12 coupon phase: "0000" none, "0001" taking items,
//                            "0002" paying (first payment given), "0003" fully paid
//                       13-16 document in progress: "0000" none, "0001" fiscal coupon,
//                            "0002" linked receipt, "0003" management report
//   retornoComando    buffer 4, exactly 4 digits: "0000", or the last call's code ("0022")
//   mensagemErro      buffer 100: the text of that code (empty after a success), not padded
ZELT_C_EXPORT int EPSON_Obter_Estado_ImpressoraEX(char* estadoImpressora, char* estadoFiscal,
                                                  char* retornoComando, char* mensagemErro);
// Buffer 16: "ddmmyyyyhhmmss" (date in characters 1-8, time in 9-14), 14 characters.
ZELT_C_EXPORT int EPSON_Obter_Hora_Relogio(char* dataHora);
// Buffer 101, always 101 digits, counters of 6 digits each:
//   1-6 COO   7-12 GNF   13-18 GRG   19-24 CDC   25-30 CRZ   31-36 CRO   37-42 CFC
//   43-48 CCF   49-101 zeros (reserved)
ZELT_C_EXPORT int EPSON_Obter_Contadores(char* contadores);
// Buffer 72, always 72 characters:
//   1-8 date of the fiscal day "ddmmyyyy" (zeros when no day was opened)
//   9-14 time it was opened "hhmmss"     15-20 CRZ        21-26 COO of its opening
//   27-40 gross sales of the day in cents (14 digits)
//   41-64 zeros (reserved)
//   65 "1" fiscal day open, "0" not      66 "1" Z reduction pending, "0" not
//   67 "1" Z reduction done today        68-72 zeros
ZELT_C_EXPORT int EPSON_Obter_Dados_Jornada(char* dados);
// Data of the last Z reduction, buffer 1168, always 1168 characters:
//   1-8 date "ddmmyyyy"   9-14 time "hhmmss"   15-20 CRZ   21-26 COO   27-32 CRO
//   33-40 movement date "ddmmyyyy"
//   41-58 grand total, 59-76 gross sales, 77-94 cancellations, 95-112 discounts,
//   113-130 surcharges (cents, 18 digits each)
//   131-658 24 rate entries of 22: type "T"/"S", rate 4 digits, day total 17 digits (cents);
//           unused entries blank
//   659-1168 blanks
// No reduction done yet -> 29.
ZELT_C_EXPORT int EPSON_Obter_Dados_Ultima_RZ(char* dados);
// Rate table, buffer 554: one 23-character entry per programmed rate, in the printer's order,
// then the NUL (at most 24 entries, 552 characters):
//   1 type "T" (ICMS) or "S" (ISS)   2 blank   3-6 rate in hundredths of a percent ("1800")
//   7-23 total sold at that rate in the current day, cents, 17 digits
ZELT_C_EXPORT int EPSON_Obter_Tabela_Aliquotas(char* tabela);
// Payment table, buffer 882, always 882 characters: characters 1-2 the number of programmed
// forms, then 20 records of 44 (unused records are 44 blanks):
//   1-15 name, blank-padded   16 "S" a linked receipt may follow, "N" not
//   17-30 amount paid with it in the current day, cents, 14 digits
//   31-44 amount paid with it in the last coupon, cents, 14 digits
ZELT_C_EXPORT int EPSON_Obter_Tabela_Pagamentos(char* tabela);
// arredonda: buffer 3: "S" the printer rounds item totals, "N" it truncates (1 character).
// fabricacao: buffer 4: "N" (the printer is in fiscal, not factory, mode; 1 character).
ZELT_C_EXPORT int EPSON_Obter_Arredonda_Trunca_Fabricacao(char* arredonda, char* fabricacao);

// ---- fiscal day --------------------------------------------------------------------------------

// Opens the fiscal day. Already open on today's date: 0, nothing printed. Refusals: 10, 21, 22,
// 30.
ZELT_C_EXPORT int EPSON_RelatorioFiscal_Abrir_Jornada(void);
// X reading. Refusals: 10, 30.
ZELT_C_EXPORT int EPSON_RelatorioFiscal_LeituraX(void);
// Z reduction; data, hora and modo are accepted and ignored (the printer's clock counts).
// crz: buffer 6: the CRZ of this reduction, exactly 6 digits. Refusals: 10, 21, 30.
ZELT_C_EXPORT int EPSON_RelatorioFiscal_RZ(const char* data, const char* hora, int modo, char* crz);

// ---- fiscal coupon -----------------------------------------------------------------------------

// Opens a fiscal coupon (new COO and CCF). modo: 1 without consumer (the texts are ignored),
// 3 with the consumer: documento (CPF/CNPJ, cut to 20), nome (cut to 30), endereco1 and
// endereco2 (cut to 40 each), each trimmed; empty ones are not printed. Other modo -> 16. Refusals:
// 10, 20, 21, 22, 30.
ZELT_C_EXPORT int EPSON_Fiscal_Abrir_Cupom(const char* documento, const char* nome,
                                           const char* endereco1, const char* endereco2, int modo);
// Sells one item.
//   codigo cut to 14, descricao cut to 200 (empty -> 16), unidade cut to 3
//   quantidade digits with casasQuantidade (0-3) decimals, > 0, at most 99999,999
//   precoUnitario digits with casasPreco (0-3) decimals, > 0, at most 99999999,99
//   aliquota: "1800" (4 digits: a programmed ICMS rate), "T1800" / "S0500" (ICMS / ISS), or a
//             code F F1 FF I I1 II N N1 NN SF SI SN (substitution, exempt, not levied, the
//             last three for services); unknown
//             letters -> 16, rate not programmed -> 18
//   calculo: 1 (the item total follows the printer's rule: rounded half up to cents, or
//            truncated when programmed so); other -> 16
// Only while the coupon takes items (no coupon 11; after the first payment 12); at most 500
// items (14). Bad decimals count -> 2.
ZELT_C_EXPORT int EPSON_Fiscal_Vender_Item(const char* codigo, const char* descricao,
                                           const char* quantidade, int casasQuantidade,
                                           const char* unidade, const char* precoUnitario,
                                           int casasPreco, const char* aliquota, int calculo);
// Discount (desconto 1) or surcharge (desconto 0) on the last sold item: valor digits with
// casas decimals, a value (percentual 0) or a percentage (percentual 1). Once per item (24);
// the whole item or more -> 24; zero -> 19; last item cancelled 15; steps as Vender_Item.
// casas 0-2, desconto and percentual 0 or 1; else 2.
ZELT_C_EXPORT int EPSON_Fiscal_Desconto_Acrescimo_Item(const char* valor, int casas, int desconto,
                                                       int percentual);
// Cancels sold item number "item" (1-based, as printed). Missing, "0", or already cancelled
// 15; steps as Vender_Item.
ZELT_C_EXPORT int EPSON_Fiscal_Cancelar_Item(const char* item);
// Cancels the open coupon, or the last coupon when it was the last document issued (a
// cancellation document with a new COO is printed; CFC counts it); else 25.
ZELT_C_EXPORT int EPSON_Fiscal_Cancelar_Cupom(void);
// One payment by the name of a programmed form (letter case ignored; unknown 23). valor digits
// with casas (0-2) decimals, > 0 (19). The first payment ends the sale of items (a coupon without a
// live item -> 12); once fully paid -> 12. descricao1 and descricao2 are printed under the
// payment when not empty (cut to 56 each).
ZELT_C_EXPORT int EPSON_Fiscal_Pagamento(const char* forma, const char* valor, int casas,
                                         const char* descricao1, const char* descricao2);
// The closing message, printed when the coupon closes: successive calls add to it, the whole
// cut to 448 characters (8 lines of 56). Only once the first payment was given (else 12).
ZELT_C_EXPORT int EPSON_Fiscal_Imprimir_MensagemEX(const char* mensagem);
// Ends the fully paid coupon (else 12): change, message, COO and date. cortarPapel and
// abrirGaveta 0 or 1 (else 2); abrirGaveta 1 opens the drawer.
ZELT_C_EXPORT int EPSON_Fiscal_Fechar_Cupom(int cortarPapel, int abrirGaveta);

// ---- cash movements ----------------------------------------------------------------------------

// Cash withdrawal (sangria) and supply (fundo de troco): valor digits with casas decimals, > 0
// (19). A non-fiscal document with its own COO (GNF counts it). Refusals: 10, 20, 21, 22, 30.
ZELT_C_EXPORT int EPSON_NaoFiscal_Sangria(const char* valor, int casas);
ZELT_C_EXPORT int EPSON_NaoFiscal_Fundo_Troco(const char* valor, int casas);

// ---- linked receipt ----------------------------------------------------------------------------

// Opens a linked receipt (new COO; CDC and GNF count it) for a payment of the last fiscal
// coupon: forma paid in it and not the cash form, valor (digits, casas) not above what that
// payment has left to link, parcelas "1".."99"; else 26. The coupon must be the last fiscal
// document, closed and not cancelled (26). Refusals: 10, 22, 30.
ZELT_C_EXPORT int EPSON_NaoFiscal_Abrir_CCD(const char* forma, const char* valor, int casas,
                                            const char* parcelas);
// Prints text in the open linked receipt or management report: lines split at CR LF / LF,
// wrapped at 56 columns, cut to 4096 characters per call. Nothing open 27; 30.
ZELT_C_EXPORT int EPSON_NaoFiscal_Imprimir_Linha(const char* texto);
// Closes the linked receipt (none open 27). cortarPapel 0 or 1, else 2.
ZELT_C_EXPORT int EPSON_NaoFiscal_Fechar_CCD(int cortarPapel);

// ---- management report -------------------------------------------------------------------------

// Opens management report number "numero" ("1" is the first of Relatorios; not registered
// 28). New COO; GRG and GNF count it. Refusals: 10, 22, 30.
ZELT_C_EXPORT int EPSON_NaoFiscal_Abrir_Relatorio_Gerencial(const char* numero);
// Closes the management report (none open 27). cortarPapel 0 or 1, else 2.
ZELT_C_EXPORT int EPSON_NaoFiscal_Fechar_Relatorio_Gerencial(int cortarPapel);

// ---- drawer ------------------------------------------------------------------------------------

// Pulses the drawer open; it reads open (printer state character 4) for OpenSeconds.
ZELT_C_EXPORT int EPSON_Impressora_Abrir_Gaveta(void);
