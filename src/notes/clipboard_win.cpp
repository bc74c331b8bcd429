#include "notes/clipboard_win.h"

#include <algorithm>
#include <new>
#include <string_view>

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

// What `read` makes of the data of a clipboard format, given its address and the size of its
// block; nothing when the owner did not render it, or it cannot be locked or is too large to
// copy. The block may be far larger than its data.
template <class Read>
auto ReadClipboardData(UINT format, Read read) -> decltype(read(nullptr, 0)) {
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) return std::nullopt;
    const UniqueGlobalLock locked(GlobalLock(data), {data});
    if (!locked) return std::nullopt;
    try {
        return read(locked.get(), GlobalSize(data));
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
    return ReadClipboardData(rtf, [](const void* data, std::size_t size) {
        const std::string_view block(static_cast<const char*>(data), size);
        const std::size_t whole = WholeRtfLength(block);
        return whole != 0 ? std::optional<std::string>(block.substr(0, whole)) : std::nullopt;
    });
}

std::optional<std::wstring> ClipboardNotes::Text() const {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    return ReadClipboardData(CF_UNICODETEXT, [](const void* data, std::size_t size) {
        const auto* begin = static_cast<const wchar_t*>(data);
        return std::optional<std::wstring>(
            std::wstring(begin, std::find(begin, begin + size / sizeof(wchar_t), L'\0')));
    });
}

bool ClipboardNotes::Listed() const noexcept {
    const UINT rtf = RtfFormat();
    return (rtf != 0 && IsClipboardFormatAvailable(rtf)) ||
           IsClipboardFormatAvailable(CF_UNICODETEXT);
}

ClipboardMark ClipboardMark::Now() noexcept {
    return {GetClipboardSequenceNumber(), GetClipboardOwner()};
}

bool ClipboardMark::StillHeld() const noexcept {
    return GetClipboardSequenceNumber() == sequence ||
           (owner != nullptr && GetClipboardOwner() == owner);
}

ClipboardTake TakeClipboardNotes(HWND window, DWORD patienceMs, const ClipboardMark& mark,
                                 const std::function<bool(const ClipboardNotes&)>& take) {
    const UniqueClipboard clipboard = OpenClipboardWithin(window, patienceMs);
    if (!clipboard) return ClipboardTake::kBusy;
    if (!mark.StillHeld()) return ClipboardTake::kChanged;
    if (!take(ClipboardNotes())) return ClipboardTake::kUntouched;
    EmptyClipboard();
    return ClipboardTake::kTaken;
}

}  // namespace tessalin
