// The stand-in host: loads Tessalin.dll the way the add-in does and walks the road of one
// show as far as the library goes, printing each call and its result.
//
//   host.exe PATH\TO\Tessalin.dll [OUTPUT_FOLDER]
#include <windows.h>

#include <cstdio>
#include <string>

#include "host_library.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: host.exe Tessalin.dll [output folder]\n");
        return 2;
    }
    HostLibrary tessalin(argv[1]);
    if (!tessalin.loaded()) {
        std::wprintf(L"LoadLibraryW(%ls) failed: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    std::wprintf(L"LoadLibraryW(%ls) -> loaded\n", argv[1]);

    tessalin.Call<void>("InitializeTessaline");
    std::wprintf(L"InitializeTessaline()\n");

    tessalin.Call<void>("ShutdownTessaline");
    std::wprintf(L"ShutdownTessaline()\n");
    std::wprintf(L"FreeLibrary\n");
    return 0;
}
