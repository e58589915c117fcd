#pragma once
// Pixel-exact geometry for the canvas, independent of the paint library: thin
// lines as the launcher platform rasterises them (Bresenham from the start point
// up to but excluding the end point), broken into runs by the pen's dash
// pattern, and clipping of shapes whose coordinates are too large to hand on.
#include <cstdint>
#include <span>
#include <vector>

#include "runtime/geometry.h"
#include "runtime/graphics.h"

namespace tokiwa::raster {

// A horizontal or vertical stretch of pixels of one line. `on` pixels take the
// pen colour; the others are the gaps of a dashed pen.
struct PixelRun {
  int x = 0;
  int y = 0;
  int length = 0;
  bool vertical = false;
  bool on = true;
  friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// The on/off lengths of a thin pen's style; empty for a solid (or clear) pen.
std::span<const int> DashPattern(TPenStyle style);

// Where the visible pixels of a line lie: steps [first, last) along the major
// axis (x for a shallow line, y for a steep one), every one of them inside the
// bounds. At step i the major coordinate is a0 + sa * i; the minor coordinate
// is b0 + sb * m at step first and moves on by sb whenever rem, advanced by
// 2 * adb a step, reaches 2 * n (and drops by 2 * n).
struct LinePlan {
  bool vertical = false;
  std::int64_t a0 = 0, b0 = 0;
  int sa = 1, sb = 1;
  std::int64_t n = 0, adb = 0;
  std::int64_t first = 0, last = 0;
  std::int64_t m = 0, rem = 0;
};

// Plans the line from `from` to `to` (end point excluded) within bounds; false
// when none of its pixels is inside.
bool PlanLine(TPoint from, TPoint to, const TRect& bounds, LinePlan& plan);

// The position in a dash pattern after a line of n pixels started at phase.
std::int64_t PhaseAfter(std::span<const int> dashes, std::int64_t phase, std::int64_t n);

// Appends the runs of the line from `from` to `to` (end point excluded) that fall
// inside `bounds`. `phase` is the position in the dash pattern where the line
// starts; the position after the whole line is returned, so a polyline's
// pattern runs on from segment to segment. Ties (the line passing exactly
// between two pixels) go to the pixel further from the start's row or column.
std::int64_t AppendLineRuns(TPoint from, TPoint to, const TRect& bounds,
                            std::span<const int> dashes, std::int64_t phase,
                            std::vector<PixelRun>& out);

struct PointF {
  double x = 0;
  double y = 0;
};

struct RectF {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// Sutherland-Hodgman: the part of a polygon inside `box`. The result fills the
// same pixels inside the box as the original (edges are added along the box).
std::vector<PointF> ClipPolygon(std::span<const TPoint> points, const RectF& box);

// Liang-Barsky: clips the segment to `box`; false when nothing of it is inside.
bool ClipSegment(PointF& a, PointF& b, const RectF& box);

// True when every coordinate lies within the range the paint library handles
// exactly; outside it shapes are clipped here first.
bool WithinSafeRange(std::span<const TPoint> points);
bool WithinSafeRange(const TRect& r);
inline constexpr int kSafeCoordinate = 1 << 22;

}  // namespace tokiwa::raster
