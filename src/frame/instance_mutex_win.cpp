#include "frame/instance_mutex_win.h"

#include "frame/unique_resource_win.h"

namespace tessalin {
namespace {

UniqueHandle g_instanceMutex;

}  // namespace

void CreateInstanceMutex() noexcept {
    // When another process made it first, the call opens the existing one: either way this
    // process now holds a handle, and the library never waits on it.
    g_instanceMutex.reset(CreateMutexW(nullptr, FALSE, L"Tessaline"));
}

void CloseInstanceMutex() noexcept {
    g_instanceMutex.reset();
}

}  // namespace tessalin
