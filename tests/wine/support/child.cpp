#include "support/child.h"

#include <windows.h>

#include <map>

namespace testing_support {
namespace {

std::map<std::wstring, ChildMain>& Modes() {
    static std::map<std::wstring, ChildMain> modes;
    return modes;
}

}  // namespace

bool RegisterChildMode(const std::wstring& name, ChildMain main) {
    Modes()[name] = std::move(main);
    return true;
}

int RunChild(const std::wstring& mode, const std::wstring& argument, unsigned timeoutMs) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command =
        L"\"" + std::wstring(exe) + L"\" --child " + mode + L" \"" + argument + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    CloseHandle(process.hThread);
    int result = -1;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result = static_cast<int>(code);
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hProcess);
    return result;
}

bool DispatchChildMode(int& exitCode) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) return false;
    bool dispatched = false;
    if (argc >= 3 && std::wstring(argv[1]) == L"--child") {
        auto mode = Modes().find(argv[2]);
        exitCode = mode == Modes().end() ? 98 : mode->second(argc >= 4 ? argv[3] : L"");
        dispatched = true;
    }
    LocalFree(argv);
    return dispatched;
}

}  // namespace testing_support
