// Foreground: whether a window of the check comes to the front after SwitchToWindow, from
// another of its own windows and from another program's, and after each cancelled file dialog.
// On Windows this is where the foreground lock shows; Wine has none. A line is SKIPPED only
// where the lock explains what was seen.
#include <cstdint>
#include <string>
#include <thread>

#include "frame/export_guard.h"
#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/foreground_win.h"
#include "tools/fieldcheck/machine_win.h"
#include "tools/fieldcheck/windows_win.h"
#include "tools/fieldcheck/worker_win.h"

namespace fieldcheck {
namespace {

constexpr wchar_t kOtherProgramClass[] = L"TessalinFieldCheckOtherProgram";

std::wstring WindowName(HWND window, HWND first, HWND second) {
    if (window == nullptr) return L"no window";
    if (window == first) return L"window 1";
    if (window == second) return L"window 2";
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return Format(L"a window of class %ls of %ls", ClassOf(window).c_str(),
                  process == GetCurrentProcessId() ? L"this program" : L"another program");
}

// The same program again, showing one window in front of all others, as another program the
// presenter switched to; ended when the object goes.
class OtherProgram {
  public:
    OtherProgram() {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        ready_.reset(CreateEventW(&inherit, TRUE, FALSE, nullptr));
        done_.reset(CreateEventW(&inherit, TRUE, FALSE, nullptr));
        const std::wstring exe = hostkit::ProgramPath();
        std::wstring command = Format(L"\"%ls\" --other-program %llu %llu", exe.c_str(),
                                      reinterpret_cast<unsigned long long>(ready_.get()),
                                      reinterpret_cast<unsigned long long>(done_.get()));
        STARTUPINFOW startup{sizeof startup};
        PROCESS_INFORMATION started{};
        // Without a console, as the worker that starts it: one of its own would be a window.
        if (!ready_ || !done_ ||
            !CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS,
                            nullptr, nullptr, &startup, &started)) {
            return;
        }
        process_.reset(started.hProcess);
        tessalin::UniqueHandle thread(started.hThread);
        const HANDLE waits[] = {ready_.get(), process_.get()};
        if (WaitForMultipleObjects(2, waits, FALSE, 10000) == WAIT_OBJECT_0) {
            window_ = FindWindowW(kOtherProgramClass, nullptr);
        }
    }
    ~OtherProgram() {
        if (!process_) return;
        SetEvent(done_.get());
        if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 1);
        }
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    HWND window() const { return window_; }

  private:
    tessalin::UniqueHandle ready_;
    tessalin::UniqueHandle done_;
    tessalin::UniqueHandle process_;
    HWND window_ = nullptr;
};

// Whether the foreground lock may refuse the library here: Windows has one unless its timeout
// is 0; Wine has none.
bool ForegroundLocked() {
    DWORD timeout = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    return !UnderWine() && timeout > 0;
}

std::wstring LockText() {
    if (UnderWine()) return L"Wine has no foreground lock: its refusal was not exercised";
    return ForegroundLocked() ? L"the foreground lock is in force"
                              : L"the foreground lock is off here (its timeout is 0): its "
                                L"refusal was not exercised";
}

void CheckSwitchFromOwnWindow(const FieldCheck& check, HWND first, HWND second) {
    SetForegroundWindow(first);
    PumpMessages(200);
    const HWND before = GetForegroundWindow();
    ShowWindow(second, SW_SHOWMINNOACTIVE);
    PumpMessages(200);
    check.library.Call<void>("SwitchToWindow", second);
    PumpMessages(300);
    const HWND after = GetForegroundWindow();
    const bool restored = !IsIconic(second);
    const std::wstring figures = Format(
        L"in front before: %ls; after SwitchToWindow(window 2, minimised): %ls in front, window 2 "
        L"%ls; %ls",
        WindowName(before, first, second).c_str(), WindowName(after, first, second).c_str(),
        restored ? L"restored" : L"still minimised", LockText().c_str());
    // Another program in front before (the person clicked it): the lock may rightly keep it
    // there, but never keeps the window minimised.
    if (restored && after != second && before != first && ForegroundLocked()) {
        check.report.Skip(L"foreground.switch",
                          L"another window came to the front before the call, and the lock "
                          L"may keep it there: " +
                              figures);
    } else {
        check.report.Expect(restored && after == second, L"foreground.switch", figures);
    }
}

void CheckSwitchFromOtherProgram(const FieldCheck& check, HWND first, HWND second) {
    const wchar_t* name = L"foreground.switch from another program";
    const OtherProgram other;
    PumpMessages(200);
    const HWND before = GetForegroundWindow();
    if (other.window() == nullptr || before != other.window()) {
        return check.report.Skip(name, L"the other program's window did not come to the front: " +
                                           WindowName(before, first, second) + L" was there");
    }
    check.library.Call<void>("SwitchToWindow", first);
    PumpMessages(300);
    const HWND after = GetForegroundWindow();
    check.report.Expect(after == first, name,
                        Format(L"another program in front; after SwitchToWindow(window 1): %ls in "
                               L"front; %ls",
                               WindowName(after, first, second).c_str(), LockText().c_str()));
}

// Presses Cancel in this process's file dialog two seconds after it appears, unless a person
// has done so by then; says whether it had to.
class DialogCloser {
  public:
    DialogCloser() : thread_([this] { tessalin::Guarded([&] { Run(); }); }) {}
    ~DialogCloser() {
        stop_ = true;
        thread_.join();
    }
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;

    bool closed() const { return closed_; }

  private:
    static HWND FileDialog() {
        HWND found = nullptr;
        EnumWindows(
            [](HWND window, LPARAM result) -> BOOL {
                return tessalin::Guarded(FALSE, [&] {
                    DWORD process = 0;
                    GetWindowThreadProcessId(window, &process);
                    if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
                        ClassOf(window) != L"#32770") {
                        return TRUE;
                    }
                    *reinterpret_cast<HWND*>(result) = window;
                    return FALSE;
                });
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    void Run() {
        HWND dialog = nullptr;
        for (int i = 0; i < 1000 && !stop_ && dialog == nullptr; ++i) {
            Sleep(20);
            dialog = FileDialog();
        }
        for (int i = 0; i < 100 && !stop_ && IsWindow(dialog); ++i) Sleep(20);
        // Again every second, until it goes: the check must not wait for ever on a dialog that
        // was busy when Cancel came.
        while (!stop_ && IsWindow(dialog)) {
            closed_ = true;
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            for (int i = 0; i < 50 && !stop_ && IsWindow(dialog); ++i) Sleep(20);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> closed_{false};
    std::thread thread_;
};

// The check's two windows, shown on the first monitor as a host's are.
class ForegroundWindows {
  public:
    explicit ForegroundWindows(const Monitor& monitor) : class_(L"TessalinFieldCheckForeground") {
        const auto rect = [&](int index) {
            const LONG left = monitor.rect.left + 100 + index * 60;
            const LONG top = monitor.rect.top + 100 + index * 60;
            return RECT{left, top, left + 420, top + 240};
        };
        first_ = class_.Create(L"Tessalin field check: window 1", kStyle, rect(0), nullptr);
        second_ = class_.Create(L"Tessalin field check: window 2", kStyle, rect(1), nullptr);
    }

    bool made() const { return first_ && second_; }
    HWND first() const { return first_.get(); }
    HWND second() const { return second_.get(); }

  private:
    static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    CountingClass class_;
    UniqueWindow first_;
    UniqueWindow second_;
};

// A file dialog as the add-in shows it, cancelled: by a person, or by the check after 2 s.
void CheckAfterDialog(const FieldCheck& check, const ForegroundWindows& windows,
                      const char* dialog) {
    const std::wstring name = Format(L"dialogs.%hs", dialog);
    HWND first = windows.first();
    SetForegroundWindow(first);
    PumpMessages(200);
    const HWND before = GetForegroundWindow();
    std::wstring buffer(32768, L'\x2A');
    std::int32_t result = 0;
    bool closedByCheck = false;
    {
        check.report.Say(
            Format(L"Press Cancel in the file dialog of %hs (it closes itself "
                   L"after 2 s).",
                   dialog));
        const DialogCloser closer;
        result = check.library.Call<std::int32_t>(dialog, buffer.data());
        closedByCheck = closer.closed();
    }
    PumpMessages(300);
    const HWND after = GetForegroundWindow();
    const bool untouched = buffer == std::wstring(32768, L'\x2A');
    const std::wstring figures = Format(
        L"in front before: %ls; %hs cancelled by %ls -> %d, the buffer %ls; then %ls in "
        L"front; %ls",
        WindowName(before, first, windows.second()).c_str(), dialog,
        closedByCheck ? L"the check" : L"a person", result, untouched ? L"untouched" : L"written",
        WindowName(after, first, windows.second()).c_str(), LockText().c_str());
    if (result == 0 && untouched && before == first && after != first && closedByCheck &&
        ForegroundLocked()) {
        // The user's last input did not go to the dialog, so Windows may keep the foreground
        // from the library.
        check.report.Skip(name,
                          L"the check pressed Cancel itself, which the foreground lock may hold "
                          L"against the library; press it yourself: " +
                              figures);
    } else {
        check.report.Expect(result == 0 && untouched && before == first && after == first, name,
                            figures);
    }
}

}  // namespace

void CheckForeground(const FieldCheck& check) {
    const ForegroundWindows windows(check.monitors.front());
    if (!windows.made()) {
        return check.report.Add(Verdict::kFail, L"foreground", L"the check's windows were refused");
    }
    CheckSwitchFromOwnWindow(check, windows.first(), windows.second());
    CheckSwitchFromOtherProgram(check, windows.first(), windows.second());
}

void CheckDialogs(const FieldCheck& check) {
    if (!check.options.dialogs) {
        return check.report.Skip(L"dialogs",
                                 L"run with --dialogs to see FileOpenDialog, FileSaveDialog and "
                                 L"InsertMovieDialog: each opens, and a person presses Cancel "
                                 L"within 2 s");
    }
    const ForegroundWindows windows(check.monitors.front());
    if (!windows.made()) {
        return check.report.Add(Verdict::kFail, L"dialogs", L"the check's windows were refused");
    }
    for (const char* dialog : {"FileOpenDialog", "FileSaveDialog", "InsertMovieDialog"}) {
        CheckAfterDialog(check, windows, dialog);
    }
}

int RunOtherProgram(const wchar_t* ready, const wchar_t* done) {
    const tessalin::UniqueHandle readyEvent(HandleArgument(ready));
    const tessalin::UniqueHandle doneEvent(HandleArgument(done));
    const hostkit::UniqueWindowClass windowClass =
        hostkit::RegisterWindowClass(kOtherProgramClass, DefWindowProcW, COLOR_WINDOW);
    const UniqueWindow window(CreateWindowExW(
        0, kOtherProgramClass, L"Tessalin field check: another program", WS_OVERLAPPEDWINDOW, 200,
        200, 420, 240, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    ShowWindow(window.get(), SW_SHOWNORMAL);
    SetForegroundWindow(window.get());
    PumpMessages(200);
    SetEvent(readyEvent.get());
    HANDLE wait = doneEvent.get();
    // Answers its messages until told to go, for at most a minute.
    for (int i = 0; i < 600; ++i) {
        if (MsgWaitForMultipleObjects(1, &wait, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0) break;
        PumpMessages(1);
    }
    return 0;
}

}  // namespace fieldcheck
