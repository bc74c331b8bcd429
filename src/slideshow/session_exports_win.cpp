// The slide-show session's exports.
#include <windows.h>

#include <cstdint>

#include "frame/call_conventions.h"
#include "frame/export_guard.h"
#include "slideshow/subclass_session_win.h"

using namespace tessalin;

namespace {

struct EnumState {
    bool filtered = false;
};

BOOL CALLBACK SubclassEnumProc(HWND wnd, LPARAM state) noexcept {
    return Guarded<BOOL>(TRUE, [&]() -> BOOL {
        if (!SubclassSlideShowWindow(wnd)) return -1;
        reinterpret_cast<EnumState*>(state)->filtered = true;
        return FALSE;
    });
}

}  // namespace

TESSALIN_EXPORT void StartTessalineSession() noexcept {
    Guarded([] { StartSession(); });
}

TESSALIN_EXPORT Bool16 RegisterSlideShowWindow(HWND wnd) noexcept {
    return Guarded(kFalse16, [&] { return ToBool16(SubclassSlideShowWindow(wnd)); });
}

// 0 exactly when a window was put under the filter; the enumeration's own nonzero result
// otherwise. A failed enumeration reports nonzero too: nothing was filtered.
TESSALIN_EXPORT std::int32_t TessalineSlideShowStarted() noexcept {
    return Guarded<std::int32_t>(1, [] {
        EnumState state;
        const BOOL result = EnumWindows(SubclassEnumProc, reinterpret_cast<LPARAM>(&state));
        if (state.filtered) return 0;
        return result != 0 ? static_cast<std::int32_t>(result) : 1;
    });
}

TESSALIN_EXPORT Bool32 DeregisterSlideShowWindow(HWND wnd) noexcept {
    return Guarded(kFalse32, [&] { return ToBool32(DeregisterWindow(wnd)); });
}

TESSALIN_EXPORT void TessalineSlideShowsTerminated() noexcept {
    Guarded([] { RestoreRecordedWindows(); });
}

TESSALIN_EXPORT void EndTessalineSession() noexcept {
    Guarded([] { EndSession(); });
}
