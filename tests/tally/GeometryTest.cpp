#include <cmath>

#include <gtest/gtest.h>

#include "Geometry.h"

namespace kolvo {
namespace {

TEST(Geometry, PointDistanceIsThePlaneDistance) {
    EXPECT_EQ(PointDistance(0, 0, 3, 4), 5.0);
    EXPECT_EQ(PointDistance(3, 4, 0, 0), 5.0);
    EXPECT_EQ(PointDistance(-1, -1, -1, -1), 0.0);
}

TEST(Geometry, LineEquationFailsOnlyForPointsNoFurtherApartThanEpsilon) {
    TLineEquation eq{7, 8, 9};
    EXPECT_FALSE(LineEquation(2, 3, 2, 3, eq));
    EXPECT_FALSE(LineEquation(2, 3, 2 + 1e-12, 3, eq));
    EXPECT_EQ(eq.A, 7); // left unchanged on failure
    EXPECT_EQ(eq.B, 8);
    EXPECT_EQ(eq.C, 9);
    EXPECT_TRUE(LineEquation(0, 0, 1e-10, 0, eq));
}

TEST(Geometry, LineEquationIsNormalisedAndDirected) {
    TLineEquation eq;
    ASSERT_TRUE(LineEquation(0, 0, 1, 0, eq));
    EXPECT_EQ(eq.A, 0.0);
    EXPECT_TRUE(std::signbit(eq.A));
    EXPECT_EQ(eq.B, 1.0);
    EXPECT_EQ(eq.C, 0.0);

    ASSERT_TRUE(LineEquation(1, 2, 4, 6, eq));
    EXPECT_NEAR(eq.A * eq.A + eq.B * eq.B, 1.0, 1e-15);
    EXPECT_NEAR(eq.A * 1 + eq.B * 2 + eq.C, 0.0, 1e-12);
    EXPECT_NEAR(eq.A * 4 + eq.B * 6 + eq.C, 0.0, 1e-12);
}

TEST(Geometry, SignedDistanceIsPositiveOnTheLeftOfTheDirection) {
    TLineEquation eq;
    ASSERT_TRUE(LineEquation(0, 0, 1, 0, eq));
    EXPECT_EQ(SignedDistance(eq, 0, 5), 5.0);
    EXPECT_EQ(SignedDistance(eq, 3, -2), -2.0);
    EXPECT_EQ(SignedDistance(eq, 123, 0), 0.0);

    // Reversing the direction flips the sign.
    ASSERT_TRUE(LineEquation(1, 0, 0, 0, eq));
    EXPECT_EQ(SignedDistance(eq, 0, 5), -5.0);

    ASSERT_TRUE(LineEquation(1, 2, 4, 6, eq));
    EXPECT_NEAR(SignedDistance(eq, 1, 2), 0.0, 1e-12);
    EXPECT_NEAR(SignedDistance(eq, 4, 6), 0.0, 1e-12);
    // (1, 2) + 5 * (-0.8, 0.6): five units to the left of the direction (0.6, 0.8).
    EXPECT_NEAR(SignedDistance(eq, -3, 5), 5.0, 1e-12);
}

TEST(Geometry, SignedDistanceOfAnAllZeroEquationIsZero) {
    EXPECT_EQ(SignedDistance(TLineEquation{0, 0, 5}, 10, 10), 0.0);
    // An equation not normalised still measures the true distance.
    EXPECT_DOUBLE_EQ(SignedDistance(TLineEquation{0, 2, 0}, 0, -3), -3.0);
}

TEST(Geometry, Circumference) {
    EXPECT_EQ(Circumference(1), 6.283185307179586);
    EXPECT_EQ(Circumference(0), 0.0);
}

} // namespace
} // namespace kolvo
