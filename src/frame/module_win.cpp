#include "frame/module_win.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tessalin {

HINSTANCE ThisModule() noexcept {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

}  // namespace tessalin
