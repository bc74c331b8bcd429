// Message texts in the user's language: the "<SP>" entries of the language files, with the
// caller's default text where no file has one.
#pragma once

#include <cstdint>

#include "frame/text.h"
#include "localizer/store.h"

namespace tessalin {

// The message's text for the language, else the default text; escapes are replaced in both.
Text GetLocaleString(const TL10NResources& files, std::uint32_t language, std::int32_t number,
                     TextView defaultText);

// GetLocaleString with every "%s1%" replaced by the first argument, then every "%s2%" by the
// second. Arguments go in as they are, escapes and all.
Text FormatLocaleString(const TL10NResources& files, std::uint32_t language, std::int32_t number,
                        TextView defaultText, TextView first, TextView second);

}  // namespace tessalin
