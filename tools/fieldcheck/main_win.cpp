// fieldcheck.exe: what Tessalin.dll does on the Windows machine it runs on, measured through the
// DLL beside it as an add-in calls it, and written down in a report.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <exception>
#include <optional>
#include <string>

#include "check.h"
#include "clipboard_win.h"
#include "foreground_win.h"
#include "machine_win.h"
#include "tessalin_version.h"
#include "windows_win.h"

namespace fieldcheck {
namespace {

constexpr wchar_t kUsage[] =
    L"usage: fieldcheck [--awareness unaware|system|permonitor] [--dialogs] [--out FOLDER]\n"
    L"       fieldcheck --version\n"
    L"Checks Tessalin.dll beside it on this machine in about a minute and writes\n"
    L"fieldcheck-report.txt and screenshots into the current folder (or FOLDER). The exit code\n"
    L"is 0 when no check failed. --awareness runs the steps at that DPI awareness instead of\n"
    L"the manifest's per-monitor v2; --dialogs also opens a file dialog, for a person to cancel.\n";

std::optional<Options> Parse(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == L"--dialogs") {
            options.dialogs = true;
        } else if (argument == L"--out" && hasValue) {
            options.outFolder = argv[++i];
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

std::wstring ProgramFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring CurrentDirectory() {
    std::wstring path(32768, L'\0');
    path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
    return path;
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
    bool Remove() {
        if (GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
        std::wstring from = path_ + L'\0';  // the list of paths ends with a second NUL
        SHFILEOPSTRUCTW operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NO_UI;
        SHFileOperationW(&operation);
        return GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES;
    }

  private:
    std::wstring path_;
};

// The thread as a host's user-interface thread is: in OLE's single-threaded apartment, without
// which the library's item dialog could not be made and the classic one would stand in for it.
class OleThread {
  public:
    OleThread() : result_(OleInitialize(nullptr)) {}
    ~OleThread() {
        if (SUCCEEDED(result_)) OleUninitialize();
    }
    OleThread(const OleThread&) = delete;
    OleThread& operator=(const OleThread&) = delete;

  private:
    HRESULT result_;
};

template <class Step>
void RunStep(Report& report, const wchar_t* name, Step&& step) {
    try {
        step();
    } catch (const std::exception& error) {
        const std::string what = error.what();
        report.Add(Verdict::kFail, name, L"stopped: " + std::wstring(what.begin(), what.end()));
    }
}

std::size_t WindowsLeft() {
    std::size_t left = 0;
    for (const wchar_t* name : {L"TNotesForm", L"TMonitorNumForm", L"screenClass",
                                L"TessalinFieldCheckWindow", L"TessalinFieldCheckForeground"}) {
        left += ThreadWindowsOfClass(name).size();
    }
    return left;
}

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
    // Before the library loads, so that all its windows are made at that awareness.
    const std::optional<std::wstring> refused = options.awareness != Awareness::kManifest
                                                    ? SetThreadAwareness(options.awareness)
                                                    : std::nullopt;

    const OleThread ole;
    SavedClipboard clipboard;
    TempFolder temp;
    const std::wstring currentDirectory = CurrentDirectory();
    std::size_t windowsLeft = 0;
    const std::wstring dll = ProgramFolder() + L"\\Tessalin.dll";
    {
        const HostLibrary library(dll.c_str());
        if (!library.loaded()) {
            report.Add(Verdict::kFail, L"machine.library",
                       Format(L"LoadLibraryW(%ls) failed: error %lu", dll.c_str(), GetLastError()));
            return 1;
        }
        FieldCheck check{library, report, options, prefix, temp.path(), clipboard.kept()};
        RunStep(report, L"machine", [&] { CheckMachine(check, refused); });
        if (check.monitors.empty()) {
            report.Add(Verdict::kFail, L"machine", L"no monitor to run the other steps on");
        } else {
            RunStep(report, L"localisation", [&] { CheckLocalisation(check); });
            RunStep(report, L"overlay", [&] { CheckOverlays(check); });
            RunStep(report, L"notes", [&] { CheckNotesViews(check); });
            RunStep(report, L"clipboard", [&] { CheckBusyClipboard(check); });
            RunStep(report, L"slideshow", [&] { CheckSlideShows(check); });
            RunStep(report, L"foreground", [&] { CheckForeground(check); });
            RunStep(report, L"files", [&] { CheckFiles(check); });
        }
        windowsLeft = WindowsLeft();
    }
    const bool clipboardBack = clipboard.Restore() || !clipboard.kept();
    const bool removed = temp.Remove();
    const bool directoryBack = CurrentDirectory() == currentDirectory;
    // A library that has filtered a window where no code may be made at run time stays loaded
    // on purpose, so this is only told.
    const bool freed = GetModuleHandleW(dll.c_str()) == nullptr;
    report.Expect(
        windowsLeft == 0 && clipboardBack && removed && directoryBack, L"cleanup",
        Format(L"%zu window(s) of the check or the library left; %ls; the temporary "
               L"folder %ls; the current directory %ls; the library %ls",
               windowsLeft, clipboard.outcome().c_str(), removed ? L"removed" : L"not removed",
               directoryBack ? L"as it was" : L"changed",
               freed ? L"unloaded" : L"still loaded after FreeLibrary"));
    report.Note(Format(L"%d passed, %d failed, %d skipped in %llu s: %ls",
                       report.Count(Verdict::kPass), report.Count(Verdict::kFail),
                       report.Count(Verdict::kSkipped), (GetTickCount64() - start + 500) / 1000,
                       report.path().c_str()));
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

}  // namespace
}  // namespace fieldcheck

int wmain(int argc, wchar_t** argv) {
    using namespace fieldcheck;
    try {
        const std::wstring mode = argc > 1 ? argv[1] : L"";
        if (mode == L"--other-program" && argc == 4) return RunOtherProgram(argv[2], argv[3]);
        if (mode == L"--version" && argc == 2) {
            Tell(L"fieldcheck " TESSALIN_VERSION_TEXT);
            return 0;
        }
        if (mode == L"--help") {
            Tell(kUsage);
            return 0;
        }
        const std::optional<Options> options = Parse(argc, argv);
        if (!options) {
            Tell(kUsage);
            return 2;
        }
        const int status = RunFieldCheck(*options);
        WaitIfOwnConsole();
        return status;
    } catch (const std::exception& error) {
        const std::string what = error.what();
        Tell(L"fieldcheck stopped: " + std::wstring(what.begin(), what.end()));
        return 3;
    }
}
