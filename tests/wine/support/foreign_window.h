// A "screenClass" window titled "foreign" owned by a second process, for as long as the
// object lives.
#pragma once

#include <windows.h>

namespace testing_support {

class ForeignWindow {
  public:
    ForeignWindow();
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    // Null when the second process could not show its window.
    HWND get() const { return wnd_; }

  private:
    HANDLE ready_;
    HANDLE done_;
    PROCESS_INFORMATION process_{};
    HWND wnd_ = nullptr;
};

}  // namespace testing_support
