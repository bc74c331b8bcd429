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

// Thread identifiers are unique across processes: a window of this thread is one of this
// process too.
bool IsOwnedByThisThread(HWND wnd) noexcept {
    return GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId();
}

bool IsSlideShowWindow(HWND wnd) {
    return IsSlideShowClass(wnd) && IsOwnedByThisThread(wnd);
}

}  // namespace tessalin
