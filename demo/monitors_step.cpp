#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "demo_steps.h"
#include "tools/hostkit/screenshot_win.h"

namespace {

std::wstring g_screenshotPath;
bool g_screenshotSaved = false;

// Runs from the library's message dispatching while the numbers are up.
void CALLBACK Photograph(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_screenshotSaved = hostkit::SaveVirtualScreen(g_screenshotPath);
}

}  // namespace

void DemoMonitors(const Demo& demo) {
    const auto count = demo.library.Call<std::int32_t>("GetMonitorCount");
    std::wprintf(L"GetMonitorCount() -> %d\n", count);
    for (std::int32_t number = 1; number <= count; ++number) {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        const auto result =
            demo.library.Call<std::int32_t>("GetMonitorInfo", number, &left, &top, &width, &height);
        std::wprintf(L"GetMonitorInfo(%d) -> %d: left %d, top %d, width %d, height %d\n", number,
                     result, left, top, width, height);
    }

    g_screenshotPath = demo.outputFolder + L"\\monitor_numbers.png";
    g_screenshotSaved = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1500, &Photograph);
    demo.library.Call<void>("ShowMonitorNumbers", std::int32_t{3});
    KillTimer(nullptr, timer);
    std::wprintf(L"ShowMonitorNumbers(3) -> returned; screenshot %ls\n",
                 g_screenshotSaved ? g_screenshotPath.c_str() : L"not taken");
}
