// Start-up and shut-down of the library inside the host process.
#pragma once

namespace tessalin {

// How the library is leaving the process: at FreeLibrary the process goes on and nothing of
// the library may stay reachable; at process exit the process is ending, and windows and
// other DLLs must not be touched any more.
enum class Unload { kFreeLibrary, kProcessExit };

void StartUp() noexcept;
void ShutDown(Unload how) noexcept;

}  // namespace tessalin
