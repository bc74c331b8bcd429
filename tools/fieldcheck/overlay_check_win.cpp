// The monitor numbers as the presenter sees them for two seconds: one second in, each overlay
// is read back (the rectangle it covers, its number and the height of its digit) and each
// monitor is photographed with its overlay on it.
#include <cstdint>
#include <set>

#include "check.h"
#include "forms/monitor_num_form_design.h"
#include "frame/export_guard.h"
#include "screenshot.h"
#include "windows_win.h"

namespace fieldcheck {
namespace {

constexpr std::int32_t kSeconds = 2;

struct Overlay {
    std::wstring caption;
    RECT rect{};
    RECT label{};
    std::wstring number;
    LONG digitHeight = 0;
    int dpi = 0;
};

// What the timer saw; the timer of a thread carries no data of its own.
struct Visit {
    const FieldCheck& check;
    bool done = false;
    std::vector<Overlay> overlays;
    std::vector<bool> photographed;
};
Visit* g_visit = nullptr;

std::wstring ShotPath(const FieldCheck& check, int number) {
    return Format(L"%ls-overlay-%d.png", check.outPrefix.c_str(), number);
}

// Runs from the library's own dispatching while the numbers are up.
void CALLBACK ReadOverlays(HWND, UINT, UINT_PTR timer, DWORD) {
    tessalin::Guarded([&] {
        KillTimer(nullptr, timer);
        if (g_visit == nullptr || g_visit->done) return;
        g_visit->done = true;
        for (HWND window : ThreadWindowsOfClass(L"TMonitorNumForm")) {
            Overlay overlay{TextOf(window), ScreenRect(window)};
            overlay.dpi = WindowDpi(window);
            if (HWND label = GetWindow(window, GW_CHILD)) {
                overlay.label = ScreenRect(label);
                overlay.number = TextOf(label);
                LOGFONTW font{};
                GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)),
                           sizeof font, &font);
                overlay.digitHeight = font.lfHeight;
            }
            g_visit->overlays.push_back(overlay);
        }
        for (const Monitor& monitor : g_visit->check.monitors) {
            g_visit->photographed.push_back(
                SaveScreenArea(monitor.rect, ShotPath(g_visit->check, monitor.number)));
        }
    });
}

}  // namespace

void CheckOverlays(const FieldCheck& check) {
    Visit visit{check};
    g_visit = &visit;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1000, ReadOverlays);
    const ULONGLONG start = GetTickCount64();
    check.library.Call<void>("ShowMonitorNumbers", kSeconds);
    const ULONGLONG took = GetTickCount64() - start;
    KillTimer(nullptr, timer);
    g_visit = nullptr;
    const std::size_t left = ThreadWindowsOfClass(L"TMonitorNumForm").size();
    // Wine adds time to destroying a window that covers a whole monitor; a hang would not end.
    check.report.Expect(
        visit.done && took >= kSeconds * 1000 - 100 && took < 10000 && left == 0, L"overlay.wait",
        Format(L"ShowMonitorNumbers(%d) returned after %llu ms; %zu overlay(s) seen during the "
               L"wait, %zu left after it",
               kSeconds, took, visit.overlays.size(), left));

    bool allSized = true;
    std::set<int> dpis;
    for (const Monitor& monitor : check.monitors) {
        const std::wstring number = std::to_wstring(monitor.number);
        const Overlay* found = nullptr;
        for (const Overlay& overlay : visit.overlays) {
            if (overlay.caption == L"Monitor " + number) found = &overlay;
        }
        const std::wstring name = L"overlay.monitor " + number;
        if (found == nullptr) {
            check.report.Add(Verdict::kFail, name,
                             L"no overlay captioned \"Monitor " + number + L"\"");
            allSized = false;
            continue;
        }
        // The design's height is for 96 dpi; the digit is drawn at the DPI of the monitor.
        const int dpi = monitor.dpi > 0 ? monitor.dpi : found->dpi;
        dpis.insert(dpi);
        const LONG expected = MulDiv(tessalin::forms::kMonitorNumLabelFont.height, dpi, 96);
        const bool sized = found->digitHeight == expected;
        allSized = allSized && sized;
        check.report.Expect(
            sized && SameRect(found->rect, monitor.rect) && SameRect(found->label, found->rect) &&
                found->number == number,
            name,
            Format(L"covers %ls (the monitor %ls), its label %ls; digit \"%ls\" %ld px high, the "
                   L"design's %d at %d dpi gives %ld; the overlay window at %d dpi",
                   RectText(found->rect).c_str(), RectText(monitor.rect).c_str(),
                   RectText(found->label).c_str(), found->number.c_str(), found->digitHeight,
                   tessalin::forms::kMonitorNumLabelFont.height, dpi, expected, found->dpi));
    }
    if (dpis.size() < 2) {
        check.report.Skip(
            L"overlay.digit per monitor DPI",
            check.monitors.size() < 2
                ? std::wstring(L"one monitor")
                : Format(L"every monitor at %d dpi: a digit sized for one DPI on all would pass "
                         L"as well",
                         dpis.empty() ? 0 : *dpis.begin()));
    } else {
        check.report.Expect(allSized, L"overlay.digit per monitor DPI",
                            Format(L"monitors at %zu different DPIs, each digit sized for its own "
                                   L"monitor%ls",
                                   dpis.size(), allSized ? L"" : L": not so, see above"));
    }
    for (std::size_t i = 0; i < check.monitors.size(); ++i) {
        const bool taken = i < visit.photographed.size() && visit.photographed[i];
        const std::wstring path = ShotPath(check, check.monitors[i].number);
        check.report.Expect(taken, Format(L"screenshot.overlay %d", check.monitors[i].number),
                            taken ? path : L"not written: " + path);
    }
}

}  // namespace fieldcheck
