#include "slideshow/timer_form_win.h"

#include <windows.h>

#include "forms/timer_form_design.h"
#include "frame/export_guard.h"
#include "frame/module_win.h"
#include "frame/unique_resource_win.h"
#include "slideshow/slide_show_window_win.h"

namespace tessalin {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr auto& kDesign = forms::TTIMERFORM;

UniqueWindow g_timerForm;
bool g_timerEnabled = false;

BOOL CALLBACK FocusEnumProc(HWND wnd, LPARAM) noexcept {
    Guarded([&] {
        if (IsSlideShowWindow(wnd)) SendMessageW(wnd, WM_SETFOCUS, 0, 0);
    });
    return -1;  // every top-level window is visited on every tick
}

void TimerTimer() noexcept {
    EnumWindows(FocusEnumProc, 0);
}

LRESULT CALLBACK TimerFormProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_TIMER && wParam == kTimerId) {
        if (g_timerEnabled) TimerTimer();
        return 0;
    }
    // The window is never shown; a close request must not destroy it under the library.
    if (msg == WM_CLOSE) return 0;
    // The host may still destroy it, for example with every top-level window of its thread.
    // Its handle is forgotten, so that the library never destroys a window that is no longer
    // its own; the next switch-on makes a new one.
    if (msg == WM_NCDESTROY && wnd == g_timerForm.get()) {
        g_timerForm.release();
        g_timerEnabled = false;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

void CreateTimerWindow() noexcept {
    RECT frame{0, 0, kDesign.clientWidth, kDesign.clientHeight};
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    g_timerForm.reset(CreateWindowExW(0, kDesign.className, kDesign.caption, kStyle, CW_USEDEFAULT,
                                      CW_USEDEFAULT, frame.right - frame.left,
                                      frame.bottom - frame.top, nullptr, nullptr, ThisModule(),
                                      nullptr));
}

}  // namespace

void CreateTimerForm() noexcept {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = TimerFormProc;
    windowClass.hInstance = ThisModule();
    windowClass.lpszClassName = kDesign.className;
    RegisterClassExW(&windowClass);
    CreateTimerWindow();
    g_timerEnabled = false;
}

void FreeTimerForm(Unload how) noexcept {
    g_timerEnabled = false;
    if (how == Unload::kProcessExit) {
        g_timerForm.release();
        return;
    }
    // Destroying the window stops its timer: no tick comes after the unload.
    g_timerForm.reset();
    UnregisterClassW(kDesign.className, ThisModule());
}

void SetFocusKeeperEnabled(bool enabled) noexcept {
    if (enabled == g_timerEnabled) return;
    if (g_timerForm) KillTimer(g_timerForm.get(), kTimerId);
    g_timerEnabled = false;
    if (!enabled) return;
    // On only with a window and a running timer: where either was refused (the desktop heap
    // or the handle quota exhausted), the next switch-on tries again.
    if (!g_timerForm) CreateTimerWindow();
    g_timerEnabled =
        g_timerForm && SetTimer(g_timerForm.get(), kTimerId, kDesign.intervalMs, nullptr) != 0;
}

}  // namespace tessalin
