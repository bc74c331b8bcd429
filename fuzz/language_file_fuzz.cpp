// The language-file reader on arbitrary bytes: it must never crash, hang or read outside the
// text, and every entry it keeps must be found again by its key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "localizer/language_file.h"
#include "localizer/replace_patterns.h"

namespace {

using tessalin::Text;
using tessalin::TextView;

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tessalin::TL10NResource file = tessalin::LoadL10NFile(bytes, Latin1);
    for (const tessalin::TStringResource& entry : file.FStrings) {
        Require(Inside(file, entry.FFormName) && Inside(file, entry.FComponentName) &&
                Inside(file, entry.FCaption) && Inside(file, entry.FHint));
        const TextView form = file.View(entry.FFormName);
        const TextView component = file.View(entry.FComponentName);
        Require(form.find_first_of(u"~\r\n") == TextView::npos);
        Require(component.find_first_of(u"~\r\n") == TextView::npos);
        Require(file.View(entry.FCaption).find(u'~') == TextView::npos);
        Text caption;
        Text hint;
        Require(file.FindStringResource(form, component, caption, hint));
    }
    CheckEscapesAgainstSeparatePasses(Latin1(bytes));
    static_cast<void>(tessalin::LanguageIdFromFileName(Latin1(bytes.substr(0, 16))));
    return 0;
}
