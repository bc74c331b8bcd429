// A file named riched20.dll in the current directory or next to the host program must never
// be loaded in place of the system's rich-edit library; and what the loader finds when two
// copies of the library, from two folders, are in one host.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <string>

#include "support/child.h"
#include "support/library.h"
#include "support/temp_folder.h"

using namespace testing_support;

namespace {

constexpr int kSystemLibrary = 0;
constexpr int kNoView = 2;
constexpr int kNotLoaded = 3;
constexpr int kPlantedLibrary = 4;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

}  // namespace

// Runs from a copy of this program in a folder that also holds a planted riched20.dll, with
// another planted one in its current directory.
TESSALIN_CHILD_MODE(planted) {
    Library library;
    auto create =
        library.Get<std::intptr_t (*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t)>(
            "CreateNotesView");
    auto destroy = library.Get<void (*)(std::intptr_t)>("DestroyNotesView");
    const std::intptr_t view = create(10, 10, 300, 200);
    if (view == 0) return kNoView;
    HMODULE richEdit = GetModuleHandleW(L"riched20.dll");
    int result = kNotLoaded;
    if (richEdit != nullptr) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(richEdit, path, MAX_PATH);
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        result = Lower(path).rfind(Lower(system), 0) == 0 ? kSystemLibrary : kPlantedLibrary;
    }
    destroy(view);
    return result;
}

TEST(DllPlanting, NotesViewLoadsTheSystemRichEditLibrary) {
    TempFolder programFolder;
    TempFolder currentFolder;
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    ASSERT_TRUE(CopyFileW(exe, (programFolder / L"planted_host.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(DllPath().c_str(), (programFolder / L"Tessalin.dll").c_str(), FALSE));
    const std::string planted = "MZ this is not the rich-edit library";
    WriteFileBytes(programFolder / L"riched20.dll", planted);
    WriteFileBytes(currentFolder / L"riched20.dll", planted);

    std::wstring command = L"\"" + (programFolder / L"planted_host.exe") + L"\" --child planted x";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               currentFolder.path().c_str(), &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, static_cast<DWORD>(kSystemLibrary))
        << "2: no view, 3: rich edit not loaded, 4: the planted file was loaded";
}

// The kit's module refuses to load a second copy: its check finds the copy already loaded, and
// so does a Declare, which loads by name alone. Once both are in, each has its own state.
TEST(DllPlanting, ByNameTheLoaderFindsTheCopyAlreadyLoaded) {
    TempFolder oldVersion;
    TempFolder newVersion;
    ASSERT_TRUE(CopyFileW(DllPath().c_str(), (oldVersion / L"Tessalin.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(DllPath().c_str(), (newVersion / L"Tessalin.dll").c_str(), FALSE));
    HMODULE first = LoadLibraryW((oldVersion / L"Tessalin.dll").c_str());
    ASSERT_EQ(GetModuleHandleW(L"Tessalin.dll"), first);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(first, path, MAX_PATH);
    EXPECT_EQ(Lower(path), Lower(oldVersion / L"Tessalin.dll"));
    EXPECT_EQ(LoadLibraryW(L"Tessalin.dll"), first);
    HMODULE second = LoadLibraryW((newVersion / L"Tessalin.dll").c_str());
    EXPECT_NE(second, first);
    for (HMODULE module : {second, first, first}) FreeLibrary(module);
}
