// Windows as any tool reads them (class, text, children, the thread's windows of a class), and
// the host side's own: a message-only window and a window class.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "frame/unique_resource_win.h"

namespace hostkit {

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// The top-level windows of the calling thread whose class has that name.
std::vector<HWND> ThreadWindowsOfClass(const wchar_t* className);
// In the order they were made, which is the order of the design tables.
std::vector<HWND> ChildrenOf(HWND parent);

// A window that receives no input, to own what the host side puts on the clipboard: opened for
// no window, the clipboard would take no data on Windows.
tessalin::UniqueWindow MessageWindow();

// A window class of this program, unregistered by its atom.
struct WindowClassTraits {
    using Type = ATOM;
    static Type Invalid() noexcept { return 0; }
    static void Close(Type atom) noexcept {
        UnregisterClassW(MAKEINTATOM(atom), GetModuleHandleW(nullptr));
    }
};
using UniqueWindowClass = tessalin::UniqueResource<WindowClassTraits>;

// With the arrow cursor and the background of that system colour (COLOR_WINDOW, ...).
UniqueWindowClass RegisterWindowClass(const wchar_t* name, WNDPROC procedure, int background);

}  // namespace hostkit
