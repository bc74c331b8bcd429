#include "localizer/locale_strings.h"

#include <string>

#include "localizer/replace_patterns.h"

namespace tessalin {

Text GetLocaleString(const TL10NResources& files, std::uint32_t language, std::int32_t number,
                     TextView defaultText) {
    Text text(defaultText);
    ApplyReplacePatterns(text);
    const TL10NResource* file = FindL10NResource(files, language);
    if (file == nullptr) return text;
    const std::string decimal = std::to_string(number);
    const Text key(decimal.begin(), decimal.end());
    Text ignoredHint;
    file->FindStringResource(u"<SP>", key, text, ignoredHint);
    return text;
}

Text FormatLocaleString(const TL10NResources& files, std::uint32_t language, std::int32_t number,
                        TextView defaultText, TextView first, TextView second) {
    Text text = GetLocaleString(files, language, number, defaultText);
    // Two passes, so a "%s2%" that the first argument brings in is replaced too.
    ReplaceAll(text, u"%s1%", first);
    ReplaceAll(text, u"%s2%", second);
    return text;
}

}  // namespace tessalin
