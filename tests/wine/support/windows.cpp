#include "support/windows.h"

#include <algorithm>

namespace testing_support {
namespace {

LRESULT CALLBACK RecordingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    RecordingClass::Seen().push_back({wnd, msg, wParam, lParam});
    if (msg == WM_APP) return static_cast<LRESULT>(wParam + lParam);
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK FocusCountingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS) {
        ++*reinterpret_cast<std::atomic<int>*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

RecordingClass::RecordingClass(const wchar_t* name)
    : class_(hostkit::RegisterWindowClass(name, RecordingProc, COLOR_WINDOW)) {}

WNDPROC RecordingClass::Procedure() {
    return RecordingProc;
}

std::vector<SeenMessage>& RecordingClass::Seen() {
    static std::vector<SeenMessage> seen;
    return seen;
}

int RecordingClass::Count(HWND wnd, UINT msg) {
    return static_cast<int>(std::count_if(Seen().begin(), Seen().end(), [&](const SeenMessage& m) {
        return m.wnd == wnd && m.msg == msg;
    }));
}

TestWindow::TestWindow(const wchar_t* className, const wchar_t* title, DWORD style, RECT rect)
    : wnd_(CreateWindowExW(0, className, title, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr)) {}

OtherThreadWindow::OtherThreadWindow(const wchar_t* className) {
    const tessalin::UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_ = std::thread([this, className, ready = ready.get()] {
        const tessalin::UniqueWindow wnd(
            CreateWindowExW(0, className, L"other thread", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        SetWindowLongPtrW(wnd.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&focus_));
        SetWindowLongPtrW(wnd.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FocusCountingProc));
        wnd_ = wnd.get();
        threadId_ = GetCurrentThreadId();
        SetEvent(ready);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.hwnd == nullptr && message.message == WM_APP) Sleep(DWORD(message.wParam));
            DispatchMessageW(&message);
        }
    });
    WaitForSingleObject(ready.get(), 10000);
}

OtherThreadWindow::~OtherThreadWindow() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

WNDPROC OtherThreadWindow::Procedure() {
    return FocusCountingProc;
}

std::vector<HWND> VisibleDialogs(DWORD thread) {
    std::vector<HWND> found;
    const WNDENUMPROC collect = [](HWND wnd, LPARAM list) -> BOOL {
        DWORD process = 0;
        GetWindowThreadProcessId(wnd, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(wnd) && ClassOf(wnd) == L"#32770") {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
        }
        return TRUE;
    };
    if (thread != 0) {
        EnumThreadWindows(thread, collect, reinterpret_cast<LPARAM>(&found));
    } else {
        EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
    }
    return found;
}

void CancelDialogs() {
    for (HWND dialog : VisibleDialogs()) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

int ScreenDpi() {
    const tessalin::UniqueWindowDc screen(GetDC(nullptr));
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

}  // namespace testing_support
