// The session and movie dialogs, driven from a second thread as a user would: find the
// dialog, type a name, press OK or Cancel.
#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "support/library.h"
#include "support/temp_folder.h"
#include "support/windows.h"

using namespace testing_support;

namespace {

using DialogFn = std::int32_t (*)(wchar_t*);

struct FoundDialog {
    const wchar_t* title;
    HWND wnd = nullptr;
};

BOOL CALLBACK FindDialog(HWND wnd, LPARAM found) {
    auto* dialog = reinterpret_cast<FoundDialog*>(found);
    wchar_t title[128] = {};
    GetWindowTextW(wnd, title, 128);
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(wnd) &&
        std::wstring(title) == dialog->title) {
        dialog->wnd = wnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog(const wchar_t* title) {
    for (int i = 0; i < 500; ++i) {
        FoundDialog dialog{title};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (dialog.wnd != nullptr) return dialog.wnd;
        Sleep(20);
    }
    return nullptr;
}

BOOL CALLBACK FindNameEdit(HWND wnd, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(wnd, className, 32);
    if (std::wstring(className) == L"Edit" && IsWindowVisible(wnd)) {
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
    }
    return TRUE;
}

// What the user does in the dialog, run on a second thread; records what it saw.
struct User {
    std::wstring typed;  // empty: press Cancel
    RECT dialogRect{};
    bool hostDisabled = false;
    bool found = false;

    void Act(const wchar_t* title, HWND host) {
        HWND dialog = WaitForDialog(title);
        if (dialog == nullptr) return;
        found = true;
        Sleep(300);  // let the dialog finish placing itself
        GetWindowRect(dialog, &dialogRect);
        hostDisabled = host != nullptr && !IsWindowEnabled(host);
        if (typed.empty()) {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return;
        }
        HWND edit = nullptr;
        EnumChildWindows(dialog, FindNameEdit, reinterpret_cast<LPARAM>(&edit));
        if (edit == nullptr) return;
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }
};

class FileDialogs : public testing::Test {
  protected:
    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, start_);
        SetCurrentDirectoryW(temp_.path().c_str());
    }
    void TearDown() override { SetCurrentDirectoryW(start_); }

    // Runs the export while `user` acts on the dialog from another thread.
    std::int32_t Run(const char* exportName, const wchar_t* title, User& user, wchar_t* buffer,
                     HWND host = nullptr) {
        std::thread actor([&] { user.Act(title, host); });
        const std::int32_t result = library_.Get<DialogFn>(exportName)(buffer);
        actor.join();
        return result;
    }

    wchar_t start_[MAX_PATH] = {};
    TempFolder temp_;
    Library library_;
};

TEST_F(FileDialogs, SaveAppendsTheDefaultExtension) {
    std::array<wchar_t, 600> buffer;
    buffer.fill(L'#');
    User user{temp_ / L"talk"};
    const std::int32_t length =
        Run("FileSaveDialog", L"Save Tessaline Session", user, buffer.data());
    ASSERT_TRUE(user.found) << "no dialog titled \"Save Tessaline Session\" appeared";
    const std::wstring expected = temp_ / L"talk.tln";
    EXPECT_EQ(std::wstring(buffer.data()), expected);
    EXPECT_EQ(static_cast<std::size_t>(length), expected.size());
    EXPECT_EQ(buffer[expected.size() + 1], L'#');
}

TEST_F(FileDialogs, CancelLeavesTheBufferAsItWas) {
    std::array<wchar_t, 64> buffer;
    buffer.fill(L'#');
    RecordingClass hostClass(L"TessalinTestHost");
    TestWindow host(L"TessalinTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    User user;
    EXPECT_EQ(Run("FileOpenDialog", L"Load Tessaline Session", user, buffer.data(), host.get()), 0);
    ASSERT_TRUE(user.found);
    for (wchar_t c : buffer) ASSERT_EQ(c, L'#');
    EXPECT_TRUE(user.hostDisabled) << "the host's windows take no input while the dialog is up";
    EXPECT_TRUE(IsWindowEnabled(host.get())) << "and are enabled again afterwards";
}

TEST_F(FileDialogs, OpenReturnsAnExistingFileCentredOnThePrimaryMonitor) {
    WriteFileBytes(temp_ / L"saved.tln", "session");
    std::array<wchar_t, 600> buffer;
    buffer.fill(L'#');
    User user{L"saved.tln"};
    const std::int32_t length =
        Run("FileOpenDialog", L"Load Tessaline Session", user, buffer.data());
    ASSERT_TRUE(user.found);
    EXPECT_EQ(std::wstring(buffer.data()), temp_ / L"saved.tln") << "opened in the current folder";
    EXPECT_GT(length, 0);

    const RECT& r = user.dialogRect;
    const LONG width = r.right - r.left;
    const LONG height = r.bottom - r.top;
    EXPECT_EQ(r.left, (1024 - width) / 2);
    EXPECT_EQ(r.top, (768 - height) / 3);
}

TEST_F(FileDialogs, MovieDialogHasItsOwnTitle) {
    WriteFileBytes(temp_ / L"clip.avi", "movie");
    std::array<wchar_t, 600> buffer{};
    User user{L"clip.avi"};
    EXPECT_GT(Run("InsertMovieDialog", L"Select Movie", user, buffer.data()), 0);
    ASSERT_TRUE(user.found);
    EXPECT_EQ(std::wstring(buffer.data()), temp_ / L"clip.avi");
}

}  // namespace
