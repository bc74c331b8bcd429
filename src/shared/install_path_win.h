// The installation folder from the registry and the messages folder below it.
#pragma once

#include "frame/text.h"

namespace tessalin {

// HKEY_LOCAL_MACHINE\Software\Brackwood\Tessaline, value "InstallPath" (REG_SZ or
// REG_EXPAND_SZ, never expanded), read afresh at every call; empty when missing or of any
// other type.
Text GetInstallPath();
Text GetMessagesPath();

// The messages folder as start-up found it, which start-up loads the language files from.
const Text& MessagesFolderPath() noexcept;
void SetMessagesFolderPath() noexcept;
void ClearMessagesFolderPath() noexcept;

}  // namespace tessalin
