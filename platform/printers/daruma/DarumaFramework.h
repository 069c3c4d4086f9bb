// libDarumaFramework.so: our emulator of the Daruma fiscal printer maker library.
//
// The fiscal plug-in loads this library with dlopen and binds every function below by name, as it
// would the maker's own library. The emulator keeps a whole fiscal printer behind these calls:
// fiscal day, coupon, linked receipt and management report documents, counters, rates, payment
// forms, Z reductions, fiscal memory and the detail tape memory (MFD).
//
// ---------------------------------------------------------------------------------------------
// Calling rules
// ---------------------------------------------------------------------------------------------
// * Texts in are NUL-terminated Windows-1252. A NULL text reads as an empty text. Texts longer
//   than the printer takes are cut (limits given per function).
// * Buffers the library fills are char*. "buffer n" means: the library writes at most n
//   characters followed by one NUL, i.e. at most n+1 bytes; the caller passes at least n+1
//   bytes. Nothing is ever written beyond that, and a call that does not return 1 writes
//   nothing (rStatusUltimoCmd_ECF_Daruma also writes when it returns -1).
// * Integer outputs are int*. A NULL buffer or integer pointer refuses the call with -1.
// * Every call reads the environment and the files below afresh, so a test may switch files or
//   faults between two calls.
//
// Return values (every function returns int):
//     1    success
//     0    the printer does not answer (printer off fault); nothing happened
//    -1    bad call caught by the library before reaching the printer: NULL output pointer,
//          unknown information index, product, report kind or registration kind
//    -2    the emulator could not read or write its own files; the call had no effect
//   >1     refusal by the printer with an extended error code (the code=text list the plug-in
//          exports as DarumaErrosEstendidosSL). Codes this emulator uses:
//            8 management report not open          10 another document is being issued
//           11 document not open                   12 nothing to cancel
//           13 non-digit in a numeric parameter    14 no room left (table full, too many items)
//           15 item not found or already cancelled 16 syntax error in a parameter
//           17 numeric overflow                    18 tax rate not programmed
//           22 Z reduction already done today      23 Z reduction of a previous day pending
//           24 invalid discount/surcharge value    26 operation cannot be executed now
//           28 a value field is zero               30 management report name not registered
//           37 rate already programmed             39 wrong step in the coupon closing sequence
//           43 linked receipt not possible         45 required field blank
//           49 payment form not found              50 paper out
//          181 Z reduction refused between 00:00 and 02:00
//          A refusal injected through the fault file returns whatever code the file names.
//
// ---------------------------------------------------------------------------------------------
// Environment
// ---------------------------------------------------------------------------------------------
//   ZELT_DARUMA_STATE    state file (INI text), default ./daruma_state.ini. Written to
//                        "<name>.tmp-<pid>", flushed and renamed after every change. The detail
//                        tape memory lives beside it in "<name>.mfd". A missing file is a new
//                        printer; a test may write one beforehand to program the printer:
//                          [Programacao]
//                          Modelo=FS700 L               (answer of information "81")
//                          Truncamento=0|1              (item totals truncated, information "165")
//                          Aliquotas=T1800;T1200;...    FormasPagamento=Dinheiro;Cheque;Cartao
//                          Relatorios=Geral;...         Cabecalho=<lines joined by \n>
//                        Missing folders of the state, tape and journal files are created.
//                        Calls on one state file run one at a time, across processes too
//                        (flock on "<name>.lock").
//   ZELT_DARUMA_TAPE     paper tape, default ./daruma_bobina.txt: every printed document is
//                        appended as the printer prints it (48 columns, Windows-1252).
//   ZELT_DARUMA_JOURNAL  call journal, default ./daruma_journal.txt: one line per call, written
//                        before the call runs (so calls to a printer that is off are there too):
//                          iCFVender_ECF_Daruma("I18,00","2,0","3,50","D$","0,00","789","UN","ARROZ")
//                        Texts are quoted; inside them \ " CR LF TAB become \\ \" \r \n \t and
//                        other bytes below 0x20 \xHH; bytes from 0x80 stay as they are. A NULL
//                        text is NULL, an integer argument is written in decimal, an output
//                        buffer or output integer is written as out.
//   ZELT_DARUMA_FAULTS   fault settings (INI), default ./daruma_faults.ini, read on every call.
//                        A missing file means no faults.
//                          [Printer]
//                          Off=1            every call returns 0, rStatusUltimoCmd included
//                          PaperOut=1       calls that print return 50 and change nothing;
//                                           status item 8 reads 1
//                          PaperLow=1       warning 1 after every successful call
//                          [Clock]
//                          Fixed=dd/mm/yyyy hh:nn:ss   (or yyyy-mm-dd hh:nn:ss) the printer's
//                                           clock stands still at this moment (a text that
//                                           is no moment is ignored)
//                          Offset=N         the clock runs N seconds ahead (negative: behind)
//                                           of local time; ignored when Fixed is given
//                          [Refuse]
//                          <function>=N     the next call to <function> returns N and does
//                                           nothing; the key is then deleted from the file
//                          [Answers]        what query functions write, for fuzzing callers
//                          <function>=text  write this text instead of the real answer (cut
//                                           to the buffer). A key may name one buffer, and is
//                                           then looked up first:
//                                           rRetornarInformacao_ECF_Daruma.<index>,
//                                           rDataHoraImpressora_ECF_Daruma.data / .hora,
//                                           rStatusUltimoCmd_ECF_Daruma.erro / .aviso
//                          Garbage=S        (S non-zero) every query fills its buffers to full
//                                           size with pseudo-random bytes 0x01-0xFF and its
//                                           integer outputs with pseudo-random values (from
//                                           seed S and a count of answers written by this
//                                           process); the return code stays the real one
//                          [Drawer]
//                          OpenSeconds=N    the drawer closes N seconds (printer clock) after
//                                           eAbrirGaveta_ECF_Daruma, default 5
//   ZELT_DARUMA_REPORTS  report folder, default the current folder: fiscal memory readings
//                        ("retorno.txt"), MFD files ("ATO_MFD_DATA.TXT", "ATO_MFD_COO.TXT") and
//                        TDM files ("ATO_TDM_DATA.TXT", "ATO_TDM_COO.TXT"). A registry value
//                        START\LocalArquivosRelatorios naming a drive ("C:\", "C:\Rel\") means
//                        this folder (plus the sub-folders after the drive); a POSIX folder
//                        there is used as it is.
//
// The printer's clock is local time unless the fault file sets it.
#pragma once

#include "platform/rtl/Export.h"

// ---- library settings ------------------------------------------------------------------------

// Selects the product the library drives. "ECF" (letter case ignored) -> 1; other -> -1.
ZELT_C_EXPORT int eDefinirProduto_Daruma(const char* produto);
// Stores a library registry value (kept in the state file). Keys used: ECF\ReceberInfoEstendida
// (kept; refusals always carry the extended code) and START\LocalArquivosRelatorios (folder of
// the report files, see ZELT_DARUMA_REPORTS). Key and value cut to 255 characters; an empty
// key, or one holding = [ ] CR or LF -> 16.
ZELT_C_EXPORT int regAlterarValor_Daruma(const char* chave, const char* valor);

// ---- start-up, clock, information ------------------------------------------------------------

// 1 when the printer answers, 0 when it does not.
ZELT_C_EXPORT int rVerificarImpressoraLigada_ECF_Daruma(void);
// Buffer 8 "ddmmyyyy" and buffer 6 "hhmmss": exactly 8 + NUL and 6 + NUL bytes.
ZELT_C_EXPORT int rDataHoraImpressora_ECF_Daruma(char* data, char* hora);
// Information by index. Several indexes joined by "+" answer their values joined by ";".
//   "26"   COO of the current (or last) document, 6 digits: exactly 6 characters + NUL
//          (buffer 6; this is the only index with a small buffer)
//   "172"  printer date-time "ddmmyyyyhhmmss", 14 characters + NUL
//   "79"   ECF type ("ECF-IF"), "80" brand ("DARUMA AUTOMACAO"), "81" model ("FS700 L" unless
//          the state file says otherwise): "80+81+79" -> "DARUMA AUTOMACAO;FS700 L;ECF-IF"
//   "165"  truncation: "1" when the printer truncates item totals, an empty text when it rounds
// Every index but "26" alone writes at most 3000 characters + NUL (buffer 3000).
// Unknown index -> -1, nothing written.
ZELT_C_EXPORT int rRetornarInformacao_ECF_Daruma(const char* indice, char* retorno);
// Status of the last call (any function but this one; kept across restarts).
//   erro, aviso: buffer 4 each: the error and warning codes as exactly 3 digits + NUL ("022")
//   iErro, iAviso: the same codes as integers
// Warning codes: 0 none, 1 paper near its end, 2 Z reduction of a previous day pending.
// Returns 1 when the last call succeeded, -1 when it was refused (the outputs tell why), 0 when
// the printer does not answer (nothing written).
ZELT_C_EXPORT int rStatusUltimoCmd_ECF_Daruma(char* erro, char* aviso, int* iErro, int* iAviso);
// Printer status item as an integer (0 or 1):
//   1 drawer open            2 paper near end        3 fiscal coupon open
//   4 linked receipt open    5 management report open 6 Z reduction pending
//   7 Z reduction done today 8 cannot print (paper out)
//   9 truncation on          10 fiscal memory full (always 0)
// Other index -> -1.
ZELT_C_EXPORT int rConsultaStatusImpressoraInt_ECF_Daruma(int indice, int* valor);

// ---- management report table -----------------------------------------------------------------

// Names of the registered management reports joined by ";" in slot order, at most 360
// characters + NUL (buffer 360). A new printer has one report, "Geral", in slot 1.
ZELT_C_EXPORT int rLerRG_ECF_Daruma(char* nomes);
// Programs a table of the printer:
//   "RG"       management report name (cut to 15 characters; already there -> 1, unchanged)
//   "FPGTO"    payment form name (cut to 16 characters; already there -> 1, unchanged)
//   "ALIQUOTA" tax rate "T1800" (ICMS) or "S0500" (ISS) -> 37 when present
// Table full -> 14; empty name -> 45; a document open -> 10; unknown kind -> -1.
// A new printer has the payment forms Dinheiro;Cheque;Cartao and the rates
// T1800;T1200;T0700;T2500;S0500.
ZELT_C_EXPORT int confCadastrarPadrao_ECF_Daruma(const char* tipo, const char* valor);

// ---- fiscal coupon ---------------------------------------------------------------------------

// Closes an open linked receipt or management report, if any; 1 otherwise too.
ZELT_C_EXPORT int iTEF_Fechar_ECF_Daruma(void);
// Opens a fiscal coupon (new COO). Refusals: 10 a document is open, 22, 23, 50.
ZELT_C_EXPORT int iCFAbrirPadrao_ECF_Daruma(void);
// The same, printing the consumer: document cut to 20, name to 30, address to 79 characters.
ZELT_C_EXPORT int iCFAbrir_ECF_Daruma(const char* documento, const char* nome,
                                      const char* endereco);
// Consumer identification printed at the end of the coupon: name (cut to 48), address (48),
// document (42). Only after iCFTotalizarCupom and before iCFEncerrar (else 39; no coupon 11);
// all three empty -> 45.
ZELT_C_EXPORT int iCFIdentificarConsumidor_ECF_Daruma(const char* nome, const char* endereco,
                                                      const char* documento);
// Sells one item.
//   aliquota  "I18,00" / "T18,00" / "T1800" (a programmed ICMS rate), "S05,00" (ISS), or a
//             code FF F1 II I1 NN N1 (substitution, exempt, not levied); else 18 (16 when
//             not a rate at all)
//   qtd       "2,0", "1,500": up to 3 decimals, > 0, at most 9999,999 (13, 16, 28, 17)
//   preco     unit price "3,50", up to 3 decimals, > 0, below 10 000 000 (13, 16, 28, 17)
//   tipo      "D$" "D%" discount, "A$" "A%" surcharge (else 16); valor "0,00" = none;
//             a discount of the whole item or more -> 24
//   codigo    cut to 14; unidade cut to 3; descricao cut to 233, empty -> 45
// Only while the coupon takes items (no coupon 11, later 39); at most 999 items (14).
// The item total is quantity x price rounded to cents (half up), or truncated when the printer
// truncates.
ZELT_C_EXPORT int iCFVender_ECF_Daruma(const char* aliquota, const char* qtd, const char* preco,
                                       const char* tipoDescAcresc, const char* valorDescAcresc,
                                       const char* codigo, const char* unidade,
                                       const char* descricao);
// Discount (D$, D%) or surcharge (A$, A%) on sold item number "item" (1-based, as printed).
// Money texts: "0,50", "1.234,50" (with a comma, dots are thousands separators; without one a
// dot is the decimal point). Item missing or cancelled 15; item already discounted 26.
ZELT_C_EXPORT int iCFLancarDescontoItem_ECF_Daruma(const char* item, const char* tipo,
                                                   const char* valor);
// Cancels sold item number "item". Missing or already cancelled 15.
ZELT_C_EXPORT int iCFCancelarItem_ECF_Daruma(const char* item);
// Totalises with a discount or surcharge on the subtotal (type as in iCFVender, value "0,00"
// for none). No live item 26; discount of the whole subtotal or more 24.
ZELT_C_EXPORT int iCFTotalizarCupom_ECF_Daruma(const char* tipo, const char* valor);
// One payment by the name of a programmed payment form (letter case ignored; 49 when unknown),
// value > 0 (28). Before totalising, or once fully paid, 39. mensagem may be NULL (cut to 48).
ZELT_C_EXPORT int iCFEfetuarPagamento_ECF_Daruma(const char* forma, const char* valor,
                                                 const char* mensagem);
// Ends the coupon once fully paid (else 39): prints change, the message (cut to 384
// characters, 8 lines of 48), COO and date. adicional: "0" or empty = none, "1" -> 32.
ZELT_C_EXPORT int iCFEncerrar_ECF_Daruma(const char* adicional, const char* mensagem);
// Cancels the open coupon, or the last coupon when it was the last document issued (a
// cancellation document with a new COO is printed); else 12.
ZELT_C_EXPORT int iCFCancelar_ECF_Daruma(void);
// Coupon state, buffer 2: exactly 1 digit + NUL, and the same in *iStatus:
//   0 no coupon open, 1 taking items, 2 totalised, 3 partly paid, 4 paid (waiting to end)
ZELT_C_EXPORT int rCFVerificarStatus_ECF_Daruma(char* status, int* iStatus);

// ---- day, cash, drawer -----------------------------------------------------------------------

// X reading. Refusals: 10 a document is open, 22, 50.
ZELT_C_EXPORT int iLeituraX_ECF_Daruma(void);
// Z reduction; the date and time arguments are ignored (the printer's clock counts).
// Refusals: 10 a document is open, 50, 181 between 00:00 and 02:00, 22 when a reduction was
// already done on today's date. Closes the fiscal day; fiscal documents are then refused with
// 22 until midnight. A day that received movement on date D is pending from 02:00 of D+1 on;
// while pending, documents are refused with 23, and so is every step of a coupon left open
// but its cancellation (so that the reduction can follow it).
ZELT_C_EXPORT int iReducaoZ_ECF_Daruma(const char* data, const char* hora);
// Buffer 1: exactly 1 character + NUL: "1" a Z reduction is pending, "0" not.
ZELT_C_EXPORT int rVerificarReducaoZ_ECF_Daruma(char* pendente);
// Cash withdrawal and supply: value "10,50" > 0 (28); mensagem may be NULL (cut to 48).
// Refusals: 10, 22, 23, 50.
ZELT_C_EXPORT int iSangria_ECF_Daruma(const char* valor, const char* mensagem);
ZELT_C_EXPORT int iSuprimento_ECF_Daruma(const char* valor, const char* mensagem);
// *estado = 1 when the drawer is open, 0 when closed.
ZELT_C_EXPORT int rStatusGaveta_ECF_Daruma(int* estado);
ZELT_C_EXPORT int eAbrirGaveta_ECF_Daruma(void);

// ---- linked receipt --------------------------------------------------------------------------

// Opens a linked receipt for a payment of the last fiscal coupon: forma paid in coupon coo
// ("000123"), parcelas "1".."99", valor not above what that payment has left to link; else 43
// (13/16/28 for malformed numbers). Refusals: 10, 22, 23, 50.
ZELT_C_EXPORT int iCCDAbrirSimplificado_ECF_Daruma(const char* forma, const char* parcelas,
                                                   const char* coo, const char* valor);
// Prints text (lines split at CR LF / LF, wrapped at 48 columns; cut to 619 characters per
// call). No linked receipt open 11; 50.
ZELT_C_EXPORT int iCCDImprimirTexto_ECF_Daruma(const char* texto);
ZELT_C_EXPORT int iCCDFechar_ECF_Daruma(void);

// ---- management report -----------------------------------------------------------------------

// Opens the management report of that name (letter case ignored; NULL or empty: slot 1);
// not registered 30. Refusals: 10, 22, 23, 50.
ZELT_C_EXPORT int iRGAbrir_ECF_Daruma(const char* nome);
// As iCCDImprimirTexto; report not open 8.
ZELT_C_EXPORT int iRGImprimirTexto_ECF_Daruma(const char* texto);
ZELT_C_EXPORT int iRGFechar_ECF_Daruma(void);

// ---- tables ----------------------------------------------------------------------------------

// Programmed rates, "T1800;T1200;T0700;T2500;S0500" (T = ICMS, S = ISS, hundredths of a
// percent), at most 150 characters + NUL (buffer 150).
ZELT_C_EXPORT int rLerAliquotas_ECF_Daruma(char* aliquotas);

// ---- fiscal memory and files -----------------------------------------------------------------

// Fiscal memory reading. inicio/fim: dates "ddmmyyyy" (movement dates) or CRZ numbers of up to
// 6 digits; completa non-zero = complete, 0 = simplified; tipo "IMP" prints it on the tape,
// "ARQ" writes "retorno.txt" to the report folder. Malformed range 16; other tipo -1.
ZELT_C_EXPORT int eMemoriaFiscal_ECF_Daruma(const char* inicio, const char* fim, int completa,
                                            const char* tipo);
// Detail tape memory file of a range: tipo "DATAM" (dates "ddmmyyyy") writes
// "ATO_MFD_DATA.TXT", "COO" (COO numbers) writes "ATO_MFD_COO.TXT", in the report folder.
// Malformed range 16; other tipo -1.
ZELT_C_EXPORT int rGerarMFD_ECF_Daruma(const char* tipo, const char* inicio, const char* fim);
// Report files: relatorio "TDM" (writes "ATO_TDM_DATA.TXT" / "ATO_TDM_COO.TXT") or "MFD" (as
// rGerarMFD_ECF_Daruma); tipo "DATAM" or "COO" as there. Other relatorio or tipo -1.
ZELT_C_EXPORT int rGerarRelatorio_ECF_Daruma(const char* relatorio, const char* tipo,
                                             const char* inicio, const char* fim);
