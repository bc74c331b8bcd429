// Where a form's controls go: alignment applied to the client area, to bounds already scaled to
// the display (dpi_rules.h). Plain arithmetic, so that it is tested without windows.
#pragma once

#include <span>
#include <vector>

#include "forms/form_design.h"

namespace tessalin::forms {

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
