// The stand-in host: loads Tessalin.dll the way the add-in does and walks the road of one
// show as far as the library goes, printing each call and its result.
//
//   host.exe PATH\TO\Tessalin.dll OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>
#include <exception>

#include "demo_steps.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: host.exe Tessalin.dll OUTPUT_FOLDER\n");
        return 2;
    }
    // The host's own language files lie in Messages next to host.exe.
    wchar_t exe[MAX_PATH] = {};
    const std::wstring exePath(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    const DemoInstallation installation(exePath.substr(0, exePath.find_last_of(L'\\')));
    HostLibrary tessalin(argv[1]);
    if (!tessalin.loaded()) {
        std::wprintf(L"LoadLibraryW(%ls) failed: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    std::wprintf(L"LoadLibraryW(%ls) -> loaded\n", argv[1]);
    const Demo demo{tessalin, argv[2]};
    try {
        // The road of one show, in the add-in's order.
        DemoLifecycleStart(demo);
        DemoMonitors(demo);
        DemoSlideShowStart(demo);
        DemoNotes(demo);
        DemoLocalization(demo);
        DemoFiles(demo);
        DemoSlideShowEnd(demo);
        DemoLifecycleEnd(demo);
    } catch (const std::exception& error) {
        std::printf("demo stopped: %s\n", error.what());
        return 1;
    }
    std::wprintf(L"FreeLibrary\n");
    return 0;
}
