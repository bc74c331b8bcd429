// The library loaded and freed again and again, with a short show in between: nothing may
// pile up in the host process, and freeing it without the add-in's teardown must leave no
// window calling into unloaded code.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <set>
#include <string>

#include "frame/unique_resource_win.h"
#include "support/gui_objects.h"
#include "support/library.h"
#include "support/windows.h"

using namespace testing_support;

namespace {

// Seen under Wine 8: GetProcessHandleCount reports 0, and a new handle's value does not show
// leaked ones either. There every handle value is asked for its flags instead, which only a
// live handle answers; on Windows the system's own count is used.
DWORD KernelHandles() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    if (count != 0) return count;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

// Every font the library gives the controls of its overlays and notes views, by the class of
// the window, seen by a hook on the messages sent to them.
std::map<std::wstring, std::set<HFONT>> g_fontsGiven;

LRESULT CALLBACK RecordFontsGiven(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    // The notes view falls back to a stock font, which is never deleted.
    if (code == HC_ACTION && sent->message == WM_SETFONT && sent->wParam != 0 &&
        reinterpret_cast<HGDIOBJ>(sent->wParam) != GetStockObject(DEFAULT_GUI_FONT)) {
        const std::wstring form = ClassOf(GetAncestor(sent->hwnd, GA_ROOT));
        if (form == L"TMonitorNumForm" || form == L"TNotesForm") {
            g_fontsGiven[form].insert(reinterpret_cast<HFONT>(sent->wParam));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Checks that the fonts of the library's windows are deleted when the windows close.
class FontWatch {
  public:
    FontWatch()
        : hook_(
              SetWindowsHookExW(WH_CALLWNDPROC, &RecordFontsGiven, nullptr, GetCurrentThreadId())) {
        g_fontsGiven.clear();
    }
    ~FontWatch() { UnhookWindowsHookEx(hook_); }
    FontWatch(const FontWatch&) = delete;
    FontWatch& operator=(const FontWatch&) = delete;

    // Once the windows made since the last call are closed: counts their fonts and those of
    // them still alive.
    void AfterClose() {
        for (const auto& [form, fonts] : g_fontsGiven) {
            Tally& tally = tallies_[form];
            tally.given += static_cast<int>(fonts.size());
            for (HFONT font : fonts) tally.alive += GetObjectType(font) != 0 ? 1 : 0;
        }
        g_fontsGiven.clear();
    }

    // Each window of the class got at least one font, and none outlived its window.
    void ExpectAllGone(const wchar_t* form, int windows) {
        EXPECT_GE(tallies_[form].given, windows) << form;
        EXPECT_EQ(tallies_[form].alive, 0) << form << ": fonts left after their window closed";
    }

  private:
    struct Tally {
        int given = 0;
        int alive = 0;
    };
    HHOOK hook_;
    std::map<std::wstring, Tally> tallies_;
};

bool MutexExists() {
    return static_cast<bool>(tessalin::UniqueHandle(OpenMutexW(SYNCHRONIZE, FALSE, L"Tessaline")));
}

// One short road of one show; with `teardown`, the add-in's own cleanup at its end.
void ShortShow(Library& library, HWND show, bool teardown) {
    library.Get<void (*)()>("StartTessalineSession")();
    library.Get<std::uint64_t (*)(HWND)>("RegisterSlideShowWindow")(show);
    library.Get<void (*)()>("StartTessaline")();
    std::int32_t left, top, width, height;
    library.Get<std::int32_t (*)(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*,
                                 std::int32_t*)>("GetMonitorInfo")(1, &left, &top, &width, &height);
    wchar_t caption[64];
    library.Get<std::int32_t (*)(std::int32_t, std::int32_t, const wchar_t*, wchar_t*)>(
        "GetLocaleCaptionWS")(0x409, 1, L"caption", caption);
    using Create = std::intptr_t (*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t);
    const std::intptr_t notes = library.Get<Create>("CreateNotesView")(50, 50, 400, 300);
    library.Get<void (*)(std::intptr_t, const wchar_t*)>("SetNotesTitle")(notes, L"Notes");
    library.Get<void (*)(std::intptr_t, const wchar_t*)>("SetNotesText")(notes, L"");
    PumpMessages(1);
    if (!teardown) return;
    library.Get<void (*)(std::intptr_t)>("DestroyNotesView")(notes);
    library.Get<void (*)()>("EndTessaline")();
    library.Get<void (*)()>("TessalineSlideShowsTerminated")();
    library.Get<void (*)()>("EndTessalineSession")();
}

void FlashMonitorNumbers(Library& library) {
    library.Get<void (*)(std::int32_t)>("ShowMonitorNumbers")(0);
}

TEST(RepeatedLoads, TwoHundredCyclesLeaveNothingBehind) {
    RecordingClass screenClass(L"screenClass");
    TestWindow show(L"screenClass", L"show");
    // The host has the system DLLs the library imports loaded for good. Without that, each
    // FreeLibrary unloads them too, and Wine's own reloading of them costs a handle a cycle
    // (seen here), which would hide the library's own count.
    for (const wchar_t* system : {L"user32", L"gdi32", L"advapi32", L"shell32", L"ole32",
                                  L"oleaut32", L"comdlg32", L"uxtheme", L"comctl32"}) {
        LoadLibraryW(system);
    }
    // A first cycle brings in what the system keeps once loaded (classes, fonts).
    {
        Library library;
        ShortShow(library, show.get(), true);
        FlashMonitorNumbers(library);
    }
    const DWORD handlesBefore = KernelHandles();
    const GuiObjects before = CountGuiObjects();
    FontWatch fonts;
    constexpr int kCycles = 200;
    // Seen under Wine here: showing the numbers for 0 seconds takes some 4 s on two monitors,
    // so only every 40th cycle shows them.
    constexpr int kNumbersEvery = 40;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        {
            Library library;
            ShortShow(library, show.get(), true);
            if (cycle % kNumbersEvery == 0) FlashMonitorNumbers(library);
        }
        fonts.AfterClose();
    }
    fonts.ExpectAllGone(L"TNotesForm", kCycles);
    fonts.ExpectAllGone(L"TMonitorNumForm", kCycles / kNumbersEvery);
    const GuiObjects after = CountGuiObjects();
    EXPECT_NEAR(KernelHandles(), handlesBefore, 5);
    EXPECT_NEAR(after.gdi, before.gdi, 5);
    EXPECT_NEAR(after.user, before.user, 5);
    EXPECT_NEAR(after.windows, before.windows, 5);
    EXPECT_FALSE(MutexExists());
}

TEST(RepeatedLoads, FreeingWithoutTeardownLeavesNoWindowInUnloadedCode) {
    RecordingClass screenClass(L"screenClass");
    TestWindow show(L"screenClass", L"show");
    FontWatch fonts;
    constexpr int kCycles = 3;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        {
            Library library;
            ShortShow(library, show.get(), false);
        }
        fonts.AfterClose();
        // The messages a window gets next must all reach live code.
        EXPECT_EQ(GetWindowLongPtrW(show.get(), GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(RecordingClass::Procedure()));
        SendMessageW(show.get(), WM_SETFOCUS, 0, 0);
        EXPECT_EQ(SendMessageW(show.get(), WM_APP, 1, 2), 3);
        PumpMessages(1500);  // a focus-keeper tick would come now if its timer had survived
        EXPECT_EQ(FindWindowW(nullptr, L"Notes"), nullptr) << "the forgotten notes view is gone";
    }
    fonts.ExpectAllGone(L"TNotesForm", kCycles);
    EXPECT_FALSE(MutexExists());
}

}  // namespace
