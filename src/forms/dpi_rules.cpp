#include "forms/dpi_rules.h"

#include <cstdint>

namespace tessalin::forms {
namespace {

constexpr std::int64_t kTwipsPerInch = 1440;
// Windows offers scale factors from 100 to 500 per cent; anything far outside is a misreading.
constexpr std::int64_t kLeastDpi = 48;
constexpr std::int64_t kMostDpi = 960;

}  // namespace

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
