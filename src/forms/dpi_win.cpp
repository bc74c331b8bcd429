#include "forms/dpi_win.h"

#include <richedit.h>
#include <shellscalingapi.h>

#include "forms/dpi_rules.h"
#include "forms/form_design.h"
#include "frame/function_lookup_win.h"
#include "frame/module_win.h"

namespace tessalin::forms {
namespace {

// Functions are looked up at every call, which costs little: a function's static would take
// kernel objects for its guard that no unload gives back.
HMODULE User32() noexcept {
    return GetModuleHandleW(L"user32.dll");
}

// The probe's second paragraph has two inches of space before it: twice the DPI in pixels,
// exact at every DPI, whatever the font.
constexpr LONG kProbeSpaceTwips = 2880;

int DpiOf(HDC dc) noexcept {
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int SystemDpi() noexcept {
    const UniqueWindowDc screen(GetDC(nullptr));
    return DpiOf(screen.get());
}

int ReportedWindowDpi(HWND window) noexcept {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = Lookup<GetDpiForWindowFn>(User32(), "GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return static_cast<int>(dpi);
}

int WindowDpi(HWND window) noexcept {
    const int dpi = ReportedWindowDpi(window);
    return dpi > 0 ? dpi : SystemDpi();
}

bool FollowsMonitorDpi(HWND window) noexcept {
    using GetWindowContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
    using GetAwarenessFn = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto windowContext = Lookup<GetWindowContextFn>(User32(), "GetWindowDpiAwarenessContext");
    const auto awareness = Lookup<GetAwarenessFn>(User32(), "GetAwarenessFromDpiAwarenessContext");
    if (windowContext == nullptr || awareness == nullptr) return true;
    return awareness(windowContext(window)) == DPI_AWARENESS_PER_MONITOR_AWARE;
}

void EnableNonClientDpiScaling(HWND window) noexcept {
    using EnableFn = BOOL(WINAPI*)(HWND);
    if (const auto enable = Lookup<EnableFn>(User32(), "EnableNonClientDpiScaling")) {
        enable(window);
    }
}

int MonitorDpi(HMONITOR monitor) noexcept {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);
    // Only from the system folder; loaded for the call, as overlays are rare.
    const UniqueModule shcore(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const auto getDpiForMonitor = Lookup<GetDpiForMonitorFn>(shcore.get(), "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor == nullptr ||
        FAILED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y))) {
        return 0;
    }
    return static_cast<int>(y);
}

int WindowDpiOver(HWND window, const RECT& area) noexcept {
    const int dpi = ReportedWindowDpi(window);
    return dpi > 0 ? dpi : MonitorDpi(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST));
}

int DeviceContextDpi(HWND window) noexcept {
    const UniqueWindowDc dc(GetDC(window), {window});
    return DpiOf(dc.get());
}

HWND CreateTextDpiProbe(HWND parent) noexcept {
    HWND probe =
        CreateWindowExW(WS_EX_NOPARENTNOTIFY, RICHEDIT_CLASSW, L"a\rb\rc", WS_CHILD | ES_MULTILINE,
                        0, 0, 64, 4096, parent, nullptr, ThisModule(), nullptr);
    if (probe == nullptr) return nullptr;
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = PFM_SPACEBEFORE;
    format.dySpaceBefore = kProbeSpaceTwips;
    SendMessageW(probe, EM_SETSEL, 2, 3);
    SendMessageW(probe, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return probe;
}

int ProbedTextDpi(HWND probe) noexcept {
    if (probe == nullptr) return 0;
    // Where the three lines start: "a" at 0, "b" and "c" after the paragraph marks.
    POINTL line[3]{};
    for (int i = 0; i < 3; ++i) {
        SendMessageW(probe, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&line[i]), 2 * i);
    }
    // The second pitch is a line's height; the first is that and the space before "b".
    const LONG space = (line[1].y - line[0].y) - (line[2].y - line[1].y);
    return TextDpiFromLinePitch(static_cast<int>(space), kProbeSpaceTwips);
}

UniqueGdiObject IconTitleFont(int dpi) noexcept {
    using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    const auto forDpi =
        Lookup<SystemParametersInfoForDpiFn>(User32(), "SystemParametersInfoForDpi");
    LOGFONTW iconTitle{};
    BOOL told = FALSE;
    if (forDpi != nullptr) {
        told = forDpi(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0,
                      static_cast<UINT>(dpi));
    } else if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0)) {
        // Windows before 10 1607 answers at the system DPI.
        iconTitle.lfHeight = ScaleBetweenDpis(iconTitle.lfHeight, SystemDpi(), dpi);
        told = TRUE;
    }
    if (told) {
        UniqueGdiObject font(CreateFontIndirectW(&iconTitle));
        if (font) return font;
    }
    // Deleting a stock object later does nothing.
    return UniqueGdiObject(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace tessalin::forms
