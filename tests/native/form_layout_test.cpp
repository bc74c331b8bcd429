#include "forms/form_layout.h"

#include <gtest/gtest.h>

namespace tessalin::forms {
namespace {

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
