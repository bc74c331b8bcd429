#include "notes/clipboard_win.h"

#include "frame/unique_resource_win.h"

namespace tessalin {
namespace {

constexpr int kOpenTries = 5;
constexpr DWORD kPauseMilliseconds = 20;

UniqueClipboard OpenClipboardBriefly(HWND window) noexcept {
    // Opened for no window, it could not be told apart from not opened, and never closed.
    if (window == nullptr) return UniqueClipboard();
    for (int attempt = 0; attempt < kOpenTries; ++attempt) {
        if (attempt > 0) Sleep(kPauseMilliseconds);
        if (OpenClipboard(window)) return UniqueClipboard(window);
    }
    return UniqueClipboard();
}

}  // namespace

void EmptyClipboardThrough(HWND window) noexcept {
    const UniqueClipboard clipboard = OpenClipboardBriefly(window);
    if (clipboard) EmptyClipboard();
}

}  // namespace tessalin
