// Whether a block of Rich Text Format from the clipboard is whole. A program that hung or
// exited while it rendered can leave an empty or cut block, which the rich edit would show as
// a blank or half view.
#pragma once

#include <string_view>

namespace tessalin {

// True when the block begins with "{\rtf" and its outer group closes; what follows the closing
// brace is not read. Escaped braces and the raw bytes of \binN do not count as groups.
bool IsWholeRtf(std::string_view block) noexcept;

}  // namespace tessalin
