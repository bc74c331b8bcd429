// Every export called the way a careless or hostile caller would: null, empty and very long
// texts; handles that are 0, destroyed, or of another process; notes handles never handed
// out; null out-parameters where they are allowed. The process must survive, each export must
// give its failure result, and nothing may be written outside the caller's buffers.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "support/foreign_window.h"
#include "support/library.h"
#include "support/temp_folder.h"
#include "support/windows.h"

using namespace testing_support;

namespace {

constexpr wchar_t kCanary = 0xCAFE;
const std::wstring kLongText(32767, L'x');

// A caller buffer with room for any result here, checked afterwards: only the text and its
// NUL may have been written.
class CanaryBuffer {
  public:
    CanaryBuffer() : data_(70000, kCanary) {}
    wchar_t* get() { return data_.data(); }
    // True when exactly `length` characters and a NUL were written and nothing after them.
    bool WroteExactly(std::int32_t length) const {
        if (length < 0 || static_cast<std::size_t>(length) + 1 >= data_.size()) return false;
        const auto n = static_cast<std::size_t>(length);
        if (data_[n] != L'\0') return false;
        for (std::size_t i = 0; i < n; ++i) {
            if (data_[i] == L'\0' || data_[i] == kCanary) return false;
        }
        for (std::size_t i = n + 1; i < data_.size(); ++i) {
            if (data_[i] != kCanary) return false;
        }
        return true;
    }
    bool Untouched() const {
        for (wchar_t c : data_) {
            if (c != kCanary) return false;
        }
        return true;
    }

  private:
    std::vector<wchar_t> data_;
};

// Closes every dialog box of this process (message boxes, file dialogs) as soon as it shows.
class DialogCloser {
  public:
    DialogCloser()
        : thread_([this] {
              while (!stop_) {
                  CancelDialogs();
                  Sleep(30);
              }
          }) {}
    ~DialogCloser() {
        stop_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

}  // namespace

namespace {

class HostileCalls : public testing::Test {
  protected:
    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, start_);
        SetCurrentDirectoryW(temp_.path().c_str());
        destroyed_ = CreateWindowExW(0, L"STATIC", L"gone", WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, nullptr, nullptr);
        DestroyWindow(destroyed_);
        ASSERT_NE(foreign_.get(), nullptr) << "the second process's window did not appear";
    }
    void TearDown() override { SetCurrentDirectoryW(start_); }

    template <class F>
    F Get(const char* name) {
        return library_.Get<F>(name);
    }

    std::vector<const wchar_t*> Texts() const { return {nullptr, L"", kLongText.c_str()}; }
    std::vector<HWND> Windows() const { return {nullptr, destroyed_, foreign_.get()}; }

    wchar_t start_[MAX_PATH] = {};
    TempFolder temp_;
    ForeignWindow foreign_;
    HWND destroyed_ = nullptr;
    Library library_;
};

TEST_F(HostileCalls, MessagesAndCaptions) {
    using Caption = std::int32_t (*)(std::int32_t, std::int32_t, const wchar_t*, wchar_t*);
    using FormatCaption = std::int32_t (*)(std::int32_t, std::int32_t, const wchar_t*, wchar_t*,
                                           const wchar_t*, const wchar_t*);
    auto caption = Get<Caption>("GetLocaleCaptionWS");
    auto format = Get<FormatCaption>("FormatLocaleCaptionWS");
    for (const wchar_t* text : Texts()) {
        const std::size_t length = text == nullptr ? 0 : wcslen(text);
        EXPECT_EQ(caption(0x409, 1, text, nullptr), static_cast<std::int32_t>(length));
        CanaryBuffer buffer;
        EXPECT_TRUE(buffer.WroteExactly(caption(-1, INT32_MIN, text, buffer.get())));
        for (const wchar_t* argument : Texts()) {
            CanaryBuffer formatted;
            EXPECT_TRUE(formatted.WroteExactly(
                format(0x409, 1, L"%s1%%s2%", formatted.get(), argument, text)));
        }
    }
    CanaryBuffer folder;
    EXPECT_TRUE(
        folder.WroteExactly(Get<std::int32_t (*)(wchar_t*)>("GetMessagesFolder")(folder.get())));
    EXPECT_EQ(Get<std::int32_t (*)(wchar_t*)>("GetMessagesFolder")(nullptr), 0)
        << "no installation here: the empty path";

    using Box = std::int32_t (*)(std::int32_t, HWND, const wchar_t*, const wchar_t*, std::int32_t,
                                 std::int32_t);
    using FormatBox = std::int32_t (*)(std::int32_t, HWND, const wchar_t*, const wchar_t*,
                                       const wchar_t*, std::int32_t, std::int32_t);
    const DialogCloser closer;
    auto box = Get<Box>("ShowMessageDialog");
    auto formatBox = Get<FormatBox>("FormatMessageDialog");
    for (HWND owner : {HWND(nullptr), destroyed_}) {
        for (const wchar_t* text : {(const wchar_t*)nullptr, kLongText.c_str()}) {
            // Closed at once by the closer, or not shown at all for a destroyed owner.
            const std::int32_t expected = owner == nullptr ? IDCANCEL : 0;
            EXPECT_EQ(box(0x409, owner, text, text, 1, MB_OK), expected);
            EXPECT_EQ(formatBox(0x409, owner, text, nullptr, text, 1, MB_OK), expected);
        }
    }
}

TEST_F(HostileCalls, SessionAndWindowHelpers) {
    using Handle16 = std::uint64_t (*)(HWND);
    Get<void (*)()>("StartTessalineSession")();
    for (HWND wnd : Windows()) {
        EXPECT_EQ(Get<Handle16>("RegisterSlideShowWindow")(wnd), 0u);
        EXPECT_EQ(Get<Handle16>("DeregisterSlideShowWindow")(wnd), 0u);
        Get<void (*)(HWND)>("SwitchToWindow")(wnd);
    }
    EXPECT_NE(Get<std::int32_t (*)()>("TessalineSlideShowStarted")(), 0);
    Get<void (*)()>("TessalineSlideShowsTerminated")();
    Get<void (*)()>("EndTessalineSession")();
    Get<void (*)()>("EndTessalineSession")();
    Get<void (*)()>("EndTessaline")();
    Get<void (*)()>("StartTessaline")();
    Get<void (*)()>("StartTessaline")();
    Get<void (*)()>("EndTessaline")();

    EXPECT_EQ(Get<std::intptr_t (*)(const VARIANT*)>("GetSSWHandle")(nullptr), 0);
    Get<void (*)(char*)>("CreateNewSyncGroupId")(nullptr);
    Get<void (*)()>("InitializeTessaline")();
    Get<void (*)()>("ShutdownTessaline")();
}

TEST_F(HostileCalls, Monitors) {
    using Info =
        std::int32_t (*)(std::int32_t, std::int32_t*, std::int32_t*, std::int32_t*, std::int32_t*);
    auto info = Get<Info>("GetMonitorInfo");
    const std::int32_t count = Get<std::int32_t (*)()>("GetMonitorCount")();
    for (std::int32_t index : {INT32_MIN, -1, 0, 1, count, count + 1, INT32_MAX}) {
        info(index, nullptr, nullptr, nullptr, nullptr);
    }
    auto show = Get<void (*)(std::int32_t)>("ShowMonitorNumbers");
    show(INT32_MIN);
    show(-1);
    show(0);
}

TEST_F(HostileCalls, FilesAndDialogs) {
    using Path = void (*)(const wchar_t*);
    using Test16 = std::uint64_t (*)(const wchar_t*);
    for (const wchar_t* path : Texts()) {
        for (const char* name :
             {"LChDir", "LMkDir", "LForceMkDir", "LDeleteFile", "CreateUnicodeIniFile"}) {
            Get<Path>(name)(path);
        }
        EXPECT_EQ(Get<Test16>("LFolderExists")(path), 0u);
        EXPECT_EQ(Get<Test16>("LFileExists")(path), 0u);
        for (const wchar_t* target : Texts()) {
            CanaryBuffer buffer;
            using Relative = std::int32_t (*)(const wchar_t*, const wchar_t*, wchar_t*);
            EXPECT_TRUE(
                buffer.WroteExactly(Get<Relative>("RelativePath")(path, target, buffer.get())));
        }
    }
    EXPECT_EQ(CountEntries(temp_.path()), 0) << "nothing was created in the current folder";

    using Buffer = std::int32_t (*)(wchar_t*);
    for (const char* name : {"LCurDir", "UserAppDataFolder"}) {
        EXPECT_GT(Get<Buffer>(name)(nullptr), 0) << name << " measures without a buffer";
        CanaryBuffer buffer;
        EXPECT_TRUE(buffer.WroteExactly(Get<Buffer>(name)(buffer.get()))) << name;
    }

    const DialogCloser closer;
    for (const char* name : {"FileOpenDialog", "FileSaveDialog", "InsertMovieDialog"}) {
        CanaryBuffer buffer;
        EXPECT_EQ(Get<Buffer>(name)(buffer.get()), 0) << name;
        EXPECT_TRUE(buffer.Untouched()) << name;
        EXPECT_EQ(Get<Buffer>(name)(nullptr), 0) << name;
    }
}

}  // namespace

namespace {

TEST_F(HostileCalls, NotesViewsNeverHandedOut) {
    using Create = std::intptr_t (*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t);
    using Handle = void (*)(std::intptr_t);
    using HandleText = void (*)(std::intptr_t, const wchar_t*);
    const std::intptr_t destroyed = Get<Create>("CreateNotesView")(0, 0, 200, 100);
    ASSERT_NE(destroyed, 0);
    Get<Handle>("DestroyNotesView")(destroyed);
    int onStack = 0;
    for (std::intptr_t view : {std::intptr_t{0}, destroyed, std::intptr_t{0x12345678},
                               reinterpret_cast<std::intptr_t>(&onStack), std::intptr_t{-1}}) {
        for (const wchar_t* text : Texts()) {
            Get<HandleText>("SetNotesTitle")(view, text);
            Get<HandleText>("SetNotesText")(view, text);
        }
        Get<Handle>("ShowNotesView")(view);
        Get<Handle>("HideNotesView")(view);
        Get<Handle>("DestroyNotesView")(view);
    }
    EXPECT_EQ(onStack, 0) << "nothing was written through a handle never handed out";

    // Real views take any text, and a view the add-in forgets is destroyed at unload.
    const std::intptr_t view = Get<Create>("CreateNotesView")(INT32_MIN, INT32_MIN, -5, -5);
    for (const wchar_t* text : Texts()) {
        Get<HandleText>("SetNotesTitle")(view, text);
        Get<HandleText>("SetNotesText")(view, text);
    }
}

}  // namespace
