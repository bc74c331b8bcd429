// The language-file reader's scans and copies, a block of code units at a time: a test per
// unit would cost more than all the rest of reading a file.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessalin::blocks {

// Units in a block, and bytes in a block of bytes.
inline constexpr std::size_t kUnits = 16;

// Bit i set when unit i of the block at `at` is one of `Units`, which are ASCII.
template <char16_t... Units>
unsigned Matches(const char16_t* at) noexcept {
    static_assert(((Units < 0x7F) && ...));
#if defined(__SSE2__)
    // Packed to bytes with signed saturation, units above 0x7E become 0x7F or 0x80, which
    // is none of `Units`: sixteen units are compared at once.
    const __m128i bytes =
        _mm_packs_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)),
                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + kUnits / 2)));
    __m128i found = _mm_setzero_si128();
    ((found = _mm_or_si128(found, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(Units))))),
     ...);
    return static_cast<unsigned>(_mm_movemask_epi8(found));
#else
    unsigned found = 0;
    for (std::size_t i = 0; i < kUnits; ++i) {
        if (((at[i] == Units) || ...)) found |= 1u << i;
    }
    return found;
#endif
}

// The first of `Units` at or after `at`. The caller knows that one follows, at least a block
// before the end of the buffer.
template <char16_t... Units>
const char16_t* Find(const char16_t* at) noexcept {
    for (;; at += kUnits) {
        if (const unsigned found = Matches<Units...>(at)) return at + std::countr_zero(found);
    }
}

// Copies a whole block, whatever part of it the caller wants: writers leave room for that.
inline void Copy(char16_t* to, const char16_t* from) noexcept {
    std::memcpy(to, from, kUnits * sizeof(char16_t));
}

// Widens a block of bytes at `from` to units at `to`, as if all were ASCII, and returns the
// mask of those that are not.
inline unsigned WidenAscii(char16_t* to, const unsigned char* from) noexcept {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + kUnits / 2), _mm_unpackhi_epi8(bytes, zero));
    return static_cast<unsigned>(_mm_movemask_epi8(bytes));
#else
    unsigned high = 0;
    for (std::size_t i = 0; i < kUnits; ++i) {
        to[i] = from[i];
        if (from[i] >= 0x80) high |= 1u << i;
    }
    return high;
#endif
}

}  // namespace tessalin::blocks
