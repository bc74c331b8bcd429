#include "forms/dpi_rules.h"

#include <gtest/gtest.h>

namespace tessalin::forms {
namespace {

TEST(DpiRules, DesignLengthsScaleToTheDisplayRoundingHalvesAwayFromZero) {
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

}  // namespace
}  // namespace tessalin::forms
