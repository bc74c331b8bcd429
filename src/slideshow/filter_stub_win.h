// The address that filtered windows run: a small stub in a code page of its own, outside the
// library's image, that jumps to the filter while the library is loaded.
//
// Another procedure may subclass a filtered window on top of the filter (other add-ins and
// common-control helpers do); it keeps the filter's address as its previous procedure, where
// the library cannot reach it. Once the library is unloaded that address must still lead
// somewhere, so at unload such a stub is turned into a forwarder that passes every message to
// the window's own procedure, and its page stays mapped for the rest of the process.
#pragma once

#include <windows.h>

namespace tessalin {

// The stub jumping to `filter`, made on the first call; null when the platform refuses to
// make code pages (a host that forbids dynamic code).
WNDPROC FilterStub(WNDPROC filter) noexcept;

// The window property from which the forwarder reads a window's own procedure. It names this
// stub alone, so that the forwarders of earlier loads in the same chain never read each
// other's. Null without a stub.
const wchar_t* ForwarderProperty() noexcept;

// At FreeLibrary. With windows whose chains still hold the stub, it becomes their forwarder
// and is kept; otherwise its page is given back.
void ReleaseFilterStub(bool stillInChains) noexcept;

}  // namespace tessalin
