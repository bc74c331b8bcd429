// How SwitchToWindow takes the foreground for a window of another thread.
#pragma once

#include <cstdint>

namespace tessalin {

// Whether the foreground window's thread is attached to the target's input for the
// SetForegroundWindow call: only when the two threads differ, and never when the foreground
// window has stopped answering, since Windows then makes the attached call wait on it.
bool ShareInputForSwitch(std::uint32_t foregroundThread, std::uint32_t targetThread,
                         bool foregroundHung);

}  // namespace tessalin
