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
    // Copies every format that the clipboard holds in global memory.
    SavedClipboard();
    ~SavedClipboard() { Restore(); }
    SavedClipboard(const SavedClipboard&) = delete;
    SavedClipboard& operator=(const SavedClipboard&) = delete;

    // False when another program held the clipboard throughout: it is then left alone.
    bool kept() const { return kept_; }

    // Puts the copy back (once); what it did, for the report, and whether it could.
    bool Restore();
    const std::wstring& outcome() const { return outcome_; }

  private:
    struct Held {
        UINT id;
        std::vector<char> bytes;
    };
    bool kept_ = false;
    bool restored_ = false;
    bool putBack_ = false;
    std::vector<Held> formats_;
    std::vector<std::wstring> leftOut_;
    std::wstring outcome_;
};

// Formatted notes as "Rich Text Format", or plain text; false if the clipboard stayed busy.
bool PutNotes(const std::string& rtf);
bool PutPlainNotes(const std::wstring& text);

// A thread of this program that holds the clipboard from construction for `milliseconds`.
class ClipboardHolder {
  public:
    explicit ClipboardHolder(DWORD milliseconds);
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
