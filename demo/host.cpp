// The stand-in host of ./run demo: loads Tessalin.dll the way the add-in does and walks the
// road of one show as far as the library goes, printing each call and its result. It is no
// part of the kit: it writes the registry and leaves files behind.
//
//   standin_host.exe PATH\TO\Tessalin.dll OUTPUT_FOLDER
#include <windows.h>

#include <cstdio>
#include <exception>

#include "demo_steps.h"

int RunDemo(const wchar_t* dllPath, const wchar_t* outputFolder) {
    // The host's own language files lie in Messages next to the program.
    const DemoInstallation installation(hostkit::ProgramFolder());
    const hostkit::Library tessalin(dllPath);
    if (!tessalin.loaded()) {
        std::wprintf(L"LoadLibraryW(%ls) failed: error %lu\n", dllPath, GetLastError());
        return 1;
    }
    std::wprintf(L"LoadLibraryW(%ls) -> loaded\n", dllPath);
    const Demo demo{tessalin, outputFolder};
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

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::wprintf(L"usage: standin_host PATH\\TO\\Tessalin.dll OUTPUT_FOLDER\n");
        return 2;
    }
    return RunDemo(argv[1], argv[2]);
}
