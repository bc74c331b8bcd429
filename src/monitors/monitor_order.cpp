#include "monitors/monitor_order.h"

namespace tessalin {

std::vector<std::size_t> BuildMonitorOrder(std::size_t count, const PositionRectReader& read) {
    std::vector<std::size_t> order;
    if (count == 0) return order;
    std::size_t first = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<MonitorRect> rect = read(i);
        if (rect && rect->left == 0 && rect->top == 0) {
            first = i;
            break;
        }
    }
    order.reserve(count);
    order.push_back(first);
    for (std::size_t i = 0; i < count; ++i) {
        if (i != first) order.push_back(i);
    }
    return order;
}

void MonitorTable::TakeSnapshot(std::vector<MonitorEntry> monitors) {
    snapshot_ = std::move(monitors);
    order_.clear();
}

std::int32_t MonitorTable::Count(std::int32_t systemCount) const noexcept {
    return snapshot_.empty() ? systemCount : static_cast<std::int32_t>(snapshot_.size());
}

MonitorInfoAnswer MonitorTable::Describe(std::int32_t number, std::int32_t systemCount,
                                         const MonitorRectReader& read,
                                         const MonitorLister& present) {
    if (order_.empty()) {
        order_ = BuildMonitorOrder(snapshot_.size(),
                                   [&](std::size_t i) { return Read(i, read, present); });
    }
    const std::int32_t count = Count(systemCount);
    if (number < 1 || number > count) return {std::nullopt, count};
    // The count may come from the system while the snapshot is empty: only entries that
    // exist are described.
    const auto index = static_cast<std::size_t>(number - 1);
    if (index >= order_.size()) return {};
    std::optional<MonitorRect> rect = Read(order_[index], read, present);
    if (!rect) return {};
    return {rect, rect->height};
}

std::optional<MonitorRect> MonitorTable::Read(std::size_t position, const MonitorRectReader& read,
                                              const MonitorLister& present) {
    MonitorEntry& entry = snapshot_[position];
    if (std::optional<MonitorRect> rect = read(entry.handle)) return rect;
    if (entry.device.empty()) return std::nullopt;  // a name never read matches nothing
    for (const MonitorEntry& now : present()) {
        if (now.device == entry.device) {
            entry.handle = now.handle;
            return read(entry.handle);
        }
    }
    return std::nullopt;
}

void MonitorTable::ReleaseOrder() noexcept {
    order_.clear();
}

}  // namespace tessalin
