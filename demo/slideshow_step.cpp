// Two slide-show windows of class "screenClass", one on each monitor, put under the filter
// as the add-in does after the host starts its shows, with the focus keeper running.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "demo_steps.h"
#include "frame/unique_resource_win.h"
#include "tools/hostkit/message_loop_win.h"

namespace {

int g_focusMessages[2] = {0, 0};
std::vector<tessalin::UniqueWindow> g_shows;

LRESULT CALLBACK ShowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<int>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (msg == WM_SETFOCUS) ++g_focusMessages[index];
    if (msg == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(wnd, &paint);
        RECT client;
        GetClientRect(wnd, &client);
        const tessalin::UniqueGdiObject background(
            CreateSolidBrush(index == 0 ? RGB(32, 64, 128) : RGB(128, 48, 32)));
        FillRect(dc, &client, static_cast<HBRUSH>(background.get()));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        wchar_t text[64];
        swprintf(text, 64, L"Slide show %d", index + 1);
        DrawTextW(dc, text, -1, &client, DT_CENTER | DT_SINGLELINE | DT_TOP);
        EndPaint(wnd, &paint);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM rects) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    reinterpret_cast<std::vector<RECT>*>(rects)->push_back(info.rcMonitor);
    return TRUE;
}

}  // namespace

void DemoSlideShowStart(const Demo& demo) {
    WNDCLASSW showClass{};
    showClass.lpfnWndProc = ShowProc;
    showClass.hInstance = GetModuleHandleW(nullptr);
    showClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    showClass.lpszClassName = L"screenClass";
    RegisterClassW(&showClass);

    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    for (int i = 0; i < 2; ++i) {
        const RECT r = monitors[static_cast<std::size_t>(i) % monitors.size()];
        tessalin::UniqueWindow show(CreateWindowExW(0, L"screenClass", L"Slide show",
                                                    WS_POPUP | WS_VISIBLE, r.left, r.top,
                                                    r.right - r.left, r.bottom - r.top, nullptr,
                                                    nullptr, GetModuleHandleW(nullptr), nullptr));
        SetWindowLongPtrW(show.get(), GWLP_USERDATA, i);
        InvalidateRect(show.get(), nullptr, TRUE);
        g_shows.push_back(std::move(show));
        std::wprintf(L"host: slide show %d at (%ld,%ld) %ldx%ld\n", i + 1, r.left, r.top,
                     r.right - r.left, r.bottom - r.top);
    }
    hostkit::PumpMessages(200);

    demo.library.Call<void>("StartTessalineSession");
    std::wprintf(L"StartTessalineSession()\n");
    for (int i = 0; i < 3; ++i) {
        const auto result = demo.library.Call<std::int32_t>("TessalineSlideShowStarted");
        std::wprintf(
            L"TessalineSlideShowStarted() -> %d%ls\n", result,
            result == 0 ? L" (a show went under the filter)" : L" (nothing left to filter)");
    }
    demo.library.Call<void>("StartTessaline");
    std::wprintf(L"StartTessaline()\n");
    g_focusMessages[0] = g_focusMessages[1] = 0;
    hostkit::PumpMessages(3000);
    std::wprintf(L"host: focus messages reaching the filtered shows in 3 s: %d and %d\n",
                 g_focusMessages[0], g_focusMessages[1]);
    SetForegroundWindow(g_shows[0].get());
    SetForegroundWindow(g_shows[1].get());
    hostkit::PumpMessages(200);
    std::wprintf(L"host: after switching the foreground between them: %d and %d\n",
                 g_focusMessages[0], g_focusMessages[1]);
}

void DemoSlideShowEnd(const Demo& demo) {
    demo.library.Call<void>("TessalineSlideShowsTerminated");
    std::wprintf(L"TessalineSlideShowsTerminated()\n");
    demo.library.Call<void>("EndTessalineSession");
    std::wprintf(L"EndTessalineSession()\n");
    demo.library.Call<void>("EndTessaline");
    std::wprintf(L"EndTessaline()\n");
    g_shows.clear();
}
