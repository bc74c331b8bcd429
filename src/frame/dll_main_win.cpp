// The library's entry point. The load always succeeds: whatever start-up finds missing
// (install path, language files) only means that defaults are used.
#include <windows.h>

#include "frame/lifecycle_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            tessalin::StartUp();
            DisableThreadLibraryCalls(instance);
            break;
        case DLL_PROCESS_DETACH:
            // A non-null reserved argument means the process is exiting rather than calling
            // FreeLibrary.
            tessalin::ShutDown(reserved != nullptr ? tessalin::Unload::kProcessExit
                                                   : tessalin::Unload::kFreeLibrary);
            break;
        default:
            break;
    }
    return TRUE;
}
