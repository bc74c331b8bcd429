/* A C program built from the package alone: its header and MinGW import library. Prints the
 * header's version, the version in the DLL's resource and the number of monitors. */
#include <stdio.h>

#include "tessalin.h"

int main(void) {
    wchar_t path[MAX_PATH];
    DWORD ignored = 0;
    char data[4096];
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    HMODULE library = GetModuleHandleW(L"Tessalin.dll");

    if (library == NULL || GetModuleFileNameW(library, path, MAX_PATH) == 0 ||
        GetFileVersionInfoSizeW(path, &ignored) > sizeof data ||
        !GetFileVersionInfoW(path, 0, sizeof data, data) ||
        !VerQueryValueW(data, L"\\", (void**)&fixed, &length)) {
        printf("no version resource\n");
        return 1;
    }
    printf("header %s resource %u.%u.%u monitors %d\n", TESSALIN_VERSION,
           (unsigned)HIWORD(fixed->dwFileVersionMS), (unsigned)LOWORD(fixed->dwFileVersionMS),
           (unsigned)HIWORD(fixed->dwFileVersionLS), (int)GetMonitorCount());
    return 0;
}
