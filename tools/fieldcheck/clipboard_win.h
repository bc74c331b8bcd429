// The clipboard as the check uses it: the user's content kept at the start and put back at the
// end; notes put on it as the add-in does, but kept out of the clipboard history; and a thread
// that holds it for a while, as clipboard history and remote-desktop sync do.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "frame/unique_resource_win.h"

namespace fieldcheck {

class SavedClipboard {
  public:
    // Copies every format the clipboard holds by its data: memory, bitmaps, metafiles and
    // palettes. Content that its owner keeps out of clipboard history or monitoring (a password
    // manager's, say) is not copied, and never put back.
    SavedClipboard();
    ~SavedClipboard() { Restore(); }
    SavedClipboard(const SavedClipboard&) = delete;
    SavedClipboard& operator=(const SavedClipboard&) = delete;

    // False when another program held the clipboard throughout: it is then left alone.
    bool kept() const { return kept_; }

    // Puts the copy back (once), unless nothing changed the clipboard since; what it did, for
    // the report, and whether it could.
    bool Restore();
    const std::wstring& outcome() const { return outcome_; }

  private:
    struct Held {
        UINT id;
        std::vector<char> bytes;
    };
    bool kept_ = false;
    bool excluded_ = false;
    DWORD sequence_ = 0;
    bool restored_ = false;
    bool putBack_ = false;
    std::vector<Held> formats_;
    std::vector<std::wstring> leftOut_;
    std::wstring outcome_;
};

// Formatted notes as "Rich Text Format", or plain text; false if the clipboard stayed busy.
bool PutNotes(const std::string& rtf);
bool PutPlainNotes(const std::wstring& text);
// The clipboard's plain text; empty if it has none or stayed busy.
std::wstring ClipboardText();

// A thread of this program that holds the clipboard from construction for `milliseconds`; given
// a text, it copies that before it lets go, as the user copying something does.
class ClipboardHolder {
  public:
    explicit ClipboardHolder(DWORD milliseconds, std::wstring copies = L"");
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool held() const { return held_; }

  private:
    tessalin::UniqueHandle opened_;
    std::atomic<bool> held_{false};
    std::thread thread_;
};

}  // namespace fieldcheck
