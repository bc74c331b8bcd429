#include "notes/clipboard_win.h"

#include <algorithm>
#include <new>

#include "frame/unique_resource_win.h"
#include "notes/rtf_block.h"

namespace tessalin {
namespace {

constexpr DWORD kPollMilliseconds = 10;

// A clipboard owner on this thread may be asked to render for whoever holds the clipboard:
// the wait answers sent messages, and leaves posted ones for the host's own loop.
void AnswerSentMessagesFor(DWORD milliseconds) noexcept {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_SENDMESSAGE);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

UniqueClipboard OpenClipboardWithin(HWND window, DWORD patienceMs) noexcept {
    // Opened for no window, it could not be told apart from not opened, and never closed.
    if (window == nullptr) return UniqueClipboard();
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (OpenClipboard(window)) return UniqueClipboard(window);
        const ULONGLONG waited = GetTickCount64() - start;
        if (waited >= patienceMs) return UniqueClipboard();
        AnswerSentMessagesFor(
            static_cast<DWORD>(std::min<ULONGLONG>(kPollMilliseconds, patienceMs - waited)));
    }
}

class LockedGlobal {
  public:
    explicit LockedGlobal(HANDLE memory) noexcept : memory_(memory), data_(GlobalLock(memory)) {}
    ~LockedGlobal() {
        if (data_ != nullptr) GlobalUnlock(memory_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;

    const void* data() const noexcept { return data_; }

  private:
    HANDLE memory_;
    void* data_;
};

// The data of a clipboard format up to its first NUL, in units of Char; nothing when the owner
// did not render it or it is too large to copy. The block may be far larger than its data.
template <class Char>
std::optional<std::basic_string<Char>> ClipboardData(UINT format) {
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) return std::nullopt;
    const std::size_t units = GlobalSize(data) / sizeof(Char);
    const LockedGlobal locked(data);
    const auto* begin = static_cast<const Char*>(locked.data());
    if (begin == nullptr) return std::nullopt;
    try {
        return std::basic_string<Char>(begin, std::find(begin, begin + units, Char{}));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

UINT RtfFormat() noexcept {
    return RegisterClipboardFormatW(L"Rich Text Format");
}

}  // namespace

std::optional<std::string> ClipboardNotes::Rtf() const {
    const UINT rtf = RtfFormat();
    if (rtf == 0 || !IsClipboardFormatAvailable(rtf)) return std::nullopt;
    std::optional<std::string> block = ClipboardData<char>(rtf);
    if (block && !IsWholeRtf(*block)) block.reset();
    return block;
}

std::optional<std::wstring> ClipboardNotes::Text() const {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    return ClipboardData<wchar_t>(CF_UNICODETEXT);
}

bool ClipboardNotes::Listed() const noexcept {
    const UINT rtf = RtfFormat();
    return (rtf != 0 && IsClipboardFormatAvailable(rtf)) ||
           IsClipboardFormatAvailable(CF_UNICODETEXT);
}

ClipboardTake TakeClipboardNotes(HWND window, DWORD patienceMs, DWORD sequence,
                                 const std::function<bool(const ClipboardNotes&)>& take) {
    const UniqueClipboard clipboard = OpenClipboardWithin(window, patienceMs);
    if (!clipboard) return ClipboardTake::kBusy;
    // Read with the clipboard open, so that nobody can change it before the notes are read.
    if (GetClipboardSequenceNumber() != sequence) return ClipboardTake::kChanged;
    if (!take(ClipboardNotes())) return ClipboardTake::kUntouched;
    EmptyClipboard();
    return ClipboardTake::kTaken;
}

}  // namespace tessalin
