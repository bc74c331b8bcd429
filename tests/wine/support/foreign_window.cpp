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
      done_(CreateEventW(nullptr, TRUE, FALSE, kDone)),
      process_(StartProcess(ChildCommand(L"own_foreign_window", L"x")).handle) {
    if (!process_) return;
    WaitForSingleObject(ready_.get(), 20000);
    wnd_ = FindWindowW(L"screenClass", L"foreign");
}

ForeignWindow::~ForeignWindow() {
    Close();
}

int ForeignWindow::Close() {
    SetEvent(done_.get());
    if (!process_) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process_.get(), 20000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.get(), &code);
    }
    process_.reset();
    return static_cast<int>(code);
}

}  // namespace testing_support

// The second process: shows the window and answers its messages until told to stop; its exit
// code is the number of focus messages the window received.
TESSALIN_CHILD_MODE(own_foreign_window) {
    using namespace testing_support;
    RecordingClass screenClass(L"screenClass");
    TestWindow window(L"screenClass", L"foreign");
    const tessalin::UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, kReady));
    const tessalin::UniqueHandle done(OpenEventW(SYNCHRONIZE, FALSE, kDone));
    SetEvent(ready.get());
    HANDLE wait = done.get();
    while (MsgWaitForMultipleObjects(1, &wait, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        PumpMessages(1);
    }
    return RecordingClass::Count(window.get(), WM_SETFOCUS);
}
