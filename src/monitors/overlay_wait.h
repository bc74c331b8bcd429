// How long the monitor numbers stay up: ten passes of 100 ms per second.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tessalin {

inline constexpr std::uint32_t kOverlayPassMilliseconds = 100;

// Computed in 64 bits so that a huge Seconds gives the longest wait rather than a product
// wrapped into a negative or tiny one; 0 or less means no wait at all.
constexpr std::int64_t OverlayWaitPasses(std::int32_t seconds) noexcept {
    const std::int64_t passes = std::int64_t{seconds} * 10;
    return std::clamp<std::int64_t>(passes, 0, std::numeric_limits<std::int32_t>::max());
}

}  // namespace tessalin
