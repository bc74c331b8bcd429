#include "monitors/monitor_order.h"

namespace tessalin {
namespace {

bool StartsAtOrigin(MonitorId monitor, const MonitorRectReader& read) {
    const std::optional<MonitorRect> rect = read(monitor);
    return rect && rect->left == 0 && rect->top == 0;
}

}  // namespace

std::vector<std::size_t> BuildMonitorOrder(std::span<const MonitorId> snapshot,
                                           const MonitorRectReader& read) {
    std::vector<std::size_t> order;
    if (snapshot.empty()) return order;
    std::size_t first = 0;
    for (std::size_t i = 0; i < snapshot.size(); ++i) {
        if (StartsAtOrigin(snapshot[i], read)) {
            first = i;
            break;
        }
    }
    order.reserve(snapshot.size());
    order.push_back(first);
    for (std::size_t i = 0; i < snapshot.size(); ++i) {
        if (i != first) order.push_back(i);
    }
    return order;
}

void MonitorTable::TakeSnapshot(std::vector<MonitorId> monitors) {
    snapshot_ = std::move(monitors);
    order_.clear();
}

std::int32_t MonitorTable::Count(std::int32_t systemCount) const noexcept {
    return snapshot_.empty() ? systemCount : static_cast<std::int32_t>(snapshot_.size());
}

MonitorInfoAnswer MonitorTable::Describe(std::int32_t number, std::int32_t systemCount,
                                         const MonitorRectReader& read) {
    if (order_.empty()) order_ = BuildMonitorOrder(snapshot_, read);
    const std::int32_t count = Count(systemCount);
    if (number < 1 || number > count) return {std::nullopt, count};
    // The count may come from the system while the snapshot is empty: only entries that
    // exist are described.
    const auto index = static_cast<std::size_t>(number - 1);
    if (index >= order_.size()) return {};
    std::optional<MonitorRect> rect = read(snapshot_[order_[index]]);
    if (!rect) return {};
    return {rect, rect->height};
}

void MonitorTable::ReleaseOrder() noexcept {
    order_.clear();
}

}  // namespace tessalin
