// How every export takes and gives values: text in, text out through a caller buffer, and
// the two widths of truth values the add-in declares.
#pragma once

#include <cstdint>

#include "frame/text.h"

namespace tessalin {

// Truth results travel in the full 64-bit result register, zero-extended: a caller that
// declares the result 16 bits wide reads -1, one that reads 32 or 64 bits sees 0xFFFF.
using Bool16 = std::uint64_t;
using Bool32 = std::uint64_t;

inline constexpr Bool16 kTrue16 = 0xFFFF;
inline constexpr Bool16 kFalse16 = 0;
inline constexpr Bool32 kTrue32 = 0xFFFF'FFFF;
inline constexpr Bool32 kFalse32 = 0;

constexpr Bool16 ToBool16(bool value) noexcept {
    return value ? kTrue16 : kFalse16;
}
constexpr Bool32 ToBool32(bool value) noexcept {
    return value ? kTrue32 : kFalse32;
}

// A text argument: read up to its NUL during the call only; a null pointer is the empty text.
TextView TextIn(const char16_t* text) noexcept;

// Writes the whole text and one NUL into a caller buffer whose size the library is not told,
// and returns the length in UTF-16 code units. A null buffer is only measured. A text too
// long for a 32-bit length is a failure: it is written as the empty text and gives 0, never
// a silently wrapped length.
std::int32_t WriteTextOut(char16_t* buffer, TextView text) noexcept;

// The 32-bit length of a text, 0 for one too long to be described by it.
std::int32_t LengthOf(TextView text) noexcept;

}  // namespace tessalin
