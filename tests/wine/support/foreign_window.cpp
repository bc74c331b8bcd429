#include "support/foreign_window.h"

#include <string>

#include "support/child.h"
#include "support/windows.h"

namespace testing_support {
namespace {

constexpr wchar_t kReady[] = L"TessalinForeignWindowReady";
constexpr wchar_t kDone[] = L"TessalinForeignWindowDone";

}  // namespace

ForeignWindow::ForeignWindow()
    : ready_(CreateEventW(nullptr, TRUE, FALSE, kReady)),
      done_(CreateEventW(nullptr, TRUE, FALSE, kDone)) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --child own_foreign_window x";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process_)) {
        WaitForSingleObject(ready_, 20000);
        wnd_ = FindWindowW(L"screenClass", L"foreign");
    }
}

ForeignWindow::~ForeignWindow() {
    Close();
    CloseHandle(ready_);
    CloseHandle(done_);
}

int ForeignWindow::Close() {
    SetEvent(done_);
    if (process_.hProcess == nullptr) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process_.hProcess, 20000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &code);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
    return static_cast<int>(code);
}

}  // namespace testing_support

// The second process: shows the window and answers its messages until told to stop; its exit
// code is the number of focus messages the window received.
TESSALIN_CHILD_MODE(own_foreign_window) {
    using namespace testing_support;
    RecordingClass screenClass(L"screenClass");
    TestWindow window(L"screenClass", L"foreign");
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, kReady);
    HANDLE done = OpenEventW(SYNCHRONIZE, FALSE, kDone);
    SetEvent(ready);
    while (MsgWaitForMultipleObjects(1, &done, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        PumpMessages(1);
    }
    CloseHandle(ready);
    CloseHandle(done);
    return RecordingClass::Count(window.get(), WM_SETFOCUS);
}
