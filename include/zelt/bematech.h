/* BematechPrinter.so: the Bematech non-fiscal receipt printer and its cash drawer.
 *
 * Not a fiscal plug-in: three operations of its own, which take the printer's port (a device
 * path such as "/dev/ttyS0" or "/dev/usb/lp0") and model on every call and keep nothing between
 * calls. Each is exported under its plain name and as "UBematechPrinter.<name>"; the drawer
 * operation also as BemaGavetaEnviar.
 *
 * Texts are NUL-terminated Windows-1252 (NULL reads as empty). Texts the package hands out stay
 * valid until the same thread's next call into the package.
 *
 * Opening the drawer writes the bytes of key comando_abrir of section [gaveta] in
 * "ecfplugtexto.ini" beside the host's executable (read on every call; default
 * "29 249 32 0 27 116 8 27 118 140", the bytes 1D F9 20 00 1B 74 08 1B 76 8C) straight to the
 * port's device file. The whole text is checked first: a piece that is not a number from 0 to
 * 255 writes nothing at all.
 *
 * Printing and the drawer sensor go through the maker library libmp2032.so, loaded with dlopen
 * on first need from the folder in ZELT_MP2032_DIR, else the package's own folder. A library or
 * function that is missing is reported to the operator once (include/zelt/messages.h); the
 * operations that need it then return false.
 *
 * No C++ exception leaves the package: an error (a bad drawer command, a port device that cannot
 * be opened, a missing library) makes the operation return false and is kept as the calling
 * thread's last error, "<class>: <message>", for BematechPrinterUltimoErro.
 */
#ifndef ZELT_BEMATECH_H
#define ZELT_BEMATECH_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
#define ZELT_BEMA_NOEXCEPT noexcept
extern "C" {
#else
#define ZELT_BEMA_NOEXCEPT
#endif

/* The calling thread's last error, or "" when its last call into the package ended normally
 * (for example "EConvertError: '256' is not a byte value (0 to 255) in the drawer command
 * '27 256'"). Every other export clears it when it starts; this one does not. */
const char* BematechPrinterUltimoErro(void) ZELT_BEMA_NOEXCEPT;

/* Opens the cash drawer of the printer on pPorta. The integer has no effect. True when the
 * bytes were written; false on an error (see BematechPrinterUltimoErro). */
bool GavetaAcionar(const char* pPorta, int32_t ignorado) ZELT_BEMA_NOEXCEPT;
bool BemaGavetaEnviar(const char* pPorta, int32_t ignorado) ZELT_BEMA_NOEXCEPT;

/* *Status becomes "S" when the drawer is open, "N" when it is closed. False, with *Status "",
 * when the port does not open (the operator has been told why). Status may be NULL. */
bool GetGavetaStatus(const char** Status, const char* pPorta, int32_t pModelo) ZELT_BEMA_NOEXCEPT;

/* Prints Texto (letter type 2 on model 8, else 3), then LinhasFinais blank lines, then cuts the
 * paper when Cortar. False when the port does not open. */
bool ImprDoc(const char* pPorta, int32_t pModelo, const char* Texto, int32_t LinhasFinais,
             bool Cortar) ZELT_BEMA_NOEXCEPT;

typedef const char* (*BematechPrinterUltimoErroFn)(void);
typedef bool (*BemaGavetaAcionarFn)(const char*, int32_t);
typedef bool (*BemaGetGavetaStatusFn)(const char**, const char*, int32_t);
typedef bool (*BemaImprDocFn)(const char*, int32_t, const char*, int32_t, bool);

#ifdef __cplusplus
}
#endif

#endif
