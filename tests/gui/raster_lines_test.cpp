// Line runs: clipping to the bounds and the dash phase along a polyline.
#include <gtest/gtest.h>

#include "gui/raster_lines.h"

namespace tokiwa::raster {
namespace {

TEST(RasterLinesTest, RunsAreClippedToTheBoundsAndLinesFarAwayCostNothing) {
  std::vector<PixelRun> runs;
  AppendLineRuns({-1000000000, 5}, {1000000000, 5}, {0, 0, 100, 50}, {}, 0, runs);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], (PixelRun{0, 5, 100, false, true}));
  runs.clear();
  AppendLineRuns({0, 60}, {100, 80}, {0, 0, 100, 50}, {}, 0, runs);
  EXPECT_TRUE(runs.empty());
}

TEST(RasterLinesTest, ShallowLineGivesOneRunPerRow) {
  std::vector<PixelRun> runs;
  AppendLineRuns({0, 0}, {10, 3}, {0, 0, 100, 100}, {}, 0, runs);
  // Nearest pixel per column: rows 0,0,1,1,1,2,2,2,2,3 (0.5 rounds away from the start).
  const std::vector<PixelRun> expected{{0, 0, 2, false, true}, {2, 1, 3, false, true},
                                       {5, 2, 4, false, true}, {9, 3, 1, false, true}};
  EXPECT_EQ(runs, expected);
}

TEST(RasterLinesTest, DashPhaseContinuesAndIsReturned) {
  std::vector<PixelRun> runs;
  std::int64_t phase = AppendLineRuns({0, 0}, {4, 0}, {0, 0, 100, 100}, DashPattern(TPenStyle::psDot), 0, runs);
  EXPECT_EQ(phase, 4);
  AppendLineRuns({4, 0}, {4, 5}, {0, 0, 100, 100}, DashPattern(TPenStyle::psDot), phase, runs);
  const std::vector<PixelRun> expected{{0, 0, 3, false, true}, {3, 0, 1, false, false},
                                       {4, 0, 2, true, false}, {4, 2, 3, true, true}};
  EXPECT_EQ(runs, expected);
  EXPECT_TRUE(DashPattern(TPenStyle::psSolid).empty());
  EXPECT_TRUE(DashPattern(TPenStyle::psInsideFrame).empty());
}

TEST(RasterLinesTest, PolygonClippingKeepsTheInsideAndHandlesFarPoints) {
  const TPoint triangle[] = {{-1000000000, 0}, {50, 0}, {50, 1000000000}};
  std::vector<PointF> clipped = ClipPolygon(triangle, {0, 0, 100, 100});
  ASSERT_GE(clipped.size(), 3u);
  for (const PointF& p : clipped) {
    EXPECT_GE(p.x, 0);
    EXPECT_LE(p.x, 100);
    EXPECT_GE(p.y, 0);
    EXPECT_LE(p.y, 100);
  }
  const TPoint outside[] = {{200, 200}, {300, 200}, {300, 300}};
  EXPECT_TRUE(ClipPolygon(outside, {0, 0, 100, 100}).empty());
}

TEST(RasterLinesTest, SegmentClipping) {
  PointF a{-100, 50}, b{200, 50};
  ASSERT_TRUE(ClipSegment(a, b, {0, 0, 100, 100}));
  EXPECT_DOUBLE_EQ(a.x, 0);
  EXPECT_DOUBLE_EQ(b.x, 100);
  PointF c{-100, -100}, d{-50, 200};
  EXPECT_FALSE(ClipSegment(c, d, {0, 0, 100, 100}));
}

}  // namespace
}  // namespace tokiwa::raster
