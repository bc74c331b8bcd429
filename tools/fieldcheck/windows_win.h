// What several steps share of the platform: the host side's windows, texts and message loop,
// the places of controls, and a window class of the check's own whose windows count the
// activation and focus messages they receive.
#pragma once

#include <windows.h>

#include <string>

#include "frame/function_lookup_win.h"
#include "frame/unique_resource_win.h"
#include "tools/hostkit/message_loop_win.h"
#include "tools/hostkit/windows_win.h"

namespace fieldcheck {

using hostkit::ClassOf;
using hostkit::PumpMessages;
using hostkit::TextOf;
using hostkit::ThreadWindowsOfClass;
using tessalin::Lookup;
using tessalin::UniqueWindow;

RECT ScreenRect(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
int WidthOf(const RECT& rect);
int HeightOf(const RECT& rect);
bool SameRect(const RECT& a, const RECT& b);

// The process's current directory, however long.
std::wstring CurrentDirectory();
// The name that reaches paths of any length: \\?\C:\... or \\?\UNC\server\share\...
std::wstring LongName(const std::wstring& path);

// The window's area of the screen saved as a PNG file at `path` (the folder and name of the
// report's files, and the rest of the name): "; screenshot NAME" for the line it supports, or
// why there is none. Only the library's own windows are taken, never a whole monitor.
std::wstring Screenshot(HWND window, const std::wstring& prefix, const std::wstring& name);

// What a counting window received, and when the first and the last focus message came.
struct MessageCounts {
    int activate = 0;
    int setFocus = 0;
    int killFocus = 0;
    int probe = 0;
    ULONGLONG firstFocusAt = 0;
    ULONGLONG lastFocusAt = 0;
};

// Answered by a counting window with wParam + lParam, so that a filter in its chain can be
// seen to pass other messages and their results unchanged.
inline constexpr UINT kProbeMessage = WM_APP + 24;

// A window class of this program, unregistered with the object. Each of its windows counts
// into the MessageCounts given when it is made.
class CountingClass {
  public:
    explicit CountingClass(const wchar_t* name);

    static WNDPROC Procedure();
    UniqueWindow Create(const wchar_t* title, DWORD style, const RECT& rect,
                        MessageCounts* counts) const;

  private:
    std::wstring name_;
    hostkit::UniqueWindowClass class_;
};

}  // namespace fieldcheck
