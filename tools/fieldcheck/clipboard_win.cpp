#include "tools/fieldcheck/clipboard_win.h"

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <utility>

#include "tools/fieldcheck/report_win.h"
#include "tools/fieldcheck/windows_win.h"
#include "tools/hostkit/clipboard_win.h"

namespace fieldcheck {
namespace {

using hostkit::MessageWindow;
using hostkit::OpenClipboardPatiently;

// How a format's data is held, and so how it is copied and made again: global memory, or a
// graphics object that the system hands out by its handle.
enum class Kind { kMemory, kBitmap, kEnhancedMetafile, kMetafilePicture, kPalette, kNone };

// Data for the clipboard, freed as its kind wants unless the clipboard takes it.
class ClipboardData {
  public:
    ClipboardData(Kind kind, HANDLE handle) : kind_(kind), handle_(handle) {}
    ClipboardData(ClipboardData&& other) noexcept
        : kind_(other.kind_), handle_(std::exchange(other.handle_, nullptr)) {}
    ~ClipboardData();
    ClipboardData(const ClipboardData&) = delete;
    ClipboardData& operator=(const ClipboardData&) = delete;
    ClipboardData& operator=(ClipboardData&&) = delete;

    HANDLE get() const { return handle_; }
    bool SetAs(UINT format) {
        if (handle_ == nullptr || SetClipboardData(format, handle_) == nullptr) return false;
        handle_ = nullptr;  // the clipboard's now
        return true;
    }

  private:
    Kind kind_;
    HANDLE handle_;
};

ClipboardData::~ClipboardData() {
    if (handle_ == nullptr) return;
    switch (kind_) {
        case Kind::kEnhancedMetafile:
            DeleteEnhMetaFile(static_cast<HENHMETAFILE>(handle_));
            break;
        case Kind::kBitmap:
        case Kind::kPalette:
            DeleteObject(handle_);
            break;
        case Kind::kMetafilePicture:
            if (const tessalin::UniqueGlobalLock picture(GlobalLock(handle_), {handle_}); picture) {
                DeleteMetaFile(static_cast<const METAFILEPICT*>(picture.get())->hMF);
            }
            GlobalFree(handle_);
            break;
        default:
            GlobalFree(handle_);
    }
}

// Global memory with a copy of `bytes` bytes of `data`; the kind says how it is freed.
ClipboardData Memory(const void* data, std::size_t bytes, Kind kind = Kind::kMemory) {
    return ClipboardData(kind, hostkit::GlobalCopy(data, bytes).release());
}

std::wstring FormatName(UINT format) {
    static constexpr const wchar_t* kStandard[] = {nullptr,
                                                   L"text",
                                                   L"bitmap",
                                                   L"metafile picture",
                                                   L"SYLK",
                                                   L"DIF",
                                                   L"TIFF",
                                                   L"OEM text",
                                                   L"DIB",
                                                   L"palette",
                                                   L"pen data",
                                                   L"RIFF audio",
                                                   L"wave audio",
                                                   L"Unicode text",
                                                   L"enhanced metafile",
                                                   L"file list",
                                                   L"locale",
                                                   L"DIBV5"};
    if (format < std::size(kStandard) && kStandard[format] != nullptr) return kStandard[format];
    if (format >= CF_OWNERDISPLAY && format <= CF_DSPENHMETAFILE) {
        return format == CF_OWNERDISPLAY ? L"owner display" : L"display format of its owner";
    }
    if (format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST)
        return L"private format of its owner";
    if (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST) return L"graphics object of its owner";
    wchar_t name[128] = {};
    return GetClipboardFormatNameW(format, name, 128) > 0 ? name : L"unnamed format";
}

Kind KindOf(UINT format) {
    switch (format) {
        case CF_BITMAP:
        case CF_DSPBITMAP:
            return Kind::kBitmap;
        case CF_ENHMETAFILE:
        case CF_DSPENHMETAFILE:
            return Kind::kEnhancedMetafile;
        case CF_METAFILEPICT:
        case CF_DSPMETAFILEPICT:
            return Kind::kMetafilePicture;
        case CF_PALETTE:
            return Kind::kPalette;
        case CF_OWNERDISPLAY:
            return Kind::kNone;  // drawn by its owner, no data at all
        default:
            break;
    }
    // Handles that only their owner knows what to do with; and the OLE clipboard's pointers to
    // the object of a running program, whose data the other formats carry.
    if (format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST) return Kind::kNone;
    const std::wstring name = FormatName(format);
    return name == L"DataObject" || name == L"Ole Private Data" ? Kind::kNone : Kind::kMemory;
}

// The bytes that make the data again: global memory's own, a bitmap's pixels as a DIB, a
// metafile's records (behind the picture's header), a palette's entries. Empty if it cannot.
std::vector<char> BytesOf(Kind kind, HANDLE data) {
    std::vector<char> bytes;
    switch (kind) {
        case Kind::kMemory:
            bytes = hostkit::GlobalBytes(data);
            break;
        case Kind::kBitmap: {
            BITMAP bitmap{};
            if (GetObjectW(data, sizeof bitmap, &bitmap) == 0) break;
            const BITMAPINFOHEADER header{sizeof header, bitmap.bmWidth, bitmap.bmHeight, 1, 32,
                                          BI_RGB};
            bytes.resize(sizeof header + std::size_t{4} * static_cast<std::size_t>(
                                                              bitmap.bmWidth * bitmap.bmHeight));
            std::memcpy(bytes.data(), &header, sizeof header);
            const tessalin::UniqueWindowDc screen(GetDC(nullptr));
            if (!GetDIBits(screen.get(), static_cast<HBITMAP>(data), 0,
                           static_cast<UINT>(bitmap.bmHeight), bytes.data() + sizeof header,
                           reinterpret_cast<BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS)) {
                bytes.clear();
            }
            break;
        }
        case Kind::kEnhancedMetafile: {
            const auto metafile = static_cast<HENHMETAFILE>(data);
            bytes.resize(GetEnhMetaFileBits(metafile, 0, nullptr));
            if (GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()),
                                   reinterpret_cast<BYTE*>(bytes.data())) == 0) {
                bytes.clear();
            }
            break;
        }
        case Kind::kMetafilePicture: {
            METAFILEPICT header{};
            {
                const tessalin::UniqueGlobalLock picture(GlobalLock(data), {data});
                if (!picture) break;
                header = *static_cast<const METAFILEPICT*>(picture.get());
            }
            const UINT size = GetMetaFileBitsEx(header.hMF, 0, nullptr);
            bytes.resize(sizeof header + size);
            if (size == 0 ||
                GetMetaFileBitsEx(header.hMF, size, bytes.data() + sizeof header) == 0) {
                bytes.clear();
                break;
            }
            header.hMF = nullptr;
            std::memcpy(bytes.data(), &header, sizeof header);
            break;
        }
        case Kind::kPalette: {
            const auto palette = static_cast<HPALETTE>(data);
            const UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
            bytes.resize(offsetof(LOGPALETTE, palPalEntry) + count * sizeof(PALETTEENTRY));
            auto* logical = reinterpret_cast<LOGPALETTE*>(bytes.data());
            logical->palVersion = 0x300;
            logical->palNumEntries = static_cast<WORD>(count);
            if (count == 0 || GetPaletteEntries(palette, 0, count, logical->palPalEntry) != count) {
                bytes.clear();
            }
            break;
        }
        case Kind::kNone:
            break;
    }
    return bytes;
}

// The data made again from BytesOf's bytes, for the clipboard to take.
ClipboardData FromBytes(Kind kind, const std::vector<char>& bytes) {
    const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
    switch (kind) {
        case Kind::kBitmap: {
            const auto* info = reinterpret_cast<const BITMAPINFO*>(data);
            const tessalin::UniqueWindowDc screen(GetDC(nullptr));
            return ClipboardData(
                kind, CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT,
                                     data + sizeof(BITMAPINFOHEADER), info, DIB_RGB_COLORS));
        }
        case Kind::kEnhancedMetafile:
            return ClipboardData(kind, SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), data));
        case Kind::kMetafilePicture: {
            METAFILEPICT header{};
            std::memcpy(&header, data, sizeof header);
            header.hMF = SetMetaFileBitsEx(static_cast<UINT>(bytes.size() - sizeof header),
                                           data + sizeof header);
            if (header.hMF == nullptr) return ClipboardData(kind, nullptr);
            ClipboardData picture = Memory(&header, sizeof header, kind);
            if (picture.get() == nullptr) DeleteMetaFile(header.hMF);
            return picture;
        }
        case Kind::kPalette:
            return ClipboardData(kind, CreatePalette(reinterpret_cast<const LOGPALETTE*>(data)));
        default:
            return Memory(data, bytes.size());
    }
}

// Clipboard history and monitoring programs leave out what carries these (the system's formats
// for that, and an older one that password managers still set).
bool KeptOutOfHistory() {
    if (IsClipboardFormatAvailable(
            RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing")) ||
        IsClipboardFormatAvailable(RegisterClipboardFormatW(L"Clipboard Viewer Ignore"))) {
        return true;
    }
    const std::vector<char> include = BytesOf(
        Kind::kMemory, GetClipboardData(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory")));
    DWORD value = 1;
    if (include.size() >= sizeof value) std::memcpy(&value, include.data(), sizeof value);
    return value == 0;
}

// What the check copies: for a window of its own, kept out of clipboard history.
template <class Put>
bool Copy(Put&& put) {
    const UniqueWindow owner = MessageWindow();
    const hostkit::ClipboardCopy copy(owner.get());
    if (!copy.opened()) return false;
    const bool placed = put(copy);
    hostkit::KeepOutOfHistory();
    return placed;
}

}  // namespace

SavedClipboard::SavedClipboard() {
    const UniqueWindow owner = MessageWindow();
    {
        const hostkit::OpenedClipboard open = OpenClipboardPatiently(owner.get());
        if (!open) return;
        kept_ = true;
        excluded_ = KeptOutOfHistory();
        for (UINT format = excluded_ ? 0 : EnumClipboardFormats(0); format != 0;
             format = EnumClipboardFormats(format)) {
            const Kind kind = KindOf(format);
            HANDLE data = kind != Kind::kNone ? GetClipboardData(format) : nullptr;
            std::vector<char> bytes = data != nullptr ? BytesOf(kind, data) : std::vector<char>();
            if (bytes.empty()) {
                leftOut_.push_back(FormatName(format));
            } else {
                formats_.push_back({format, std::move(bytes)});
            }
        }
    }
    // Read once it is closed: what the copying rendered may count as a change.
    sequence_ = GetClipboardSequenceNumber();
}

bool SavedClipboard::Restore() {
    if (restored_) return putBack_;
    restored_ = true;
    if (!kept_) {
        outcome_ = L"the clipboard, busy at the start, left as it was";
        return false;
    }
    if (GetClipboardSequenceNumber() == sequence_) {
        outcome_ = L"the clipboard untouched since the start";
        return putBack_ = true;
    }
    const UniqueWindow owner = MessageWindow();
    const hostkit::OpenedClipboard open = OpenClipboardPatiently(owner.get());
    if (!open || !EmptyClipboard()) {
        outcome_ = L"the clipboard stayed busy: its content could not be put back";
        return false;
    }
    if (excluded_) {
        outcome_ =
            L"the clipboard held content that its owner keeps out of clipboard history (a "
            L"password manager's, say): not copied, not put back, and the clipboard left empty";
        return putBack_ = true;
    }
    std::wstring names;
    std::size_t count = 0;
    for (const Held& format : formats_) {
        if (!FromBytes(KindOf(format.id), format.bytes).SetAs(format.id)) continue;
        names += (count++ == 0 ? L" (" : L", ") + FormatName(format.id);
    }
    outcome_ = formats_.empty() && leftOut_.empty()
                   ? std::wstring(L"the clipboard, empty at the start, left empty")
                   : Format(L"the clipboard's %zu format(s) put back%ls", count,
                            count > 0 ? (names + L")").c_str() : L"");
    for (std::size_t i = 0; i < leftOut_.size(); ++i) {
        outcome_ +=
            (i == 0 ? L"; left out, as only their owner can make them: " : L", ") + leftOut_[i];
    }
    putBack_ = count == formats_.size();
    return putBack_;
}

bool PutNotes(const std::string& rtf) {
    return Copy([&](const hostkit::ClipboardCopy& copy) { return copy.PutNotes(rtf); });
}

bool PutPlainNotes(const std::wstring& text) {
    return Copy([&](const hostkit::ClipboardCopy& copy) { return copy.PutText(text); });
}

std::wstring ClipboardText() {
    const UniqueWindow owner = MessageWindow();
    const hostkit::OpenedClipboard open = OpenClipboardPatiently(owner.get());
    const std::vector<char> bytes =
        open ? BytesOf(Kind::kMemory, GetClipboardData(CF_UNICODETEXT)) : std::vector<char>();
    const auto* text = reinterpret_cast<const wchar_t*>(bytes.data());
    return std::wstring(text, wcsnlen(text, bytes.size() / sizeof(wchar_t)));
}

}  // namespace fieldcheck
