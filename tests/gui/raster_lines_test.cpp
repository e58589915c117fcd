// Line runs: clipping to the bounds and the dash phase along a polyline.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <tuple>

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

// The line read literally: for every column (or row) of the bounds, the step
// that reaches it and the pixel nearest to the ideal line there.
using Pixel = std::tuple<std::int64_t, std::int64_t, bool>;  // x, y, on

std::set<Pixel> LiteralPixels(TPoint from, TPoint to, const TRect& bounds, std::span<const int> dashes,
                              std::int64_t phase) {
  const std::int64_t dx = std::int64_t(to.X) - from.X, dy = std::int64_t(to.Y) - from.Y;
  const bool steep = std::llabs(dy) > std::llabs(dx);
  const std::int64_t n = std::max(std::llabs(dx), std::llabs(dy));
  const std::int64_t a0 = steep ? from.Y : from.X, b0 = steep ? from.X : from.Y;
  const std::int64_t da = steep ? dy : dx, db = steep ? dx : dy;
  std::int64_t period = 0;
  for (int d : dashes) period += d;
  std::set<Pixel> pixels;
  for (std::int64_t a = steep ? bounds.Top : bounds.Left; a < (steep ? bounds.Bottom : bounds.Right); ++a) {
    const std::int64_t i = da > 0 ? a - a0 : a0 - a;
    if (i < 0 || i >= n) continue;
    const __int128 m = (static_cast<__int128>(2) * i * std::llabs(db) + n) / (2 * static_cast<__int128>(n));
    const std::int64_t b = b0 + (db >= 0 ? 1 : -1) * static_cast<std::int64_t>(m);
    const std::int64_t x = steep ? b : a, y = steep ? a : b;
    if (x < bounds.Left || x >= bounds.Right || y < bounds.Top || y >= bounds.Bottom) continue;
    bool on = true;
    if (period > 0) {
      std::int64_t p = (phase + i) % period;
      for (std::size_t k = 0; k < dashes.size(); ++k) {
        if (p < dashes[k]) {
          on = k % 2 == 0;
          break;
        }
        p -= dashes[k];
      }
    }
    pixels.insert({x, y, on});
  }
  return pixels;
}

std::set<Pixel> RunPixels(const std::vector<PixelRun>& runs) {
  std::set<Pixel> pixels;
  for (const PixelRun& r : runs)
    for (int k = 0; k < r.length; ++k) pixels.insert({r.x + (r.vertical ? 0 : k), r.y + (r.vertical ? k : 0), r.on});
  return pixels;
}

TEST(RasterLinesTest, RunsHoldExactlyTheNearestPixelsInsideTheBoundsForAnyLine) {
  std::mt19937 random(7);
  auto near = [&] { return std::uniform_int_distribution<int>(-60, 160)(random); };
  auto far = [&] { return std::uniform_int_distribution<int>(-2000000000, 2000000000)(random); };
  const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDot, TPenStyle::psDashDotDot};
  for (int k = 0; k < 20000; ++k) {
    const bool distant = k % 10 == 0;
    const TPoint from{distant ? far() : near(), near()};
    const TPoint to{near(), distant ? far() : near()};
    const int left = near() / 2, top = near() / 2;
    const TRect bounds{left, top, left + near() / 2 + 30, top + near() / 2 + 30};
    const std::span<const int> dashes = DashPattern(styles[k % 3]);
    const std::int64_t phase = k % 7;
    std::vector<PixelRun> runs;
    AppendLineRuns(from, to, bounds, dashes, phase, runs);
    ASSERT_EQ(RunPixels(runs), LiteralPixels(from, to, bounds, dashes, phase))
        << "(" << from.X << "," << from.Y << ") to (" << to.X << "," << to.Y << ")";
  }
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
