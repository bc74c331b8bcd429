// The clipboard as the check uses it: the user's content kept at the start and put back at the
// end, and notes put on it as the add-in does, but kept out of the clipboard history.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

}  // namespace fieldcheck
