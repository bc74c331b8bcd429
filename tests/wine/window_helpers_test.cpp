// The small helpers around a show: foreground switching, the slide-show window object's
// handle, and synchronisation group identifiers.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>

#include <array>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <thread>

#include "support/library.h"
#include "support/windows.h"
#include "tools/hostkit/slide_show_object_win.h"

using namespace testing_support;

namespace {

using FakeSlideShowWindow = hostkit::SlideShowWindowObject;

using GetHandleFn = std::intptr_t (*)(const VARIANT*);

class WindowHelpers : public testing::Test {
  protected:
    Library library_;
    GetHandleFn getHandle_ = library_.Get<GetHandleFn>("GetSSWHandle");

    std::intptr_t HandleOf(VARTYPE type, FakeSlideShowWindow& object) {
        IUnknown* unknown = object.unknown();
        VARIANT value;
        VariantInit(&value);
        value.vt = type;
        if (type == VT_UNKNOWN || type == VT_DISPATCH) value.punkVal = unknown;
        if (type & VT_BYREF) value.ppunkVal = &unknown;
        return getHandle_(&value);
    }
};

TEST_F(WindowHelpers, GetSSWHandleReadsTheHandleAndKeepsReferenceCounts) {
    FakeSlideShowWindow object(true, 0x1234);
    for (VARTYPE type : {VARTYPE(VT_DISPATCH), VARTYPE(VT_UNKNOWN), VARTYPE(VT_DISPATCH | VT_BYREF),
                         VARTYPE(VT_UNKNOWN | VT_BYREF)}) {
        EXPECT_EQ(HandleOf(type, object), 0x1234) << "type " << type;
        EXPECT_EQ(object.references(), 1) << "type " << type;
    }
    FakeSlideShowWindow negative(true, -5);
    EXPECT_EQ(HandleOf(VT_UNKNOWN, negative), -5) << "sign-extended";
}

TEST_F(WindowHelpers, GetSSWHandleGivesZeroForAnythingElse) {
    FakeSlideShowWindow other(false, 0x1234);
    EXPECT_EQ(HandleOf(VT_UNKNOWN, other), 0);
    EXPECT_EQ(other.references(), 1);

    FakeSlideShowWindow failing(true, 0x1234, E_FAIL);
    EXPECT_EQ(HandleOf(VT_DISPATCH, failing), 0);
    EXPECT_EQ(failing.references(), 1);

    VARIANT value;
    VariantInit(&value);
    EXPECT_EQ(getHandle_(&value), 0);
    value.vt = VT_I4;
    value.lVal = 77;
    EXPECT_EQ(getHandle_(&value), 0);
    value.vt = VT_UNKNOWN;
    value.punkVal = nullptr;
    EXPECT_EQ(getHandle_(&value), 0);
    EXPECT_EQ(getHandle_(nullptr), 0);
}

TEST_F(WindowHelpers, SyncGroupIdIsAFreshGuidInRegistryForm) {
    using IdFn = void (*)(char*);
    auto create = library_.Get<IdFn>("CreateNewSyncGroupId");
    std::array<char, 48> first;
    std::array<char, 48> second;
    first.fill('#');
    second.fill('#');
    create(first.data());
    create(second.data());
    EXPECT_EQ(first[38], '\0');
    EXPECT_EQ(first[39], '#') << "exactly 39 bytes are written";
    const std::string text(first.data());
    ASSERT_EQ(text.size(), 38u);
    EXPECT_EQ(text.front(), '{');
    EXPECT_EQ(text.back(), '}');
    for (std::size_t i = 1; i < 37; ++i) {
        const bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
        const char c = text[i];
        if (hyphen) {
            EXPECT_EQ(c, '-') << "at " << i;
        } else {
            EXPECT_TRUE(std::isdigit(c) || (c >= 'A' && c <= 'F')) << "at " << i << ": " << c;
        }
    }
    EXPECT_NE(text, std::string(second.data()));
}

TEST_F(WindowHelpers, SwitchToWindowRestoresAMinimisedWindowOfAnotherThread) {
    RecordingClass windowClass(L"TessalinTestSwitch");
    std::atomic<HWND> target = nullptr;
    std::atomic<bool> stop = false;
    std::thread owner([&] {
        TestWindow window(L"TessalinTestSwitch", L"target", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ShowWindow(window.get(), SW_MINIMIZE);
        target = window.get();
        while (!stop) PumpMessages(10);
    });
    while (target == nullptr) Sleep(5);
    TestWindow mine(L"TessalinTestSwitch", L"mine", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetForegroundWindow(mine.get());
    PumpMessages(100);
    ASSERT_TRUE(IsIconic(target));

    library_.Get<void (*)(HWND)>("SwitchToWindow")(target);
    for (int i = 0; i < 100 && IsIconic(target); ++i) PumpMessages(10);
    EXPECT_FALSE(IsIconic(target));
    EXPECT_TRUE(IsWindowVisible(target));
    stop = true;
    owner.join();
}

// A host's other thread that reads no message for a second must not hold up the host's own
// thread.
TEST_F(WindowHelpers, SwitchToWindowDoesNotWaitForABusyThread) {
    RecordingClass windowClass(L"TessalinTestSwitch");
    OtherThreadWindow busy(L"TessalinTestSwitch");
    TestWindow mine(L"TessalinTestSwitch", L"mine", WS_POPUP | WS_VISIBLE);
    SetForegroundWindow(mine.get());
    PumpMessages(100);
    busy.BusyFor(1000);
    Sleep(50);
    const ULONGLONG start = GetTickCount64();
    library_.Get<void (*)(HWND)>("SwitchToWindow")(busy.get());
    EXPECT_LT(GetTickCount64() - start, 500u);
}

// What is not a window gets nothing: HWND_BROADCAST would ask every top-level window.
TEST_F(WindowHelpers, SwitchToWindowSendsNothingForWhatIsNotAWindow) {
    RecordingClass windowClass(L"TessalinTestSwitch");
    const HWND destroyed = TestWindow(L"TessalinTestSwitch", L"gone").get();
    TestWindow mine(L"TessalinTestSwitch", L"mine", WS_POPUP | WS_VISIBLE);
    auto switchTo = library_.Get<void (*)(HWND)>("SwitchToWindow");
    for (HWND bad : {HWND{}, HWND_BROADCAST, reinterpret_cast<HWND>(-1), destroyed,
                     reinterpret_cast<HWND>(0x7FFF1234)}) {
        switchTo(bad);
    }
    EXPECT_EQ(RecordingClass::Count(mine.get(), WM_NULL), 0);
}

}  // namespace
