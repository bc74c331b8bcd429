// The language-file reader on arbitrary bytes: it must never crash, hang or read outside the
// text, it must give the entries that the format's rules, applied one line and one field at a
// time, give, and the first entry of each key must be found by it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string_view>
#include <vector>

#include "localizer/language_file.h"
#include "localizer/replace_patterns.h"

namespace {

using tessalin::Text;
using tessalin::TextView;
using Entry = std::array<Text, 4>;

Text Latin1(std::string_view bytes) {
    return Text(bytes.begin(), bytes.end());
}

void Require(bool condition) {
    if (!condition) std::abort();
}

bool Inside(const tessalin::TL10NResource& file, tessalin::TextSpan span) {
    return std::uint64_t{span.offset} + span.length <= file.FText.size();
}

// The escapes in one scan must equal one ReplaceAll pass per pattern in table order.
void CheckEscapesAgainstSeparatePasses(const Text& text) {
    Text scanned = text;
    tessalin::ApplyReplacePatterns(scanned);
    Text passes = text;
    for (const auto& pattern : tessalin::ReplacePatterns) {
        tessalin::ReplaceAll(passes, pattern.Old, pattern.New);
    }
    Require(scanned == passes);
}

// The entries of a decoded text by the rules alone.
std::vector<Entry> EntriesByTheRules(TextView text) {
    std::vector<Entry> entries;
    const auto enclosed = [](TextView field) {
        Text inner(field.size() < 3 ? TextView() : field.substr(1, field.size() - 2));
        tessalin::ApplyReplacePatterns(inner);
        return inner;
    };
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of(u"\r\n"), text.size());
        TextView line = text.substr(0, end);
        text.remove_prefix(text.substr(end).starts_with(u"\r\n") ? end + 2
                                                                 : std::min(end + 1, text.size()));
        if (line.empty() || line.front() == u';') continue;
        std::vector<TextView> fields;
        for (std::size_t tilde; (tilde = line.find(u'~')) != TextView::npos;) {
            fields.push_back(line.substr(0, tilde));
            line.remove_prefix(tilde + 1);
        }
        fields.push_back(line);
        if (fields.size() < 3) continue;
        entries.push_back({Text(fields[0]), Text(fields[1]), enclosed(fields[2]),
                           fields.size() > 3 ? enclosed(fields[3]) : Text()});
    }
    return entries;
}

// Strict UTF-8 gives back its bytes when encoded again, and what stands before an invalid
// sequence is valid.
void CheckUtf8(std::string_view bytes) {
    std::size_t invalidAt = 0;
    const std::optional<Text> text = tessalin::DecodeUtf8(bytes, &invalidAt);
    if (!text) {
        Require(invalidAt < bytes.size() && tessalin::DecodeUtf8(bytes.substr(0, invalidAt)));
        return;
    }
    std::string encoded;
    for (std::size_t i = 0; i < text->size(); ++i) {
        std::uint32_t point = (*text)[i];
        if (point >= 0xD800 && point <= 0xDBFF)
            point = 0x10000 + ((point - 0xD800) << 10) + ((*text)[++i] - 0xDC00);
        constexpr std::array<std::uint32_t, 4> kLead{0x00, 0xC0, 0xE0, 0xF0};
        const int trail = point < 0x80 ? 0 : point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
        encoded += static_cast<char>(kLead[trail] | point >> 6 * trail);
        for (int k = trail - 1; k >= 0; --k) {
            encoded += static_cast<char>(0x80 | ((point >> 6 * k) & 0x3F));
        }
    }
    Require(encoded == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tessalin::TL10NResource file = tessalin::LoadL10NFile(bytes, Latin1);
    const std::vector<Entry> expected =
        EntriesByTheRules(tessalin::DecodeLanguageFile(bytes, Latin1));
    Require(file.FStrings.size() == expected.size());
    std::map<std::pair<Text, Text>, const Entry*> firstOfKey;
    std::size_t index = 0;
    for (const tessalin::TStringResource& entry : file.FStrings) {
        Require(Inside(file, entry.FFormName) && Inside(file, entry.FComponentName) &&
                Inside(file, entry.FCaption) && Inside(file, entry.FHint));
        const Entry& rules = expected[index++];
        Require(file.View(entry.FFormName) == rules[0] &&
                file.View(entry.FComponentName) == rules[1] &&
                file.View(entry.FCaption) == rules[2] && file.View(entry.FHint) == rules[3]);
        firstOfKey.emplace(std::pair(rules[0], rules[1]), &rules);
    }
    for (const auto& [key, first] : firstOfKey) {
        Text caption;
        Text hint;
        Require(file.FindStringResource(key.first, key.second, caption, hint));
        Require(caption == (*first)[2] && hint == (*first)[3]);
    }
    CheckEscapesAgainstSeparatePasses(Latin1(bytes));
    CheckUtf8(bytes);
    static_cast<void>(tessalin::LanguageIdFromFileName(Latin1(bytes.substr(0, 16))));
    return 0;
}
