// What the platform says about pixels per inch, in one place. The calls that tell a window's
// or a monitor's own DPI came with Windows 10 1607 and 8.1; they are looked up when used, so
// that the library still loads on older systems, which have one DPI for every monitor.
#pragma once

#include <windows.h>

#include "frame/unique_resource_win.h"

namespace tessalin::forms {

// The system DPI: what the screen's device context reports, the same for every monitor.
int SystemDpi() noexcept;

// The DPI a window is drawn at: the DPI of its monitor for a per-monitor-aware thread, the
// system's otherwise. The system DPI where the platform cannot tell.
int WindowDpi(HWND window) noexcept;

// The DPI to draw at on a monitor, as the calling thread's awareness sees it; 0 where the
// platform cannot tell.
int MonitorDpi(HMONITOR monitor) noexcept;

// The DPI a window's device context reports, with which a rich edit turns point sizes into
// pixels: the system DPI, whatever monitor the window is on.
int DeviceContextDpi(HWND window) noexcept;

// The font the system uses for icon titles, at `dpi` where the platform can say, else at the
// system DPI; the default GUI font when it tells none.
UniqueGdiObject IconTitleFont(int dpi) noexcept;

}  // namespace tessalin::forms
