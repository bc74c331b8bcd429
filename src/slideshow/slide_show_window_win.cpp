#include "slideshow/slide_show_window_win.h"

#include "frame/wide_win.h"

namespace tessalin {

Text GetWindowClassName(HWND wnd) {
    wchar_t name[260];
    const int length = GetClassNameW(wnd, name, 130);
    return length > 0 ? Text(AsText(name), static_cast<std::size_t>(length)) : Text();
}

bool IsSlideShowClass(HWND wnd) {
    return GetWindowClassName(wnd) == u"screenClass";
}

bool IsOwnedByThisProcess(HWND wnd) noexcept {
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    return process == GetCurrentProcessId();
}

bool IsSlideShowWindow(HWND wnd) {
    return IsSlideShowClass(wnd) && IsOwnedByThisProcess(wnd);
}

}  // namespace tessalin
