#include "slideshow/subclass_session_win.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "frame/export_guard.h"
#include "frame/message_pump_win.h"
#include "slideshow/slide_show_window_win.h"
#include "slideshow/subclass_list.h"

namespace tessalin {
namespace {

// The procedure a window had before the filter, kept with the window itself, so the filter
// can still pass messages on when the session that recorded it has ended.
constexpr wchar_t kOriginalProcProperty[] = L"Tessalin.OriginalWndProc";

struct Session {
    SubclassList list;
    unsigned id;  // tells a session apart from a later one started during a message pump
};

std::optional<Session> g_session;
unsigned g_lastSessionId = 0;

// Every window that runs the filter now, recorded or not: the ones to put back at unload.
std::vector<HWND> g_filteredWindows;

LRESULT CALLBACK SlideShowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

LONG_PTR FilterAddress() noexcept {
    return reinterpret_cast<LONG_PTR>(&SlideShowWndProc);
}

bool IsFiltered(HWND wnd) noexcept {
    return GetWindowLongPtrW(wnd, GWLP_WNDPROC) == FilterAddress();
}

void Forget(HWND wnd) noexcept {
    RemovePropW(wnd, kOriginalProcProperty);
    std::erase(g_filteredWindows, wnd);
}

// Sets a recorded procedure back; the platform's result is not examined (a window destroyed
// meanwhile simply makes the call fail).
void PutBack(HWND wnd, std::uintptr_t proc) noexcept {
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, static_cast<LONG_PTR>(proc));
    if (!IsFiltered(wnd)) Forget(wnd);
}

std::optional<std::uintptr_t> RecordedProc(HWND wnd) noexcept {
    if (!g_session) return std::nullopt;
    return g_session->list.Find(reinterpret_cast<std::uintptr_t>(wnd));
}

LRESULT CALLBACK SlideShowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    return Guarded<LRESULT>(0, [&]() -> LRESULT {
        std::optional<std::uintptr_t> proc = RecordedProc(wnd);
        // Activation and focus changes between the shows never reach a filtered window.
        if (msg == WM_ACTIVATE || msg == WM_SETFOCUS || msg == WM_KILLFOCUS) return 0;
        if (!proc) {
            if (HANDLE original = GetPropW(wnd, kOriginalProcProperty)) {
                proc = reinterpret_cast<std::uintptr_t>(original);
            }
        }
        if (msg == WM_NCDESTROY) Forget(wnd);
        if (!proc) return DefWindowProcW(wnd, msg, wParam, lParam);
        return CallWindowProcW(reinterpret_cast<WNDPROC>(*proc), wnd, msg, wParam, lParam);
    });
}

}  // namespace

void StartSession() {
    // A second start during a session keeps the list, so no filtered window loses its record.
    if (!g_session) g_session.emplace(Session{SubclassList(), ++g_lastSessionId});
}

void EndSession() noexcept {
    g_session.reset();
}

bool SubclassSlideShowWindow(HWND wnd) {
    if (!g_session) return false;
    if (!IsSlideShowClass(wnd) || !IsOwnedByThisProcess(wnd) || IsFiltered(wnd)) return false;
    const unsigned session = g_session->id;

    // The window handles one focus message itself before the filter is in place, then every
    // message already waiting is delivered. Any window procedure, and through it any export
    // of this library, can run in the pump.
    SendMessageW(wnd, WM_SETFOCUS, 0, 0);
    DispatchWaitingMessages();

    // The session may have ended (or been replaced) meanwhile, the window may be gone, or a
    // nested call may have filtered it already: recording the filter as its own previous
    // procedure would make the window loop forever.
    if (!g_session || g_session->id != session || !IsWindow(wnd) || IsFiltered(wnd)) {
        return false;
    }
    const LONG_PTR previous = SetWindowLongPtrW(wnd, GWLP_WNDPROC, FilterAddress());
    if (previous == 0) return false;
    try {
        g_session->list.Append(
            {reinterpret_cast<std::uintptr_t>(wnd), static_cast<std::uintptr_t>(previous)});
        if (std::find(g_filteredWindows.begin(), g_filteredWindows.end(), wnd) ==
            g_filteredWindows.end()) {
            g_filteredWindows.push_back(wnd);
        }
    } catch (...) {
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, previous);
        throw;
    }
    SetPropW(wnd, kOriginalProcProperty, reinterpret_cast<HANDLE>(previous));
    return true;
}

bool DeregisterWindow(HWND wnd) {
    const std::optional<std::uintptr_t> proc = RecordedProc(wnd);
    if (!proc) return false;
    PutBack(wnd, *proc);
    if (g_session) g_session->list.RemoveFirst(reinterpret_cast<std::uintptr_t>(wnd));
    return true;
}

void RestoreRecordedWindows() {
    if (!g_session) return;
    for (const TSubclassRecord& record : g_session->list.Snapshot()) {
        PutBack(reinterpret_cast<HWND>(record.Wnd), record.OldWndProc);
    }
}

void RestoreAllFilteredWindows() noexcept {
    const std::vector<HWND> windows = std::move(g_filteredWindows);
    for (HWND wnd : windows) {
        if (!IsWindow(wnd) || !IsFiltered(wnd)) continue;
        if (HANDLE original = GetPropW(wnd, kOriginalProcProperty)) {
            SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        }
        RemovePropW(wnd, kOriginalProcProperty);
    }
    g_session.reset();
}

}  // namespace tessalin
