#include "slideshow/subclass_session_win.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "frame/export_guard.h"
#include "frame/message_pump_win.h"
#include "frame/module_win.h"
#include "slideshow/filter_stub_win.h"
#include "slideshow/slide_show_window_win.h"
#include "slideshow/subclass_list.h"

namespace tessalin {
namespace {

struct Session {
    SubclassList list;
    unsigned id;  // tells a session apart from a later one started during a message pump
};

std::optional<Session> g_session;
unsigned g_lastSessionId = 0;

// The windows a register call is working on. A host procedure that registers its own window
// again when the register's focus message reaches it would otherwise recurse until the stack
// runs out.
std::vector<HWND> g_registering;

class Registering {
  public:
    explicit Registering(HWND wnd) : wnd_(wnd) { g_registering.push_back(wnd); }
    ~Registering() { std::erase(g_registering, wnd_); }
    Registering(const Registering&) = delete;
    Registering& operator=(const Registering&) = delete;

    static bool Includes(HWND wnd) noexcept {
        return std::find(g_registering.begin(), g_registering.end(), wnd) != g_registering.end();
    }

  private:
    HWND wnd_;
};

// Every window whose chain holds the filter now, recorded or not, with the procedure that the
// filter's installation there replaced: where the filter passes messages on, what taking it off
// puts back, and the windows to see to at unload. Kept with the library, not in a window
// property, because the filter reads it for every message, and under Wine a property read is a
// call to the window server. The records of the session only count registrations; an older
// record names a procedure that may have been replaced since.
//
// A window put back while another procedure sat on top of the filter could not leave the
// chain: it passes every message on instead, until a new registration filters it again.
struct ChainedWindow {
    HWND wnd;
    LONG_PTR replaced;
    bool passesThrough;
};
std::vector<ChainedWindow> g_chained;

LRESULT CALLBACK SlideShowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

// What windows run: the stub in front of the filter, so that a subclasser on top of it never
// keeps an address inside this module. Where no stub can be made, the filter itself, and the
// module stays loaded for good, since it could not be taken out of such a chain at unload.
// Made on first use, and not as a function's static: the runtime's guard for one would take
// kernel objects that no unload gives back.
LONG_PTR g_filterAddress = 0;

LONG_PTR FilterAddress() noexcept {
    if (g_filterAddress != 0) return g_filterAddress;
    if (WNDPROC stub = FilterStub(&SlideShowWndProc)) {
        g_filterAddress = reinterpret_cast<LONG_PTR>(stub);
    } else {
        HMODULE pinned = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(&SlideShowWndProc), &pinned);
        g_filterAddress = reinterpret_cast<LONG_PTR>(&SlideShowWndProc);
    }
    return g_filterAddress;
}

bool IsFiltered(HWND wnd) noexcept {
    return GetWindowLongPtrW(wnd, GWLP_WNDPROC) == FilterAddress();
}

std::vector<ChainedWindow>::iterator Chained(HWND wnd) noexcept {
    return std::find_if(g_chained.begin(), g_chained.end(),
                        [&](const ChainedWindow& chained) { return chained.wnd == wnd; });
}

// Whether the window drops its focus messages now. A window that this load's filter runs
// without an entry cannot be, but the filter must never become its own previous procedure.
bool Filters(HWND wnd) noexcept {
    const auto chained = Chained(wnd);
    return chained != g_chained.end() ? !chained->passesThrough : IsFiltered(wnd);
}

// The library writes a window's procedure only to install its filter or to take it off the
// top, putting back exactly what that installation replaced. Below another procedure the
// filter cannot leave the chain without cutting that one out: it lets every message through
// from now on. A window whose chain no longer holds the filter runs what somebody else put
// there since, and is left alone.
void PutBack(HWND wnd) noexcept {
    const auto chained = Chained(wnd);
    if (chained == g_chained.end()) return;
    if (IsFiltered(wnd)) {
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, chained->replaced);
        g_chained.erase(chained);
    } else {
        chained->passesThrough = true;
    }
}

LRESULT CALLBACK SlideShowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    return Guarded<LRESULT>(0, [&]() -> LRESULT {
        const auto chained = Chained(wnd);
        if (chained == g_chained.end()) return DefWindowProcW(wnd, msg, wParam, lParam);
        // Activation and focus changes between the shows never reach a filtered window.
        if ((msg == WM_ACTIVATE || msg == WM_SETFOCUS || msg == WM_KILLFOCUS) &&
            !chained->passesThrough) {
            return 0;
        }
        // Read before the call: what it runs may change the list.
        const auto replaced = reinterpret_cast<WNDPROC>(chained->replaced);
        if (msg == WM_NCDESTROY) g_chained.erase(chained);
        return CallWindowProcW(replaced, wnd, msg, wParam, lParam);
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
    // A window that the filter holds already, on top or below another procedure, is not
    // taken again: the filter would become its own previous procedure and loop forever.
    if (Registering::Includes(wnd) || !IsSlideShowWindow(wnd) || Filters(wnd)) return false;
    const unsigned session = g_session->id;
    const Registering registering(wnd);

    // The window handles one focus message itself before the filter is in place, then every
    // message already waiting is delivered. Any window procedure, and through it any export
    // of this library, can run in the pump.
    SendMessageW(wnd, WM_SETFOCUS, 0, 0);
    DispatchWaitingMessages();

    // The session may have ended (or been replaced) meanwhile, or the window may be gone or
    // filtered by a nested call.
    if (!g_session || g_session->id != session || !IsWindow(wnd) || Filters(wnd)) return false;
    const auto wndBits = reinterpret_cast<std::uintptr_t>(wnd);
    // Its chain still holds the filter, passing everything since it was put back below
    // another procedure: filtering it again needs no new installation.
    if (const auto chained = Chained(wnd); chained != g_chained.end()) {
        g_session->list.Append({wndBits, static_cast<std::uintptr_t>(chained->replaced)});
        chained->passesThrough = false;
        return true;
    }
    g_chained.reserve(g_chained.size() + 1);  // nothing can fail once the filter is in
    const LONG_PTR previous = SetWindowLongPtrW(wnd, GWLP_WNDPROC, FilterAddress());
    if (previous == 0) return false;
    try {
        g_session->list.Append({wndBits, static_cast<std::uintptr_t>(previous)});
    } catch (...) {
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, previous);
        throw;
    }
    g_chained.push_back({wnd, previous, false});
    return true;
}

bool DeregisterWindow(HWND wnd) {
    if (!g_session || !g_session->list.RemoveNewest(reinterpret_cast<std::uintptr_t>(wnd))) {
        return false;
    }
    PutBack(wnd);
    return true;
}

void RestoreRecordedWindows() {
    if (!g_session) return;
    for (const TSubclassRecord& record : g_session->list.Snapshot()) {
        PutBack(reinterpret_cast<HWND>(record.Wnd));
    }
}

void RestoreAllFilteredWindows() noexcept {
    bool stubStillInChains = false;
    for (const ChainedWindow& chained : std::exchange(g_chained, {})) {
        const HWND wnd = chained.wnd;
        if (!IsWindow(wnd)) continue;
        if (IsFiltered(wnd)) {
            SetWindowLongPtrW(wnd, GWLP_WNDPROC, chained.replaced);
            continue;
        }
        // Below another procedure: the stub stays, forwarding to the window's own procedure.
        if (const wchar_t* forwarderProperty = ForwarderProperty()) {
            SetPropW(wnd, forwarderProperty, reinterpret_cast<HANDLE>(chained.replaced));
        }
        stubStillInChains = true;
    }
    ReleaseFilterStub(stubStillInChains);
    g_session.reset();
}

}  // namespace tessalin
