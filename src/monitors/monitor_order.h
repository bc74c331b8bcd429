// The library's presentation order of the monitors: the monitor at the virtual-screen origin
// is number 1, the others follow in the order the system enumerated them at start-up. Only
// the set and the order are frozen; rectangles are read from the system every time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace tessalin {

// A monitor handle as the system gave it, kept as a plain value.
using MonitorId = std::uintptr_t;

struct MonitorRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Reads a monitor's whole rectangle now; nothing when the system no longer knows the
// monitor (the display arrangement changed after the snapshot).
using MonitorRectReader = std::function<std::optional<MonitorRect>(MonitorId)>;

// Positions in the snapshot, in presentation order: the first monitor whose rectangle starts
// at (0, 0), or the first of all when none does, then every other one in snapshot order.
std::vector<std::size_t> BuildMonitorOrder(std::span<const MonitorId> snapshot,
                                           const MonitorRectReader& read);

// What GetMonitorInfo hands back: the rectangle to write, if any, and its result.
struct MonitorInfoAnswer {
    std::optional<MonitorRect> rect;
    std::int32_t result = 0;
};

class MonitorTable {
  public:
    // The system's monitors at start-up, in enumeration order.
    void TakeSnapshot(std::vector<MonitorId> monitors);

    // The snapshot's size; when the enumeration found nothing, the system's own count.
    std::int32_t Count(std::int32_t systemCount) const noexcept;

    // Builds the order on the first call and answers for a 1-based monitor number. A number
    // outside 1..count gets the count and no rectangle. A number within the count that has
    // no snapshot entry, or whose monitor the system no longer knows, gets no rectangle and
    // a result of 0, never a stale one.
    MonitorInfoAnswer Describe(std::int32_t number, std::int32_t systemCount,
                               const MonitorRectReader& read);

    // The order is dropped at unload; the snapshot stays with the module.
    void ReleaseOrder() noexcept;

    bool IsOrdered() const noexcept { return !order_.empty(); }

  private:
    std::vector<MonitorId> snapshot_;
    std::vector<std::size_t> order_;
};

}  // namespace tessalin
