// What a program learns about where and how it runs.
#pragma once

#include "platform/rtl/Export.h"

#include <functional>
#include <string>
#include <string_view>

namespace zelt {

// True when the environment variable ZELT_DEV is "1": the program runs under the development
// environment.
ZELT_EXPORT bool IsDevelopmentEnvironment();
// The computer's network name (Windows-1252).
ZELT_EXPORT std::string ComputerName();
// Full name of the running executable, and of the package (shared object) that holds `address`.
ZELT_EXPORT std::string ExecutableFileName();
ZELT_EXPORT std::string ModuleFileName(const void* address);
ZELT_EXPORT std::string GetEnvVar(std::string_view name);

// The clipboard. Text goes to the installed hook (a Qt application installs one that fills the
// system clipboard); without one it is kept in the process, where ClipboardText() reads it.
using ClipboardHook = std::function<void(const std::string& text)>;
ZELT_EXPORT void SetClipboardHook(ClipboardHook hook);
ZELT_EXPORT void SetClipboardText(const std::string& text);
ZELT_EXPORT std::string ClipboardText();

} // namespace zelt
