// Running one of the file dialogs for an export.
#pragma once

#include <cstdint>

#include "frame/com_ptr_win.h"
#include "fs/dialog_settings.h"

struct IFileDialog;  // <shobjidl.h>

namespace tessalin {

// The platform's dialog: the item dialog where visual styles are in use, the classic
// Explorer-style dialog elsewhere.
enum class DialogRoad { kItem, kClassic };
DialogRoad PlatformDialogRoad();

// Makes the item dialog of the settings, opening in the folder, set up to be shown; false when
// the shell cannot make one.
bool CreateItemDialog(const DialogSettings& settings, const Text& folder,
                      ComPtr<IFileDialog>& dialog);

// Shows the dialog of the given road modally without an owner (the classic one when no item
// dialog can be made) and writes the chosen path into the caller's buffer; when nothing was
// chosen (cancelled, or no dialog could be shown) the buffer is left untouched and the result
// is 0.
std::int32_t RunFileDialog(const DialogSettings& settings, DialogRoad road, wchar_t* buffer);

}  // namespace tessalin
