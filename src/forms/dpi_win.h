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
// system's otherwise. 0 where the platform cannot tell.
int ReportedWindowDpi(HWND window) noexcept;

// The same, with the system DPI where the platform cannot tell.
int WindowDpi(HWND window) noexcept;

// Whether the window is drawn at its monitor's DPI, as a per-monitor-aware thread made it;
// true where the platform cannot tell, since only such windows are then told of changes.
bool FollowsMonitorDpi(HWND window) noexcept;

// For a top-level window of a per-monitor (v1) aware thread, whose caption and frame would
// otherwise stay at the system DPI; called while the window is being created. Version 2 does
// this by itself, and the call does nothing for other windows.
void EnableNonClientDpiScaling(HWND window) noexcept;

// The DPI to draw at on a monitor, as the process's awareness sees it (not the calling
// thread's); 0 where the platform cannot tell.
int MonitorDpi(HMONITOR monitor) noexcept;

// The DPI of a window placed over `area`: its own; where the platform cannot tell a window's,
// that of the monitor under `area` as this process's awareness sees it. 0 where neither can be
// told.
int WindowDpiOver(HWND window, const RECT& area) noexcept;

// The DPI a window's device context reports: the system DPI, whatever monitor the window is on.
int DeviceContextDpi(HWND window) noexcept;

// A hidden rich edit, a child of `parent`, that holds three lines, the second with a space set
// in twips before it. It lives with its parent and is told of the same DPI changes as a rich
// edit, so that its layout shows the DPI at which such a control draws text. Null when the
// rich-edit library is not loaded.
HWND CreateTextDpiProbe(HWND parent) noexcept;

// The DPI at which the probe draws text, measured from its line pitches; 0 when it cannot be
// measured.
int ProbedTextDpi(HWND probe) noexcept;

// The font the system uses for icon titles at `dpi`: asked for at that DPI where the platform
// can, else scaled from the system DPI; the default GUI font when it tells none.
UniqueGdiObject IconTitleFont(int dpi) noexcept;

}  // namespace tessalin::forms
