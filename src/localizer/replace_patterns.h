// The escape sequences that translators write for characters a one-line entry cannot hold,
// and the plain text replacement the message placeholders use.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "frame/text.h"

namespace tessalin {

struct TReplacePatterns {
    TextView Old;
    TextView New;
};

// Applied in this order. "<1310>" comes first so that it gives one line break, not two.
inline constexpr std::array<TReplacePatterns, 4> ReplacePatterns{{
    {u"<1310>", u"\r\n"},
    {u"<13>", u"\r"},
    {u"<10>", u"\n"},
    {u"<9>", u"\t"},
}};

// The escape sequence that `text` starts with, or null.
const TReplacePatterns* EscapeAt(TextView text) noexcept;

// Replaces the four escape sequences in place.
void ApplyReplacePatterns(Text& text);

// The same on a stretch of characters, left-to-right within it: every escape is longer than
// what replaces it, so the result fits where the text was. Returns the result's length.
std::size_t ApplyReplacePatterns(std::span<char16_t> text);

// Replaces every occurrence of `old` (non-empty) from the left, without scanning inserted
// text again.
void ReplaceAll(Text& text, TextView old, TextView replacement);

}  // namespace tessalin
