#include "localizer/replace_patterns.h"

#include <algorithm>

namespace tessalin {

const TReplacePatterns* EscapeAt(TextView text) noexcept {
    const auto pattern =
        std::find_if(ReplacePatterns.begin(), ReplacePatterns.end(),
                     [&](const TReplacePatterns& p) { return text.starts_with(p.Old); });
    return pattern != ReplacePatterns.end() ? &*pattern : nullptr;
}

// One left-to-right scan gives the same result as one pass per pattern in table order: every
// pattern is '<', digits, '>', so no two occurrences (of the same or of different patterns)
// can overlap or start at the same place, and what a replacement inserts holds no '<' that
// could start a new one.
std::size_t ApplyReplacePatterns(std::span<char16_t> text) {
    const TextView source(text.data(), text.size());
    std::size_t read = source.find(u'<');
    if (read == TextView::npos) return text.size();
    std::size_t write = read;
    while (read < source.size()) {
        if (source[read] == u'<') {
            if (const TReplacePatterns* pattern = EscapeAt(source.substr(read))) {
                // The pattern's characters have been read before the shorter replacement is
                // written over them, so nothing unread is overwritten.
                write = std::copy(pattern->New.begin(), pattern->New.end(), text.begin() + write) -
                        text.begin();
                read += pattern->Old.size();
                continue;
            }
        }
        text[write++] = source[read++];
    }
    return write;
}

void ApplyReplacePatterns(Text& text) {
    text.resize(ApplyReplacePatterns(std::span(text)));
}

void ReplaceAll(Text& text, TextView old, TextView replacement) {
    if (old.empty()) return;
    std::size_t pos = text.find(old);
    if (pos == Text::npos) return;
    Text result;
    result.reserve(text.size());
    std::size_t done = 0;
    while (pos != Text::npos) {
        result.append(text, done, pos - done);
        result.append(replacement);
        done = pos + old.size();
        pos = text.find(old, done);
    }
    result.append(text, done);
    text = std::move(result);
}

}  // namespace tessalin
