// The session and movie file dialogs: the item dialog where visual styles are in use, the
// classic Explorer-style dialog elsewhere.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "frame/call_conventions.h"
#include "frame/com_ptr_win.h"
#include "frame/export_guard.h"
#include "frame/function_lookup_win.h"
#include "frame/unique_resource_win.h"
#include "frame/wide_win.h"
#include "fs/current_directory_win.h"
#include "fs/file_dialogs_win.h"

namespace tessalin {
namespace {

// While a dialog is up, the thread's visible enabled top-level windows take no input; they
// are enabled again afterwards, those that still exist, and the window that was active when
// the call began is put back in front, whichever dialog ran.
class DisabledThreadWindows {
  public:
    DisabledThreadWindows() : active_(GetActiveWindow()) {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(&windows_));
    }
    ~DisabledThreadWindows() {
        for (HWND wnd : windows_) {
            if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
        }
        // The dialog has no owner, and it closed while every window of the thread was
        // disabled: the system gave the foreground to some window behind it, often another
        // program's, and activation inside the thread alone does not bring the host forward.
        // The user's last input went to the dialog, which lets this process take the
        // foreground back. Where that is refused, the window is at least active again.
        SetForegroundWindow(active_);
        SetActiveWindow(active_);
    }
    DisabledThreadWindows(const DisabledThreadWindows&) = delete;
    DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

  private:
    static BOOL CALLBACK Disable(HWND wnd, LPARAM windows) noexcept {
        return Guarded<BOOL>(TRUE, [&] {
            if (IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
                reinterpret_cast<std::vector<HWND>*>(windows)->push_back(wnd);
                EnableWindow(wnd, FALSE);
            }
            return TRUE;
        });
    }

    HWND active_;
    std::vector<HWND> windows_;
};

unsigned CommonControlsMajorVersion() {
    using GetVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    const auto getVersion =
        Lookup<GetVersionFn>(GetModuleHandleW(L"comctl32.dll"), "DllGetVersion");
    if (getVersion == nullptr) return 0;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    return SUCCEEDED(getVersion(&info)) ? info.dwMajorVersion : 0;
}

unsigned OsMajorVersion() {
    // GetVersionEx reports what the process is manifested for; the kernel's own number is
    // the one that says whether the item dialog exists.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtlGetVersion =
        Lookup<RtlGetVersionFn>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (rtlGetVersion == nullptr || rtlGetVersion(&version) != 0) return 0;
    return version.dwMajorVersion;
}

// Places the classic dialog on the primary monitor, centred across and at a third down.
UINT_PTR CALLBACK CenteringHook(HWND hookDialog, UINT msg, WPARAM, LPARAM lParam) noexcept {
    return Guarded<UINT_PTR>(0, [&]() -> UINT_PTR {
        if (msg != WM_NOTIFY) return 0;
        const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
        if (notify == nullptr || notify->code != CDN_INITDONE) return 0;
        HWND dialog = GetParent(hookDialog);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        RECT frame;
        GetWindowRect(dialog, &frame);
        const RECT& m = monitor.rcMonitor;
        const LONG width = frame.right - frame.left;
        const LONG height = frame.bottom - frame.top;
        SetWindowPos(dialog, nullptr, m.left + (m.right - m.left - width) / 2,
                     m.top + (m.bottom - m.top - height) / 3, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    });
}

std::optional<Text> RunClassicDialog(const DialogSettings& settings, const Text& folder) {
    const Text filter = ClassicFilter(settings.filter);
    wchar_t fileName[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = AsWide(filter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = AsWide(folder);
    dialog.lpstrTitle = reinterpret_cast<const wchar_t*>(settings.title);
    dialog.lpstrDefExt = reinterpret_cast<const wchar_t*>(settings.defaultExtension);
    dialog.Flags = ClassicDialogFlags(settings.options);
    dialog.lpfnHook = CenteringHook;

    const BOOL chosen =
        settings.kind == DialogKind::kSave ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return Text(AsText(fileName));
}

}  // namespace

bool CreateItemDialog(const DialogSettings& settings, const Text& folder,
                      ComPtr<IFileDialog>& dialog) {
    const CLSID& kind =
        settings.kind == DialogKind::kSave ? CLSID_FileSaveDialog : CLSID_FileOpenDialog;
    if (FAILED(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog,
                                dialog.putVoid())) ||
        dialog.get() == nullptr) {
        return false;
    }
    dialog->SetDefaultExtension(reinterpret_cast<const wchar_t*>(settings.defaultExtension));
    dialog->SetTitle(reinterpret_cast<const wchar_t*>(settings.title));
    ComPtr<IShellItem> start;
    if (SUCCEEDED(SHCreateItemFromParsingName(AsWide(folder), nullptr, IID_IShellItem,
                                              start.putVoid()))) {
        dialog->SetFolder(start.get());
    }
    const auto pairs = FilterPairs(settings.filter);
    std::vector<COMDLG_FILTERSPEC> types;
    for (const auto& [name, patterns] : pairs) types.push_back({AsWide(name), AsWide(patterns)});
    dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data());
    dialog->SetFileTypeIndex(1);
    dialog->SetOptions(ItemDialogFlags(settings.options));
    if (settings.kind == DialogKind::kOpen) {
        FILEOPENDIALOGOPTIONS options = 0;
        if (SUCCEEDED(dialog->GetOptions(&options)))
            dialog->SetOptions(options | kForcePreviewPaneOn);
    }
    return true;
}

namespace {

std::optional<Text> RunItemDialog(IFileDialog& dialog) {
    if (FAILED(dialog.Show(nullptr))) return std::nullopt;
    ComPtr<IShellItem> chosen;
    if (FAILED(dialog.GetResult(chosen.put())) || chosen.get() == nullptr) return std::nullopt;
    UniqueCoTaskText path;
    // An item with no file-system path (a library, a device) is no choice the add-in can use.
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, path.put())) || path.get() == nullptr) {
        return std::nullopt;
    }
    return Text(AsText(path.get()));
}

std::optional<Text> ChooseFile(const DialogSettings& settings, DialogRoad road) {
    const Text folder = InitialFolder(CurrentDirectory());
    // An item dialog that cannot be made (a broken shell registration, say) must not look
    // like a cancel to the caller, who could not tell the two apart: the classic dialog is
    // shown instead.
    ComPtr<IFileDialog> item;
    const bool useItem = road == DialogRoad::kItem && CreateItemDialog(settings, folder, item);
    const DisabledThreadWindows disabled;
    return useItem ? RunItemDialog(*item.get()) : RunClassicDialog(settings, folder);
}

}  // namespace

DialogRoad PlatformDialogRoad() {
    // The theme library comes from the system folder only, and its functions are looked up
    // there: an import would have the loader search the host program's folder first, where a
    // copy could lie (uxtheme.dll is not one of the system's known DLLs).
    UniqueModule theme(LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const auto query = [&](const char* name) {
        const auto function = Lookup<BOOL(WINAPI*)()>(theme.get(), name);
        return function != nullptr && function() != FALSE;
    };
    DialogPlatform platform{OsMajorVersion(), static_cast<bool>(theme), false, false,
                            CommonControlsMajorVersion()};
    if (theme) {
        platform.appThemed = query("IsAppThemed");
        platform.themeActive = query("IsThemeActive");
    }
    return UseItemDialog(platform) ? DialogRoad::kItem : DialogRoad::kClassic;
}

std::int32_t RunFileDialog(const DialogSettings& settings, DialogRoad road, wchar_t* buffer) {
    const std::optional<Text> chosen = ChooseFile(settings, road);
    if (!chosen || LengthOf(*chosen) == 0) return 0;
    return TextOut(buffer, *chosen);
}

}  // namespace tessalin
