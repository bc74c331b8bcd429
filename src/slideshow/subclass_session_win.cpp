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

// The procedure a window had when the filter entered its chain, kept with the window itself:
// the filter can still pass messages on when the session that recorded it has ended, and its
// presence says that the window's chain holds the filter.
constexpr wchar_t kOriginalProcProperty[] = L"Tessalin.OriginalWndProc";

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

// Every window whose chain holds the filter now, recorded or not: the ones to see to at
// unload. A window put back while another procedure sat on top of the filter could not leave
// the chain; it passes every message on instead.
struct ChainedWindow {
    HWND wnd;
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

bool HoldsFilter(HWND wnd) noexcept {
    return IsFiltered(wnd) || GetPropW(wnd, kOriginalProcProperty) != nullptr;
}

bool PassesThrough(HWND wnd) noexcept {
    const auto chained = Chained(wnd);
    return chained != g_chained.end() && chained->passesThrough;
}

void Forget(HWND wnd) noexcept {
    RemovePropW(wnd, kOriginalProcProperty);
    const auto chained = Chained(wnd);
    if (chained != g_chained.end()) g_chained.erase(chained);
}

// The library writes a window's procedure only to install its filter or to take it off the top,
// putting back exactly what that installation replaced. Below another procedure the filter
// cannot leave the chain without cutting that one out: it lets every message through from now
// on. A window whose chain no longer holds the filter runs what somebody else put there since,
// and is left alone.
void PutBack(HWND wnd, std::uintptr_t proc) noexcept {
    if (IsFiltered(wnd)) {
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, static_cast<LONG_PTR>(proc));
        Forget(wnd);
        return;
    }
    const auto chained = Chained(wnd);
    if (chained != g_chained.end()) chained->passesThrough = true;
}

std::optional<std::uintptr_t> RecordedProc(HWND wnd) noexcept {
    if (!g_session) return std::nullopt;
    return g_session->list.Find(reinterpret_cast<std::uintptr_t>(wnd));
}

LRESULT CALLBACK SlideShowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    return Guarded<LRESULT>(0, [&]() -> LRESULT {
        std::optional<std::uintptr_t> proc = RecordedProc(wnd);
        // Activation and focus changes between the shows never reach a filtered window.
        if ((msg == WM_ACTIVATE || msg == WM_SETFOCUS || msg == WM_KILLFOCUS) &&
            !PassesThrough(wnd)) {
            return 0;
        }
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
    // A window whose chain holds the filter already, on top or below another procedure, is not
    // taken again: the filter would become its own previous procedure and loop forever.
    if (Registering::Includes(wnd) || !IsSlideShowWindow(wnd) || HoldsFilter(wnd)) return false;
    const unsigned session = g_session->id;
    const Registering registering(wnd);

    // The window handles one focus message itself before the filter is in place, then every
    // message already waiting is delivered. Any window procedure, and through it any export
    // of this library, can run in the pump.
    SendMessageW(wnd, WM_SETFOCUS, 0, 0);
    DispatchWaitingMessages();

    // The session may have ended (or been replaced) meanwhile, or the window may be gone; and
    // the filter must never become its own previous procedure.
    if (!g_session || g_session->id != session || !IsWindow(wnd) || HoldsFilter(wnd)) {
        return false;
    }
    g_chained.reserve(g_chained.size() + 1);  // nothing can fail once the filter is in
    const LONG_PTR previous = SetWindowLongPtrW(wnd, GWLP_WNDPROC, FilterAddress());
    if (previous == 0) return false;
    try {
        g_session->list.Append(
            {reinterpret_cast<std::uintptr_t>(wnd), static_cast<std::uintptr_t>(previous)});
    } catch (...) {
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, previous);
        throw;
    }
    g_chained.push_back({wnd, false});
    SetPropW(wnd, kOriginalProcProperty, reinterpret_cast<HANDLE>(previous));
    return true;
}

bool DeregisterWindow(HWND wnd) {
    const std::optional<std::uintptr_t> proc = RecordedProc(wnd);
    if (!proc) return false;
    PutBack(wnd, *proc);
    if (g_session) g_session->list.RemoveNewest(reinterpret_cast<std::uintptr_t>(wnd));
    return true;
}

void RestoreRecordedWindows() {
    if (!g_session) return;
    for (const TSubclassRecord& record : g_session->list.Snapshot()) {
        // The newest record of the window names what its filter replaced.
        const HWND wnd = reinterpret_cast<HWND>(record.Wnd);
        if (const std::optional<std::uintptr_t> proc = RecordedProc(wnd)) PutBack(wnd, *proc);
    }
}

void RestoreAllFilteredWindows() noexcept {
    bool stubStillInChains = false;
    for (const ChainedWindow& chained : std::exchange(g_chained, {})) {
        const HWND wnd = chained.wnd;
        if (!IsWindow(wnd)) continue;
        HANDLE original = GetPropW(wnd, kOriginalProcProperty);
        RemovePropW(wnd, kOriginalProcProperty);
        if (original != nullptr && IsFiltered(wnd)) {
            SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            continue;
        }
        // Below another procedure (or with its own procedure lost): the stub stays, forwarding
        // to the window's own procedure, or to the default one when none is known.
        const wchar_t* forwarderProperty = ForwarderProperty();
        if (forwarderProperty != nullptr && original != nullptr) {
            SetPropW(wnd, forwarderProperty, original);
        }
        stubStillInChains = true;
    }
    ReleaseFilterStub(stubStillInChains);
    g_session.reset();
}

}  // namespace tessalin
