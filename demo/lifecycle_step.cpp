#include <cstdio>

#include "demo_steps.h"

void DemoLifecycleStart(const Demo& demo) {
    demo.library.Call<void>("InitializeTessaline");
    std::wprintf(L"InitializeTessaline()\n");
}

void DemoLifecycleEnd(const Demo& demo) {
    demo.library.Call<void>("ShutdownTessaline");
    std::wprintf(L"ShutdownTessaline()\n");
}
