// libmp2032.so: our emulator of the Bematech receipt printer maker library.
//
// The BematechPrinter package loads this library with dlopen and binds the functions below by
// name, as it would the maker's own library. Behind them sits a plain (non-fiscal) receipt
// printer: a serial or USB port that is opened and closed, a model setting, text printed line by
// line, raw command bytes (of which the paper cut is acted on) and the cash drawer sensor.
//
// ---------------------------------------------------------------------------------------------
// Calling rules
// ---------------------------------------------------------------------------------------------
// * Texts in are NUL-terminated Windows-1252; a NULL text reads as an empty text.
// * Every function returns int. 1 is success, except Le_Status_Gaveta, whose 1 means "drawer
//   open" and 0 "closed" (or no answer).
//     0    the port is not open, the printer does not answer (printer off fault), it is out of
//          paper (printing calls), or the call itself is malformed (NULL command, bad length,
//          unknown letter type); nothing happened
//    -2    the emulator could not read or write its own files; the call had no effect
//   A refusal injected through the fault file returns whatever code the file names.
// * Every call reads the environment and the files below afresh, so a test may switch files or
//   faults between two calls. The port stays open from IniciaPorta to FechaPorta across
//   processes: the state lives in the state file, as it lives in the printer.
//
// ---------------------------------------------------------------------------------------------
// Printing
// ---------------------------------------------------------------------------------------------
// The printer prints a line when its line end (LF; a CR before it is dropped) arrives; text
// after the last line end waits in the printer's line buffer (kept in the state file) for the
// next text or the cut. Lines are 48 columns wide on the tape whatever the letter type; longer
// lines wrap. The command bytes 1B 6D (ESC m) print what waits in the line buffer and cut the
// paper, which the tape shows as a line of 48: 20 '-', " corte ", 21 '-'.
//
// ---------------------------------------------------------------------------------------------
// Environment
// ---------------------------------------------------------------------------------------------
//   ZELT_BEMATECH_STATE    state file, default ./bematech_state.ini, saved whole under a
//                          temporary name and renamed after every change; calls on one state
//                          file run one at a time, across processes too (flock on
//                          "<name>.lock"). A test may write one beforehand:
//                            [Gaveta]
//                            Aberta=1          the drawer sensor reads open
//                          The emulator keeps there [Porta] Aberta, Nome, Modelo and
//                          [Papel] Linha (the line buffer).
//   ZELT_BEMATECH_TAPE     paper tape, default ./bematech_bobina.txt: every printed line is
//                          appended as the printer prints it (Windows-1252, LF line ends).
//   ZELT_BEMATECH_JOURNAL  call journal, default ./bematech_journal.txt: one line per call,
//                          written before the call runs, texts quoted with C escapes, integers
//                          in decimal, command bytes as quoted hexadecimal pairs:
//                            FormataTX("TOTAL 10,00\r\n",3,0,0,0,0)
//                            ComandoTX("1B 6D",2)
//   ZELT_BEMATECH_FAULTS   fault settings (INI), default ./bematech_faults.ini, read on every
//                          call; a missing file means no faults:
//                            [Printer]
//                            Off=1        IniciaPorta, printing and the sensor answer 0
//                            PaperOut=1   FormataTX answers 0 and prints nothing
//                            [Refuse]
//                            <function>=<code>   the next call of <function> returns <code>
//                                                and changes nothing (used once)
//                          Missing folders of the state, tape and journal files are created.
#pragma once

#include "platform/rtl/Export.h"

// Model codes are the maker's; the emulator keeps the last one set and prints the same for all.
ZELT_C_EXPORT int ConfiguraModeloImpressora(int modelo);
// 1 when the port opened. An empty port name does not open (0).
ZELT_C_EXPORT int IniciaPorta(const char* porta);
// 1 when a port was open, 0 when none was.
ZELT_C_EXPORT int FechaPorta(void);
// Prints `texto` with letter type 1, 2 or 3. The four integers after it are the maker's type
// options; the emulator journals them and prints the same whatever they are.
ZELT_C_EXPORT int FormataTX(const char* texto, int tipoLetra, int opcao1, int opcao2, int opcao3,
                            int opcao4);
// Sends `tamanho` raw command bytes (0 to 4096) to the printer.
ZELT_C_EXPORT int ComandoTX(const char* comando, int tamanho);
// 1 when the drawer is open; 0 when closed, when the port is not open or the printer is off.
ZELT_C_EXPORT int Le_Status_Gaveta(void);
