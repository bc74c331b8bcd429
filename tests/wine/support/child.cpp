#include "support/child.h"

#include <map>

#include "tools/hostkit/library_win.h"

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

StartedProcess StartProcess(std::wstring command, const wchar_t* folder, DWORD flags) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, flags, nullptr, folder,
                        &startup, &started)) {
        return {};
    }
    const tessalin::UniqueHandle thread(started.hThread);  // only the process is waited for
    return {tessalin::UniqueHandle(started.hProcess), started.dwProcessId};
}

std::wstring ChildCommand(const std::wstring& mode, const std::wstring& argument) {
    return L"\"" + hostkit::ProgramPath() + L"\" --child " + mode + L" \"" + argument + L"\"";
}

int RunChild(const std::wstring& mode, const std::wstring& argument, unsigned timeoutMs) {
    const StartedProcess child = StartProcess(ChildCommand(mode, argument));
    if (!child.handle) return -1;
    if (WaitForSingleObject(child.handle.get(), timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(child.handle.get(), 99);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(child.handle.get(), &code);
    return static_cast<int>(code);
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
