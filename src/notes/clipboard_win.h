// The clipboard as the notes view uses it: the add-in leaves the notes there, the view takes
// them and empties it.
#pragma once

#include <windows.h>

namespace tessalin {

// Empties the clipboard through `window`, one of the library's own. Another process may hold
// the clipboard open for a moment, so a few tries are made over a short while; when it stays
// taken, the clipboard is left as it is.
void EmptyClipboardThrough(HWND window) noexcept;

}  // namespace tessalin
