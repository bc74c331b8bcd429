#include "notes/notes_zoom.h"

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
