#include "tools/fieldcheck/worker_win.h"

#include <cstdint>
#include <cwchar>
#include <exception>
#include <iterator>
#include <optional>

#include "tools/fieldcheck/machine_win.h"
#include "tools/fieldcheck/windows_win.h"
#include "tools/hostkit/apartment_win.h"

namespace fieldcheck {
namespace {

std::size_t WindowsLeft() {
    std::size_t left = 0;
    for (const wchar_t* name : {L"TNotesForm", L"TMonitorNumForm", L"screenClass",
                                L"TessalinFieldCheckWindow", L"TessalinFieldCheckForeground"}) {
        left += ThreadWindowsOfClass(name).size();
    }
    return left;
}

// What a worker's lines start with besides the report's own: the end of a finished step
// ("= monitors windows-left freed") and where it crashed ("! at MODULE+OFFSET").
constexpr wchar_t kFinished[] = L"= ";
constexpr wchar_t kCrashedAt[] = L"! ";

HANDLE g_pipe = nullptr;  // the worker's end, for the crash filter

// The step crashed: this says where, for the check's FAIL line. The process then ends with
// the exception's code as its exit code, which the check reads, and no crash dialog.
LONG WINAPI SayWhereItCrashed(EXCEPTION_POINTERS* exception) {
    const auto* address = static_cast<const char*>(exception->ExceptionRecord->ExceptionAddress);
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(address), &module) &&
        GetModuleFileNameW(module, path, MAX_PATH) > 0) {
        const wchar_t* name = std::wcsrchr(path, L'\\');
        wchar_t line[MAX_PATH + 40];
        const int length = std::swprintf(
            line, std::size(line), L"%lsat %ls+0x%llX\n", kCrashedAt,
            name != nullptr ? name + 1 : path,
            static_cast<unsigned long long>(address - reinterpret_cast<const char*>(module)));
        DWORD written = 0;
        if (length > 0) {
            WriteFile(g_pipe, line, static_cast<DWORD>(length) * sizeof(wchar_t), &written,
                      nullptr);
        }
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

// The exit code of a process that crashed, in words.
std::wstring CrashText(DWORD code) {
    struct Known {
        DWORD code;
        const wchar_t* words;
    };
    static constexpr Known kKnown[] = {{0xC0000005, L"access violation"},
                                       {0xC00000FD, L"stack overflow"},
                                       {0xC0000409, L"fast fail or stack buffer overrun"},
                                       {0xC0000374, L"heap corruption"},
                                       {0xC000001D, L"illegal instruction"},
                                       {0xC0000094, L"integer division by zero"},
                                       {0x80000003, L"breakpoint"}};
    for (const Known& known : kKnown) {
        if (known.code == code) return Format(L"crashed 0x%08lX (%ls)", code, known.words);
    }
    return Format(L"crashed 0x%08lX", code);
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

// Takes what the worker has written so far, line by line.
class WorkerOutput {
  public:
    explicit WorkerOutput(HANDLE pipe) : pipe_(pipe) {}

    template <class Take>
    void Read(Take&& take) {
        DWORD available = 0;
        while (PeekNamedPipe(pipe_, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            std::string bytes(available, '\0');
            DWORD read = 0;
            if (!ReadFile(pipe_, bytes.data(), available, &read, nullptr)) return;
            bytes_.append(bytes.data(), read);
            const std::size_t whole = bytes_.size() / sizeof(wchar_t);
            text_.append(reinterpret_cast<const wchar_t*>(bytes_.data()), whole);
            bytes_.erase(0, whole * sizeof(wchar_t));
            for (std::size_t end = text_.find(L'\n'); end != std::wstring::npos;
                 end = text_.find(L'\n')) {
                take(text_.substr(0, end));
                text_.erase(0, end + 1);
            }
        }
    }

  private:
    HANDLE pipe_;
    std::string bytes_;  // not yet a whole character
    std::wstring text_;  // not yet a whole line
};

}  // namespace

HANDLE HandleArgument(const wchar_t* text) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::wcstoull(text, nullptr, 10)));
}

Workers::Workers(const Options& options, const std::wstring& tempFolder,
                 const std::wstring& outPrefix, HANDLE interrupt)
    : arguments_(Quoted(tempFolder) + L" " + Quoted(outPrefix)),
      interrupt_(interrupt),
      job_(CreateJobObjectW(nullptr, nullptr)) {
    static constexpr const wchar_t* kAwareness[] = {
        L"", L" --awareness unaware", L" --awareness system", L" --awareness permonitor"};
    arguments_ += kAwareness[static_cast<int>(options.awareness)];
    if (options.dialogs) arguments_ += L" --dialogs";
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

WorkerEnd Workers::Run(const Step& step, Report& report) {
    WorkerEnd end;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    tessalin::UniqueHandle output;  // the check's end of the pipe
    tessalin::UniqueHandle input;   // the worker's
    const std::wstring exe = hostkit::ProgramPath();
    std::wstring command;
    if (CreatePipe(output.put(), input.put(), &inherit, 0) &&
        SetHandleInformation(output.get(), HANDLE_FLAG_INHERIT, 0)) {
        command = Format(L"%ls --worker %ls %llu %ls", Quoted(exe).c_str(), step.name,
                         reinterpret_cast<unsigned long long>(input.get()), arguments_.c_str());
    }
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION started{};
    // Without a console: the person's Ctrl+C and closing the console are the check's to handle.
    if (command.empty() || !CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE,
                                           CREATE_SUSPENDED | DETACHED_PROCESS, nullptr, nullptr,
                                           &startup, &started)) {
        report.Add(Verdict::kFail, step.name,
                   L"the worker process did not start: " + ErrorText(GetLastError()));
        return end;
    }
    const tessalin::UniqueHandle process(started.hProcess);
    const tessalin::UniqueHandle thread(started.hThread);
    // Where the check already runs in a job that takes no other (Windows 7), the worker is
    // still ended by itself below.
    AssignProcessToJobObject(job_.get(), process.get());
    ResumeThread(thread.get());
    // Its windows may come to the front as the check's own would.
    AllowSetForegroundWindow(started.dwProcessId);
    input.reset();  // the worker's alone now: the pipe ends with the worker

    bool finished = false;
    std::wstring where;
    WorkerOutput lines(output.get());
    const auto take = [&](const std::wstring& line) {
        if (line.starts_with(kCrashedAt)) {
            where = L" " + line.substr(std::size(kCrashedAt) - 1);
        } else if (line.starts_with(kFinished)) {
            wchar_t* next = nullptr;
            end.monitors = std::wcstoul(line.c_str() + std::size(kFinished) - 1, &next, 10);
            end.windowsLeft = std::wcstoul(next, &next, 10);
            end.freed = std::wcstoul(next, &next, 10) != 0;
            finished = true;
        } else {
            report.Line(line);
        }
    };
    const ULONGLONG deadline = GetTickCount64() + step.boundSeconds * 1000ull;
    const HANDLE waits[] = {process.get(), interrupt_};
    DWORD waited = WAIT_TIMEOUT;
    while (waited == WAIT_TIMEOUT && GetTickCount64() < deadline) {
        waited = WaitForMultipleObjects(2, waits, FALSE, 50);
        lines.Read(take);
    }
    if (waited != WAIT_OBJECT_0) {
        // Its windows, the monitor numbers among them, go with it.
        TerminateJobObject(job_.get(), ERROR_TIMEOUT);
        TerminateProcess(process.get(), ERROR_TIMEOUT);
        WaitForSingleObject(process.get(), 5000);
    }
    lines.Read(take);
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    if (waited == WAIT_OBJECT_0 + 1) {
        end.kind = WorkerEnd::Kind::kInterrupted;
    } else if (waited != WAIT_OBJECT_0) {
        report.Add(Verdict::kFail, step.name,
                   Format(L"no answer in %lu s: the worker was ended, and its windows with it",
                          step.boundSeconds));
    } else if (finished && code == 0) {
        end.kind = WorkerEnd::Kind::kFinished;
    } else if (code >= 0x80000000) {
        report.Add(Verdict::kFail, step.name, CrashText(code) + where);
    } else {
        report.Add(Verdict::kFail, step.name,
                   Format(L"the worker ended before the step finished, with exit code %lu", code));
    }
    return end;
}

int RunWorker(const std::wstring& stepName, HANDLE pipe, const std::wstring& tempFolder,
              const std::wstring& outPrefix, const Options& options) {
    g_pipe = pipe;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(SayWhereItCrashed);
    const Step* step = nullptr;
    for (const Step& known : kSteps) {
        if (stepName == known.name) step = &known;
    }
    if (step == nullptr) return 2;
    Report report(pipe);
    // Before the library loads, so that all its windows are made at that awareness.
    const std::optional<std::wstring> refused = options.awareness != Awareness::kManifest
                                                    ? SetThreadAwareness(options.awareness)
                                                    : std::nullopt;
    // The thread as a host's user-interface thread is: without OLE, the library's item dialog
    // could not be made and the classic one would stand in for it.
    const hostkit::Apartment ole(hostkit::Apartment::With::kOle);
    const std::wstring dll = hostkit::ProgramFolder() + L"\\Tessalin.dll";
    std::size_t monitors = 0;
    std::size_t windowsLeft = 0;
    {
        const hostkit::Library library(dll.c_str());
        if (!library.loaded()) {
            report.Add(Verdict::kFail, L"machine.library",
                       Format(L"LoadLibraryW(%ls) failed: %ls", dll.c_str(),
                              ErrorText(GetLastError()).c_str()));
        } else {
            const FieldCheck check{
                library, report, options, outPrefix, tempFolder, ReadMonitors(library), refused};
            monitors = check.monitors.size();
            try {
                if (monitors > 0 || step == &kSteps[0]) step->run(check);
            } catch (const std::exception& error) {
                const std::string what = error.what();
                report.Add(Verdict::kFail, step->name,
                           L"stopped: " + std::wstring(what.begin(), what.end()));
            }
            windowsLeft = WindowsLeft();
        }
    }
    const bool freed = GetModuleHandleW(dll.c_str()) == nullptr;
    report.Line(Format(L"%ls%zu %zu %d", kFinished, monitors, windowsLeft, freed ? 1 : 0));
    return 0;
}

}  // namespace fieldcheck
