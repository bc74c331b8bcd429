#include "windows_win.h"

#include "frame/export_guard.h"
#include "screenshot.h"

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

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    return std::wstring(name, static_cast<std::size_t>(GetClassNameW(window, name, 256)));
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<HWND> ThreadWindowsOfClass(const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            return tessalin::Guarded(FALSE, [&] {
                auto& search = *reinterpret_cast<Search*>(data);
                if (ClassOf(window) == search.className) search.found.push_back(window);
                return TRUE;
            });
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

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
    return SaveScreenArea(ScreenRect(window), prefix + name)
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

CountingClass::CountingClass(const wchar_t* name) : name_(name) {
    WNDCLASSEXW windowClass{sizeof windowClass};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    windowClass.lpszClassName = name_.c_str();
    atom_ = RegisterClassExW(&windowClass);
}

CountingClass::~CountingClass() {
    if (atom_ != 0) UnregisterClassW(name_.c_str(), GetModuleHandleW(nullptr));
}

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
