// Loads the real Tessalin.dll the way the add-in does (LoadLibraryW, GetProcAddress) and
// frees it when the test is done with it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace testing_support {

// The DLL sits next to the test programs.
std::wstring DllPath();

class Library {
  public:
    Library();
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    HMODULE module() const { return module_; }

    // The export's address as a function pointer of the given type; throws when missing.
    template <class F>
    F Get(const char* name) const {
        FARPROC address = GetProcAddress(module_, name);
        if (address == nullptr) throw std::runtime_error(std::string("missing export ") + name);
        return reinterpret_cast<F>(reinterpret_cast<void*>(address));
    }

    // Unloads now rather than at destruction.
    void Free();

  private:
    HMODULE module_ = nullptr;
};

// A value whose upper 32 bits are garbage and whose lower 32 bits are the given argument:
// exports must read 32-bit arguments from the low half of their slots only.
inline std::int64_t WithDirtyHigh(std::int32_t value) {
    return static_cast<std::int64_t>(0x5A5A5A5A00000000ull | static_cast<std::uint32_t>(value));
}

}  // namespace testing_support
