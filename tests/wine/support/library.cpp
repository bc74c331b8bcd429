#include "support/library.h"

#include <stdexcept>

namespace testing_support {

std::wstring DllPath() {
    return hostkit::ProgramFolder() + L"\\Tessalin.dll";
}

Library::Library() : hostkit::Library(DllPath()) {
    if (!loaded()) throw std::runtime_error("Tessalin.dll did not load");
}

}  // namespace testing_support
