#include "forms/form_layout.h"

#include <gtest/gtest.h>

#include "forms/dpi_rules.h"

namespace tessalin::forms {
namespace {

TEST(FormLayout, DesignLengthsScaleToTheDisplayRoundingHalvesAwayFromZero) {
    EXPECT_EQ(ScaleFromDesign(-85, 96), -85);
    EXPECT_EQ(ScaleFromDesign(-85, 144), -128);  // -127.5
    EXPECT_EQ(ScaleFromDesign(653, 144), 980);   // 979.5
    EXPECT_EQ(ScaleFromDesign(-11, 120), -14);   // -13.75
    EXPECT_EQ(ScaleFromDesign(Bounds{192, 124, 653, 550}, 192), (Bounds{384, 248, 1306, 1100}));
    EXPECT_EQ(ScaleBetweenDpis(-17, 144, 192), -23);  // -22.67: a system font to the window's
    EXPECT_EQ(ScaleBetweenDpis(-9, 120, 96), -7);     // -7.2
}

// A window that does not follow its monitor stays at its DPI when told of a change; a line
// pitch tells the DPI it was drawn at, or nothing when it cannot be one.
TEST(DpiRules, ChangesAndMeasuredPitches) {
    EXPECT_EQ(DpiAfterChange(192, 96, true), 192);
    EXPECT_EQ(DpiAfterChange(192, 96, false), 96);
    EXPECT_EQ(DpiAfterChange(0, 144, true), 144);
    struct Case {
        int pitch;
        int spacingTwips;
        int dpi;
    };
    for (const Case& c : {Case{192, 2880, 96}, Case{288, 2880, 144}, Case{193, 2880, 97},
                          Case{120, 1440, 120}, Case{0, 2880, 0}, Case{-192, 2880, 0},
                          Case{20, 2880, 0}, Case{5000, 2880, 0}, Case{192, 0, 0}}) {
        EXPECT_EQ(TextDpiFromLinePitch(c.pitch, c.spacingTwips), c.dpi)
            << c.pitch << " px for " << c.spacingTwips << " twips";
    }
}

TEST(FormLayout, ClientAlignedControlFillsTheClientArea) {
    const LayoutItem items[] = {{Align::kClient, {5, 5, 10, 10}, true}};
    EXPECT_EQ(LayoutControls(items, 1024, 768), (std::vector<Bounds>{{0, 0, 1024, 768}}));
}

TEST(FormLayout, TopAlignedControlsStackAndTheClientTakesTheRest) {
    const LayoutItem items[] = {
        {Align::kClient, {0, 0, 1, 1}, true},
        {Align::kTop, {3, 4, 50, 41}, true},
        {Align::kNone, {8, 9, 106, 25}, true},
        {Align::kTop, {0, 0, 50, 20}, true},
    };
    EXPECT_EQ(LayoutControls(items, 688, 453),
              (std::vector<Bounds>{
                  {0, 61, 688, 392}, {0, 0, 688, 41}, {8, 9, 106, 25}, {0, 41, 688, 20}}));
}

TEST(FormLayout, HiddenControlTakesNoRoom) {
    const LayoutItem items[] = {{Align::kTop, {0, 0, 50, 41}, false},
                                {Align::kClient, {0, 0, 1, 1}, true}};
    const std::vector<Bounds> placed = LayoutControls(items, 688, 453);
    EXPECT_EQ(placed[0], (Bounds{0, 0, 50, 41}));
    EXPECT_EQ(placed[1], (Bounds{0, 0, 688, 453}));
}

TEST(FormLayout, TooSmallClientAreaGivesEmptyRatherThanNegativeSizes) {
    const LayoutItem items[] = {{Align::kTop, {0, 0, 50, 41}, true},
                                {Align::kClient, {0, 0, 1, 1}, true}};
    EXPECT_EQ(LayoutControls(items, 100, 30),
              (std::vector<Bounds>{{0, 0, 100, 30}, {0, 30, 100, 0}}));
    EXPECT_EQ(LayoutControls(items, -5, -5), (std::vector<Bounds>{{0, 0, 0, 0}, {0, 0, 0, 0}}));
}

}  // namespace
}  // namespace tessalin::forms
