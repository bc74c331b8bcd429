#include "tools/fieldcheck/dpi_win.h"

#include <shellscalingapi.h>

#include "frame/unique_resource_win.h"
#include "tools/fieldcheck/report_win.h"
#include "tools/fieldcheck/windows_win.h"

namespace fieldcheck {
namespace {

template <class Function>
Function User32(const char* name) {
    return Lookup<Function>(GetModuleHandleW(L"user32.dll"), name);
}

using GetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)();
using ContextOfProcessFn = DPI_AWARENESS_CONTEXT(WINAPI*)(HANDLE);
using SetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
using ContextsEqualFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT);
using AwarenessOfFn = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);

bool IsContext(DPI_AWARENESS_CONTEXT context, DPI_AWARENESS_CONTEXT than) {
    const auto equal = User32<ContextsEqualFn>("AreDpiAwarenessContextsEqual");
    return equal != nullptr && equal(context, than);
}

std::wstring ContextName(DPI_AWARENESS_CONTEXT context) {
    if (IsContext(context, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return L"per-monitor v2";
    if (IsContext(context, DPI_AWARENESS_CONTEXT_UNAWARE_GDISCALED)) return L"unaware (GDI scaled)";
    const auto awarenessOf = User32<AwarenessOfFn>("GetAwarenessFromDpiAwarenessContext");
    switch (awarenessOf != nullptr ? awarenessOf(context) : DPI_AWARENESS_INVALID) {
        case DPI_AWARENESS_UNAWARE:
            return L"unaware";
        case DPI_AWARENESS_SYSTEM_AWARE:
            return L"system";
        case DPI_AWARENESS_PER_MONITOR_AWARE:
            return L"per-monitor";
        default:
            return L"not told";
    }
}

// Only from the system folder, as the library loads it; held for the call.
tessalin::UniqueModule Shcore() {
    return tessalin::UniqueModule(
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

}  // namespace

std::wstring AwarenessName(Awareness awareness) {
    switch (awareness) {
        case Awareness::kUnaware:
            return L"unaware";
        case Awareness::kSystem:
            return L"system";
        case Awareness::kPerMonitor:
            return L"per-monitor";
        case Awareness::kManifest:
            break;
    }
    return L"per-monitor v2";
}

std::wstring ThreadAwareness() {
    const auto get = User32<GetContextFn>("GetThreadDpiAwarenessContext");
    return get != nullptr ? ContextName(get()) : L"not told (no GetThreadDpiAwarenessContext)";
}

std::wstring ProcessAwareness() {
    if (const auto get = User32<ContextOfProcessFn>("GetDpiAwarenessContextForProcess")) {
        return ContextName(get(GetCurrentProcess()));
    }
    using GetProcessAwarenessFn = HRESULT(WINAPI*)(HANDLE, PROCESS_DPI_AWARENESS*);
    const tessalin::UniqueModule shcore = Shcore();
    const auto get = Lookup<GetProcessAwarenessFn>(shcore.get(), "GetProcessDpiAwareness");
    PROCESS_DPI_AWARENESS awareness = PROCESS_DPI_UNAWARE;
    if (get == nullptr || FAILED(get(nullptr, &awareness))) {
        return IsProcessDPIAware() ? L"system" : L"unaware";
    }
    switch (awareness) {
        case PROCESS_SYSTEM_DPI_AWARE:
            return L"system";
        case PROCESS_PER_MONITOR_DPI_AWARE:
            return L"per-monitor";
        default:
            return L"unaware";
    }
}

bool ThreadIsPerMonitorV2() {
    const auto get = User32<GetContextFn>("GetThreadDpiAwarenessContext");
    return get != nullptr && IsContext(get(), DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

std::optional<std::wstring> SetThreadAwareness(Awareness awareness) {
    DPI_AWARENESS_CONTEXT context = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2;
    if (awareness == Awareness::kUnaware) context = DPI_AWARENESS_CONTEXT_UNAWARE;
    if (awareness == Awareness::kSystem) context = DPI_AWARENESS_CONTEXT_SYSTEM_AWARE;
    if (awareness == Awareness::kPerMonitor) context = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE;
    const auto set = User32<SetContextFn>("SetThreadDpiAwarenessContext");
    if (set == nullptr) return L"no SetThreadDpiAwarenessContext (Windows before 10 1607)";
    if (set(context) == nullptr) {
        return L"SetThreadDpiAwarenessContext failed: " + ErrorText(GetLastError());
    }
    return std::nullopt;
}

int SystemDpi() {
    const tessalin::UniqueWindowDc screen(GetDC(nullptr));
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto get = User32<GetDpiForWindowFn>("GetDpiForWindow");
    const UINT dpi = get != nullptr ? get(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);
    const tessalin::UniqueModule shcore = Shcore();
    const auto get = Lookup<GetDpiForMonitorFn>(shcore.get(), "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (get == nullptr || FAILED(get(monitor, MDT_EFFECTIVE_DPI, &x, &y))) return 0;
    return static_cast<int>(y);
}

int DeviceContextDpi(HWND window) {
    const tessalin::UniqueWindowDc dc(GetDC(window), {window});
    return dc ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
}

LONG IconTitleFontHeight(int dpi) {
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    LOGFONTW font{};
    const auto forDpi = User32<ForDpiFn>("SystemParametersInfoForDpi");
    if (forDpi != nullptr) {
        return forDpi(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0, static_cast<UINT>(dpi))
                   ? font.lfHeight
                   : 0;
    }
    // Windows before 10 1607 answers at the system DPI; the library scales that to the window's.
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) return 0;
    return MulDiv(font.lfHeight, dpi, SystemDpi());
}

}  // namespace fieldcheck
