// The zoom of the notes: a ratio of numerator to denominator, stepped by one tenth at a time
// between 10 and 6300 per cent, which stays inside the range the rich edit accepts.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/text.h"

namespace tessalin {

inline constexpr std::int32_t kZoomStart = 10;  // numerator and denominator of a new view
inline constexpr std::int32_t kMinZoomNumerator = 1;
inline constexpr std::int32_t kMaxZoomNumerator = 630;

enum class ZoomStep { kIn, kOut };

// The numerators the presenter's zoom may take.
struct ZoomBounds {
    std::int32_t least = kMinZoomNumerator;
    std::int32_t most = kMaxZoomNumerator;
    friend bool operator==(const ZoomBounds&, const ZoomBounds&) = default;
};

// The numerator one step further, or nothing when it is already at that end.
std::optional<std::int32_t> StepZoom(std::int32_t numerator, ZoomStep step,
                                     ZoomBounds bounds = {}) noexcept;

// The presenter's zoom within which the rich edit is given exactly what the label says: the
// zoom times the window's DPI over the text's stays strictly between 1/64 and 64.
// The full range where the two DPIs agree; never empty.
ZoomBounds PresenterZoomBounds(std::int32_t denominator, int windowDpi, int textDpi) noexcept;

// What the rich edit is given: the presenter's zoom times the window's DPI over the DPI at
// which the rich edit turns point sizes into pixels, in lowest terms and strictly between the
// 1/64 and 64 it accepts. Exactly the presenter's zoom where the two DPIs agree. The zoom is within
// its bounds and each DPI is a 16-bit value, as the platform reports them.
struct ZoomRatio {
    std::int32_t numerator;
    std::int32_t denominator;
    friend bool operator==(const ZoomRatio&, const ZoomRatio&) = default;
};
ZoomRatio RichEditZoom(std::int32_t numerator, std::int32_t denominator, int windowDpi,
                       int textDpi) noexcept;

// The zoom as the label shows it: numerator x 100 / denominator rounded to the nearest
// integer, an exact half to the even one, followed by "%". The denominator is positive.
Text ZoomPercentText(std::int32_t numerator, std::int32_t denominator);

}  // namespace tessalin
