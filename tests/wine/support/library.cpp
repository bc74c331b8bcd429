#include "support/library.h"

namespace testing_support {

std::wstring DllPath() {
    wchar_t exe[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe, length);
    path.resize(path.find_last_of(L'\\') + 1);
    return path + L"Tessalin.dll";
}

Library::Library() {
    module_ = LoadLibraryW(DllPath().c_str());
    if (module_ == nullptr) throw std::runtime_error("Tessalin.dll did not load");
}

Library::~Library() {
    Free();
}

void Library::Free() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
}

}  // namespace testing_support
