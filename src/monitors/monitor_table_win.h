// The monitors as the library numbers them (see monitor_order.h), over the system's snapshot
// taken at start-up.
#pragma once

#include <cstdint>
#include <optional>

#include "monitors/monitor_order.h"

namespace tessalin {

// Start-up: the system's monitors in enumeration order; the ordered list starts empty.
void TakeMonitorSnapshot() noexcept;
// Unload: the ordered list is dropped.
void ReleaseOrderedMonitors() noexcept;

std::int32_t MonitorCount() noexcept;

// The answer for a 1-based monitor number; builds the order on the first call.
MonitorInfoAnswer DescribeMonitor(std::int32_t number);

}  // namespace tessalin
