// Start-up's loading of the language files from the messages folder on disk.
#pragma once

#include <string_view>

#include "frame/text.h"

namespace tessalin {

// Reads every language file of the folder into the library-wide store; an empty path loads
// nothing. Never fails: what cannot be read is skipped.
void LoadL10NResources(TextView folderPath) noexcept;

// Bytes of the system's ANSI code page, the encoding of files without a signature.
Text DecodeAnsi(std::string_view bytes);

}  // namespace tessalin
