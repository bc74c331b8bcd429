#include "forms/dpi_win.h"

#include <shellscalingapi.h>

#include "forms/form_design.h"

namespace tessalin::forms {
namespace {

// Looked up at every call, which costs little: a function's static would take kernel objects
// for its guard that no unload gives back.
template <class Function>
Function Lookup(HMODULE module, const char* name) noexcept {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HMODULE User32() noexcept {
    return GetModuleHandleW(L"user32.dll");
}

int DpiOf(HDC dc) noexcept {
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int SystemDpi() noexcept {
    const UniqueScreenDc screen(GetDC(nullptr));
    return DpiOf(screen.get());
}

int WindowDpi(HWND window) noexcept {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = Lookup<GetDpiForWindowFn>(User32(), "GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int MonitorDpi(HMONITOR monitor) noexcept {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);
    // Only from the system folder; loaded for the call, as overlays are rare.
    const UniqueModule shcore(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const auto getDpiForMonitor = Lookup<GetDpiForMonitorFn>(shcore.get(), "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor == nullptr || FAILED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y))) {
        return 0;
    }
    return static_cast<int>(y);
}

int DeviceContextDpi(HWND window) noexcept {
    HDC dc = GetDC(window);
    const int dpi = DpiOf(dc);
    if (dc != nullptr) ReleaseDC(window, dc);
    return dpi;
}

UniqueGdiObject IconTitleFont(int dpi) noexcept {
    using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    const auto forDpi =
        Lookup<SystemParametersInfoForDpiFn>(User32(), "SystemParametersInfoForDpi");
    LOGFONTW iconTitle{};
    const BOOL told =
        forDpi != nullptr
            ? forDpi(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0,
                     static_cast<UINT>(dpi))
            : SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    if (told) {
        UniqueGdiObject font(CreateFontIndirectW(&iconTitle));
        if (font) return font;
    }
    // Deleting a stock object later does nothing.
    return UniqueGdiObject(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace tessalin::forms
