#include "forms/form_layout.h"

#include <algorithm>

namespace tessalin::forms {

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
