// The clipboard as the notes view uses it: the add-in leaves the notes there, the view takes
// them and empties it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace tessalin {

// Notes as they came off the clipboard: formatted where `rtf` holds them, else plain text.
struct NotesContent {
    std::string rtf;
    std::wstring text;
};

// The notes on the clipboard while it is open for the view. A format is read when asked for,
// since reading it can make its owner render it.
class ClipboardNotes {
  public:
    // The Rich Text Format block up to the brace that closes it, when the clipboard lists it
    // and it can be had whole. Read by the block's size: its \binN data may hold NULs.
    std::optional<std::string> Rtf() const;
    // The plain text up to its NUL, when the clipboard lists it and it can be had.
    std::optional<std::wstring> Text() const;
    // Whether the clipboard lists either of the two.
    bool Listed() const noexcept;
};

enum class ClipboardTake {
    kTaken,      // the notes were taken and the clipboard emptied
    kBusy,       // another program held the clipboard: nothing happened
    kChanged,    // it changed hands since the view was asked to refresh: not the add-in's notes
    kUntouched,  // the view took nothing from what it holds: it is left as it is
};

// The notes that the add-in left on the clipboard when it asked for a refresh, told without
// opening it (another program may hold it then).
struct ClipboardMark {
    DWORD sequence;
    HWND owner;

    static ClipboardMark Now() noexcept;

    // Whether the clipboard still holds those notes: unchanged, or changed only by the owner
    // that put them there. Windows moves the sequence number when an owner renders a format
    // that it offered for later (Wine does not), and the programs that watch the clipboard ask
    // for that right after every change, so a change by the same owner counts as a render.
    // Anybody else's copy, and another view's refresh that emptied the clipboard, change the
    // owner. Read with the clipboard open, so that nobody can change it before the notes are.
    bool StillHeld() const noexcept;
};

// Opens the clipboard through `window`, one of the library's own, and, while it still holds
// the notes of `mark`, lets `take` fill the view from it. The clipboard is emptied only when
// `take` says it took the notes. Programs that watch the clipboard (clipboard history,
// remote-desktop sync) open it right after every change, so it is tried for up to
// `patienceMs`, answering the messages sent to this thread meanwhile.
ClipboardTake TakeClipboardNotes(HWND window, DWORD patienceMs, const ClipboardMark& mark,
                                 const std::function<bool(const ClipboardNotes&)>& take);

}  // namespace tessalin
