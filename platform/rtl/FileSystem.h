// Files and folders. Names inside the system are Windows-1252 texts with '/' as delimiter; they
// become UTF-8 only when handed to the operating system.
#pragma once

#include "platform/rtl/Export.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelt {

inline constexpr char PathDelim = '/';

// The operating system's name for a system path (Windows-1252 -> UTF-8), and back.
ZELT_EXPORT std::string ToDiskPath(std::string_view name);
ZELT_EXPORT std::string FromDiskPath(std::string_view diskName);

ZELT_EXPORT bool FileExists(const std::string& name);
ZELT_EXPORT bool DirectoryExists(const std::string& name);
// Creates every missing level; true when the folder exists afterwards. An empty name is false.
ZELT_EXPORT bool ForceDirectories(const std::string& name);
ZELT_EXPORT bool CreateDir(const std::string& name);
ZELT_EXPORT bool RemoveDir(const std::string& name);
ZELT_EXPORT bool DeleteFile(const std::string& name);
// Replaces an existing target, as the system's rename-after-temporary-write expects.
ZELT_EXPORT bool RenameFile(const std::string& from, const std::string& to);
ZELT_EXPORT std::int64_t FileSize(const std::string& name); // -1 when missing
ZELT_EXPORT std::string GetCurrentDir();

// As the original runtime, an empty text gives "/" alone.
ZELT_EXPORT std::string IncludeTrailingPathDelimiter(std::string_view s);
ZELT_EXPORT std::string ExcludeTrailingPathDelimiter(std::string_view s);
// Folder part with its final delimiter ("a/b/c.txt" -> "a/b/"), "" when there is none.
ZELT_EXPORT std::string ExtractFilePath(std::string_view s);
// Folder part without the final delimiter ("a/b/c.txt" -> "a/b").
ZELT_EXPORT std::string ExtractFileDir(std::string_view s);
ZELT_EXPORT std::string ExtractFileName(std::string_view s);
// Extension with its dot (".txt"), "" when none.
ZELT_EXPORT std::string ExtractFileExt(std::string_view s);
ZELT_EXPORT std::string ChangeFileExt(std::string_view s, std::string_view ext);
ZELT_EXPORT std::string ExpandFileName(std::string_view s);

// Whole-file helpers. ReadFile raises EFOpenError/EInOutError; WriteFileAtomic writes
// "<name>.tmp-<pid>-<n>", flushes it to disk and renames it over the name (over the file a
// symbolic link points to, keeping the link; the old file's permissions are kept), raising
// EInOutError.
ZELT_EXPORT std::string ReadFile(const std::string& name);
// False when the file cannot be opened (errno tells why); read errors after that raise
// EInOutError.
ZELT_EXPORT bool TryReadFile(const std::string& name, std::string& bytes);
ZELT_EXPORT void WriteFileAtomic(const std::string& name, std::string_view bytes);

} // namespace zelt
