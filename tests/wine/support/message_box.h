// Answers a modal message box of the calling thread from a second thread: finds the box,
// records what it shows, and presses one of its buttons.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace testing_support {

struct SeenBox {
    bool found = false;
    std::wstring text;
    std::wstring title;
    bool watchedWindowEnabled = true;  // of the window given to the answerer, while the box was up
};

class MessageBoxAnswerer {
  public:
    // Presses `button` (IDOK, IDNO, ...) in the next message box of this thread.
    explicit MessageBoxAnswerer(int button, HWND watched = nullptr);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Waits for the answer; call after the box has returned.
    const SeenBox& Seen();

  private:
    SeenBox seen_;
    std::thread thread_;
};

// Records the style of every MessageBoxW call that a module makes, by redirecting the
// module's import of it. Wine shows MB_TOPMOST on no window style, so tests check the argument
// itself.
class MessageBoxStyleSpy {
  public:
    explicit MessageBoxStyleSpy(HMODULE module);
    ~MessageBoxStyleSpy();  // puts the import back
    MessageBoxStyleSpy(const MessageBoxStyleSpy&) = delete;
    MessageBoxStyleSpy& operator=(const MessageBoxStyleSpy&) = delete;

    bool installed() const { return slot_ != nullptr; }
    static UINT LastStyle();

  private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

}  // namespace testing_support
