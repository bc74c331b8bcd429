// The monitors in the library's numbering, and their numbers flashed on them, as the add-in
// sees them on the harness display: primary 1024x768 at (0,0), the other 800x600 at (-800,0).
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support/library.h"
#include "support/windows.h"

using testing_support::Library;
using testing_support::WithDirtyHigh;

using testing_support::ClassOf;
using testing_support::ScreenDpi;
using testing_support::TextOf;
using testing_support::ThreadWindowsOfClass;

namespace {

using GetMonitorCountFn = std::int32_t (*)();
using GetMonitorInfoFn = std::int32_t (*)(std::int64_t, std::int32_t*, std::int32_t*, std::int32_t*,
                                          std::int32_t*);
using ShowMonitorNumbersFn = void (*)(std::int64_t);

constexpr wchar_t kOverlayClass[] = L"TMonitorNumForm";

// The monitors the system reports. The harness display has two, but Wine may show fewer
// (and the Xvfb fallback has one): the expectations follow what the system reports.
int SystemMonitors() {
    return GetSystemMetrics(SM_CMONITORS);
}

#define REQUIRE_TWO_MONITORS()                                                       \
    if (SystemMonitors() < 2)                                                        \
    GTEST_SKIP() << "the system reports " << SystemMonitors() << " monitor(s) on a " \
                 << "display of TESSALIN_MONITORS=" << std::getenv("TESSALIN_MONITORS")

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct Overlay {
    HWND window;
    std::wstring caption;
    RECT rect;
    LONG_PTR exStyle;
    bool visible;
    std::wstring labelClass;
    std::wstring labelText;
    RECT labelRect;
    LOGFONTW labelFont;
};

// The overlays of this thread, by caption.
std::vector<Overlay> FindOverlays() {
    std::vector<Overlay> found;
    for (HWND window : ThreadWindowsOfClass(kOverlayClass)) {
        Overlay overlay{window, TextOf(window)};
        GetWindowRect(window, &overlay.rect);
        overlay.exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
        overlay.visible = IsWindowVisible(window) != FALSE;
        if (HWND label = GetWindow(window, GW_CHILD)) {
            overlay.labelClass = ClassOf(label);
            overlay.labelText = TextOf(label);
            GetWindowRect(label, &overlay.labelRect);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
            GetObjectW(font, sizeof overlay.labelFont, &overlay.labelFont);
        }
        found.push_back(overlay);
    }
    std::sort(found.begin(), found.end(),
              [](const Overlay& a, const Overlay& b) { return a.caption < b.caption; });
    return found;
}

// Every overlay window made and destroyed on this thread, seen by a creation hook; whether
// each earlier overlay was already visible when the next one was made; and the time from the
// last creation to the first destruction, which is the wait.
struct OverlayLife {
    std::vector<HWND> created;
    std::vector<HWND> destroyed;
    bool earlierVisibleAtEachCreation = true;
    ULONGLONG lastCreated = 0;
    ULONGLONG firstDestroyed = 0;

    ULONGLONG Wait() const { return firstDestroyed - lastCreated; }
};

OverlayLife g_life;

LRESULT CALLBACK WatchOverlays(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if ((code == HCBT_CREATEWND || code == HCBT_DESTROYWND) && ClassOf(window) == kOverlayClass) {
        if (code == HCBT_CREATEWND) {
            for (HWND earlier : g_life.created) {
                if (IsWindow(earlier) && !IsWindowVisible(earlier)) {
                    g_life.earlierVisibleAtEachCreation = false;
                }
            }
            g_life.created.push_back(window);
            g_life.lastCreated = GetTickCount64();
        } else {
            if (g_life.destroyed.empty()) g_life.firstDestroyed = GetTickCount64();
            g_life.destroyed.push_back(window);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class OverlayWatch {
  public:
    OverlayWatch()
        : hook_(SetWindowsHookExW(WH_CBT, &WatchOverlays, nullptr, GetCurrentThreadId())) {
        Reset();
    }
    ~OverlayWatch() { UnhookWindowsHookEx(hook_); }
    OverlayWatch(const OverlayWatch&) = delete;
    OverlayWatch& operator=(const OverlayWatch&) = delete;

    void Reset() { g_life = {}; }

    // Each overlay made was destroyed, exactly once.
    void ExpectEachDestroyedOnce(std::size_t expected) const {
        EXPECT_EQ(g_life.created.size(), expected);
        std::vector<HWND> created = g_life.created;
        std::vector<HWND> destroyed = g_life.destroyed;
        std::sort(created.begin(), created.end());
        std::sort(destroyed.begin(), destroyed.end());
        EXPECT_EQ(created, destroyed);
    }

  private:
    HHOOK hook_;
};

// Something to do once, from a timer tick, while ShowMonitorNumbers waits.
std::function<void()> g_duringWait;
bool g_ticked = false;

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_ticked) return;
    g_ticked = true;
    g_duringWait();
}

class Monitors : public testing::Test {
  protected:
    // Calls ShowMonitorNumbers and runs `during` once while it waits.
    void ShowWhile(std::int64_t seconds, std::function<void()> during) {
        g_duringWait = std::move(during);
        g_ticked = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 300, &Tick);
        showNumbers_(seconds);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(g_ticked) << "the wait dispatched no timer tick";
    }

    Library library_;
    GetMonitorCountFn monitorCount_ = library_.Get<GetMonitorCountFn>("GetMonitorCount");
    GetMonitorInfoFn monitorInfo_ = library_.Get<GetMonitorInfoFn>("GetMonitorInfo");
    ShowMonitorNumbersFn showNumbers_ = library_.Get<ShowMonitorNumbersFn>("ShowMonitorNumbers");
};

TEST_F(Monitors, OriginMonitorIsNumberOneAndTheOtherFollowsWithANegativeLeft) {
    EXPECT_EQ(monitorCount_(), SystemMonitors());
    std::int32_t left = 99, top = 99, width = 0, height = 0;
    EXPECT_EQ(monitorInfo_(WithDirtyHigh(1), &left, &top, &width, &height), 768);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    REQUIRE_TWO_MONITORS();
    EXPECT_EQ(monitorInfo_(WithDirtyHigh(2), &left, &top, &width, &height), 600);
    EXPECT_EQ(left, -800);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

TEST_F(Monitors, IndexOutsideOneToCountWritesNothingAndGivesTheCount) {
    const std::int32_t count = monitorCount_();
    for (std::int32_t index : {count + 1, 0, -1, INT_MIN, INT_MAX}) {
        std::int32_t left = 0x1111, top = 0x2222, width = 0x3333, height = 0x4444;
        EXPECT_EQ(monitorInfo_(WithDirtyHigh(index), &left, &top, &width, &height), count) << index;
        EXPECT_EQ(left, 0x1111);
        EXPECT_EQ(top, 0x2222);
        EXPECT_EQ(width, 0x3333);
        EXPECT_EQ(height, 0x4444);
    }
}

TEST_F(Monitors, NullOutArgumentsAreSkipped) {
    std::int32_t top = 99, height = 0;
    EXPECT_EQ(monitorInfo_(1, nullptr, &top, nullptr, &height), 768);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(height, 768);
    EXPECT_EQ(monitorInfo_(1, nullptr, nullptr, nullptr, nullptr), 768);
}

TEST_F(Monitors, EachMonitorShowsItsNumberOverItsWholeRectangleDuringTheWait) {
    OverlayWatch watch;
    std::vector<Overlay> seen;
    bool closeIgnored = true;
    ShowWhile(1, [&] {
        seen = FindOverlays();
        // Alt+F4 on an activated overlay sends this.
        for (const Overlay& overlay : seen) {
            SendMessageW(overlay.window, WM_CLOSE, 0, 0);
            closeIgnored = closeIgnored && IsWindow(overlay.window);
        }
    });
    // Ten passes of 100 ms. (Wine adds time to destroying a full-screen window when no
    // window manager runs, so the call as a whole is not timed.)
    EXPECT_GE(g_life.Wait(), 950u);
    EXPECT_LT(g_life.Wait(), 3000u);
    EXPECT_TRUE(closeIgnored);
    EXPECT_TRUE(FindOverlays().empty()) << "overlays left after the call";
    watch.ExpectEachDestroyedOnce(SystemMonitors());
    EXPECT_TRUE(g_life.earlierVisibleAtEachCreation);

    const RECT expected[] = {{0, 0, 1024, 768}, {-800, 0, 0, 600}};
    const int dpi = ScreenDpi();
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(SystemMonitors()));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const Overlay& overlay = seen[i];
        const std::wstring number = std::to_wstring(i + 1);
        SCOPED_TRACE(overlay.caption);
        EXPECT_EQ(overlay.caption, L"Monitor " + number);
        EXPECT_TRUE(SameRect(overlay.rect, expected[i]));
        EXPECT_TRUE(overlay.visible);
        EXPECT_NE(overlay.exStyle & WS_EX_TOPMOST, 0);
        EXPECT_NE(overlay.exStyle & WS_EX_TOOLWINDOW, 0);
        EXPECT_EQ(lstrcmpiW(overlay.labelClass.c_str(), L"STATIC"), 0) << overlay.labelClass;
        EXPECT_EQ(overlay.labelText, number);
        EXPECT_TRUE(SameRect(overlay.labelRect, overlay.rect)) << "the label fills the overlay";
        EXPECT_EQ(std::wstring(overlay.labelFont.lfFaceName), L"Arial");
        EXPECT_GE(overlay.labelFont.lfWeight, FW_BOLD);
        EXPECT_EQ(overlay.labelFont.lfHeight, MulDiv(-85, dpi, 96));
    }
}

TEST_F(Monitors, NoWaitAndNoDispatchForZeroOrNegativeSeconds) {
    OverlayWatch watch;
    const UINT kProbe = WM_APP + 5;
    for (std::int32_t seconds : {0, -1, INT_MIN}) {
        ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), kProbe, 0, 0));
        watch.Reset();
        showNumbers_(WithDirtyHigh(seconds));
        EXPECT_LT(g_life.Wait(), 300u) << seconds;
        watch.ExpectEachDestroyedOnce(SystemMonitors());
        MSG probe;
        EXPECT_TRUE(PeekMessageW(&probe, nullptr, kProbe, kProbe, PM_REMOVE))
            << "a waiting message was dispatched for " << seconds;
    }
    EXPECT_TRUE(FindOverlays().empty());
}

TEST_F(Monitors, OverlayDestroyedByOthersDuringTheWaitIsNotDestroyedAgain) {
    OverlayWatch watch;
    ShowWhile(1, [] {
        const std::vector<Overlay> overlays = FindOverlays();
        if (!overlays.empty()) DestroyWindow(overlays.front().window);
    });
    EXPECT_TRUE(FindOverlays().empty());
    watch.ExpectEachDestroyedOnce(SystemMonitors());
}

TEST_F(Monitors, QuitMetDuringTheWaitReachesTheHostAfterwards) {
    ShowWhile(1, [] { PostQuitMessage(42); });
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 42u);
    EXPECT_TRUE(FindOverlays().empty());
}

TEST_F(Monitors, OverlayClassLeavesWithTheLibraryAndComesBackWithIt) {
    showNumbers_(0);
    const HMODULE module = library_.module();
    WNDCLASSEXW info{sizeof info};
    EXPECT_TRUE(GetClassInfoExW(module, kOverlayClass, &info));
    library_.Free();
    EXPECT_FALSE(GetClassInfoExW(module, kOverlayClass, &info));

    Library again;
    OverlayWatch watch;
    again.Get<ShowMonitorNumbersFn>("ShowMonitorNumbers")(0);
    watch.ExpectEachDestroyedOnce(SystemMonitors());
}

}  // namespace
