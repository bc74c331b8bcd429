// The stand-in host's view of the DLL: exports looked up by name, as the add-in's Declare
// statements do.
#pragma once

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

class HostLibrary {
  public:
    explicit HostLibrary(const wchar_t* path) : module_(LoadLibraryW(path)) {}
    ~HostLibrary() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    HostLibrary(const HostLibrary&) = delete;
    HostLibrary& operator=(const HostLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }
    HMODULE module() const { return module_; }

    template <class Result, class... Args>
    Result Call(const char* name, Args... args) const {
        using Function = Result (*)(Args...);
        FARPROC address = GetProcAddress(module_, name);
        if (address == nullptr) throw std::runtime_error(std::string("missing export ") + name);
        return reinterpret_cast<Function>(reinterpret_cast<void*>(address))(args...);
    }

  private:
    HMODULE module_;
};
