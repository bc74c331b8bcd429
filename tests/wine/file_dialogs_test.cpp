// The session and movie dialogs on both platform dialogs, driven from a second thread as a
// user would: read what the dialog shows, type a name, press OK or Cancel, answer its
// questions. The classic dialog is the one the DLL's exports show under Wine. The item
// dialog is driven through the library's own dialog code, linked into this program: Wine's
// common controls report version 5 whatever the manifest asks for, so the DLL never
// chooses it here.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>
#include <shobjidl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "frame/com_ptr_win.h"
#include "fs/file_dialogs_win.h"
#include "support/foreign_window.h"
#include "support/library.h"
#include "support/message_box.h"
#include "support/temp_folder.h"
#include "support/windows.h"
#include "tools/hostkit/apartment_win.h"

using namespace testing_support;
using tessalin::DialogRoad;

namespace {

// Control identifiers that both platform dialogs share.
constexpr int kFileTypesId = 0x470;

HWND FindChild(HWND parent, const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        HWND found = nullptr;
    } search{className};
    EnumChildWindows(
        parent,
        [](HWND wnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (!IsWindowVisible(wnd) || ClassOf(wnd) != s->className) return TRUE;
            s->found = wnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// This process's visible file dialog (a dialog box with a file-types list), if one is up.
HWND FindFileDialog() {
    for (HWND dialog : VisibleDialogs()) {
        if (GetDlgItem(dialog, kFileTypesId) != nullptr) return dialog;
    }
    return nullptr;
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)),
                          L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(item);
    }
    return items;
}

std::vector<std::wstring> ListedNames(HWND list) {
    std::vector<std::wstring> names;
    const auto count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t name[MAX_PATH] = {};
        LVITEMW item{};
        item.pszText = name;
        item.cchTextMax = MAX_PATH;
        SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        names.push_back(name);
    }
    return names;
}

// What the user saw of the file dialog.
struct Seen {
    std::wstring title;
    bool item = false;  // the item dialog (with an explorer browser), not the classic one
    std::vector<std::wstring> fileTypes;
    LRESULT selectedType = -1;
    std::vector<std::wstring> listed;  // what the file list shows at first
    RECT rect{};
    bool hostEnabled = true;
    bool stayedOpen = false;  // after OK: the dialog was still up a while later
};

// Waits for the file dialog, records what it shows, chooses the last file type ("All
// Files") when asked, types `typed` and presses OK, or presses Cancel when `typed` is empty.
// A dialog still up a while after OK is cancelled, together with any question it still asks.
// Questions are answered by a MessageBoxAnswerer on the dialog's thread.
Seen ActOnDialog(const std::wstring& typed, bool allFiles, HWND host) {
    Seen seen;
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && dialog == nullptr; ++i) {
        Sleep(20);
        dialog = FindFileDialog();
    }
    if (dialog == nullptr) return seen;
    Sleep(500);  // let the dialog place itself and fill its list
    seen.title = TextOf(dialog);
    seen.item = FindChild(dialog, L"ExplorerBrowserControl") != nullptr;
    HWND types = GetDlgItem(dialog, kFileTypesId);
    seen.fileTypes = ComboItems(types);
    seen.selectedType = SendMessageW(types, CB_GETCURSEL, 0, 0);
    seen.listed = ListedNames(FindChild(dialog, L"SysListView32"));
    GetWindowRect(dialog, &seen.rect);
    seen.hostEnabled = IsWindowEnabled(host);
    if (allFiles) {  // as a click in the list does, with the notifications it sends
        SendMessageW(types, CB_SETCURSEL, 1, 0);
        for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypesId, notification),
                         reinterpret_cast<LPARAM>(types));
        }
    }
    if (!typed.empty()) {
        SendMessageW(FindChild(dialog, L"Edit"), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(typed.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(20);
        seen.stayedOpen = IsWindow(dialog);
    }
    for (int i = 0; i < 50 && IsWindow(dialog); ++i) {
        CancelDialogs();
        Sleep(100);
    }
    return seen;
}

// One of the three dialogs and what it shows of the files "a.tln", "b.avi", "c.xmpe" and
// "d.txt" under its first file type.
struct Dialog {
    const char* exportName;
    const tessalin::DialogSettings* settings;
    const wchar_t* title;
    const wchar_t* firstType;
    const wchar_t* extension;
    std::vector<std::wstring> listed;
};

const Dialog kLoad{"FileOpenDialog",
                   &tessalin::kLoadSessionDialog,
                   L"Load Tessaline Session",
                   L"Tessaline Session Files (*.tln)",
                   L".tln",
                   {L"a.tln"}};
const Dialog kSave{"FileSaveDialog",
                   &tessalin::kSaveSessionDialog,
                   L"Save Tessaline Session",
                   L"Tessaline Session Files (*.tln)",
                   L".tln",
                   {L"a.tln"}};
// "*mpe", lacking its dot, lists c.xmpe too.
const Dialog kMovie{"InsertMovieDialog",
                    &tessalin::kSelectMovieDialog,
                    L"Select Movie",
                    L"Movie Files (*.wmv;*.mpg;*.mpeg;*.mpe;*.avi)",
                    L".avi",
                    {L"b.avi", L"c.xmpe"}};

struct DialogCase {
    const Dialog* dialog;
    DialogRoad road;
};

// Each dialog on both roads.
auto Cases(std::initializer_list<const Dialog*> dialogs) {
    std::vector<DialogCase> cases;
    for (const Dialog* dialog : dialogs) {
        for (DialogRoad road : {DialogRoad::kClassic, DialogRoad::kItem})
            cases.push_back({dialog, road});
    }
    return testing::ValuesIn(cases);
}

void PrintTo(const DialogCase& c, std::ostream* out) {
    *out << c.dialog->exportName << (c.road == DialogRoad::kItem ? " (item)" : " (classic)");
}

std::string NameOf(const testing::TestParamInfo<DialogCase>& info) {
    return std::string(info.param.dialog->exportName) +
           (info.param.road == DialogRoad::kItem ? "_Item" : "_Classic");
}

class FileDialogs : public testing::TestWithParam<DialogCase> {
  protected:
    static void SetUpTestSuite() {
        hostClass_.emplace(L"TessalinTestHost");
        host_.emplace(L"TessalinTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    }
    static void TearDownTestSuite() {
        host_.reset();
        hostClass_.reset();
    }
    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, start_);
        SetCurrentDirectoryW(temp_.path().c_str());
        for (const wchar_t* name : {L"a.tln", L"b.avi", L"c.xmpe", L"d.txt"})
            WriteFileBytes(temp_ / name, "content");
        buffer_.fill(kCanary);
        SetActiveWindow(host_->get());
    }
    void TearDown() override { SetCurrentDirectoryW(start_); }

    const Dialog& dialog() const { return *GetParam().dialog; }

    // Shows the dialog while a user acts on it from another thread; the classic dialog
    // through the DLL's export, the item dialog through the linked dialog code.
    std::int32_t Show(const std::wstring& typed = L"", bool allFiles = false) {
        std::thread user([&] { seen_ = ActOnDialog(typed, allFiles, host_->get()); });
        const DialogCase& c = GetParam();
        const std::int32_t result =
            c.road == DialogRoad::kClassic
                ? library_.Get<std::int32_t (*)(wchar_t*)>(c.dialog->exportName)(buffer_.data())
                : tessalin::RunFileDialog(*c.dialog->settings, c.road, buffer_.data());
        user.join();
        return result;
    }

    // The buffer holds exactly the path and one NUL; the length is the path's.
    void ExpectWritten(std::int32_t length, const std::wstring& path) const {
        EXPECT_EQ(std::wstring(buffer_.data(), wcsnlen(buffer_.data(), buffer_.size())), path);
        EXPECT_EQ(length, static_cast<std::int32_t>(path.size()));
        EXPECT_EQ(buffer_[path.size() + 1], kCanary) << "one NUL, nothing after it";
    }

    static constexpr wchar_t kCanary = L'#';
    wchar_t start_[MAX_PATH] = {};
    TempFolder temp_;
    Library library_;
    const hostkit::Apartment ole_{hostkit::Apartment::With::kOle};  // as in every host
    // One host window for all tests: Wine takes seconds to destroy an active window.
    static inline std::optional<RecordingClass> hostClass_;
    static inline std::optional<TestWindow> host_;
    std::array<wchar_t, 600> buffer_;
    Seen seen_;
};

TEST_P(FileDialogs, ShowsItsSettingsInTheCurrentFolderAndCancelChangesNothing) {
    const ForeignWindow behind;  // another program's window, just behind the host's
    behind.ToFront();
    SetForegroundWindow(host_->get());
    EXPECT_EQ(Show(), 0);
    EXPECT_EQ(std::wstring(buffer_.data(), buffer_.size()), std::wstring(buffer_.size(), kCanary))
        << "a cancelled dialog writes nothing";

    EXPECT_EQ(seen_.item, GetParam().road == DialogRoad::kItem) << "the dialog of the road";
    EXPECT_EQ(seen_.title, dialog().title);
    EXPECT_EQ(seen_.fileTypes, (std::vector<std::wstring>{dialog().firstType, L"All Files (*.*)"}));
    EXPECT_EQ(seen_.selectedType, 0);
    EXPECT_EQ(seen_.listed, dialog().listed) << "the first type's files of the current folder";

    EXPECT_FALSE(seen_.hostEnabled) << "the host's windows take no input while the dialog is up";
    EXPECT_TRUE(IsWindowEnabled(host_->get())) << "and are enabled again afterwards";
    EXPECT_EQ(GetActiveWindow(), host_->get()) << "the host is active again";
    EXPECT_EQ(GetForegroundWindow(), host_->get()) << "and in front of the program behind";
    if (!seen_.item) {  // the classic dialog: centred on the primary monitor, a third down
        const RECT& r = seen_.rect;
        EXPECT_EQ(r.left, (1024 - (r.right - r.left)) / 2);
        EXPECT_EQ(r.top, (768 - (r.bottom - r.top)) / 3);
    } else {  // the item dialog, set up as it is shown, offers file-system places only
        tessalin::ComPtr<IFileDialog> item;
        FILEOPENDIALOGOPTIONS options = 0;
        ASSERT_TRUE(tessalin::CreateItemDialog(*dialog().settings, {}, item));
        item->GetOptions(&options);
        EXPECT_TRUE(options & FOS_FORCEFILESYSTEM) << "a place without a path cannot be chosen";
    }
}

TEST_P(FileDialogs, TypedNameComesBackWithTheDefaultExtensionAsAFullPath) {
    // The open dialogs find an existing file; the save dialog names a new one. With "All
    // Files" chosen, only the default extension can supply the extension.
    const bool save = &dialog() == &kSave;
    const std::wstring stem = save ? L"new" : dialog().listed[0].substr(0, 1);
    const std::wstring name = stem + dialog().extension;
    // Seen under Wine 8: its classic open dialog appends no extension at all, but says "File
    // does not exist", so there the whole name is typed; its item save dialog appends only
    // the chosen file type's extension, so there the first type stays chosen.
    const bool classicOpen = !save && GetParam().road == DialogRoad::kClassic;
    const bool itemSave = save && GetParam().road == DialogRoad::kItem;
    ExpectWritten(Show(classicOpen ? name : stem, !itemSave), temp_ / name);
}

TEST_P(FileDialogs, OpensInADriveRoot) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring root = std::wstring(windows, 3);  // such as "C:\"
    const std::wstring marker = root + L"tessalin-dialog-root" + dialog().extension;
    WriteFileBytes(marker, "content");
    SetCurrentDirectoryW(root.c_str());
    Show();
    DeleteFileW(marker.c_str());
    EXPECT_NE(std::find(seen_.listed.begin(), seen_.listed.end(), marker.substr(3)),
              seen_.listed.end())
        << testing::PrintToString(seen_.listed);
}

INSTANTIATE_TEST_SUITE_P(All, FileDialogs, Cases({&kLoad, &kSave, &kMovie}), NameOf);

using OpenDialogs = FileDialogs;

TEST_P(OpenDialogs, AMissingFileKeepsTheDialogOpen) {
    MessageBoxAnswerer answer(IDOK);
    EXPECT_EQ(Show(std::wstring(L"missing") + dialog().extension), 0);
    EXPECT_TRUE(answer.Seen().found) << "the dialog said why";
    EXPECT_TRUE(seen_.stayedOpen);
}

INSTANTIATE_TEST_SUITE_P(Open, OpenDialogs, Cases({&kLoad, &kMovie}), NameOf);

using SaveDialog = FileDialogs;

TEST_P(SaveDialog, AsksBeforeReplacingAnExistingFile) {
    MessageBoxAnswerer answer(IDYES);
    ExpectWritten(Show(L"a"), temp_ / L"a.tln");
    EXPECT_TRUE(answer.Seen().found) << "the dialog asked first";
}

INSTANTIATE_TEST_SUITE_P(Save, SaveDialog, Cases({&kSave}), NameOf);

// A class factory that makes nothing: registered for the shell's item dialogs, it makes
// creating them fail, as a broken shell registration would.
class NoDialogs : public IClassFactory {
  public:
    NoDialogs() {
        for (const CLSID* kind : {&CLSID_FileOpenDialog, &CLSID_FileSaveDialog}) {
            DWORD cookie = 0;
            if (SUCCEEDED(CoRegisterClassObject(*kind, this, CLSCTX_INPROC_SERVER,
                                                REGCLS_MULTIPLEUSE, &cookie)))
                cookies_.push_back(cookie);
        }
    }
    virtual ~NoDialogs() {
        for (DWORD cookie : cookies_) CoRevokeClassObject(cookie);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
        return *out != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** out) override {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

  private:
    std::vector<DWORD> cookies_;
};

using ItemDialogUnavailable = FileDialogs;

TEST_P(ItemDialogUnavailable, ShowsTheClassicDialogRatherThanASilentCancel) {
    const NoDialogs noDialogs;
    ExpectWritten(Show(L"new"), temp_ / L"new.tln");
    EXPECT_FALSE(seen_.item);
}

INSTANTIATE_TEST_SUITE_P(Item, ItemDialogUnavailable,
                         testing::Values(DialogCase{&kSave, DialogRoad::kItem}), NameOf);

}  // namespace
