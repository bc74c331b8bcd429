#include "notes/notes_zoom.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace tessalin {

namespace {

constexpr std::int64_t kMostRichEditZoom = 64;

}  // namespace

std::optional<std::int32_t> StepZoom(std::int32_t numerator, ZoomStep step,
                                     ZoomBounds bounds) noexcept {
    if (step == ZoomStep::kIn) {
        if (numerator >= bounds.most) return std::nullopt;
        return numerator + 1;
    }
    if (numerator <= bounds.least) return std::nullopt;
    return numerator - 1;
}

ZoomBounds PresenterZoomBounds(std::int32_t denominator, int windowDpi, int textDpi) noexcept {
    if (windowDpi <= 0 || textDpi <= 0 || denominator <= 0) return {};
    // numerator x windowDpi < 64 x denominator x textDpi, and 64 x numerator x windowDpi >
    // denominator x textDpi.
    const std::int64_t text = std::int64_t{denominator} * textDpi;
    const std::int64_t most = (kMostRichEditZoom * text - 1) / windowDpi;
    const std::int64_t least = text / (kMostRichEditZoom * windowDpi) + 1;
    ZoomBounds bounds;
    bounds.most = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(most, kMinZoomNumerator, kMaxZoomNumerator));
    bounds.least =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(least, kMinZoomNumerator, bounds.most));
    return bounds;
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
    // The control refuses 64 and 1/64 themselves, and keeps the zoom it had.
    if (top >= kMostRichEditZoom * bottom) return {kMostRichEditZoom - 1, 1};
    if (top * kMostRichEditZoom <= bottom) return {1, kMostRichEditZoom - 1};
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
