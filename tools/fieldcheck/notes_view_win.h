// A notes view of the library as the check drives it: made through the exports, its window and
// controls found as any tool would find them, and measured against what the design values and
// the notes' point size give at the window's DPI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tools/fieldcheck/report_win.h"
#include "tools/hostkit/library_win.h"
#include "tools/hostkit/notes_window_win.h"

namespace fieldcheck {

// Four short lines at 18 points, whose pitch is measured, and a paragraph with a bold phrase,
// as a slide's notes might hold them.
extern const char kMeasuredNotesRtf[];

class CheckedNotesView {
  public:
    // CreateNotesView with that outer rectangle.
    CheckedNotesView(const hostkit::Library& library, const RECT& rect);
    ~CheckedNotesView();
    CheckedNotesView(const CheckedNotesView&) = delete;
    CheckedNotesView& operator=(const CheckedNotesView&) = delete;

    std::intptr_t handle() const { return handle_; }
    HWND window() const { return view_.window; }
    HWND richEdit() const { return view_.richEdit; }
    // The window and all its controls were found for the handle.
    bool found() const { return handle_ != 0 && view_.zoomIn != nullptr; }
    std::wstring Text() const;

    void SetText() const;
    void SetTitle(const std::wstring& title) const;
    void Show() const;
    void Hide() const;
    // Ctrl with the mouse wheel over the notes, as the presenter zooms: `notches` notches,
    // away from the presenter (negative: towards).
    void WheelZoom(int notches) const;

    struct Measurement {
        Verdict verdict;  // SKIPPED: the measured lines wrap, and nothing else is wrong
        std::wstring figures;
        bool textAtWindowDpi;  // the rich edit's zoom is the presenter's: no other DPI made up for
    };
    // At the window's DPI and the presenter's zoom (in per cent, as its label says it): the
    // line pitch of the 18-point lines, and the strip's controls.
    Measurement Measure(int percent = 100) const;

  private:
    const hostkit::Library& library_;
    std::intptr_t handle_ = 0;
    hostkit::NotesViewWindows view_;
};

}  // namespace fieldcheck
