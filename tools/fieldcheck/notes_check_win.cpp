// The notes view on each monitor in turn: made there with CreateNotesView, filled with formatted
// notes through the clipboard, measured and photographed; then moved to the next monitor as a
// user drags it, so that Windows itself sends the change of DPI, measured again, and moved back.
#include <algorithm>

#include "check.h"
#include "clipboard_win.h"
#include "demo_steps.h"
#include "notes_view_win.h"
#include "screenshot.h"
#include "windows_win.h"

namespace fieldcheck {
namespace {

// Where a window of that size stands centred on the monitor, its top left corner on it.
POINT CentredOn(const Monitor& monitor, int width, int height) {
    return {monitor.rect.left + std::max(0, (WidthOf(monitor.rect) - width) / 2),
            monitor.rect.top + std::max(0, (HeightOf(monitor.rect) - height) / 2)};
}

// `name` names the view in the report: "notes.view 1".
void MoveAndMeasure(const FieldCheck& check, const CheckedNotesView& view, const std::wstring& name,
                    const Monitor& from, const Monitor& to, const wchar_t* how) {
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
    check.report.Expect(arrived && measured.passed,
                        Format(L"%ls %ls %d", name.c_str(), how, to.number),
                        Format(L"%ls, %ls monitor %d; ", RectText(ScreenRect(window)).c_str(),
                               arrived ? L"on" : L"not on", to.number) +
                            measured.figures);
    const std::wstring change =
        Format(L"%ls dpi change %d to %d", name.c_str(), from.number, to.number);
    if (dpiBefore != dpiAfter) {
        check.report.Expect(
            measured.passed, change,
            Format(L"the move took the window from %d to %d dpi; its text and "
                   L"strip are %ls at %d dpi",
                   dpiBefore, dpiAfter, measured.passed ? L"right" : L"wrong", dpiAfter));
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
    if (!check.clipboardKept) {
        check.report.Skip(L"notes",
                          L"another program held the clipboard throughout: its "
                          L"content could not be kept, so it is left alone");
        return;
    }
    // One size that fits every monitor, as one window dragged between them keeps its size.
    int width = 100000;
    int height = 100000;
    for (const Monitor& monitor : check.monitors) {
        width = std::min(width, WidthOf(monitor.rect) * 2 / 3);
        height = std::min(height, HeightOf(monitor.rect) * 2 / 3);
    }
    for (const Monitor& monitor : check.monitors) {
        const POINT at = CentredOn(monitor, width, height);
        const RECT asked{at.x, at.y, at.x + width, at.y + height};
        const CheckedNotesView view(check.library, asked);
        const std::wstring name = Format(L"notes.view %d", monitor.number);
        if (!PutNotes(kMeasuredNotesRtf)) {
            check.report.Add(Verdict::kFail, name + L" made there",
                             L"the clipboard stayed busy: no notes put on it");
            continue;
        }
        view.SetText();
        view.Show();
        PumpMessages(400);
        const RECT placed = ScreenRect(view.window());
        const CheckedNotesView::Measurement measured = view.Measure();
        check.report.Expect(
            SameRect(placed, asked) && measured.passed, name + L" made there",
            Format(L"asked %ls, %ls; ", RectText(asked).c_str(),
                   SameRect(placed, asked) ? L"placed exactly" : RectText(placed).c_str()) +
                measured.figures);
        const std::wstring shot =
            Format(L"%ls-notes-%d.png", check.outPrefix.c_str(), monitor.number);
        const bool taken = SaveScreenArea(monitor.rect, shot);
        check.report.Expect(taken, Format(L"screenshot.notes %d", monitor.number),
                            taken ? shot : L"not written: " + shot);
        if (check.monitors.size() > 1) {
            const Monitor& next = check.monitors[monitor.number % check.monitors.size()];
            MoveAndMeasure(check, view, name, monitor, next, L"moved to");
            MoveAndMeasure(check, view, name, next, monitor, L"moved back to");
        }
        view.Hide();
    }
}

}  // namespace fieldcheck
