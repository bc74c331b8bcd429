#include "forms/form_layout.h"

#include <algorithm>
#include <cstdint>

namespace tessalin::forms {

int ScaleFromDesign(int value, int dpi) noexcept {
    const std::int64_t scaled = std::int64_t{value} * dpi;
    const std::int64_t half = scaled < 0 ? -kDesignDpi / 2 : kDesignDpi / 2;
    return static_cast<int>((scaled + half) / kDesignDpi);
}

Bounds ScaleFromDesign(Bounds bounds, int dpi) noexcept {
    return {ScaleFromDesign(bounds.left, dpi), ScaleFromDesign(bounds.top, dpi),
            ScaleFromDesign(bounds.width, dpi), ScaleFromDesign(bounds.height, dpi)};
}

std::vector<Bounds> LayoutControls(std::span<const LayoutItem> items, int clientWidth,
                                   int clientHeight) {
    Bounds rest{0, 0, std::max(clientWidth, 0), std::max(clientHeight, 0)};
    std::vector<Bounds> placed;
    placed.reserve(items.size());
    for (const LayoutItem& item : items) {
        placed.push_back(item.bounds);
        if (!item.visible || item.align != Align::kTop) continue;
        const int height = std::clamp(item.bounds.height, 0, rest.height);
        placed.back() = {rest.left, rest.top, rest.width, height};
        rest.top += height;
        rest.height -= height;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].visible && items[i].align == Align::kClient) placed[i] = rest;
    }
    return placed;
}

}  // namespace tessalin::forms
