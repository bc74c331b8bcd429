#include "slideshow/slide_show_window_win.h"

#include "frame/wide_win.h"

namespace tessalin {

Text GetWindowClassName(HWND wnd) {
    wchar_t name[260];
    const int length = GetClassNameW(wnd, name, 130);
    return length > 0 ? Text(AsText(name), static_cast<std::size_t>(length)) : Text();
}

namespace {

bool IsSlideShowClass(HWND wnd) {
    return GetWindowClassName(wnd) == u"screenClass";
}

// Thread identifiers are unique across processes: a window of this thread is one of this
// process too.
bool IsOwnedByThisThread(HWND wnd) noexcept {
    return GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId();
}

}  // namespace

bool IsSlideShowWindow(HWND wnd) {
    // The owner first: it is one lookup, where the class name is read into a new text, and
    // the focus keeper asks this of every top-level window once a second.
    return IsOwnedByThisThread(wnd) && IsSlideShowClass(wnd);
}

}  // namespace tessalin
