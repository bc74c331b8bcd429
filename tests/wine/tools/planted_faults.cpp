// Faults planted in a copy of the library, for the field check to find: the copy is linked
// with some of its calls to the system wrapped (--wrap, see cmake/windows.cmake), and the
// environment variable TESSALIN_PLANTED_FAULT names the one fault the wraps plant. Unnamed,
// every wrap passes its call on unchanged.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <string>

#include "frame/function_lookup_win.h"

namespace {

bool Planted(const wchar_t* fault) {
    wchar_t chosen[64] = {};
    const DWORD length = GetEnvironmentVariableW(L"TESSALIN_PLANTED_FAULT", chosen, 64);
    return length > 0 && length < 64 && std::wstring(chosen) == fault;
}

}  // namespace

// The system's own function, for a wrap to pass its call on: the library's import of it leads
// to the wrap now.
#define SYSTEM(dll, function) \
    tessalin::Lookup<decltype(&function)>(GetModuleHandleW(dll), #function)

extern "C" {

// The monitor numbers' wait: 150 ms passes, or a wait that never ends.
void WINAPI __wrap_Sleep(DWORD milliseconds) {
    if (milliseconds == 100 && Planted(L"overlay-slow")) milliseconds = 150;
    if (milliseconds == 100 && Planted(L"overlay-hang")) milliseconds = INFINITE;
    SYSTEM(L"kernel32.dll", Sleep)(milliseconds);
}

// The focus keeper ticks every 1.5 s.
UINT_PTR WINAPI __wrap_SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
    if (elapse == 1000 && Planted(L"keeper-slow")) elapse = 1500;
    return SYSTEM(L"user32.dll", SetTimer)(window, id, elapse, procedure);
}

// The notes' zoom never reaches the rich edit.
LRESULT WINAPI __wrap_SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == EM_SETZOOM && Planted(L"zoom-dropped")) return 0;
    return SYSTEM(L"user32.dll", SendMessageW)(window, message, wParam, lParam);
}

// SwitchToWindow shows a minimised window without restoring it.
BOOL WINAPI __wrap_ShowWindow(HWND window, int command) {
    if (command == SW_RESTORE && Planted(L"no-restore")) command = SW_SHOW;
    return SYSTEM(L"user32.dll", ShowWindow)(window, command);
}

// Message boxes that leave the host's windows open to input.
int WINAPI __wrap_MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style) {
    if (Planted(L"box-not-modal")) style &= ~static_cast<UINT>(MB_TASKMODAL);
    return SYSTEM(L"user32.dll", MessageBoxW)(owner, text, caption, style);
}

// A monitor's right edge taken as inclusive.
BOOL WINAPI __wrap_GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
    const BOOL got = SYSTEM(L"user32.dll", GetMonitorInfoW)(monitor, info);
    if (got && Planted(L"monitor-edge")) --info->rcMonitor.right;
    return got;
}

// A clipboard that never seems to change.
DWORD WINAPI __wrap_GetClipboardSequenceNumber() {
    return Planted(L"sequence-ignored") ? 1 : SYSTEM(L"user32.dll", GetClipboardSequenceNumber)();
}

// The current directory cut to the classic path limit.
DWORD WINAPI __wrap_GetCurrentDirectoryW(DWORD size, LPWSTR buffer) {
    if (!Planted(L"cwd-cut")) return SYSTEM(L"kernel32.dll", GetCurrentDirectoryW)(size, buffer);
    std::wstring whole(32768, L'\0');
    whole.resize(SYSTEM(L"kernel32.dll", GetCurrentDirectoryW)(32768, whole.data()));
    whole.resize(std::min<std::size_t>(whole.size(), MAX_PATH - 1));
    if (size <= whole.size()) return static_cast<DWORD>(whole.size() + 1);
    buffer[whole.copy(buffer, whole.size())] = L'\0';
    return static_cast<DWORD>(whole.size());
}

// An access violation while the library holds the clipboard.
BOOL WINAPI __wrap_EmptyClipboard() {
    if (Planted(L"crash")) *static_cast<volatile int*>(nullptr) = 0;
    return SYSTEM(L"user32.dll", EmptyClipboard)();
}

}  // extern "C"
