// Whether a block of Rich Text Format from the clipboard is whole. A program that hung or
// exited while it rendered can leave an empty or cut block, which the rich edit would show as
// a blank or half view.
#pragma once

#include <cstddef>
#include <string_view>

namespace tessalin {

// The length of the block up to the brace that closes its outer group, or 0 when it does not
// begin with "{\rtf" or "{\urtf" or its outer group never closes; what follows is not read.
// Escaped braces and the raw bytes of \binN, NULs among them, do not count as groups.
std::size_t WholeRtfLength(std::string_view block) noexcept;

}  // namespace tessalin
