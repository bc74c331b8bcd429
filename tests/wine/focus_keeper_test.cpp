// The focus keeper tells every unfiltered slide-show window of the process once a second
// that it has the focus, only while it is switched on.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/library.h"
#include "support/windows.h"

using namespace testing_support;

namespace {

using VoidFn = void (*)();
using HandleToBits = std::uint64_t (*)(HWND);

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

TEST_F(FocusKeeper, TicksOncePerSecondOnlyToUnfilteredSlideShowWindows) {
    TestWindow free(L"screenClass", L"free");
    TestWindow filtered(L"screenClass", L"filtered");
    TestWindow other(L"TessalinTestOther", L"other");
    library_->Get<VoidFn>("StartTessalineSession")();
    ASSERT_EQ(library_->Get<HandleToBits>("RegisterSlideShowWindow")(filtered.get()), 0xFFFFu);
    RecordingClass::Seen().clear();

    PumpFor(1300);
    EXPECT_EQ(Focus(free.get()), 0) << "off until switched on";

    on_();
    on_();  // a second switch-on leaves one timer
    PumpFor(500);
    EXPECT_EQ(Focus(free.get()), 0) << "the first tick comes about a second later";
    PumpFor(2800);
    EXPECT_GE(Focus(free.get()), 2);
    EXPECT_LE(Focus(free.get()), 4);
    EXPECT_EQ(Focus(filtered.get()), 0) << "the filter drops the ticks' focus messages";
    EXPECT_EQ(Focus(other.get()), 0);

    off_();
    const int atStop = Focus(free.get());
    PumpFor(1500);
    EXPECT_EQ(Focus(free.get()), atStop) << "no tick after switching off";

    library_->Get<VoidFn>("TessalineSlideShowsTerminated")();
    library_->Get<VoidFn>("EndTessalineSession")();
}

TEST_F(FocusKeeper, SwitchingOffWithoutSwitchingOnDoesNothing) {
    TestWindow free(L"screenClass", L"free");
    off_();
    off_();
    PumpFor(1300);
    EXPECT_EQ(Focus(free.get()), 0);
}

TEST_F(FocusKeeper, UnloadWhileRunningStopsTheTicks) {
    TestWindow free(L"screenClass", L"free");
    on_();
    library_->Free();
    PumpFor(1500);
    EXPECT_EQ(Focus(free.get()), 0);
}

}  // namespace
