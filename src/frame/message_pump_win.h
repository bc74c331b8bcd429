// Dispatching the thread's waiting messages in the middle of an export.
#pragma once

namespace tessalin {

// Removes, translates and dispatches every message waiting in the calling thread's queue
// until it is empty. A quit message met on the way is held back and posted again afterwards,
// so that the host's own message loop still ends. The pump gives up after a bounded number
// of messages or time, so that a window that keeps posting to itself cannot hang the host
// inside an export.
void DispatchWaitingMessages() noexcept;

}  // namespace tessalin
