// The library's presentation order of the monitors: the monitor at the virtual-screen origin
// is number 1, the others follow in the order the system enumerated them at start-up. Only
// the set and the order are frozen; rectangles are read from the system every time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "frame/text.h"

namespace tessalin {

// A monitor handle as the system gave it, kept as a plain value.
using MonitorId = std::uintptr_t;

// A monitor as the system enumerates it: its handle, valid only while the monitor is part of
// the desktop, and its device name, which stays the same when the monitor comes back (a
// projector reconnected, another projection mode) with a new handle.
struct MonitorEntry {
    MonitorId handle = 0;
    Text device;
};

// The monitors present now, in the system's order.
using MonitorLister = std::function<std::vector<MonitorEntry>()>;

struct MonitorRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Reads a monitor's whole rectangle now; nothing when the system no longer knows the
// monitor (the display arrangement changed after the snapshot).
using MonitorRectReader = std::function<std::optional<MonitorRect>(MonitorId)>;

// Reads the rectangle of the monitor at a position of the snapshot.
using PositionRectReader = std::function<std::optional<MonitorRect>(std::size_t position)>;

// Positions in the snapshot, in presentation order: the first monitor whose rectangle starts
// at (0, 0), or the first of all when none does, then every other one in snapshot order.
std::vector<std::size_t> BuildMonitorOrder(std::size_t count, const PositionRectReader& read);

// What GetMonitorInfo hands back: the rectangle to write, if any, and its result.
struct MonitorInfoAnswer {
    std::optional<MonitorRect> rect;
    std::int32_t result = 0;
};

class MonitorTable {
  public:
    // The system's monitors at start-up, in enumeration order.
    void TakeSnapshot(std::vector<MonitorEntry> monitors);

    // The snapshot's size; when the enumeration found nothing, the system's own count.
    std::int32_t Count(std::int32_t systemCount) const noexcept;

    // Builds the order on the first call and answers for a 1-based monitor number. A number
    // outside 1..count gets the count and no rectangle. A monitor whose handle the system no
    // longer knows takes the handle of a present monitor of the same device name, if there is
    // one. A number within the count that has no snapshot entry, or whose monitor is not
    // present, gets no rectangle and a result of 0, never a stale one.
    MonitorInfoAnswer Describe(std::int32_t number, std::int32_t systemCount,
                               const MonitorRectReader& read, const MonitorLister& present);

    // The order is dropped at unload; the snapshot stays with the module.
    void ReleaseOrder() noexcept;

    bool IsOrdered() const noexcept { return !order_.empty(); }

  private:
    std::optional<MonitorRect> Read(std::size_t position, const MonitorRectReader& read,
                                    const MonitorLister& present);

    std::vector<MonitorEntry> snapshot_;
    std::vector<std::size_t> order_;
};

}  // namespace tessalin
