// The shadow label's geometry.
#include <gtest/gtest.h>

#include "controls/ShadowLabel.h"

using namespace orvik;

TEST(ShadowLabel, ShadowMovesTowardsEachCorner) {
    const IntRect r{10, 20, 50, 33};
    EXPECT_EQ(ShadowRect(r, ShadowPosition::LeftTop, 1), (IntRect{9, 19, 49, 32}));
    EXPECT_EQ(ShadowRect(r, ShadowPosition::LeftBottom, 2), (IntRect{8, 22, 48, 35}));
    EXPECT_EQ(ShadowRect(r, ShadowPosition::RightBottom, 3), (IntRect{13, 23, 53, 36}));
    EXPECT_EQ(ShadowRect(r, ShadowPosition::RightTop, 1), (IntRect{11, 19, 51, 32}));
    EXPECT_EQ(ShadowRect(r, ShadowPosition::RightTop, 0), r);
}

// Text w x h measured at (1, 0) in the text rectangle, united with its shadow.
static LabelBounds AutoSize(int w, int h, ShadowPosition pos, int s, TextAlignment a = TextAlignment::Left) {
    const IntRect text{1, 0, 1 + w, h};
    const IntRect measured = UnionOf(text, ShadowRect(text, pos, s));
    return AutoSizeBounds(LabelBounds{21, 4, 76, 13}, measured, a);
}

TEST(ShadowLabel, AutoSizeIsTextWidthPlusTwoAndTextHeightWithShadowUpLeft) {
    // The main window's title: the shadow's top row lies above the control.
    EXPECT_EQ(AutoSize(68, 13, ShadowPosition::LeftTop, 1), (LabelBounds{21, 4, 70, 13}));
}

TEST(ShadowLabel, AutoSizeGrowsByTheShadowTowardsTheRightOrBottom) {
    EXPECT_EQ(AutoSize(68, 13, ShadowPosition::RightBottom, 2), (LabelBounds{21, 4, 72, 15}));
    EXPECT_EQ(AutoSize(68, 13, ShadowPosition::RightTop, 1), (LabelBounds{21, 4, 71, 13}));
    EXPECT_EQ(AutoSize(68, 13, ShadowPosition::LeftBottom, 1), (LabelBounds{21, 4, 70, 14}));
}

TEST(ShadowLabel, RightAlignedAutoSizeKeepsTheRightEdge) {
    const LabelBounds b = AutoSize(40, 13, ShadowPosition::LeftTop, 1, TextAlignment::Right);
    EXPECT_EQ(b.left + b.width, 21 + 76);
    EXPECT_EQ(b.width, 42);
}

TEST(ShadowLabel, LayoutShiftsCentreAndBottom) {
    EXPECT_EQ(LayoutShift(TextLayout::Top, 40, 14), 0);
    EXPECT_EQ(LayoutShift(TextLayout::Center, 40, 14), 13);
    EXPECT_EQ(LayoutShift(TextLayout::Center, 40, 15), 12);
    EXPECT_EQ(LayoutShift(TextLayout::Bottom, 40, 14), 26);
    EXPECT_EQ(LayoutShift(TextLayout::Center, 10, 15), -2);  // truncates towards zero
}
