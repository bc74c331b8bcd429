#include "forms/form_layout.h"

#include <algorithm>
#include <cstdint>

namespace tessalin::forms {

int ScaleBetweenDpis(int value, int fromDpi, int toDpi) noexcept {
    const std::int64_t scaled = std::int64_t{value} * toDpi * 2;
    const std::int64_t half = scaled < 0 ? -fromDpi : fromDpi;
    return static_cast<int>((scaled + half) / (2 * std::int64_t{fromDpi}));
}

int ScaleFromDesign(int value, int dpi) noexcept {
    return ScaleBetweenDpis(value, kDesignDpi, dpi);
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
