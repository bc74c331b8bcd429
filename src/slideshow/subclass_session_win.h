// The slide-show session: filtered slide-show windows and the filter that keeps activation
// and focus messages from them.
#pragma once

#include <windows.h>

namespace tessalin {

void StartSession();
void EndSession() noexcept;

// Puts the window under the filter, or lifts the filter's pass-through where its chain still
// holds it; false when it is not a slide-show window of this process, the filter drops its
// focus messages already, no session is active, or the platform refuses.
bool SubclassSlideShowWindow(HWND wnd);

// Takes the filter off the window, if it is on top (else lets it pass everything), and drops
// one of the window's records; false without a record.
bool DeregisterWindow(HWND wnd);

// Takes the filter off every recorded window where it is on top; the records stay.
void RestoreRecordedWindows();

// At FreeLibrary: every window still running the filter gets its original procedure back,
// whether or not a session still records it, because the filter's code is going away.
void RestoreAllFilteredWindows() noexcept;

}  // namespace tessalin
