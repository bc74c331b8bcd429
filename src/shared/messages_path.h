// Where the language files of an installation live.
#pragma once

#include "frame/text.h"

namespace tessalin {

// The installation folder, one backslash unless it ends in one, and "Messages"; empty for an
// empty installation folder.
Text MessagesPathFor(TextView installPath);

}  // namespace tessalin
