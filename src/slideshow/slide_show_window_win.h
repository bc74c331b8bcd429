// What makes a window one of the host's slide-show windows.
#pragma once

#include <windows.h>

#include "frame/text.h"

namespace tessalin {

// The class name as read with a limit of 130 characters including the NUL: a longer name is
// cut and so never matches. A failed read gives the empty name.
Text GetWindowClassName(HWND wnd);

// A window of class "screenClass" exactly (case counts) that belongs to the calling thread.
// The host runs its shows on the thread that calls the library; a window of another thread
// would run the filter there, beside the calls that change the session on this one, and
// sending it a message could wait on a busy thread.
bool IsSlideShowWindow(HWND wnd);

}  // namespace tessalin
