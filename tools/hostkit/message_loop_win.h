// The host's message loop between two calls of the add-in.
#pragma once

#include <windows.h>

namespace hostkit {

// Dispatches the calling thread's messages for about that long.
void PumpMessages(DWORD milliseconds);

}  // namespace hostkit
