// The window classes of the library's forms and the rich-edit library that their notes
// controls come from: registered and loaded when the first window needs them, given back at
// unload.
#pragma once

#include <windows.h>

#include "frame/unload.h"

namespace tessalin::forms {

// Registers the class with this module's handle, once; throws where the platform refuses it.
void RegisterFormClass(const wchar_t* className, WNDPROC windowProc);

// Loads the rich-edit library, once; throws where it cannot be loaded.
void LoadRichEditLibrary();

// At FreeLibrary: the classes name this module's window procedures, which are about to go.
void UnregisterFormClasses() noexcept;

// The rich-edit library is kept until unload: at FreeLibrary, once no such control is left,
// it is released; at process exit it is left alone.
void FreeRichEditLibrary(Unload how) noexcept;

}  // namespace tessalin::forms
