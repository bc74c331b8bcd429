// Helper child processes: a test starts its own program again in a named child mode, to
// look at the library from a second process, or starts another program.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "frame/unique_resource_win.h"

namespace testing_support {

// A process that a test started, its handle closed with the object; none where it did not
// start.
struct StartedProcess {
    tessalin::UniqueHandle handle;
    DWORD id = 0;
};

// Starts that command line in `folder` (the current one where none is given) with those
// creation flags.
StartedProcess StartProcess(std::wstring command, const wchar_t* folder = nullptr, DWORD flags = 0);

// This program's command line for the child mode, with its argument.
std::wstring ChildCommand(const std::wstring& mode, const std::wstring& argument);

using ChildMain = std::function<int(const std::wstring& argument)>;

// Registers a child mode at static-initialisation time; see TESSALIN_CHILD_MODE.
bool RegisterChildMode(const std::wstring& name, ChildMain main);

// Runs this program in the child mode and returns its exit code (-1 if it did not start or
// did not end within the timeout).
int RunChild(const std::wstring& mode, const std::wstring& argument = L"",
             unsigned timeoutMs = 30000);

// Called by main: runs the child mode named on the command line, if any.
bool DispatchChildMode(int& exitCode);

}  // namespace testing_support

#define TESSALIN_CHILD_MODE(name)                                           \
    static int ChildMode_##name(const std::wstring& argument);              \
    static const bool registered_##name =                                   \
        ::testing_support::RegisterChildMode(L## #name, &ChildMode_##name); \
    static int ChildMode_##name([[maybe_unused]] const std::wstring& argument)
