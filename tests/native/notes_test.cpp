#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "notes/notes_zoom.h"
#include "notes/rtf_block.h"
#include "notes/view_table.h"

namespace tessalin {
namespace {

TEST(NotesZoom, StepsByOneAndStopsAtTheBounds) {
    EXPECT_EQ(StepZoom(10, ZoomStep::kIn), 11);
    EXPECT_EQ(StepZoom(10, ZoomStep::kOut), 9);
    EXPECT_EQ(StepZoom(629, ZoomStep::kIn), 630);
    EXPECT_EQ(StepZoom(630, ZoomStep::kIn), std::nullopt);
    EXPECT_EQ(StepZoom(2, ZoomStep::kOut), 1);
    EXPECT_EQ(StepZoom(1, ZoomStep::kOut), std::nullopt);
    EXPECT_EQ(StepZoom(630, ZoomStep::kOut), 629);
    EXPECT_EQ(StepZoom(1, ZoomStep::kIn), 2);
}

TEST(NotesZoom, LabelRoundsToTheNearestPercentAndHalvesToEven) {
    EXPECT_EQ(ZoomPercentText(10, 10), u"100%");
    EXPECT_EQ(ZoomPercentText(11, 10), u"110%");
    EXPECT_EQ(ZoomPercentText(1, 10), u"10%");
    EXPECT_EQ(ZoomPercentText(630, 10), u"6300%");
    EXPECT_EQ(ZoomPercentText(1, 3), u"33%");    // 33.33
    EXPECT_EQ(ZoomPercentText(2, 3), u"67%");    // 66.67
    EXPECT_EQ(ZoomPercentText(1, 8), u"12%");    // 12.5: down to the even neighbour
    EXPECT_EQ(ZoomPercentText(3, 8), u"38%");    // 37.5: up to the even neighbour
    EXPECT_EQ(ZoomPercentText(-1, 8), u"-12%");  // -12.5
    EXPECT_EQ(ZoomPercentText(-3, 8), u"-38%");  // -37.5
}

TEST(NotesZoom, RichEditZoomCarriesTheTextToTheWindowsDpiWithinTheControlsRange) {
    struct Case {
        std::int32_t numerator;
        int windowDpi;
        int textDpi;
        ZoomRatio sent;
    };
    for (const Case& c :
         {Case{11, 96, 96, {11, 10}}, Case{10, 144, 144, {10, 10}}, Case{10, 192, 96, {2, 1}},
          Case{11, 192, 144, {22, 15}}, Case{10, 96, 144, {2, 3}}, Case{630, 480, 96, {63, 1}},
          Case{1, 72, 480, {1, 63}}, Case{11, 0, 96, {11, 10}}}) {
        EXPECT_EQ(RichEditZoom(c.numerator, 10, c.windowDpi, c.textDpi), c.sent)
            << c.numerator << " at " << c.windowDpi << " over " << c.textDpi;
    }
}

// The presenter's zoom stays where the rich edit shows what the label says: below 64 times and
// above 1/64, after the window's DPI over the text's.
TEST(NotesZoom, PresenterZoomBoundsKeepTheRichEditsZoomWithinItsRange) {
    struct Case {
        int windowDpi;
        int textDpi;
        ZoomBounds bounds;
    };
    for (const Case& c : {Case{96, 96, {1, 630}}, Case{144, 144, {1, 630}}, Case{192, 96, {1, 319}},
                          Case{144, 96, {1, 426}}, Case{96, 960, {2, 630}}, Case{0, 96, {1, 630}},
                          Case{96, 0, {1, 630}}, Case{65535, 96, {1, 1}}}) {
        EXPECT_EQ(PresenterZoomBounds(10, c.windowDpi, c.textDpi), c.bounds)
            << c.windowDpi << " over " << c.textDpi;
    }
    EXPECT_EQ(StepZoom(319, ZoomStep::kIn, {1, 319}), std::nullopt);
    EXPECT_EQ(StepZoom(2, ZoomStep::kOut, {2, 630}), std::nullopt);
    EXPECT_EQ(StepZoom(318, ZoomStep::kIn, {1, 319}), 319);
}

TEST(RtfBlock, WholeUpToTheBraceThatClosesTheOuterGroup) {
    using namespace std::string_view_literals;
    struct Case {
        std::string_view block;
        std::size_t whole;  // 0: not whole
    };
    for (const Case& c :
         {Case{"{\\rtf1 plain {\\b bold} text\\par}", 32}, Case{"{\\rtf1 x}\r\n\0{junk"sv, 9},
          Case{"{\\urtf1 x}", 10}, Case{"{\\rtf1 plain {\\b bold", 0}, Case{"", 0},
          Case{"plain {\\rtf1 x}", 0}, Case{"{\\rtf1 \\{ not a group}", 22}, Case{"{\\rtf1 \\}", 0},
          Case{"{\\rtf1 {\\bin4 }}}}}}", 20}, Case{"{\\rtf1 {\\bin2 \0}}}"sv, 18},
          Case{"{\\rtf1 {\\bin4 }}}}}", 0}, Case{"{\\rtf1 {\\bin99 }}", 0},
          Case{"{\\rtf1 \\bin-5 }", 15}}) {
        EXPECT_EQ(WholeRtfLength(c.block), c.whole) << c.block;
    }
}

struct Probe {
    explicit Probe(int& destroyed) : destroyed_(destroyed) {}
    ~Probe() { ++destroyed_; }
    int& destroyed_;
};

TEST(NotesViewTable, HandlesNameOnlyLiveViewsAndAreNeverReused) {
    int destroyed = 0;
    ViewTable<Probe> table;
    const auto first = table.Add(std::make_unique<Probe>(destroyed));
    const auto second = table.Add(std::make_unique<Probe>(destroyed));
    EXPECT_NE(first, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(table.Find(0), nullptr);
    Probe* const secondView = table.Find(second);
    ASSERT_NE(secondView, nullptr);

    EXPECT_NE(table.Remove(first), nullptr);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(table.Find(first), nullptr);
    EXPECT_EQ(table.Remove(first), nullptr);
    EXPECT_EQ(table.Find(second), secondView);

    // A view made after a destruction never takes the destroyed one's handle.
    const auto third = table.Add(std::make_unique<Probe>(destroyed));
    EXPECT_NE(third, first);
    EXPECT_NE(third, second);
    EXPECT_EQ(table.Find(first), nullptr);
}

TEST(NotesViewTable, RemoveAllHandsOverEveryViewAndEmptiesTheTable) {
    int destroyed = 0;
    ViewTable<Probe> table;
    const auto first = table.Add(std::make_unique<Probe>(destroyed));
    table.Add(std::make_unique<Probe>(destroyed));
    {
        auto all = table.RemoveAll();
        EXPECT_EQ(all.size(), 2u);
        EXPECT_EQ(table.Size(), 0u);
        EXPECT_EQ(table.Find(first), nullptr);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 2);
}

// A view removed by code that runs during a call on it (a window procedure, the clipboard's
// owner) stays alive until the outermost call on it has returned, and is dead to everyone
// else from the removal on.
TEST(NotesViewTable, ViewRemovedDuringAUseGoesWhenTheLastUseEnds) {
    int destroyed = 0;
    ViewTable<Probe> table;
    const auto view = table.Add(std::make_unique<Probe>(destroyed));
    const auto other = table.Add(std::make_unique<Probe>(destroyed));
    int ran = 0;
    table.Use(view, [&](Probe& outer) {
        table.Use(view, [&](Probe&) {
            EXPECT_EQ(table.Remove(view), nullptr);
            EXPECT_NE(table.Remove(other), nullptr) << "another view goes at once";
            EXPECT_EQ(destroyed, 1);
            EXPECT_EQ(table.Find(view), nullptr);
            table.Use(view, [&](Probe&) { ++ran; });
            EXPECT_EQ(table.Remove(view), nullptr) << "removed once only";
        });
        EXPECT_EQ(destroyed, 1) << "the outer call still runs on it";
        EXPECT_EQ(&outer.destroyed_, &destroyed);
    });
    EXPECT_EQ(ran, 0) << "a removed view takes no new calls";
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(table.Size(), 0u);

    // A failing call ends its use all the same.
    const auto third = table.Add(std::make_unique<Probe>(destroyed));
    EXPECT_THROW(table.Use(third,
                           [&](Probe&) {
                               table.Remove(third);
                               throw 1;
                           }),
                 int);
    EXPECT_EQ(destroyed, 3);
}

}  // namespace
}  // namespace tessalin
