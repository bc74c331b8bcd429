// How the library leaves the process, for every part that gives something back at unload.
#pragma once

namespace tessalin {

// At FreeLibrary the process goes on and nothing of the library may stay reachable; at
// process exit the process is ending, and windows and other DLLs must not be touched any more.
enum class Unload { kFreeLibrary, kProcessExit };

}  // namespace tessalin
