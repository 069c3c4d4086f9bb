// Listing the entries of a folder by a Windows-style name pattern and attribute mask.
#pragma once

#include "outside/utils/ULinhas.h"
#include "platform/rtl/Export.h"

#include <string>
#include <string_view>

namespace zelt {

// File attributes as the system's callers name them. On Linux an entry is hidden when its name
// starts with '.', read-only when its owner may not write it, a folder when it is one, a "system"
// entry when it is neither a regular file nor a folder (device, socket, pipe); every regular file
// carries the archive attribute.
inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faAnyFile = 0x3F;

// The attributes of an existing entry (0 when it does not exist).
ZELT_EXPORT int AtributosDoArq(const std::string& nome);

// Whether `name` matches the pattern as Windows matches names: '*' any run of characters, '?'
// exactly one, letter case ignored (Windows-1252 letters included); "*.*" matches every name.
ZELT_EXPORT bool NomeCasaComMascara(std::string_view name, std::string_view pattern);

// Replaces the list's items with the names (without folder) of the entries of the folder of
// `mascara` (folder + pattern, "/x/*.txt") that match its pattern, in name order, letter case
// ignored. As the original finder does, plain files are always included, whereas hidden, system
// and folder entries only when their attribute is in `atributos`; "." and ".." never. A folder
// that does not exist gives an empty list. Returns the number of names.
ZELT_EXPORT int SLPreencherDoDiretorio(TLinhas& lista, std::string_view mascara,
                                       int atributos = faArchive);

} // namespace zelt
