// The clipboard as the host side uses it: notes copied as the add-in's host copies them, and a
// thread that holds the clipboard for a while, as clipboard history and remote-desktop sync do.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "frame/unique_resource_win.h"

namespace hostkit {

UINT RtfFormat();

// The clipboard as the calling thread opened it, closed with the object: for a window, or for
// none, as a host's copy may be. (The library's own owner holds it only for a window.)
struct OpenedClipboardTraits {
    using Type = bool;  // whether it is open
    static Type Invalid() noexcept { return false; }
    static void Close(Type) noexcept { CloseClipboard(); }
};
using OpenedClipboard = tessalin::UniqueResource<OpenedClipboardTraits>;

// Clipboard watchers open the clipboard right after each change; they let go within moments.
OpenedClipboard OpenClipboardPatiently(HWND owner);

// Global memory with a copy of `bytes` bytes of `data`; empty where it could not be had.
tessalin::UniqueGlobalMemory GlobalCopy(const void* data, std::size_t bytes);
// The whole block of global memory; empty where it cannot be locked.
std::vector<char> GlobalBytes(HANDLE memory);

// On the open clipboard, a copy of the bytes as that format; with no data, a format that the
// clipboard's owner renders when asked. False where the clipboard did not take the copy.
bool SetClipboardBytes(UINT format, const void* data, std::size_t bytes);
// On the open clipboard: clipboard history (Windows+V) and its cloud copy leave out what
// carries these formats, so that a copy of the host side's does not outlive it there.
void KeepOutOfHistory();

// The clipboard opened for `owner` (none: for no window) and emptied, for as long as it lives,
// so that what is put on it is one copy of the owner's.
class ClipboardCopy {
  public:
    explicit ClipboardCopy(HWND owner);

    bool opened() const { return static_cast<bool>(opened_); }
    // False where it was not opened, or did not take the data.
    bool Put(UINT format, const void* data, std::size_t bytes) const;
    // Formatted notes as "Rich Text Format", and plain text, each with its closing NUL.
    bool PutNotes(const std::string& rtf) const;
    bool PutText(const std::wstring& text) const;

  private:
    OpenedClipboard opened_;
};

// A thread of this program that holds the clipboard from construction for `milliseconds`,
// opened for a window of its own (one opened for none could be taken over by any other such
// opening) or for `owner`. Given a text, it copies that before it lets go, kept out of
// clipboard history: as the user copying something does, or the owner rendering its notes.
class ClipboardHolder {
  public:
    explicit ClipboardHolder(DWORD milliseconds, std::wstring copies = L"", HWND owner = nullptr);
    ~ClipboardHolder() { Join(); }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool held() const { return held_; }
    // Waits until it has let go.
    void Join();

  private:
    tessalin::UniqueHandle opened_;  // set by the thread, which may outlive the wait for it
    std::atomic<bool> held_{false};
    std::thread thread_;
};

}  // namespace hostkit
