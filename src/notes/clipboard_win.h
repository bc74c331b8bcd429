// The clipboard as the notes view uses it: the add-in leaves the notes there, the view takes
// them and empties it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tessalin {

// What the clipboard offered: Rich Text Format when it had it, else plain text, else nothing.
struct ClipboardNotes {
    enum class Format { kNone, kRtf, kText };
    Format format = Format::kNone;
    std::string rtf;    // the RTF bytes, up to their NUL
    std::wstring text;  // the plain text, up to its NUL
};

// Opens the clipboard through `window`, one of the library's own, takes the notes and empties
// it. Programs that watch the clipboard (clipboard history, remote-desktop sync) open it right
// after every change, so it is tried for up to `patienceMs`, answering the messages sent to
// this thread meanwhile. Nothing when it could not be had: the clipboard is then left alone.
std::optional<ClipboardNotes> TakeClipboardNotes(HWND window, DWORD patienceMs);

}  // namespace tessalin
