// A function of a system DLL looked up by name at run time, where older Windows versions lack
// it and an import would keep the program from loading there. Header-only and free of the
// library's other code, so that programs on the host's side include it too.
#pragma once

#include <windows.h>

namespace tessalin {

// `Function` is the function's pointer type. Null where the module is not loaded or has no
// function of that name.
template <class Function>
Function Lookup(HMODULE module, const char* name) noexcept {
    if (module == nullptr) return nullptr;
    // Through void*: a cast from one function pointer type to another draws a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tessalin
