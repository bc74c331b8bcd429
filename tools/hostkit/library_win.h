// The library as the add-in loads it: LoadLibraryW by path, exports looked up by name as the
// add-in's Declare statements do, FreeLibrary at the end.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "frame/function_lookup_win.h"
#include "frame/unique_resource_win.h"

namespace hostkit {

class Library {
  public:
    explicit Library(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}

    bool loaded() const { return static_cast<bool>(module_); }
    HMODULE module() const { return module_.get(); }

    // The export as a function pointer of that type; throws where it is missing.
    template <class Function>
    Function Get(const char* name) const {
        const auto function = tessalin::Lookup<Function>(module_.get(), name);
        if (function == nullptr) throw std::runtime_error(std::string("missing export ") + name);
        return function;
    }

    template <class Result, class... Args>
    Result Call(const char* name, Args... args) const {
        return Get<Result (*)(Args...)>(name)(args...);
    }

    // Unloads now rather than with the object.
    void Free() { module_.reset(); }

  private:
    tessalin::UniqueModule module_;
};

// This program's path, however long, and its folder, where the DLL under test or check lies.
std::wstring ProgramPath();
std::wstring ProgramFolder();

}  // namespace hostkit
