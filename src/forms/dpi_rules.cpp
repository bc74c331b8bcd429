#include "forms/dpi_rules.h"

#include <cstdint>

namespace tessalin::forms {
namespace {

constexpr std::int64_t kTwipsPerInch = 1440;
// Windows offers scale factors from 100 to 500 per cent; anything far outside is a misreading.
constexpr std::int64_t kLeastDpi = 48;
constexpr std::int64_t kMostDpi = 960;

}  // namespace

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

int DpiAfterChange(int messageDpi, int currentDpi, bool followsMonitor) noexcept {
    return followsMonitor && messageDpi > 0 ? messageDpi : currentDpi;
}

int TextDpiFromLinePitch(int pitchPixels, int spacingTwips) noexcept {
    if (pitchPixels <= 0 || spacingTwips <= 0) return 0;
    const std::int64_t dpi =
        (std::int64_t{pitchPixels} * kTwipsPerInch * 2 + spacingTwips) / (2 * spacingTwips);
    return dpi >= kLeastDpi && dpi <= kMostDpi ? static_cast<int>(dpi) : 0;
}

}  // namespace tessalin::forms
