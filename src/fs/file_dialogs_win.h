// Running one of the file dialogs for an export.
#pragma once

#include <cstdint>

#include "fs/dialog_settings.h"

namespace tessalin {

// The platform's dialog: the item dialog where visual styles are in use, the classic
// Explorer-style dialog elsewhere.
enum class DialogRoad { kItem, kClassic };
DialogRoad PlatformDialogRoad();

// Shows the dialog of the given road modally without an owner (the classic one when no item
// dialog can be made) and writes the chosen path into the caller's buffer; when nothing was
// chosen (cancelled, or no dialog could be shown) the buffer is left untouched and the result
// is 0.
std::int32_t RunFileDialog(const DialogSettings& settings, DialogRoad road, wchar_t* buffer);

}  // namespace tessalin
