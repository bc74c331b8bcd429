// What makes a window one of the host's slide-show windows.
#pragma once

#include <windows.h>

#include "frame/text.h"

namespace tessalin {

// The class name as read with a limit of 130 characters including the NUL: a longer name is
// cut and so never matches. A failed read gives the empty name.
Text GetWindowClassName(HWND wnd);

// A window of class "screenClass" exactly (case counts) that belongs to the calling process.
bool IsSlideShowClass(HWND wnd);
bool IsOwnedByThisProcess(HWND wnd) noexcept;
bool IsSlideShowWindow(HWND wnd);

}  // namespace tessalin
