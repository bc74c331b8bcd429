// The monitor numbers as the presenter sees them for two seconds: every tenth of a second the
// overlays are counted, and one second in each is read back (the rectangle it covers, its
// number and the height of its digit) and photographed. The time the check spends on that is
// kept apart, so that what is measured is the library's own wait.
#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "forms/monitor_num_form_design.h"
#include "frame/export_guard.h"
#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/windows_win.h"

namespace fieldcheck {
namespace {

constexpr std::int32_t kSeconds = 2;
constexpr ULONGLONG kLookMs = 100;

struct Overlay {
    std::wstring caption;
    RECT rect{};
    RECT label{};
    std::wstring number;
    LONG digitHeight = 0;
    int dpi = 0;
    std::wstring screenshot;  // for the report line
};

// What the timer saw; the timer of a thread carries no data of its own.
struct Visit {
    const FieldCheck& check;
    ULONGLONG start = 0;
    ULONGLONG ownWork = 0;    // spent in ReadOverlays, not by the library
    ULONGLONG firstSeen = 0;  // when overlays were first and last up, the own work left out
    ULONGLONG lastSeen = 0;
    std::size_t mostAtOnce = 0;  // overlays up at one look
    bool read = false;
    std::vector<Overlay> overlays;
};
Visit* g_visit = nullptr;

void ReadEach(Visit& visit, const std::vector<HWND>& windows) {
    for (HWND window : windows) {
        Overlay overlay{TextOf(window), ScreenRect(window)};
        overlay.dpi = WindowDpi(window);
        if (HWND label = GetWindow(window, GW_CHILD)) {
            overlay.label = ScreenRect(label);
            overlay.number = TextOf(label);
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            overlay.digitHeight = font.lfHeight;
        }
        overlay.screenshot =
            Screenshot(window, visit.check.outPrefix, L"-overlay-" + overlay.number + L".png");
        visit.overlays.push_back(overlay);
    }
}

// Runs from the library's own dispatching while the numbers are up.
void CALLBACK ReadOverlays(HWND, UINT, UINT_PTR, DWORD) {
    tessalin::Guarded([&] {
        if (g_visit == nullptr) return;
        Visit& visit = *g_visit;
        const ULONGLONG began = GetTickCount64();
        const ULONGLONG at = began - visit.start - visit.ownWork;
        std::vector<HWND> shown;
        for (HWND window : ThreadWindowsOfClass(L"TMonitorNumForm")) {
            if (IsWindowVisible(window)) shown.push_back(window);
        }
        if (!shown.empty()) {
            if (visit.firstSeen == 0) visit.firstSeen = at;
            visit.lastSeen = at;
            visit.mostAtOnce = std::max(visit.mostAtOnce, shown.size());
        }
        if (!visit.read && at >= 1000) {
            visit.read = true;
            ReadEach(visit, shown);
        }
        visit.ownWork += GetTickCount64() - began;
    });
}

}  // namespace

void CheckOverlays(const FieldCheck& check) {
    Visit visit{check};
    g_visit = &visit;
    const UINT_PTR timer = SetTimer(nullptr, 0, kLookMs, ReadOverlays);
    visit.start = GetTickCount64();
    check.library.Call<void>("ShowMonitorNumbers", kSeconds);
    const ULONGLONG took = GetTickCount64() - visit.start - visit.ownWork;
    KillTimer(nullptr, timer);
    g_visit = nullptr;
    const std::size_t left = ThreadWindowsOfClass(L"TMonitorNumForm").size();
    // Up for the seconds asked, to within the last look and a quarter; how long the call took
    // to take them down after that is only told (Wine takes seconds to destroy a window that
    // covers a whole monitor), since a hang would not end at all.
    const ULONGLONG asked = kSeconds * 1000;
    const bool timely = visit.lastSeen + 2 * kLookMs >= asked && visit.lastSeen <= asked * 5 / 4;
    check.report.Expect(
        timely && visit.mostAtOnce == check.monitors.size() && left == 0, L"overlay.wait",
        Format(L"ShowMonitorNumbers(%d): the numbers up from %llu to %llu ms (at least %llu, at "
               L"most %llu), %zu overlay(s) at once for %zu monitor(s); the call returned after "
               L"%llu ms, %zu overlay(s) left; the check's own looks took %llu ms, not counted",
               kSeconds, visit.firstSeen, visit.lastSeen, asked - 2 * kLookMs, asked * 5 / 4,
               visit.mostAtOnce, check.monitors.size(), took, left, visit.ownWork));

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
                   tessalin::forms::kMonitorNumLabelFont.height, dpi, expected, found->dpi) +
                found->screenshot);
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
}

}  // namespace fieldcheck
