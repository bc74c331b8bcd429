// A file named riched20.dll in the current directory or next to the host program must never
// be loaded in place of the system's rich-edit library; and what the loader finds when two
// copies of the library, from two folders, are in one host.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <string>

#include "frame/unique_resource_win.h"
#include "support/child.h"
#include "support/library.h"
#include "support/temp_folder.h"
#include "tools/hostkit/library_win.h"

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
    ASSERT_TRUE(CopyFileW(hostkit::ProgramPath().c_str(),
                          (programFolder / L"planted_host.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(DllPath().c_str(), (programFolder / L"Tessalin.dll").c_str(), FALSE));
    const std::string planted = "MZ this is not the rich-edit library";
    WriteFileBytes(programFolder / L"riched20.dll", planted);
    WriteFileBytes(currentFolder / L"riched20.dll", planted);

    const StartedProcess host =
        StartProcess(L"\"" + (programFolder / L"planted_host.exe") + L"\" --child planted x",
                     currentFolder.path().c_str());
    ASSERT_TRUE(host.handle);
    ASSERT_EQ(WaitForSingleObject(host.handle.get(), 60000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(host.handle.get(), &code);
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
    const tessalin::UniqueModule first(LoadLibraryW((oldVersion / L"Tessalin.dll").c_str()));
    ASSERT_EQ(GetModuleHandleW(L"Tessalin.dll"), first.get());
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(first.get(), path, MAX_PATH);
    EXPECT_EQ(Lower(path), Lower(oldVersion / L"Tessalin.dll"));
    const tessalin::UniqueModule byName(LoadLibraryW(L"Tessalin.dll"));
    EXPECT_EQ(byName.get(), first.get());
    const tessalin::UniqueModule second(LoadLibraryW((newVersion / L"Tessalin.dll").c_str()));
    EXPECT_NE(second.get(), first.get());
}
