#include "notes/rtf_block.h"

#include <cstdint>

namespace tessalin {
namespace {

bool IsLetter(char c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

}  // namespace

std::size_t WholeRtfLength(std::string_view block) noexcept {
    if (!block.starts_with("{\\rtf") && !block.starts_with("{\\urtf")) return 0;
    std::size_t depth = 0;
    for (std::size_t at = 0; at < block.size();) {
        const char c = block[at++];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) return at;
        } else if (c == '\\' && at < block.size()) {
            if (!IsLetter(block[at])) {
                ++at;  // a control symbol: \{, \}, \\, \' and the like
                continue;
            }
            const std::size_t word = at;
            while (at < block.size() && IsLetter(block[at])) ++at;
            const bool bin = block.substr(word, at - word) == "bin";
            const bool negative = at < block.size() && block[at] == '-';
            if (negative) ++at;
            std::uint64_t parameter = 0;
            while (at < block.size() && IsDigit(block[at])) {
                // Capped once it exceeds the block: more raw bytes than there are either way.
                if (parameter <= block.size()) parameter = parameter * 10 + (block[at] - '0');
                ++at;
            }
            if (at < block.size() && block[at] == ' ') ++at;  // the word's delimiter
            if (bin && !negative) {
                if (parameter > block.size() - at) return 0;
                at += static_cast<std::size_t>(parameter);
            }
        }
    }
    return 0;
}

}  // namespace tessalin
