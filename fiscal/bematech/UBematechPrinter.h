// The Bematech non-fiscal receipt printer and its cash drawer. Every operation takes the port
// and model, opens what it needs and closes it again: nothing is kept between calls.
//
// Printing and the drawer sensor go through the maker library (UMP2032). The drawer is opened
// without it: a configurable byte sequence is written straight to the port's device file, as the
// drawer hangs off the printer's port and answers a pulse command.
#pragma once

#include "platform/rtl/Export.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelt::bematech {

inline constexpr const char* ArquivoTexto = "ecfplugtexto.ini";
inline constexpr const char* SecaoGaveta = "gaveta";
inline constexpr const char* ChaveComandoAbrir = "comando_abrir";
inline constexpr const char* ComandoAbrirPadrao = "29 249 32 0 27 116 8 27 118 140";

// The folder ecfplugtexto.ini is read from: the host executable's, unless a test named another
// one (an empty name goes back to the executable's).
ZELT_EXPORT std::string PastaPrograma();
ZELT_EXPORT void DefinirPastaPrograma(const std::string& pasta);

// The drawer command text as configured now.
ZELT_EXPORT std::string ComandoGaveta();
// The bytes of a command text: decimal numbers 0 to 255 separated by single blanks. The whole
// text is checked before anything goes to the port, so a bad piece never leaves half a pulse
// command in the printer: it raises EConvertError naming the piece.
ZELT_EXPORT std::vector<unsigned char> BytesComando(std::string_view texto);
// Writes the bytes one by one to the device file `porta`, opened for writing; raises
// EInOutError naming the device when it cannot be opened, written or closed.
ZELT_EXPORT void EnviarBytes(const std::string& porta, const std::vector<unsigned char>& bytes);

// Opens the drawer on the printer at `porta`. Always true; failures raise.
ZELT_EXPORT bool BemaGavetaEnviar(const std::string& porta);
// `status` "S" when the drawer is open, "N" when closed; false (and `status` empty) when the port
// does not open.
ZELT_EXPORT bool GetGavetaStatus(std::string& status, const std::string& porta, int modelo);
// Prints `texto`, feeds `linhasFinais` blank lines and, when `cortar`, cuts the paper.
ZELT_EXPORT bool ImprDoc(const std::string& porta, int modelo, const std::string& texto,
                         int linhasFinais, bool cortar);

// Sets the model and opens the port; tells the operator and answers false when it does not open.
ZELT_EXPORT bool AbrirPortaBema(const std::string& porta, int modelo);

} // namespace zelt::bematech
