// The header from C++: its declarations must keep C linkage to link against the DLL.
#include "tessalin.h"

extern "C" int CxxClientCallsThrough(void) {
    wchar_t buffer[TESSALIN_MAX_PATH];
    return GetMessagesFolder(buffer) == GetMessagesFolder(nullptr) && LFileExists(L"") == 0;
}
