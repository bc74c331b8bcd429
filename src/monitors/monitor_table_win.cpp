#include "monitors/monitor_table_win.h"

#include <windows.h>

#include <vector>

#include "frame/export_guard.h"

namespace tessalin {
namespace {

MonitorTable g_monitors;

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) noexcept {
    return Guarded(FALSE, [&] {
        reinterpret_cast<std::vector<MonitorId>*>(found)->push_back(
            reinterpret_cast<MonitorId>(monitor));
        return TRUE;
    });
}

std::optional<MonitorRect> ReadMonitorRect(MonitorId monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    // Fails for a monitor that left after start-up: then there is nothing to report.
    if (!GetMonitorInfoW(reinterpret_cast<HMONITOR>(monitor), &info)) return std::nullopt;
    const RECT& rect = info.rcMonitor;
    return MonitorRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void TakeMonitorSnapshot() noexcept {
    Guarded([] {
        std::vector<MonitorId> found;
        EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&found));
        g_monitors.TakeSnapshot(std::move(found));
    });
}

void ReleaseOrderedMonitors() noexcept {
    g_monitors.ReleaseOrder();
}

std::int32_t MonitorCount() noexcept {
    return g_monitors.Count(GetSystemMetrics(SM_CMONITORS));
}

MonitorInfoAnswer DescribeMonitor(std::int32_t number) {
    return g_monitors.Describe(number, GetSystemMetrics(SM_CMONITORS), &ReadMonitorRect);
}

}  // namespace tessalin
