// Pixels per inch without windows: lengths scaled from one DPI to another, what a change of
// DPI means for a window, and what a measured line pitch says about the DPI a control draws
// text at.
#pragma once

#include "forms/form_design.h"

namespace tessalin::forms {

// A length at `fromDpi` on a display of `toDpi`, rounded to the nearest pixel (halves away
// from zero), as the platform scales. `fromDpi` is positive.
int ScaleBetweenDpis(int value, int fromDpi, int toDpi) noexcept;

// A design length at 96 pixels per inch on a display of `dpi`.
int ScaleFromDesign(int value, int dpi) noexcept;
Bounds ScaleFromDesign(Bounds bounds, int dpi) noexcept;

// The DPI a window is laid out for after Windows tells it of a change to `messageDpi`. Only a
// window that follows its monitor's DPI takes it; Windows may tell an unaware or system-aware
// window too, and stretches such a window itself, so it stays at `currentDpi`.
int DpiAfterChange(int messageDpi, int currentDpi, bool followsMonitor) noexcept;

// The DPI at which two lines set exactly `spacingTwips` apart came out `pitchPixels` apart,
// rounded to the nearest integer; 0 when that is no plausible DPI (a failed measurement).
int TextDpiFromLinePitch(int pitchPixels, int spacingTwips) noexcept;

}  // namespace tessalin::forms
