#include "clipboard_win.h"

#include <cstring>
#include <optional>

#include "frame/export_guard.h"
#include "report_win.h"
#include "windows_win.h"

namespace fieldcheck {
namespace {

using tessalin::UniqueClipboard;

// A window to own what the check puts on the clipboard: opened without one, the clipboard
// would take no data on Windows.
UniqueWindow MessageWindow() {
    return UniqueWindow(
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

// Clipboard watchers open the clipboard right after each change; they let go within moments.
std::optional<UniqueClipboard> OpenPatiently(HWND owner) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(owner)) return UniqueClipboard(owner);
        Sleep(20);
    }
    return std::nullopt;
}

// Global memory that goes back to the system unless the clipboard takes it.
class GlobalBlock {
  public:
    GlobalBlock(const void* data, std::size_t bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        void* target = memory_ != nullptr ? GlobalLock(memory_) : nullptr;
        if (target == nullptr) return;
        std::memcpy(target, data, bytes);
        GlobalUnlock(memory_);
    }
    ~GlobalBlock() {
        if (memory_ != nullptr) GlobalFree(memory_);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    bool SetAs(UINT format) {
        if (memory_ == nullptr || SetClipboardData(format, memory_) == nullptr) return false;
        memory_ = nullptr;  // the clipboard's now
        return true;
    }

  private:
    HGLOBAL memory_;
};

std::wstring FormatName(UINT format) {
    switch (format) {
        case CF_TEXT:
            return L"text";
        case CF_OEMTEXT:
            return L"OEM text";
        case CF_UNICODETEXT:
            return L"Unicode text";
        case CF_LOCALE:
            return L"locale";
        case CF_DIB:
            return L"DIB";
        case CF_DIBV5:
            return L"DIBV5";
        case CF_HDROP:
            return L"file list";
        default:
            break;
    }
    wchar_t name[128] = {};
    return GetClipboardFormatNameW(format, name, 128) > 0 ? name : Format(L"format %u", format);
}

// Handles of the system's graphics (bitmaps, metafiles, palettes), data that only its owner can
// draw, and the OLE clipboard's pointers to the object of a running program are no copies that
// could be put back; everything else lives in global memory.
bool CopyableFormat(UINT format) {
    switch (format) {
        case CF_BITMAP:
        case CF_METAFILEPICT:
        case CF_PALETTE:
        case CF_ENHMETAFILE:
        case CF_OWNERDISPLAY:
        case CF_DSPBITMAP:
        case CF_DSPMETAFILEPICT:
        case CF_DSPENHMETAFILE:
            return false;
        default:
            break;
    }
    if (format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST) return false;
    const std::wstring name = FormatName(format);
    return name != L"DataObject" && name != L"Ole Private Data";
}

// Clipboard history (Windows+V) and its cloud copy leave out what carries these, so that the
// check's notes do not outlive it there.
void KeepOutOfHistory() {
    const DWORD no = 0;
    GlobalBlock(&no, sizeof no).SetAs(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"));
    GlobalBlock(&no, sizeof no).SetAs(RegisterClipboardFormatW(L"CanUploadToCloudClipboard"));
    GlobalBlock(&no, sizeof no)
        .SetAs(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"));
}

bool Put(UINT format, const void* data, std::size_t bytes) {
    const UniqueWindow owner = MessageWindow();
    const std::optional<UniqueClipboard> open = OpenPatiently(owner.get());
    if (!open || !EmptyClipboard()) return false;
    const bool placed = GlobalBlock(data, bytes).SetAs(format);
    KeepOutOfHistory();
    return placed;
}

}  // namespace

SavedClipboard::SavedClipboard() {
    const UniqueWindow owner = MessageWindow();
    const std::optional<UniqueClipboard> open = OpenPatiently(owner.get());
    if (!open) return;
    kept_ = true;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        HANDLE data = CopyableFormat(format) ? GetClipboardData(format) : nullptr;
        const SIZE_T bytes = data != nullptr ? GlobalSize(data) : 0;
        const void* source = bytes > 0 ? GlobalLock(data) : nullptr;
        if (source == nullptr) {
            leftOut_.push_back(FormatName(format));
            continue;
        }
        const char* begin = static_cast<const char*>(source);
        formats_.push_back({format, std::vector<char>(begin, begin + bytes)});
        GlobalUnlock(data);
    }
}

bool SavedClipboard::Restore() {
    if (restored_) return putBack_;
    restored_ = true;
    if (!kept_) {
        outcome_ = L"the clipboard, busy at the start, left as it was";
        return false;
    }
    const UniqueWindow owner = MessageWindow();
    const std::optional<UniqueClipboard> open = OpenPatiently(owner.get());
    if (!open || !EmptyClipboard()) {
        outcome_ = L"the clipboard stayed busy: its content could not be put back";
        return false;
    }
    std::wstring names;
    std::size_t count = 0;
    for (const Held& format : formats_) {
        if (!GlobalBlock(format.bytes.data(), format.bytes.size()).SetAs(format.id)) continue;
        names += (count++ == 0 ? L" (" : L", ") + FormatName(format.id);
    }
    outcome_ = formats_.empty() && leftOut_.empty()
                   ? std::wstring(L"the clipboard, empty at the start, left empty")
                   : Format(L"the clipboard's %zu format(s) put back%ls", count,
                            count > 0 ? (names + L")").c_str() : L"");
    for (std::size_t i = 0; i < leftOut_.size(); ++i) {
        outcome_ +=
            (i == 0 ? L"; left out, as no copy of them can be made: " : L", ") + leftOut_[i];
    }
    putBack_ = count == formats_.size();
    return putBack_;
}

bool PutNotes(const std::string& rtf) {
    return Put(RegisterClipboardFormatW(L"Rich Text Format"), rtf.c_str(), rtf.size() + 1);
}

bool PutPlainNotes(const std::wstring& text) {
    return Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

ClipboardHolder::ClipboardHolder(DWORD milliseconds)
    : opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    HANDLE opened = opened_.get();
    thread_ = std::thread([this, opened, milliseconds] {
        tessalin::Guarded([&] {
            // Opened for a window of this thread: one opened for none could be taken over by
            // any other such opening.
            const UniqueWindow own = MessageWindow();
            held_ = own && OpenClipboard(own.get());
            SetEvent(opened);
            Sleep(milliseconds);
            if (held_) CloseClipboard();
        });
        SetEvent(opened);
    });
    WaitForSingleObject(opened, 5000);
}

ClipboardHolder::~ClipboardHolder() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace fieldcheck
