// Photographs of the virtual screen, for looking at what the library showed.
#pragma once

#include <string>

// Saves the whole virtual screen, every monitor, as a 24-bit BMP file. False if it could
// not.
bool SaveVirtualScreen(const std::wstring& path);
