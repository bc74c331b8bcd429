#include "notes/notes_zoom.h"

#include <numeric>
#include <string>

namespace tessalin {

std::optional<std::int32_t> StepZoom(std::int32_t numerator, ZoomStep step) noexcept {
    if (step == ZoomStep::kIn) {
        if (numerator >= kMaxZoomNumerator) return std::nullopt;
        return numerator + 1;
    }
    if (numerator <= kMinZoomNumerator) return std::nullopt;
    return numerator - 1;
}

ZoomRatio RichEditZoom(std::int32_t numerator, std::int32_t denominator, int windowDpi,
                       int textDpi) noexcept {
    if (windowDpi == textDpi || windowDpi <= 0 || textDpi <= 0) return {numerator, denominator};
    std::int64_t top = std::int64_t{numerator} * windowDpi;
    std::int64_t bottom = std::int64_t{denominator} * textDpi;
    const std::int64_t common = std::gcd(top, bottom);
    if (common > 1) {
        top /= common;
        bottom /= common;
    }
    constexpr std::int64_t kMost = 64;
    if (top > kMost * bottom) return {kMost, 1};
    if (top * kMost < bottom) return {1, kMost};
    return {static_cast<std::int32_t>(top), static_cast<std::int32_t>(bottom)};
}

Text ZoomPercentText(std::int32_t numerator, std::int32_t denominator) {
    // In integers, so that the rounding does not depend on the host's floating-point mode.
    const std::int64_t scaled = std::int64_t{numerator} * 100;
    std::int64_t percent = scaled / denominator;
    std::int64_t twiceRest = (scaled % denominator) * 2;
    if (twiceRest < 0) {  // a negative numerator: make the rest positive
        --percent;
        twiceRest += 2 * std::int64_t{denominator};
    }
    if (twiceRest > denominator || (twiceRest == denominator && percent % 2 != 0)) ++percent;
    const std::string digits = std::to_string(percent);
    Text text(digits.begin(), digits.end());
    text += u'%';
    return text;
}

}  // namespace tessalin
