// The two lifecycle exports do nothing: the library is fully started when the platform's load
// returns and shut down only when it unloads. The add-in calls them out of habit.
#include "frame/export_guard.h"

TESSALIN_EXPORT void InitializeTessaline() noexcept {}

TESSALIN_EXPORT void ShutdownTessaline() noexcept {}
