// Loads the real Tessalin.dll the way the add-in does (LoadLibraryW, GetProcAddress) and
// frees it when the test is done with it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tools/hostkit/library_win.h"

namespace testing_support {

// The DLL sits next to the test programs.
std::wstring DllPath();

// Throws where the DLL does not load.
class Library : public hostkit::Library {
  public:
    Library();
};

// A value whose upper 32 bits are garbage and whose lower 32 bits are the given argument:
// exports must read 32-bit arguments from the low half of their slots only.
inline std::int64_t WithDirtyHigh(std::int32_t value) {
    return static_cast<std::int64_t>(0x5A5A5A5A00000000ull | static_cast<std::uint32_t>(value));
}

}  // namespace testing_support
