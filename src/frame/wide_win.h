// The platform boundary for text: Windows' wchar_t is 16 bits wide and holds the same UTF-16
// code units as the portable code's char16_t.
#pragma once

#include <windows.h>

#include "frame/call_conventions.h"
#include "frame/text.h"

namespace tessalin {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const char16_t* AsText(const wchar_t* text) noexcept {
    return reinterpret_cast<const char16_t*>(text);
}

inline char16_t* AsText(wchar_t* text) noexcept {
    return reinterpret_cast<char16_t*>(text);
}

inline const wchar_t* AsWide(const Text& text) noexcept {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A caller's "Text in" argument as portable text.
inline TextView TextArg(const wchar_t* text) noexcept {
    return TextIn(AsText(text));
}

// Writes into a caller's UTF-16 buffer (see WriteTextOut).
inline std::int32_t TextOut(wchar_t* buffer, TextView text) noexcept {
    return WriteTextOut(AsText(buffer), text);
}

}  // namespace tessalin
