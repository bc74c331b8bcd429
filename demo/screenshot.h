// Photographs of the screen, for looking at what the library showed: PNG files written
// through the Windows Imaging Component, which every Windows has.
#pragma once

#include <windows.h>

#include <string>

// An object selected into a device context, put back out with the object.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves the part of the screen inside `area` (in the calling thread's coordinates) as a PNG
// file. False if it could not.
bool SaveScreenArea(const RECT& area, const std::wstring& path);

// The whole virtual screen, every monitor.
bool SaveVirtualScreen(const std::wstring& path);
