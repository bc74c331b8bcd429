#include "notes/clipboard_win.h"

#include <algorithm>

#include "frame/unique_resource_win.h"

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

// The data of a clipboard format, up to its first NUL, in units of Char.
template <class Char>
std::basic_string<Char> ClipboardData(UINT format) {
    HANDLE data = GetClipboardData(format);
    if (data == nullptr) return {};
    const std::size_t units = GlobalSize(data) / sizeof(Char);
    // Room first, so that nothing can fail while the memory is locked.
    std::basic_string<Char> copied;
    copied.reserve(units);
    if (const auto* locked = static_cast<const Char*>(GlobalLock(data))) {
        copied.assign(locked, std::find(locked, locked + units, Char{}));
        GlobalUnlock(data);
    }
    return copied;
}

}  // namespace

std::optional<ClipboardNotes> TakeClipboardNotes(HWND window, DWORD patienceMs) {
    const UniqueClipboard clipboard = OpenClipboardWithin(window, patienceMs);
    if (!clipboard) return std::nullopt;
    ClipboardNotes notes;
    const UINT rtf = RegisterClipboardFormatW(L"Rich Text Format");
    if (rtf != 0 && IsClipboardFormatAvailable(rtf)) {
        notes.format = ClipboardNotes::Format::kRtf;
        notes.rtf = ClipboardData<char>(rtf);
    } else if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        notes.format = ClipboardNotes::Format::kText;
        notes.text = ClipboardData<wchar_t>(CF_UNICODETEXT);
    }
    EmptyClipboard();
    return notes;
}

}  // namespace tessalin
