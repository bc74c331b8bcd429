#include "monitors/monitor_order.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "monitors/overlay_wait.h"

namespace tessalin {
namespace {

// The system as the table sees it: monitor handles and their current rectangles. A handle
// missing from the map is one the system no longer knows.
struct FakeSystem {
    std::map<MonitorId, MonitorRect> rects;
    std::vector<MonitorEntry> present;  // what the system lists now
    int reads = 0;

    MonitorLister Lister() {
        return [this] {
            return present;
        };
    }

    MonitorRectReader Reader() {
        return [this](MonitorId id) -> std::optional<MonitorRect> {
            ++reads;
            const auto found = rects.find(id);
            if (found == rects.end()) return std::nullopt;
            return found->second;
        };
    }
};

constexpr MonitorRect kPrimary{0, 0, 1024, 768};
constexpr MonitorRect kLeft{-800, 0, 800, 600};
constexpr MonitorRect kRight{1024, 0, 1280, 1024};

std::vector<std::size_t> Order(std::vector<MonitorRect> rects) {
    FakeSystem system;
    std::vector<MonitorId> snapshot;
    for (const MonitorRect& rect : rects) {
        snapshot.push_back(0x1000 + snapshot.size() * 0x10);
        system.rects[snapshot.back()] = rect;
    }
    const MonitorRectReader read = system.Reader();
    return BuildMonitorOrder(snapshot.size(), [&](std::size_t i) { return read(snapshot[i]); });
}

using Positions = std::vector<std::size_t>;

TEST(MonitorOrder, OriginMonitorComesFirstWhereverTheSystemReportsIt) {
    EXPECT_EQ(Order({kPrimary, kLeft, kRight}), (Positions{0, 1, 2}));
    EXPECT_EQ(Order({kLeft, kPrimary}), (Positions{1, 0}));
    EXPECT_EQ(Order({kLeft, kRight, kPrimary}), (Positions{2, 0, 1}));
}

TEST(MonitorOrder, OnlyAnExactOriginCounts) {
    // Below the primary: left edge 0 but not top; then no origin at all.
    EXPECT_EQ(Order({{0, 768, 800, 600}, kPrimary}), (Positions{1, 0}));
    EXPECT_EQ(Order({kLeft, kRight, {5, 0, 10, 10}}), (Positions{0, 1, 2}));
}

TEST(MonitorOrder, OneMonitorAndNone) {
    EXPECT_EQ(Order({kLeft}), (Positions{0}));
    EXPECT_EQ(Order({}), Positions{});
}

TEST(MonitorOrder, UnreadableMonitorIsKeptButIsNeverTheOrigin) {
    EXPECT_EQ(BuildMonitorOrder(
                  2, [](std::size_t i) { return i == 1 ? std::optional(kPrimary) : std::nullopt; }),
              (Positions{1, 0}));
}

class MonitorTableTest : public testing::Test {
  protected:
    // The system's own count, which must only matter when the snapshot is empty.
    static constexpr std::int32_t kSystemCount = 7;

    MonitorTableTest() {
        system_.rects = {{10, kLeft}, {20, kPrimary}};
        table_.TakeSnapshot({{10, u"DISPLAY2"}, {20, u"DISPLAY1"}});
    }

    MonitorInfoAnswer Describe(std::int32_t number) {
        return table_.Describe(number, kSystemCount, system_.Reader(), system_.Lister());
    }

    FakeSystem system_;
    MonitorTable table_;
};

TEST_F(MonitorTableTest, DescribesInPresentationOrderAndAnswersTheHeight) {
    EXPECT_EQ(table_.Count(kSystemCount), 2);
    const MonitorInfoAnswer first = Describe(1);
    ASSERT_TRUE(first.rect);
    EXPECT_EQ(first.rect->left, 0);
    EXPECT_EQ(first.rect->width, 1024);
    EXPECT_EQ(first.result, 768);
    const MonitorInfoAnswer second = Describe(2);
    ASSERT_TRUE(second.rect);
    EXPECT_EQ(second.rect->left, -800);
    EXPECT_EQ(second.result, 600);
}

TEST_F(MonitorTableTest, NumbersOutsideOneToCountGetTheCountAndNoRectangle) {
    for (std::int32_t number : {3, 0, -1, INT_MIN, INT_MAX}) {
        const MonitorInfoAnswer answer = Describe(number);
        EXPECT_FALSE(answer.rect) << number;
        EXPECT_EQ(answer.result, 2) << number;
    }
}

TEST_F(MonitorTableTest, CountAloneNeitherOrdersNorReadsButAnyDescribeOrders) {
    table_.Count(kSystemCount);
    EXPECT_FALSE(table_.IsOrdered());
    EXPECT_EQ(system_.reads, 0);
    Describe(3);
    EXPECT_TRUE(table_.IsOrdered());
}

TEST_F(MonitorTableTest, OrderIsFrozenAtFirstUseWhileRectanglesFollowTheSystem) {
    Describe(1);
    // The arrangement changes: the left monitor becomes the one at the origin.
    system_.rects[10] = {0, 0, 800, 600};
    system_.rects[20] = {800, 0, 1024, 768};
    const MonitorInfoAnswer first = Describe(1);
    ASSERT_TRUE(first.rect);
    EXPECT_EQ(first.rect->left, 800) << "number 1 is still the former primary monitor";
    EXPECT_EQ(first.result, 768);
    // After an unload and a fresh start the order is built anew.
    table_.ReleaseOrder();
    EXPECT_EQ(Describe(1).result, 600);
}

TEST_F(MonitorTableTest, MonitorTheSystemNoLongerKnowsIsNotDescribed) {
    Describe(1);
    system_.rects.erase(10);
    const MonitorInfoAnswer gone = Describe(2);
    EXPECT_FALSE(gone.rect);
    EXPECT_EQ(gone.result, 0);
    EXPECT_TRUE(Describe(1).rect);
}

TEST_F(MonitorTableTest, MonitorBackWithANewHandleIsFoundByItsDeviceName) {
    // Before the first call the primary is back as 50; 30, new and listed first, is not it.
    system_.rects.erase(20);
    system_.rects[50] = kPrimary;
    system_.present = {{10, u"DISPLAY2"}, {30, u"DISPLAY3"}, {50, u"DISPLAY1"}};
    EXPECT_EQ(Describe(1).result, 768) << "number 1 is still the primary monitor";
    EXPECT_EQ(table_.Count(kSystemCount), 2);
}

TEST(MonitorTable, EmptySnapshotCountsFromTheSystemButDescribesNothing) {
    FakeSystem system;
    MonitorTable table;
    EXPECT_EQ(table.Count(2), 2);
    for (std::int32_t number : {1, 2}) {
        const MonitorInfoAnswer answer =
            table.Describe(number, 2, system.Reader(), system.Lister());
        EXPECT_FALSE(answer.rect);
        EXPECT_EQ(answer.result, 0);
    }
    EXPECT_EQ(table.Describe(3, 2, system.Reader(), system.Lister()).result, 2);
}

TEST(OverlayWait, TenPassesPerSecondNeverWrapped) {
    EXPECT_EQ(OverlayWaitPasses(0), 0);
    EXPECT_EQ(OverlayWaitPasses(-1), 0);
    EXPECT_EQ(OverlayWaitPasses(INT_MIN), 0);
    EXPECT_EQ(OverlayWaitPasses(1), 10);
    EXPECT_EQ(OverlayWaitPasses(214'748'364), 2'147'483'640);
    // From here the 32-bit product would wrap negative: the wait is capped instead.
    EXPECT_EQ(OverlayWaitPasses(214'748'365), INT_MAX);
    EXPECT_EQ(OverlayWaitPasses(INT_MAX), INT_MAX);
}

}  // namespace
}  // namespace tessalin
