// Test windows that stand in for the host's: a window class whose procedure records every
// message it sees, and the host side's reading of windows and message loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "frame/unique_resource_win.h"
#include "tools/hostkit/message_loop_win.h"
#include "tools/hostkit/windows_win.h"

namespace testing_support {

using hostkit::ClassOf;
using hostkit::PumpMessages;
using hostkit::TextOf;
using hostkit::ThreadWindowsOfClass;

struct SeenMessage {
    HWND wnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Registers a window class of the given name whose procedure records what it receives and
// answers WM_APP with wParam + lParam (so tests can check that results come back unchanged).
class RecordingClass {
  public:
    explicit RecordingClass(const wchar_t* name);

    static WNDPROC Procedure();
    // Everything the procedures of all recording classes received, in order.
    static std::vector<SeenMessage>& Seen();
    static int Count(HWND wnd, UINT msg);

  private:
    hostkit::UniqueWindowClass class_;
};

// A top-level window, destroyed with the object.
class TestWindow {
  public:
    TestWindow(const wchar_t* className, const wchar_t* title, DWORD style = WS_OVERLAPPEDWINDOW,
               RECT rect = {0, 0, 300, 200});

    HWND get() const { return wnd_.get(); }

  private:
    tessalin::UniqueWindow wnd_;
};

// A top-level window of the given class that a thread of its own makes and pumps, as hosts do
// with some of their windows. Its procedure, put in place as soon as the window exists, counts
// the focus messages it receives.
class OtherThreadWindow {
  public:
    explicit OtherThreadWindow(const wchar_t* className);
    ~OtherThreadWindow();
    OtherThreadWindow(const OtherThreadWindow&) = delete;
    OtherThreadWindow& operator=(const OtherThreadWindow&) = delete;

    HWND get() const { return wnd_; }
    static WNDPROC Procedure();
    int FocusCount() const { return focus_.load(); }
    // The thread reads no message for that long, as a host's busy thread does.
    void BusyFor(DWORD milliseconds) const {
        PostThreadMessageW(threadId_, WM_APP, milliseconds, 0);
    }

  private:
    std::atomic<int> focus_{0};
    HWND wnd_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
};

// The visible dialog boxes (message boxes, file dialogs) of this process, or of one of its
// threads.
std::vector<HWND> VisibleDialogs(DWORD thread = 0);

// Presses Cancel in every dialog box of this process: message boxes and file dialogs.
void CancelDialogs();

// The system DPI, which the screen's device context reports.
int ScreenDpi();

}  // namespace testing_support
