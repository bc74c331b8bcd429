// The focus keeper tells every unfiltered slide-show window of the process once a second
// that it has the focus, only while it is switched on.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/foreign_window.h"
#include "support/library.h"
#include "support/windows.h"

using namespace testing_support;

namespace {

using VoidFn = void (*)();
using HandleToBits = std::uint64_t (*)(HWND);

std::vector<std::wstring>* g_destroyed = nullptr;

LRESULT CALLBACK RecordDestroyed(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && g_destroyed != nullptr) {
        g_destroyed->push_back(ClassOf(reinterpret_cast<HWND>(wParam)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Stands in for a desktop heap or handle quota that has run out.
LRESULT CALLBACK RefuseKeeperWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && ClassOf(reinterpret_cast<HWND>(wParam)) == L"TTimerForm")
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class FocusKeeper : public testing::Test {
  protected:
    void SetUp() override { RecordingClass::Seen().clear(); }

    int Focus(HWND wnd) { return RecordingClass::Count(wnd, WM_SETFOCUS); }

    RecordingClass screenClass_{L"screenClass"};
    RecordingClass otherClass_{L"TessalinTestOther"};
    std::unique_ptr<Library> library_ = std::make_unique<Library>();
    VoidFn on_ = library_->Get<VoidFn>("StartTessaline");
    VoidFn off_ = library_->Get<VoidFn>("EndTessaline");
};

TEST_F(FocusKeeper, HiddenTimerWindowExistsFromStartUp) {
    HWND timerForm = FindWindowW(nullptr, L"TimerForm");
    ASSERT_NE(timerForm, nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(timerForm, &process);
    EXPECT_EQ(process, GetCurrentProcessId());
    EXPECT_FALSE(IsWindowVisible(timerForm));
    EXPECT_EQ(GetWindow(timerForm, GW_OWNER), nullptr);
    library_->Free();
    EXPECT_FALSE(IsWindow(timerForm)) << "destroyed at unload";
}

TEST_F(FocusKeeper, TicksOncePerSecondOnlyToUnfilteredSlideShowWindowsOfThisThread) {
    TestWindow free(L"screenClass", L"free");
    TestWindow filtered(L"screenClass", L"filtered");
    TestWindow other(L"TessalinTestOther", L"other");
    ForeignWindow otherProcess;
    ASSERT_NE(otherProcess.get(), nullptr);
    OtherThreadWindow otherThread(L"screenClass");
    library_->Get<VoidFn>("StartTessalineSession")();
    ASSERT_EQ(library_->Get<HandleToBits>("RegisterSlideShowWindow")(filtered.get()), 0xFFFFu);
    RecordingClass::Seen().clear();

    PumpMessages(1300);
    EXPECT_EQ(Focus(free.get()), 0) << "off until switched on";

    on_();
    on_();  // a second switch-on leaves one timer
    PumpMessages(500);
    EXPECT_EQ(Focus(free.get()), 0) << "the first tick comes about a second later";
    PumpMessages(2800);
    EXPECT_GE(Focus(free.get()), 2);
    EXPECT_LE(Focus(free.get()), 4);
    EXPECT_EQ(Focus(filtered.get()), 0) << "the filter drops the ticks' focus messages";
    EXPECT_EQ(Focus(other.get()), 0);
    EXPECT_EQ(otherThread.FocusCount(), 0);
    EXPECT_EQ(otherProcess.Close(), 0);

    off_();
    const int atStop = Focus(free.get());
    PumpMessages(1500);
    EXPECT_EQ(Focus(free.get()), atStop) << "no tick after switching off";

    library_->Get<VoidFn>("TessalineSlideShowsTerminated")();
    library_->Get<VoidFn>("EndTessalineSession")();
}

TEST_F(FocusKeeper, SwitchingOffWithoutSwitchingOnDoesNothing) {
    TestWindow free(L"screenClass", L"free");
    off_();
    off_();
    PumpMessages(1300);
    EXPECT_EQ(Focus(free.get()), 0);
}

// Hosts destroy every top-level window of their thread now and then, the library's hidden one
// included.
TEST_F(FocusKeeper, HiddenWindowDestroyedByTheHostIsMadeAgainWhenSwitchedOn) {
    TestWindow free(L"screenClass", L"free");
    on_();
    // A new window refused once leaves the keeper off, not on without a timer: the next
    // switch-on, with or without a switch-off between, tries again.
    for (const bool offBetween : {false, true}) {
        HWND timerForm = FindWindowW(L"TTimerForm", nullptr);
        ASSERT_NE(timerForm, nullptr);
        DestroyWindow(timerForm);
        HHOOK refuse = SetWindowsHookExW(WH_CBT, RefuseKeeperWindow, nullptr, GetCurrentThreadId());
        on_();
        UnhookWindowsHookEx(refuse);
        EXPECT_EQ(FindWindowW(L"TTimerForm", nullptr), nullptr);
        if (offBetween) off_();
        on_();
        const int before = Focus(free.get());
        PumpMessages(2300);
        EXPECT_GE(Focus(free.get()), before + 1) << "switch-off between: " << offBetween;
    }

    // The unload destroys its own window and nothing else.
    std::vector<std::wstring> destroyed;
    HHOOK hook = SetWindowsHookExW(WH_CBT, RecordDestroyed, nullptr, GetCurrentThreadId());
    g_destroyed = &destroyed;
    library_->Free();
    UnhookWindowsHookEx(hook);
    g_destroyed = nullptr;
    EXPECT_EQ(destroyed, std::vector<std::wstring>{L"TTimerForm"});
    EXPECT_TRUE(IsWindow(free.get()));
}

TEST_F(FocusKeeper, UnloadWhileRunningStopsTheTicks) {
    TestWindow free(L"screenClass", L"free");
    on_();
    library_->Free();
    PumpMessages(1500);
    EXPECT_EQ(Focus(free.get()), 0);
}

}  // namespace
