#include "tools/fieldcheck/windows_win.h"

#include "frame/export_guard.h"
#include "tools/hostkit/screenshot_win.h"

namespace fieldcheck {
namespace {

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return tessalin::Guarded(LRESULT{0}, [&]() -> LRESULT {
        auto* counts = reinterpret_cast<MessageCounts*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (counts != nullptr) {
            counts->activate += message == WM_ACTIVATE;
            counts->setFocus += message == WM_SETFOCUS;
            counts->killFocus += message == WM_KILLFOCUS;
            counts->probe += message == kProbeMessage;
            if (message == WM_SETFOCUS) {
                counts->lastFocusAt = GetTickCount64();
                if (counts->setFocus == 1) counts->firstFocusAt = counts->lastFocusAt;
            }
        }
        if (message == kProbeMessage) return static_cast<LRESULT>(wParam + lParam);
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

}  // namespace

std::wstring CurrentDirectory() {
    std::wstring path(32768, L'\0');
    path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
    return path;
}

std::wstring LongName(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

std::wstring Screenshot(HWND window, const std::wstring& prefix, const std::wstring& name) {
    const std::wstring file = prefix.substr(prefix.find_last_of(L'\\') + 1) + name;
    return hostkit::SaveScreenArea(ScreenRect(window), prefix + name)
               ? L"; screenshot " + file
               : L"; no screenshot: " + file + L" could not be written";
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT RectInParent(HWND child) {
    RECT rect = ScreenRect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int WidthOf(const RECT& rect) {
    return rect.right - rect.left;
}

int HeightOf(const RECT& rect) {
    return rect.bottom - rect.top;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

CountingClass::CountingClass(const wchar_t* name)
    : name_(name), class_(hostkit::RegisterWindowClass(name, CountingProc, COLOR_HIGHLIGHT)) {}

WNDPROC CountingClass::Procedure() {
    return CountingProc;
}

UniqueWindow CountingClass::Create(const wchar_t* title, DWORD style, const RECT& rect,
                                   MessageCounts* counts) const {
    UniqueWindow window(CreateWindowExW(0, name_.c_str(), title, style, rect.left, rect.top,
                                        WidthOf(rect), HeightOf(rect), nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
    // Counted from here on: what creating it sent is not what a step moves.
    if (window) SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(counts));
    return window;
}

}  // namespace fieldcheck
