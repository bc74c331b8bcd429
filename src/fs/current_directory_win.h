// The process's current directory, shared by the path helpers and the dialogs.
#pragma once

#include "frame/text.h"

namespace tessalin {

// The whole current directory, however long.
Text CurrentDirectory();

}  // namespace tessalin
