// Where a form's controls go: design sizes scaled to the display, alignment applied to the
// client area. Plain arithmetic, so that it is tested without windows.
#pragma once

#include <span>
#include <vector>

#include "forms/form_design.h"

namespace tessalin::forms {

// A length at `fromDpi` on a display of `toDpi`, rounded to the nearest pixel (halves away
// from zero), as the platform scales. `fromDpi` is positive.
int ScaleBetweenDpis(int value, int fromDpi, int toDpi) noexcept;

// A design length at 96 pixels per inch on a display of `dpi`.
int ScaleFromDesign(int value, int dpi) noexcept;
Bounds ScaleFromDesign(Bounds bounds, int dpi) noexcept;

struct LayoutItem {
    Align align = Align::kNone;
    Bounds bounds;  // already scaled
    bool visible = true;
};

// The bounds of each item, in order, in a client area of the given size. Top-aligned items
// stack from the top at full width in list order; client-aligned ones take the rest. Hidden
// items take no room and keep their own bounds.
std::vector<Bounds> LayoutControls(std::span<const LayoutItem> items, int clientWidth,
                                   int clientHeight);

}  // namespace tessalin::forms
