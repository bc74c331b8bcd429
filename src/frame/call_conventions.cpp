#include "frame/call_conventions.h"

#include <algorithm>
#include <limits>

namespace tessalin {

TextView TextIn(const char16_t* text) noexcept {
    return text == nullptr ? TextView() : TextView(text);
}

std::int32_t LengthOf(TextView text) noexcept {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return text.size() > kMax ? 0 : static_cast<std::int32_t>(text.size());
}

std::int32_t WriteTextOut(char16_t* buffer, TextView text) noexcept {
    const std::int32_t length = LengthOf(text);
    if (buffer != nullptr) {
        const auto written = static_cast<std::size_t>(length);
        std::copy_n(text.data(), written, buffer);
        buffer[written] = u'\0';
    }
    return length;
}

}  // namespace tessalin
