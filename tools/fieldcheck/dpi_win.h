// The platform's DPI and awareness calls as the check reads them. The newer ones are looked up
// when used: on a system older than Windows 10 1607 the check still runs and says what it
// could not ask. The check reads them itself rather than through the library's own DPI code,
// which is what it measures: a check must not share the code it measures, or a fault there
// would pass unseen.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace fieldcheck {

// What --awareness asks for; the manifest's per-monitor v2 otherwise.
enum class Awareness { kManifest, kUnaware, kSystem, kPerMonitor };

std::wstring AwarenessName(Awareness awareness);

// How the calling thread and the process are aware of DPI, as words for the report.
std::wstring ThreadAwareness();
std::wstring ProcessAwareness();
bool ThreadIsPerMonitorV2();

// Sets the calling thread's awareness; why not, where it could not.
std::optional<std::wstring> SetThreadAwareness(Awareness awareness);

int SystemDpi();
// The DPI the window is drawn at; the system DPI where the platform cannot tell.
int WindowDpi(HWND window);
// The monitor's effective DPI as this thread sees it; 0 where the platform cannot tell.
int MonitorDpi(HMONITOR monitor);
// What the window's device context reports, at which a rich edit makes its fonts.
int DeviceContextDpi(HWND window);
// The icon-title font's height at `dpi`, which the notes view's strip is drawn with.
LONG IconTitleFontHeight(int dpi);

}  // namespace fieldcheck
