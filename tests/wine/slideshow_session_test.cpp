// The slide-show session: which windows go under the filter, what the filter lets through,
// and how records and procedures change through the session's calls, re-entrant ones too.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>

#include "support/child.h"
#include "support/foreign_window.h"
#include "support/library.h"
#include "support/windows.h"

using namespace testing_support;

namespace {

using VoidFn = void (*)();
using HandleToBits = std::uint64_t (*)(HWND);
using StartedFn = std::int32_t (*)();

// Full 64-bit result registers, so the widths of the truth values are checked too.
constexpr std::uint64_t kTrue16 = 0xFFFF;
constexpr std::uint64_t kTrue32 = 0xFFFFFFFF;

// What a helper window does when it receives WM_APP + 1: set by a test, run inside the pump
// of a register call.
std::function<void()> g_reentry;

LRESULT CALLBACK ReentrantProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP + 1 && g_reentry) g_reentry();
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

// A procedure the host puts on a slide-show window, as VBA subclassing does. Given a register
// function, it registers its own window whenever it is told it has the focus; the cap stands in
// for the host's stack, which would otherwise run out.
HandleToBits g_registerOnFocus = nullptr;
int g_focusDepth = 0;
int g_deepestFocus = 0;

int g_hostCalls = 0;

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++g_hostCalls;
    if (msg == WM_SETFOCUS && g_registerOnFocus != nullptr && g_focusDepth < 10) {
        g_deepestFocus = std::max(g_deepestFocus, ++g_focusDepth);
        g_registerOnFocus(wnd);
        --g_focusDepth;
    }
    return CallWindowProcW(RecordingClass::Procedure(), wnd, msg, wParam, lParam);
}

class SlideShowSession : public testing::Test {
  protected:
    void SetUp() override { RecordingClass::Seen().clear(); }
    void TearDown() override {
        g_reentry = nullptr;
        g_registerOnFocus = nullptr;
    }

    static bool Filtered(HWND wnd) {
        return GetWindowLongPtrW(wnd, GWLP_WNDPROC) !=
               reinterpret_cast<LONG_PTR>(RecordingClass::Procedure());
    }

    RecordingClass screenClass_{L"screenClass"};
    const hostkit::UniqueWindowClass reentrantClass_ =
        hostkit::RegisterWindowClass(L"TessalinTestReentrant", ReentrantProc, COLOR_WINDOW);
    std::unique_ptr<Library> library_ = std::make_unique<Library>();
    VoidFn start_ = library_->Get<VoidFn>("StartTessalineSession");
    VoidFn end_ = library_->Get<VoidFn>("EndTessalineSession");
    VoidFn terminated_ = library_->Get<VoidFn>("TessalineSlideShowsTerminated");
    HandleToBits register_ = library_->Get<HandleToBits>("RegisterSlideShowWindow");
    HandleToBits deregister_ = library_->Get<HandleToBits>("DeregisterSlideShowWindow");
    StartedFn started_ = library_->Get<StartedFn>("TessalineSlideShowStarted");
};

TEST_F(SlideShowSession, FilterDropsActivationAndFocusAndPassesEverythingElse) {
    TestWindow show(L"screenClass", L"show");
    start_();
    ASSERT_EQ(register_(show.get()), kTrue16);
    EXPECT_EQ(RecordingClass::Count(show.get(), WM_SETFOCUS), 1)
        << "one focus message reaches the window before the filter is in place";
    RecordingClass::Seen().clear();

    for (UINT msg : {WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS}) {
        EXPECT_EQ(SendMessageW(show.get(), msg, 1, 0), 0);
        PostMessageW(show.get(), msg, 1, 0);
    }
    PumpMessages(50);
    for (UINT msg : {WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS}) {
        EXPECT_EQ(RecordingClass::Count(show.get(), msg), 0) << "message " << msg;
    }

    EXPECT_EQ(SendMessageW(show.get(), WM_APP, 40, 2), 42) << "the result comes back unchanged";
    ASSERT_EQ(RecordingClass::Count(show.get(), WM_APP), 1);
    const SeenMessage& seen = RecordingClass::Seen().back();
    EXPECT_EQ(seen.wParam, 40u);
    EXPECT_EQ(seen.lParam, 2);

    terminated_();
    end_();
}

TEST_F(SlideShowSession, ClassNameMustMatchExactly) {
    // Class names are registered case-insensitively: make room for the other spelling.
    UnregisterClassW(L"screenClass", GetModuleHandleW(nullptr));
    RecordingClass otherCase(L"ScreenClass");
    TestWindow wrongCase(L"ScreenClass", L"case");
    start_();
    EXPECT_EQ(register_(wrongCase.get()), 0u);
    EXPECT_FALSE(Filtered(wrongCase.get()));
    EXPECT_EQ(RecordingClass::Count(wrongCase.get(), WM_SETFOCUS), 0);
    end_();
}

TEST_F(SlideShowSession, OnlySlideShowWindowsOfTheCallingThreadAreFiltered) {
    ForeignWindow otherProcess;
    ASSERT_NE(otherProcess.get(), nullptr) << "the second process's window did not appear";
    OtherThreadWindow otherThread(L"screenClass");
    ASSERT_NE(otherThread.get(), nullptr);
    start_();
    // Neither gets the register's focus message, nor the filter.
    for (HWND elsewhere : {otherProcess.get(), otherThread.get()}) {
        EXPECT_EQ(register_(elsewhere), 0u);
        EXPECT_EQ(deregister_(elsewhere), 0u);
    }
    EXPECT_NE(started_(), 0) << "the other thread's window is passed over";
    EXPECT_EQ(GetWindowLongPtrW(otherThread.get(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(OtherThreadWindow::Procedure()));
    end_();
    EXPECT_EQ(otherThread.FocusCount(), 0);
    EXPECT_EQ(otherProcess.Close(), 0) << "focus messages the other process's window received";
}

TEST_F(SlideShowSession, RegisteringTwiceKeepsOneRecord) {
    TestWindow show(L"screenClass", L"show");
    start_();
    EXPECT_EQ(register_(show.get()), kTrue16);
    EXPECT_EQ(register_(show.get()), 0u);
    EXPECT_EQ(RecordingClass::Count(show.get(), WM_SETFOCUS), 1)
        << "a refused register sends no focus message";
    EXPECT_EQ(deregister_(show.get()), kTrue32);
    EXPECT_FALSE(Filtered(show.get()));
    EXPECT_EQ(deregister_(show.get()), 0u);
    end_();
}

TEST_F(SlideShowSession, SlideShowStartedFiltersOneWindowPerCall) {
    TestWindow first(L"screenClass", L"first");
    TestWindow second(L"screenClass", L"second");
    TestWindow other(L"TessalinTestReentrant", L"not a show");
    start_();
    EXPECT_EQ(started_(), 0);
    EXPECT_NE(Filtered(first.get()), Filtered(second.get())) << "exactly one window per call";
    EXPECT_EQ(started_(), 0);
    EXPECT_TRUE(Filtered(first.get()));
    EXPECT_TRUE(Filtered(second.get()));
    EXPECT_NE(started_(), 0);
    terminated_();
    end_();
}

TEST_F(SlideShowSession, NoSlideShowWindowLeavesEverythingAsItWas) {
    start_();
    EXPECT_NE(started_(), 0);
    end_();
}

TEST_F(SlideShowSession, TerminatedPutsProceduresBackAndKeepsTheRecords) {
    TestWindow show(L"screenClass", L"show");
    start_();
    ASSERT_EQ(register_(show.get()), kTrue16);
    terminated_();
    EXPECT_FALSE(Filtered(show.get()));
    SendMessageW(show.get(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(RecordingClass::Count(show.get(), WM_SETFOCUS), 2) << "focus reaches it again";
    EXPECT_EQ(deregister_(show.get()), kTrue32);
    EXPECT_EQ(deregister_(show.get()), 0u);
    end_();
}

// Another add-in subclasses the window once the filter is off; the library never writes over
// its procedure, also when the window is filtered again on top of it (two records).
TEST_F(SlideShowSession, OnlyItsOwnFilterIsEverTakenOff) {
    TestWindow show(L"screenClass", L"show");
    const auto hostProc = reinterpret_cast<LONG_PTR>(&HostProc);
    const auto procedure = [&] {
        return GetWindowLongPtrW(show.get(), GWLP_WNDPROC);
    };
    start_();
    ASSERT_EQ(register_(show.get()), kTrue16);
    terminated_();
    SetWindowLongPtrW(show.get(), GWLP_WNDPROC, hostProc);
    terminated_();
    EXPECT_EQ(procedure(), hostProc);

    ASSERT_EQ(register_(show.get()), kTrue16);
    g_hostCalls = 0;
    EXPECT_EQ(SendMessageW(show.get(), WM_APP, 1, 2), 3);
    EXPECT_EQ(g_hostCalls, 1) << "the filter passes on to what it replaced";
    for (int record = 0; record < 2; ++record) {
        EXPECT_EQ(deregister_(show.get()), kTrue32);
        EXPECT_EQ(procedure(), hostProc) << "after deregister " << record + 1;
    }
    EXPECT_EQ(deregister_(show.get()), 0u);
    end_();
}

TEST_F(SlideShowSession, CallsOutsideASessionChangeNothing) {
    TestWindow show(L"screenClass", L"show");
    EXPECT_EQ(register_(show.get()), 0u);
    EXPECT_NE(started_(), 0);
    EXPECT_EQ(deregister_(show.get()), 0u);
    EXPECT_FALSE(Filtered(show.get()));
    EXPECT_EQ(RecordingClass::Count(show.get(), WM_SETFOCUS), 0);
    end_();
    end_();
    terminated_();
}

TEST_F(SlideShowSession, SecondStartKeepsTheRecords) {
    TestWindow show(L"screenClass", L"show");
    start_();
    ASSERT_EQ(register_(show.get()), kTrue16);
    start_();
    EXPECT_EQ(deregister_(show.get()), kTrue32);
    end_();
}

TEST_F(SlideShowSession, WindowLeftFilteredAfterTheSessionStillWorks) {
    TestWindow show(L"screenClass", L"show");
    start_();
    ASSERT_EQ(register_(show.get()), kTrue16);
    end_();
    EXPECT_TRUE(Filtered(show.get()));
    EXPECT_EQ(SendMessageW(show.get(), WM_SETFOCUS, 0, 0), 0);
    EXPECT_EQ(RecordingClass::Count(show.get(), WM_SETFOCUS), 1);
    EXPECT_EQ(SendMessageW(show.get(), WM_APP, 5, 6), 11) << "passed to the original procedure";

    // Unloading puts the original procedure back: the window must not call unloaded code.
    library_->Free();
    EXPECT_FALSE(Filtered(show.get()));
    EXPECT_EQ(SendMessageW(show.get(), WM_APP, 1, 2), 3);
}

TEST_F(SlideShowSession, UnloadRestoresFilteredWindowsOfAnActiveSession) {
    TestWindow show(L"screenClass", L"show");
    start_();
    ASSERT_EQ(register_(show.get()), kTrue16);
    library_->Free();
    EXPECT_FALSE(Filtered(show.get()));
    SendMessageW(show.get(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(RecordingClass::Count(show.get(), WM_SETFOCUS), 2);
}

// Another procedure subclasses a filtered window on top of the filter, as other add-ins and
// common-control helpers do, and keeps the filter's address as its previous procedure. Each
// teardown is followed by FreeLibrary; a crash shows as the child's exit code.
TEST(SubclassChain, WindowSubclassedOnTopOfTheFilterOutlivesTheLibrary) {
    for (const wchar_t* teardown : {L"none", L"deregister", L"end"}) {
        EXPECT_EQ(RunChild(L"subclassed_on_top", teardown), 0) << "teardown: " << teardown;
    }
}

WNDPROC g_belowTop = nullptr;

LRESULT CALLBACK TopProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(g_belowTop, wnd, msg, wParam, lParam);
}

TESSALIN_CHILD_MODE(subclassed_on_top) {
    RecordingClass screenClass(L"screenClass");
    TestWindow show(L"screenClass", L"show");
    const auto focus = [&] {
        return RecordingClass::Count(show.get(), WM_SETFOCUS);
    };
    Library library;
    library.Get<VoidFn>("StartTessalineSession")();
    const auto registerShow = library.Get<HandleToBits>("RegisterSlideShowWindow");
    if (registerShow(show.get()) != kTrue16) return 10;
    g_belowTop = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(show.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TopProc)));

    // The chain holds the filter: the window is not taken again, and gets no focus message.
    const int focusBefore = focus();
    if (registerShow(show.get()) != 0 || focus() != focusBefore) return 11;
    if (argument == L"deregister") {
        if (library.Get<HandleToBits>("DeregisterSlideShowWindow")(show.get()) != kTrue32) {
            return 12;
        }
        // Put back as far as it can be: focus reaches the window again.
        SendMessageW(show.get(), WM_SETFOCUS, 0, 0);
        if (focus() != focusBefore + 1) return 13;
    } else if (argument == L"end") {
        library.Get<VoidFn>("EndTessalineSession")();
    }
    library.Free();

    const int focusAfterFree = focus();
    if (SendMessageW(show.get(), WM_APP, 40, 2) != 42) return 14;
    SendMessageW(show.get(), WM_SETFOCUS, 0, 0);
    if (focus() != focusAfterFree + 1) return 15;
    // The other procedure leaves, putting back the address it kept.
    SetWindowLongPtrW(show.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_belowTop));
    if (SendMessageW(show.get(), WM_APP, 1, 2) != 3) return 16;

    // A later load filters the window afresh and gives it back.
    Library again;
    again.Get<VoidFn>("StartTessalineSession")();
    if (again.Get<HandleToBits>("RegisterSlideShowWindow")(show.get()) != kTrue16) return 17;
    const int focusFiltered = focus();
    SendMessageW(show.get(), WM_SETFOCUS, 0, 0);
    if (focus() != focusFiltered) return 18;
    again.Get<VoidFn>("TessalineSlideShowsTerminated")();
    again.Get<VoidFn>("EndTessalineSession")();
    again.Free();
    return SendMessageW(show.get(), WM_APP, 2, 3) == 5 ? 0 : 19;
}

// Another add-in's procedure X comes in between two registrations, and Y sits on top of the
// filter when the window is deregistered: the filter passes everything on to X, what its
// installation replaced, until a new registration filters the window again; X stays.
TEST_F(SlideShowSession, FilterServesWhatItsCurrentInstallationReplaced) {
    TestWindow show(L"screenClass", L"show");
    const auto hostProc = reinterpret_cast<LONG_PTR>(&HostProc);
    start_();
    ASSERT_EQ(register_(show.get()), kTrue16);
    terminated_();
    SetWindowLongPtrW(show.get(), GWLP_WNDPROC, hostProc);
    ASSERT_EQ(register_(show.get()), kTrue16);
    g_belowTop = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(show.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TopProc)));
    EXPECT_EQ(deregister_(show.get()), kTrue32);
    SetWindowLongPtrW(show.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_belowTop));
    g_hostCalls = 0;
    EXPECT_EQ(SendMessageW(show.get(), WM_SETFOCUS, 0, 0), 0);
    EXPECT_EQ(g_hostCalls, 1) << "passed on to the procedure the filter replaced";
    EXPECT_EQ(register_(show.get()), kTrue16);
    g_hostCalls = 0;
    SendMessageW(show.get(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(g_hostCalls, 0) << "filtered again";
    terminated_();
    EXPECT_EQ(GetWindowLongPtrW(show.get(), GWLP_WNDPROC), hostProc);
    EXPECT_EQ(deregister_(show.get()), kTrue32);
    EXPECT_EQ(deregister_(show.get()), kTrue32);
    EXPECT_EQ(deregister_(show.get()), 0u);
    end_();
}

TEST_F(SlideShowSession, SessionEndedDuringTheRegisterPumpInstallsNothing) {
    TestWindow show(L"screenClass", L"show");
    TestWindow helper(L"TessalinTestReentrant", L"helper");
    start_();
    g_reentry = [&] {
        end_();
    };
    PostMessageW(helper.get(), WM_APP + 1, 0, 0);
    EXPECT_EQ(register_(show.get()), 0u);
    EXPECT_FALSE(Filtered(show.get()));
}

TEST_F(SlideShowSession, NestedRegisterOfTheSameWindowRecordsItOnce) {
    TestWindow show(L"screenClass", L"show");
    TestWindow helper(L"TessalinTestReentrant", L"helper");
    start_();
    std::uint64_t nested = kTrue16;
    g_reentry = [&] {
        nested = register_(show.get());
    };
    PostMessageW(helper.get(), WM_APP + 1, 0, 0);
    EXPECT_EQ(register_(show.get()), kTrue16);
    EXPECT_EQ(nested, 0u) << "the window was being registered";
    EXPECT_TRUE(Filtered(show.get()));
    EXPECT_EQ(SendMessageW(show.get(), WM_APP, 2, 3), 5) << "no loop through the filter";
    EXPECT_EQ(deregister_(show.get()), kTrue32);
    EXPECT_EQ(deregister_(show.get()), 0u);
    end_();
}

TEST_F(SlideShowSession, HostRegisteringItsWindowOnFocusDoesNotRecurse) {
    TestWindow show(L"screenClass", L"show");
    const auto hostProc = reinterpret_cast<LONG_PTR>(&HostProc);
    SetWindowLongPtrW(show.get(), GWLP_WNDPROC, hostProc);
    g_registerOnFocus = register_;
    start_();
    EXPECT_EQ(register_(show.get()), kTrue16);
    EXPECT_LE(g_deepestFocus, 2);
    EXPECT_EQ(deregister_(show.get()), kTrue32);
    EXPECT_EQ(GetWindowLongPtrW(show.get(), GWLP_WNDPROC), hostProc) << "filtered once";
    EXPECT_EQ(deregister_(show.get()), 0u);
    end_();
}

TEST_F(SlideShowSession, DeregisterDuringThePumpOfAnotherRegister) {
    TestWindow first(L"screenClass", L"first");
    TestWindow second(L"screenClass", L"second");
    TestWindow helper(L"TessalinTestReentrant", L"helper");
    start_();
    ASSERT_EQ(register_(first.get()), kTrue16);
    std::uint64_t nested = 0;
    g_reentry = [&] {
        nested = deregister_(first.get());
    };
    PostMessageW(helper.get(), WM_APP + 1, 0, 0);
    EXPECT_EQ(register_(second.get()), kTrue16);
    EXPECT_EQ(nested, kTrue32);
    EXPECT_FALSE(Filtered(first.get()));
    EXPECT_TRUE(Filtered(second.get()));
    terminated_();
    end_();
}

TEST_F(SlideShowSession, QuitMessageMetByThePumpIsPostedAgain) {
    TestWindow show(L"screenClass", L"show");
    TestWindow helper(L"TessalinTestReentrant", L"helper");
    int dispatched = 0;
    g_reentry = [&] {
        ++dispatched;
    };
    start_();
    PostQuitMessage(7);
    PostMessageW(helper.get(), WM_APP + 1, 0, 0);
    ASSERT_EQ(register_(show.get()), kTrue16);
    EXPECT_EQ(dispatched, 1) << "the pump delivered the message waiting with the quit";
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
    terminated_();
    end_();
}

}  // namespace
