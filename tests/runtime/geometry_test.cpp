// Pixel arithmetic at the ends of the int range and at the canvas limit.
#include <gtest/gtest.h>

#include <climits>

#include "runtime/geometry.h"

namespace tokiwa {
namespace {

TEST(PixelArithmetic, SumsAreExactUntilTheyBecomeAnInt) {
  const struct {
    int got;
    int expected;
  } cases[] = {
      {Px(10) - 3 + 1, 8},
      {Px(INT_MAX) + 1, INT_MAX},
      {Px(INT_MIN) - 1, INT_MIN},
      {Px(INT_MIN) + INT_MAX, -1},
      // Clamped once at the end, not on the way.
      {Px(INT_MAX) + 10 - 20, INT_MAX - 10},
      {Px(INT_MIN) - INT_MAX + INT_MAX, INT_MIN},
      {-Px(INT_MIN), INT_MAX},
      {5 - Px(INT_MIN), INT_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);

  Px edge = INT_MAX - 1;
  edge += 5;
  edge -= 10;
  EXPECT_EQ(static_cast<int>(edge), INT_MAX - 6);
}

TEST(PixelArithmetic, MiddlesAndDistancesOfAnyTwoInts) {
  // Mid rounds toward zero, Halfway toward its first end.
  EXPECT_EQ(Mid(-3, 0), -1);
  EXPECT_EQ(Halfway(-3, 0), -2);
  EXPECT_EQ(Halfway(0, -3), -1);
  EXPECT_EQ(Mid(INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(Mid(INT_MIN, INT_MAX), 0);
  EXPECT_EQ(Halfway(INT_MIN, INT_MAX), -1);
  EXPECT_EQ(Distance(INT_MIN, INT_MAX), 4294967295LL);
}

TEST(PixelArithmetic, CanvasPositionsAreClampedAtTheLimitKeepingTheirParityIfAsked) {
  EXPECT_EQ(OnCanvas(12), 12);
  EXPECT_EQ(OnCanvas(INT_MAX), kCanvasLimit);
  EXPECT_EQ(OnCanvas(Px(INT_MIN) - 1), -kCanvasLimit);
  EXPECT_EQ(OnCanvasKeepParity(kCanvasLimit + 5LL), kCanvasLimit - 1);
  EXPECT_EQ(OnCanvasKeepParity(kCanvasLimit + 6LL), kCanvasLimit);
  EXPECT_EQ(OnCanvasKeepParity(-kCanvasLimit - 3LL), -kCanvasLimit - 1);
  EXPECT_EQ(OnCanvasKeepParity(-5), -5);
}

}  // namespace
}  // namespace tokiwa
