// The notes view on each monitor in turn: made there with CreateNotesView and titled, filled
// with formatted notes through the clipboard, measured and photographed, zoomed by the
// presenter and measured again; then moved to the next monitor as a user drags it, so that
// Windows itself sends the change of DPI, measured again, and moved back.
#include <algorithm>

#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/clipboard_win.h"
#include "tools/fieldcheck/notes_view_win.h"
#include "tools/fieldcheck/windows_win.h"

namespace fieldcheck {
namespace {

// Five notches of the wheel: the presenter's 150 %.
constexpr int kNotches = 5;
constexpr int kZoomedPercent = 150;

// What the views showed of the text's DPI: whether any drew its text at another DPI than its
// window's, so that the zoom had to make up for it, and whether it did each time.
struct Correction {
    int exercised = 0;
    bool right = true;

    void Add(const CheckedNotesView::Measurement& measured) {
        if (measured.textAtWindowDpi) return;
        ++exercised;
        right = right && measured.verdict != Verdict::kFail;
    }
};

// Where a window of that size stands centred on the monitor, its top left corner on it.
POINT CentredOn(const Monitor& monitor, int width, int height) {
    return {monitor.rect.left + std::max(0, (WidthOf(monitor.rect) - width) / 2),
            monitor.rect.top + std::max(0, (HeightOf(monitor.rect) - height) / 2)};
}

// A line whose own figures must hold besides the measurement's.
void AddMeasured(const FieldCheck& check, const std::wstring& name, bool holds,
                 const std::wstring& figures, const CheckedNotesView::Measurement& measured) {
    check.report.Add(holds ? measured.verdict : Verdict::kFail, name, figures + measured.figures);
}

// The view made on `home` is moved from one monitor to the other.
void MoveAndMeasure(const FieldCheck& check, const CheckedNotesView& view, const Monitor& home,
                    const Monitor& from, const Monitor& to, const wchar_t* how,
                    Correction& correction) {
    const std::wstring name = Format(L"notes.view %d", home.number);
    HWND window = view.window();
    const int dpiBefore = WindowDpi(window);
    const RECT before = ScreenRect(window);
    const POINT target = CentredOn(to, WidthOf(before), HeightOf(before));
    SetWindowPos(window, nullptr, target.x, target.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages(400);
    const int dpiAfter = WindowDpi(window);
    const bool arrived = MonitorFromWindow(window, MONITOR_DEFAULTTONULL) == to.handle;
    const CheckedNotesView::Measurement measured = view.Measure();
    correction.Add(measured);
    // Each move that changes the DPI gets a picture of the view after it.
    const std::wstring shot =
        dpiBefore != dpiAfter ? Screenshot(window, check.outPrefix,
                                           Format(L"-notes-%d-on-%d.png", home.number, to.number))
                              : L"";
    AddMeasured(check, Format(L"%ls %ls %d", name.c_str(), how, to.number), arrived,
                Format(L"%ls, %ls monitor %d; ", RectText(ScreenRect(window)).c_str(),
                       arrived ? L"on" : L"not on", to.number),
                {measured.verdict, measured.figures + shot, measured.textAtWindowDpi});
    const std::wstring change =
        Format(L"%ls dpi change %d to %d", name.c_str(), from.number, to.number);
    if (dpiBefore != dpiAfter) {
        check.report.Add(
            measured.verdict, change,
            Format(L"the move took the window from %d to %d dpi; its text and strip are %ls at "
                   L"%d dpi",
                   dpiBefore, dpiAfter, measured.verdict == Verdict::kFail ? L"wrong" : L"right",
                   dpiAfter));
    } else if (from.dpi == to.dpi) {
        check.report.Skip(change, Format(L"monitors %d and %d both at %d dpi: no change of DPI "
                                         L"to see",
                                         from.number, to.number, to.dpi));
    } else {
        // Not the library's doing: Windows decides a window's DPI.
        const std::wstring awareness = ThreadAwareness();
        check.report.Skip(
            change,
            Format(
                L"the window stayed at %d dpi between monitors at %d and %d dpi: %ls", dpiAfter,
                from.dpi, to.dpi,
                awareness.starts_with(L"per-monitor")
                    ? L"Windows sent no change of DPI for the move"
                    : (L"the windows of a thread " + awareness + L" aware keep one DPI").c_str()));
    }
}

}  // namespace

void CheckNotesViews(const FieldCheck& check) {
    // One size that fits every monitor, as one window dragged between them keeps its size.
    int width = 100000;
    int height = 100000;
    for (const Monitor& monitor : check.monitors) {
        width = std::min(width, WidthOf(monitor.rect) * 2 / 3);
        height = std::min(height, HeightOf(monitor.rect) * 2 / 3);
    }
    Correction correction;
    for (const Monitor& monitor : check.monitors) {
        const POINT at = CentredOn(monitor, width, height);
        const RECT asked{at.x, at.y, at.x + width, at.y + height};
        const CheckedNotesView view(check.library, asked);
        const std::wstring name = Format(L"notes.view %d", monitor.number);
        const std::wstring title =
            Format(L"Tessalin field check: notes on monitor %d", monitor.number);
        view.SetTitle(title);
        if (!PutNotes(kMeasuredNotesRtf)) {
            check.report.Add(Verdict::kFail, name + L" made there",
                             L"the clipboard stayed busy: no notes put on it");
            continue;
        }
        view.SetText();
        view.Show();
        PumpMessages(400);
        const RECT placed = ScreenRect(view.window());
        const bool titled = TextOf(view.window()) == title;
        const CheckedNotesView::Measurement measured = view.Measure();
        correction.Add(measured);
        AddMeasured(
            check, name + L" made there", SameRect(placed, asked) && titled,
            Format(L"asked %ls, %ls; SetNotesTitle %ls; ", RectText(asked).c_str(),
                   SameRect(placed, asked) ? L"placed exactly" : RectText(placed).c_str(),
                   titled ? L"titled it" : (L"left the caption " + TextOf(view.window())).c_str()),
            {measured.verdict,
             measured.figures + Screenshot(view.window(), check.outPrefix,
                                           Format(L"-notes-%d.png", monitor.number)),
             measured.textAtWindowDpi});

        view.WheelZoom(kNotches);
        const CheckedNotesView::Measurement zoomed = view.Measure(kZoomedPercent);
        correction.Add(zoomed);
        view.WheelZoom(-kNotches);
        AddMeasured(check, name + L" presenter's zoom", true,
                    Format(L"Ctrl with %d notches of the wheel: ", kNotches), zoomed);

        if (check.monitors.size() > 1) {
            const Monitor& next = check.monitors[monitor.number % check.monitors.size()];
            MoveAndMeasure(check, view, monitor, monitor, next, L"moved to", correction);
            MoveAndMeasure(check, view, monitor, next, monitor, L"moved back to", correction);
        }
        view.Hide();
    }
    if (correction.exercised == 0) {
        check.report.Skip(L"notes.zoom DPI correction",
                          L"every view drew its text at its window's DPI here (the rich edit's "
                          L"zoom was the presenter's): a zoom that ignored the window's DPI "
                          L"would pass as well");
    } else {
        check.report.Expect(
            correction.right, L"notes.zoom DPI correction",
            Format(L"%d measurement(s) where the rich edit's zoom was not the presenter's, to make "
                   L"up for text drawn at another DPI than its window's%ls",
                   correction.exercised, correction.right ? L"" : L": not always, see above"));
    }
}

}  // namespace fieldcheck
