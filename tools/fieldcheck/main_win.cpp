// fieldcheck.exe: what Tessalin.dll does on the Windows machine it runs on, measured through the
// DLL beside it as an add-in calls it, and written down in a report. The check itself never
// loads the library: each step runs in a worker process (worker_win.h), so that the report,
// the user's clipboard and the temporary folder are in the check's hands whatever a step does.
#include <windows.h>

#include <exception>
#include <optional>
#include <string>

#include "tessalin_version.h"
#include "tools/fieldcheck/check.h"
#include "tools/fieldcheck/clipboard_win.h"
#include "tools/fieldcheck/foreground_win.h"
#include "tools/fieldcheck/machine_win.h"
#include "tools/fieldcheck/windows_win.h"
#include "tools/fieldcheck/worker_win.h"

namespace fieldcheck {
namespace {

constexpr wchar_t kUsage[] =
    L"usage: fieldcheck [--awareness unaware|system|permonitor] [--dialogs] [--out FOLDER]\n"
    L"                  [--only STEP]...\n"
    L"       fieldcheck --version\n"
    L"Checks Tessalin.dll beside it on this machine in about a minute and writes\n"
    L"fieldcheck-report.txt and screenshots into the current folder (or FOLDER). The exit code\n"
    L"is 0 when every step ran and no check failed, 1 when a check failed, 3 when the check was\n"
    L"stopped before the end. --awareness runs the steps at that DPI awareness instead of the\n"
    L"manifest's per-monitor v2; --dialogs also opens the file dialogs, for a person to cancel;\n"
    L"--only runs that step after the machine's (machine, localisation, overlay, notes,\n"
    L"clipboard, slideshow, foreground, dialogs, files), and may be given again.\n";

// From argv[first] on; the worker gets the same options as the check.
std::optional<Options> Parse(int argc, wchar_t** argv, int first) {
    Options options;
    for (int i = first; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == L"--dialogs") {
            options.dialogs = true;
        } else if (argument == L"--out" && hasValue) {
            options.outFolder = argv[++i];
        } else if (argument == L"--only" && hasValue) {
            const std::wstring step = argv[++i];
            bool known = false;
            for (const Step& each : kSteps) known = known || step == each.name;
            if (!known) return std::nullopt;
            options.only.push_back(step);
        } else if (argument == L"--awareness" && hasValue) {
            const std::wstring value = argv[++i];
            if (value == L"unaware") {
                options.awareness = Awareness::kUnaware;
            } else if (value == L"system") {
                options.awareness = Awareness::kSystem;
            } else if (value == L"permonitor") {
                options.awareness = Awareness::kPerMonitor;
            } else {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    return options;
}

bool Chosen(const Options& options, const Step& step) {
    if (&step == &kSteps[0] || options.only.empty()) return true;
    for (const std::wstring& name : options.only) {
        if (name == step.name) return true;
    }
    return false;
}

// A folder and all it holds, by long names: the files step makes paths beyond the classic
// limit. Links to folders go without what they lead to.
bool RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    {
        const tessalin::UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &found));
        for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.get(), &found)) {
            const std::wstring name = found.cFileName;
            const std::wstring path = folder + L"\\" + name;
            if (name == L"." || name == L"..") continue;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            } else if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                RemoveDirectoryW(path.c_str());
            } else {
                RemoveTree(path);
            }
        }
    }
    return RemoveDirectoryW(folder.c_str()) != FALSE;
}

// The check's own folder under the user's temporary folder, removed with all it holds.
class TempFolder {
  public:
    TempFolder() {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        path_ = Format(L"%lsTessalin field check %lu", temp.c_str(), GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }

    // True when it is gone.
    bool Remove() const {
        const std::wstring folder = LongName(path_);
        return GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES || RemoveTree(folder);
    }

  private:
    std::wstring path_;
};

// The person stops the check: Ctrl+C, Ctrl+Break, closing the console, logging off. The console
// calls the handler on a thread of its own; it has the check end the worker and put everything
// back, and waits for that, since Windows ends the process once the handler returns from a
// console's closing.
class Interruption {
  public:
    Interruption() {
        g_current = this;
        SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    }
    ~Interruption() {
        SetEvent(done_.get());
        SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
        g_current = nullptr;
    }
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    HANDLE asked() const { return asked_.get(); }

  private:
    static BOOL WINAPI OnConsoleEvent(DWORD) {
        const Interruption* current = g_current;
        if (current == nullptr) return FALSE;
        SetEvent(current->asked_.get());
        WaitForSingleObject(current->done_.get(), 4500);
        return TRUE;
    }

    static inline const Interruption* g_current = nullptr;
    tessalin::UniqueHandle asked_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    tessalin::UniqueHandle done_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

int RunFieldCheck(const Options& options) {
    const std::wstring folder = options.outFolder.empty() ? CurrentDirectory() : options.outFolder;
    std::wstring prefix = folder + L"\\fieldcheck";
    if (options.awareness != Awareness::kManifest)
        prefix += L"-" + AwarenessName(options.awareness);
    Report report(prefix + L"-report.txt");
    if (!report.opened()) {
        Tell(L"fieldcheck: cannot write " + report.path());
        return 2;
    }
    const ULONGLONG start = GetTickCount64();
    SYSTEMTIME now{};
    GetLocalTime(&now);
    report.Note(Format(L"Tessalin field check %ls, %04u-%02u-%02u %02u:%02u: %ls",
                       L"" TESSALIN_VERSION_TEXT, now.wYear, now.wMonth, now.wDay, now.wHour,
                       now.wMinute, GetCommandLineW()));
    report.Note(WindowsVersion());

    const Interruption interruption;
    SavedClipboard clipboard;
    const TempFolder temp;
    Workers workers(options, temp.path(), prefix, interruption.asked());
    std::size_t windowsLeft = 0;
    bool freed = true;
    bool complete = true;
    for (const Step& step : kSteps) {
        if (!Chosen(options, step)) continue;
        if (step.usesClipboard && !clipboard.kept()) {
            report.Skip(step.name,
                        L"another program held the clipboard throughout: its content could not "
                        L"be kept, so it is left alone");
            continue;
        }
        const WorkerEnd end = workers.Run(step, report);
        windowsLeft += end.windowsLeft;
        freed = freed && end.freed;
        if (end.kind == WorkerEnd::Kind::kInterrupted) {
            report.Note(
                Format(L"stopped during %ls (Ctrl+C, or the console closed): the steps "
                       L"after it did not run",
                       step.name));
            complete = false;
            break;
        }
        if (&step == &kSteps[0] && (end.kind != WorkerEnd::Kind::kFinished || end.monitors == 0)) {
            if (end.kind == WorkerEnd::Kind::kFinished) {
                report.Add(Verdict::kFail, L"machine", L"no monitor to run the other steps on");
            }
            report.Note(L"the other steps did not run");
            break;
        }
    }
    const bool clipboardBack = clipboard.Restore();
    const bool removed = temp.Remove();
    // A library that has filtered a window where no code may be made at run time stays loaded
    // on purpose, so this is only told.
    report.Expect(
        windowsLeft == 0 && clipboardBack && removed, L"cleanup",
        Format(L"%zu window(s) of the check or the library left; %ls; the temporary "
               L"folder %ls; the library %ls",
               windowsLeft, clipboard.outcome().c_str(), removed ? L"removed" : L"not removed",
               freed ? L"unloaded" : L"still loaded after FreeLibrary"));
    report.Note(Format(L"%d passed, %d failed, %d skipped in %llu s%ls: %ls",
                       report.Count(Verdict::kPass), report.Count(Verdict::kFail),
                       report.Count(Verdict::kSkipped), (GetTickCount64() - start + 500) / 1000,
                       complete ? L"" : L", stopped before the end", report.path().c_str()));
    if (!complete) return 3;
    return report.Count(Verdict::kFail) == 0 ? 0 : 1;
}

// Started from Explorer, the console is the check's own and closes with it: the person gets
// to read the last lines first.
void WaitIfOwnConsole() {
    DWORD processes[2] = {};
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleProcessList(processes, 2) != 1 || !GetConsoleMode(input, &mode)) return;
    Tell(L"Press Enter to close this window.");
    FlushConsoleInputBuffer(input);
    wchar_t line[16];
    DWORD read = 0;
    ReadConsoleW(input, line, 16, &read, nullptr);
}

// Whatever loads a DLL by name from here on, the system's own code too, looks in the system
// folder only, never in this program's folder (Downloads, say), where a copy could lie.
// Windows 7 has the call only with its update KB2533623, which the library needs as well.
void LoadDllsFromTheSystemFolderOnly() {
    using SetFn = BOOL(WINAPI*)(DWORD);
    const auto set = Lookup<SetFn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (set != nullptr) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace
}  // namespace fieldcheck

int wmain(int argc, wchar_t** argv) {
    using namespace fieldcheck;
    LoadDllsFromTheSystemFolderOnly();
    try {
        const std::wstring mode = argc > 1 ? argv[1] : L"";
        if (mode == L"--worker" && argc >= 6) {
            const std::optional<Options> options = Parse(argc, argv, 6);
            return options ? RunWorker(argv[2], HandleArgument(argv[3]), argv[4], argv[5], *options)
                           : 2;
        }
        if (mode == L"--other-program" && argc == 4) return RunOtherProgram(argv[2], argv[3]);
        if (mode == L"--version" && argc == 2) {
            Tell(L"fieldcheck " TESSALIN_VERSION_TEXT);
            return 0;
        }
        if (mode == L"--help") {
            Tell(kUsage);
            return 0;
        }
        const std::optional<Options> options = Parse(argc, argv, 1);
        if (!options) {
            Tell(kUsage);
            return 2;
        }
        const int status = RunFieldCheck(*options);
        if (status != 3) WaitIfOwnConsole();
        return status;
    } catch (const std::exception& error) {
        const std::string what = error.what();
        Tell(L"fieldcheck stopped: " + std::wstring(what.begin(), what.end()));
        return 3;
    }
}
