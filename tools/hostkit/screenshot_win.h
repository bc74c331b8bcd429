// Photographs of the screen, for looking at what the library showed: PNG files written through
// the Windows Imaging Component, which every Windows has.
#pragma once

#include <windows.h>

#include <string>

namespace hostkit {

// Saves the part of the screen inside `area` (in the calling thread's coordinates) as a PNG
// file. False if it could not.
bool SaveScreenArea(const RECT& area, const std::wstring& path);

// The whole virtual screen, every monitor.
bool SaveVirtualScreen(const std::wstring& path);

}  // namespace hostkit
