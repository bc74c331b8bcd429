// The library loads, starts, unloads, and holds its named mutex while loaded.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "frame/unique_resource_win.h"
#include "support/child.h"
#include "support/library.h"

using testing_support::ChildCommand;
using testing_support::Library;
using testing_support::RunChild;
using testing_support::StartedProcess;
using testing_support::StartProcess;

namespace {

constexpr int kMutexFound = 10;
constexpr int kMutexMissing = 11;

bool MutexExists() {
    return static_cast<bool>(tessalin::UniqueHandle(OpenMutexW(SYNCHRONIZE, FALSE, L"Tessaline")));
}

}  // namespace

// A second process looks for the mutex by name.
TESSALIN_CHILD_MODE(probe_mutex) {
    return MutexExists() ? kMutexFound : kMutexMissing;
}

// A second process that loads the library itself and keeps it until told to stop.
TESSALIN_CHILD_MODE(hold_library) {
    Library library;
    const tessalin::UniqueHandle stop(OpenEventW(SYNCHRONIZE, FALSE, argument.c_str()));
    if (!stop) return 1;
    WaitForSingleObject(stop.get(), 20000);
    return 0;
}

TEST(Frame, LoadsAndUnloadsCleanly) {
    Library library;
    EXPECT_NE(GetModuleHandleW(L"Tessalin.dll"), nullptr);
    library.Free();
    EXPECT_EQ(GetModuleHandleW(L"Tessalin.dll"), nullptr);
}

TEST(Frame, MutexLivesExactlyAsLongAsTheLibrary) {
    ASSERT_EQ(RunChild(L"probe_mutex"), kMutexMissing);
    {
        Library library;
        EXPECT_EQ(RunChild(L"probe_mutex"), kMutexFound);
    }
    EXPECT_EQ(RunChild(L"probe_mutex"), kMutexMissing);
}

TEST(Frame, TwoProcessesShareTheMutexUntilTheLastUnloads) {
    const tessalin::UniqueHandle stop(
        CreateEventW(nullptr, TRUE, FALSE, L"TessalinTestStopHolder"));
    ASSERT_TRUE(stop);
    const StartedProcess holder =
        StartProcess(ChildCommand(L"hold_library", L"TessalinTestStopHolder"));
    ASSERT_TRUE(holder.handle);
    // Wait until the holder has the library loaded.
    for (int i = 0; i < 200 && !MutexExists(); ++i) Sleep(50);
    {
        Library library;
        EXPECT_TRUE(MutexExists());
    }
    EXPECT_TRUE(MutexExists()) << "the other process still has the library loaded";
    SetEvent(stop.get());
    EXPECT_EQ(WaitForSingleObject(holder.handle.get(), 20000), WAIT_OBJECT_0);
    EXPECT_FALSE(MutexExists());
}

TEST(Frame, LifecycleExportsCanBeCalledAnyNumberOfTimes) {
    Library library;
    auto initialize = library.Get<void (*)()>("InitializeTessaline");
    auto shutdown = library.Get<void (*)()>("ShutdownTessaline");
    for (int i = 0; i < 5; ++i) {
        shutdown();
        initialize();
        initialize();
    }
    EXPECT_TRUE(MutexExists()) << "ShutdownTessaline must not shut anything down";
}

TEST(Frame, RepeatedLoadsStartAfresh) {
    for (int i = 0; i < 20; ++i) {
        Library library;
        ASSERT_TRUE(MutexExists());
    }
    EXPECT_FALSE(MutexExists());
}

TEST(Frame, VersionResourceNamesTheProduct) {
    const std::wstring path = testing_support::DllPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
    wchar_t* product = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_EQ(std::wstring(product), L"Tessaline");
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1u);
}
