// The library loaded and freed again and again, with a short show in between: nothing may
// pile up in the host process, and freeing it without the add-in's teardown must leave no
// window calling into unloaded code.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>

#include "support/library.h"
#include "support/windows.h"

using namespace testing_support;

namespace {

struct Counts {
    std::uintptr_t handles = 0;
    DWORD windows = 0;
    DWORD gdi = 0;
};

BOOL CALLBACK CountWindow(HWND wnd, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(count);
        EnumChildWindows(wnd, CountWindow, count);
    }
    return TRUE;
}

// Seen under Wine 8: GetProcessHandleCount and GetGuiResources report 0 (and a new handle's
// value does not show leaked ones either). USER objects are then counted as the process's
// windows; kernel handles and GDI objects have no stand-in there and compare as zero. On
// Windows the system's own counts are used.
Counts Now() {
    Counts counts;
    DWORD handleCount = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handleCount);
    counts.handles = handleCount;
    counts.windows = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (counts.windows == 0) EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
    counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return counts;
}

long Difference(std::uintptr_t a, std::uintptr_t b) {
    return std::labs(static_cast<long>(a) - static_cast<long>(b));
}

bool MutexExists() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"Tessaline");
    if (mutex == nullptr) return false;
    CloseHandle(mutex);
    return true;
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
    PumpFor(1);
    if (!teardown) return;
    library.Get<void (*)(std::intptr_t)>("DestroyNotesView")(notes);
    library.Get<void (*)()>("EndTessaline")();
    library.Get<void (*)()>("TessalineSlideShowsTerminated")();
    library.Get<void (*)()>("EndTessalineSession")();
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
    }
    const Counts before = Now();
    for (int cycle = 0; cycle < 200; ++cycle) {
        Library library;
        ShortShow(library, show.get(), true);
    }
    const Counts after = Now();
    EXPECT_LE(Difference(after.handles, before.handles), 5L);
    EXPECT_LE(Difference(after.windows, before.windows), 5L);
    EXPECT_LE(Difference(after.gdi, before.gdi), 5L);
    EXPECT_FALSE(MutexExists());
}

TEST(RepeatedLoads, FreeingWithoutTeardownLeavesNoWindowInUnloadedCode) {
    RecordingClass screenClass(L"screenClass");
    TestWindow show(L"screenClass", L"show");
    for (int cycle = 0; cycle < 3; ++cycle) {
        {
            Library library;
            ShortShow(library, show.get(), false);
        }
        // The messages a window gets next must all reach live code.
        EXPECT_EQ(GetWindowLongPtrW(show.get(), GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(RecordingClass::Procedure()));
        SendMessageW(show.get(), WM_SETFOCUS, 0, 0);
        EXPECT_EQ(SendMessageW(show.get(), WM_APP, 1, 2), 3);
        PumpFor(1500);  // a focus-keeper tick would come now if its timer had survived
        EXPECT_EQ(FindWindowW(nullptr, L"Notes"), nullptr) << "the forgotten notes view is gone";
    }
    EXPECT_FALSE(MutexExists());
}

}  // namespace
