// The single boundary between the library and the host: every export runs its body through
// Guarded, so no C++ exception ever unwinds into the host's frames. A failing body gives the
// export's failure result instead.
#pragma once

#include <utility>

namespace tessalin {

template <class Result, class Body>
Result Guarded(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

template <class Body>
void Guarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

}  // namespace tessalin

// Exports are plain C names; the list of exported names itself lives in exports.def.
#define TESSALIN_EXPORT extern "C"
