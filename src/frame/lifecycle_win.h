// Start-up and shut-down of the library inside the host process.
#pragma once

#include "frame/unload.h"

namespace tessalin {

void StartUp() noexcept;
void ShutDown(Unload how) noexcept;

}  // namespace tessalin
