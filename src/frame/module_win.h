// The library's own module: window classes are registered with it so that they belong to
// this DLL and can be unregistered when it unloads.
#pragma once

#include <windows.h>

namespace tessalin {

HINSTANCE ThisModule() noexcept;

}  // namespace tessalin
