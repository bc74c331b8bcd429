#include "monitors/monitor_table_win.h"

#include <windows.h>

#include <vector>

#include "frame/export_guard.h"
#include "frame/wide_win.h"

namespace tessalin {
namespace {

MonitorTable g_monitors;

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) noexcept {
    return Guarded(FALSE, [&] {
        MONITORINFOEXW info{};
        info.cbSize = sizeof info;
        // A monitor whose information cannot be read keeps an empty device name.
        Text device = GetMonitorInfoW(monitor, &info) ? Text(AsText(info.szDevice)) : Text();
        reinterpret_cast<std::vector<MonitorEntry>*>(found)->push_back(
            {reinterpret_cast<MonitorId>(monitor), std::move(device)});
        return TRUE;
    });
}

std::vector<MonitorEntry> PresentMonitors() {
    std::vector<MonitorEntry> found;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::optional<MonitorRect> ReadMonitorRect(MonitorId monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    // Fails for a monitor that left after start-up, or came back with a new handle.
    if (!GetMonitorInfoW(reinterpret_cast<HMONITOR>(monitor), &info)) return std::nullopt;
    const RECT& rect = info.rcMonitor;
    return MonitorRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void TakeMonitorSnapshot() noexcept {
    Guarded([] { g_monitors.TakeSnapshot(PresentMonitors()); });
}

void ReleaseOrderedMonitors() noexcept {
    g_monitors.ReleaseOrder();
}

std::int32_t MonitorCount() noexcept {
    return g_monitors.Count(GetSystemMetrics(SM_CMONITORS));
}

MonitorInfoAnswer DescribeMonitor(std::int32_t number) {
    return g_monitors.Describe(number, GetSystemMetrics(SM_CMONITORS), &ReadMonitorRect,
                               &PresentMonitors);
}

}  // namespace tessalin
