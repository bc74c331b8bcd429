// Running one of the file dialogs for an export.
#pragma once

#include <cstdint>

#include "fs/dialog_settings.h"

namespace tessalin {

// Shows the dialog modally without an owner and writes the chosen path into the caller's
// buffer; when nothing was chosen (cancelled, or no dialog could be shown) the buffer is
// left untouched and the result is 0.
std::int32_t RunFileDialog(const DialogSettings& settings, wchar_t* buffer);

}  // namespace tessalin
