// Start-up's loading of the language files from the messages folder on disk.
#pragma once

#include <memory>
#include <string_view>

#include "frame/text.h"
#include "localizer/store.h"

namespace tessalin {

// The messages folder on disk, as the loader lists and reads it.
std::unique_ptr<LanguageFolder> OpenLanguageFolder(Text path);

// Reads every language file of the folder into the library-wide store; an empty path loads
// nothing. Never fails: what cannot be read is skipped.
void LoadL10NResources(TextView folderPath) noexcept;

// Bytes of the system's ANSI code page, the encoding of files without a signature.
Text DecodeAnsi(std::string_view bytes);

}  // namespace tessalin
