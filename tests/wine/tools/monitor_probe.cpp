// Prints how many monitors Wine reports. The display set-up waits on it: right after the
// prefix is made, Wine's desktop process may not yet have published every monitor.
#include <windows.h>

#include <cstdio>

int main() {
    std::printf("%d\n", GetSystemMetrics(SM_CMONITORS));
    return 0;
}
