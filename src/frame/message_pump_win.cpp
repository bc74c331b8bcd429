#include "frame/message_pump_win.h"

#include <windows.h>

#include <optional>

namespace tessalin {
namespace {

constexpr int kMaxMessages = 10'000;
constexpr ULONGLONG kMaxMilliseconds = 2'000;

}  // namespace

void DispatchWaitingMessages() noexcept {
    std::optional<int> quitCode;
    const ULONGLONG start = GetTickCount64();
    MSG message;
    for (int count = 0; count < kMaxMessages && GetTickCount64() - start < kMaxMilliseconds;
         ++count) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) break;
        if (message.message == WM_QUIT) {
            quitCode = static_cast<int>(message.wParam);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (quitCode) PostQuitMessage(*quitCode);
}

}  // namespace tessalin
