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

// The numerator one step further, or nothing when it is already at that end.
std::optional<std::int32_t> StepZoom(std::int32_t numerator, ZoomStep step) noexcept;

// The zoom as the label shows it: numerator x 100 / denominator rounded to the nearest
// integer, an exact half to the even one, followed by "%". The denominator is positive.
Text ZoomPercentText(std::int32_t numerator, std::int32_t denominator);

}  // namespace tessalin
