// The clipboard as the notes view uses it: the add-in leaves the notes there, the view takes
// them and empties it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace tessalin {

// The notes on the clipboard while it is open for the view. A format is read when asked for,
// since reading it can make its owner render it.
class ClipboardNotes {
  public:
    // The Rich Text Format block, when the clipboard lists it and it can be had whole.
    std::optional<std::string> Rtf() const;
    // The plain text up to its NUL, when the clipboard lists it and it can be had.
    std::optional<std::wstring> Text() const;
    // Whether the clipboard lists either of the two.
    bool Listed() const noexcept;
};

enum class ClipboardTake {
    kTaken,      // the notes were taken and the clipboard emptied
    kBusy,       // another program held the clipboard: nothing happened
    kChanged,    // it changed since the view was asked to refresh: not the add-in's notes
    kUntouched,  // the view took nothing from what it holds: it is left as it is
};

// Opens the clipboard through `window`, one of the library's own, and, while it still holds
// what it held at the clipboard sequence number `sequence`, lets `take` fill the view from it.
// The clipboard is emptied only when `take` says it took the notes. Programs that watch the
// clipboard (clipboard history, remote-desktop sync) open it right after every change, so it
// is tried for up to `patienceMs`, answering the messages sent to this thread meanwhile.
ClipboardTake TakeClipboardNotes(HWND window, DWORD patienceMs, DWORD sequence,
                                 const std::function<bool(const ClipboardNotes&)>& take);

}  // namespace tessalin
