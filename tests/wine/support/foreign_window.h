// A "screenClass" window titled "foreign" owned by a second process, for as long as the
// object lives. The second process counts the focus messages its window receives.
#pragma once

#include <windows.h>

#include "frame/unique_resource_win.h"

namespace testing_support {

class ForeignWindow {
  public:
    ForeignWindow();
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    // Null when the second process could not show its window.
    HWND get() const { return wnd_; }

    // Shows the window, hidden until then, in front of all others.
    void ToFront() const {
        ShowWindow(wnd_, SW_SHOWNORMAL);
        SetForegroundWindow(wnd_);
    }

    // Ends the second process early; the number of WM_SETFOCUS its window received since it
    // appeared, or -1 when the process did not end.
    int Close();

  private:
    tessalin::UniqueHandle ready_;
    tessalin::UniqueHandle done_;
    tessalin::UniqueHandle process_;
    HWND wnd_ = nullptr;
};

}  // namespace testing_support
