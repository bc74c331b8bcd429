// A notes view of the library as the check drives it: made through the exports, its window and
// controls found as any tool would find them, and measured against what the design values and
// the notes' point size give at the window's DPI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "host_library.h"

namespace fieldcheck {

// Four lines at 18 points, whose pitch is measured, and a paragraph with a bold phrase, as a
// slide's notes might hold them.
extern const char kMeasuredNotesRtf[];

class CheckedNotesView {
  public:
    // CreateNotesView with that outer rectangle.
    CheckedNotesView(const HostLibrary& library, const RECT& rect);
    ~CheckedNotesView();
    CheckedNotesView(const CheckedNotesView&) = delete;
    CheckedNotesView& operator=(const CheckedNotesView&) = delete;

    std::intptr_t handle() const { return handle_; }
    HWND window() const { return window_; }
    HWND richEdit() const { return richEdit_; }
    // The window and all its controls were found.
    bool found() const { return zoomIn_ != nullptr; }
    std::wstring Text() const;

    void SetText() const;
    void Show() const;
    void Hide() const;

    struct Measurement {
        bool passed;
        std::wstring figures;
    };
    // The line pitch of the 18-point lines and the strip's controls at the window's DPI.
    Measurement Measure() const;

  private:
    const HostLibrary& library_;
    std::intptr_t handle_ = 0;
    HWND window_ = nullptr;
    HWND richEdit_ = nullptr;
    HWND panel_ = nullptr;
    HWND zoomOut_ = nullptr;
    HWND label_ = nullptr;
    HWND zoomIn_ = nullptr;
};

}  // namespace fieldcheck
