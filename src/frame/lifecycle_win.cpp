#include "frame/lifecycle_win.h"

#include "frame/instance_mutex_win.h"

namespace tessalin {

// The order of the steps is fixed: each later step may rely on the earlier ones, and the
// shut-down undoes them in reverse.
void StartUp() noexcept {
    // 1. Monitor snapshot of the display subsystem.
    // 2. The empty ordered monitor list.
    // 3. The messages folder from the registry.
    // 4. The language files of that folder.
    // 5. The instance mutex.
    CreateInstanceMutex();
    // 6. The hidden focus-keeper window, its timer off.
}

void ShutDown(Unload how) noexcept {
    // Before the steps, at FreeLibrary only: nothing of the library's code may stay
    // reachable once it is unmapped (filtered slide-show windows, notes views, window
    // classes).
    static_cast<void>(how);
    // 1. The focus-keeper window and its timer.
    // 2. The instance mutex (a kernel handle: closing it is safe even at process exit).
    CloseInstanceMutex();
    // 3. The language files.
    // 4. The messages folder.
    // 5. The ordered monitor list.
    // 6. The language store's tables.
}

}  // namespace tessalin
