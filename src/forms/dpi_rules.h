// Decisions about pixels per inch that need no window: what a change of DPI means for a window,
// and what a measured line pitch says about the DPI a control draws text at.
#pragma once

namespace tessalin::forms {

// The DPI a window is laid out for after Windows tells it of a change to `messageDpi`. Only a
// window that follows its monitor's DPI takes it; Windows may tell an unaware or system-aware
// window too, and stretches such a window itself, so it stays at `currentDpi`.
int DpiAfterChange(int messageDpi, int currentDpi, bool followsMonitor) noexcept;

// The DPI at which two lines set exactly `spacingTwips` apart came out `pitchPixels` apart,
// rounded to the nearest integer; 0 when that is no plausible DPI (a failed measurement).
int TextDpiFromLinePitch(int pitchPixels, int spacingTwips) noexcept;

}  // namespace tessalin::forms
