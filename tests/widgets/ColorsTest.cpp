#include "Colors.h"
#include "FontDesc.h"

#include <gtest/gtest.h>

namespace kolvo {
namespace {

TEST(Colors, RoundHalfEvenSendsHalvesToTheEvenNeighbour) {
    const struct {
        double value;
        int rounded;
    } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},     {-0.5, 0},     {-1.5, -2},
                 {-2.5, -2}, {0.49, 0},  {0.51, 1},    {7.0, 7},      {-7.2, -7},
                 {-7.6, -8}, {12.5, 12}, {127.5, 128}, {-63.75, -64}, {0.49999999999999994, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
    }
}

TEST(Colors, BytesSplitAsStoredAndWrapModulo256) {
    EXPECT_EQ(SplitColor(0x00C0DCF0), (ColorBytes{0xF0, 0xDC, 0xC0}));
    EXPECT_EQ(SplitColor(clBtnFace), (ColorBytes{0x0F, 0, 0})) << "not resolved here";
    EXPECT_EQ(JoinColor({256 + 1, -1, 300}), TColor(0x2CFF01));
    EXPECT_EQ(WrapByte(-256), 0);
    EXPECT_EQ(WrapByte(-257), 255);
    EXPECT_TRUE(IsSystemColor(clWindow));
    EXPECT_FALSE(IsSystemColor(0x00FFFFFF));
    EXPECT_EQ(SystemColorIndex(clBtnFace), 15);
}

TEST(Colors, FontHeightFromPointsRoundsLikeTheSystem) {
    EXPECT_EQ(FontHeightFromPoints(20), -27); // 26.67
    EXPECT_EQ(FontHeightFromPoints(9), -12);
    EXPECT_EQ(FontHeightFromPoints(8), -11); // 10.67
    EXPECT_EQ(FontHeightFromPoints(-20), 27);
}

// A control follows its parent's colour until it is given one of its own, and again once told
// to; it reports a change only when the colour moves.
TEST(Colors, ControlColorFollowsTheParentUntilSetAndReportsOnlyMoves) {
    ControlColor color(clBtnFace, true);
    EXPECT_FALSE(color.ParentChanged(clBtnFace));
    EXPECT_TRUE(color.ParentChanged(clWhite));
    EXPECT_EQ(color.Value(), clWhite);
    EXPECT_FALSE(color.Set(clWhite));
    EXPECT_FALSE(color.FollowsParent());
    EXPECT_FALSE(color.ParentChanged(clBlack));
    EXPECT_EQ(color.Value(), clWhite);
    EXPECT_TRUE(color.Set(clGray));
    color.SetFollowsParent(true);
    EXPECT_EQ(color.Value(), clGray);
    EXPECT_TRUE(color.ParentChanged(clBlack));
    EXPECT_EQ(color.Value(), clBlack);
}

} // namespace
} // namespace kolvo
