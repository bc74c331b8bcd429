// A notes view of the library as any tool finds it: the add-in gets a handle, not the window,
// so the window is the thread's notes window that was not there before, and its controls are
// its children in the order of the design tables.
#pragma once

#include <windows.h>

#include <vector>

namespace hostkit {

struct NotesViewWindows {
    HWND window = nullptr;
    // All found, or none: the notes (a rich edit), then the strip with its three controls.
    HWND richEdit = nullptr;
    HWND panel = nullptr;
    HWND zoomOut = nullptr;
    HWND label = nullptr;
    HWND zoomIn = nullptr;
};

// The calling thread's notes windows.
std::vector<HWND> NotesWindows();

// The notes window of the calling thread that is not among `before`, and its controls.
NotesViewWindows NewNotesView(const std::vector<HWND>& before);

}  // namespace hostkit
