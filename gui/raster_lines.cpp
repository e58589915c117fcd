#include "gui/raster_lines.h"

#include <algorithm>
#include <cstdlib>

namespace tokiwa::raster {

namespace {

// Styles of the platform's thin pens, in pixels: on, off, on, off...
constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

bool DashOn(std::span<const int> dashes, std::int64_t period, std::int64_t pos) {
  std::int64_t p = pos % period;
  for (std::size_t k = 0; k < dashes.size(); ++k) {
    if (p < dashes[k]) return k % 2 == 0;
    p -= dashes[k];
  }
  return true;
}

// Steps [first, last) of a line along its major axis whose major coordinate
// `start + i * step` lies in [lo, hi), intersected with [0, count).
void VisibleSteps(std::int64_t start, int step, std::int64_t lo, std::int64_t hi,
                  std::int64_t count, std::int64_t& first, std::int64_t& last) {
  if (step > 0) {
    first = lo - start;
    last = hi - start;
  } else {
    first = start - hi + 1;
    last = start - lo + 1;
  }
  first = std::max<std::int64_t>(first, 0);
  last = std::min<std::int64_t>(last, count);
}

// ceil(a / b) for b > 0, clamped to [lo, hi].
std::int64_t CeilDivClamped(__int128 a, __int128 b, std::int64_t lo, std::int64_t hi) {
  const __int128 q = a >= 0 ? (a + b - 1) / b : -(-a / b);
  return static_cast<std::int64_t>(std::clamp<__int128>(q, lo, hi));
}

// Collects consecutive pixels into runs along the major axis.
class RunBuilder {
 public:
  RunBuilder(bool vertical, std::vector<PixelRun>& out) : vertical_(vertical), out_(out) {}

  void Add(std::int64_t major, std::int64_t minor, bool on) {
    if (open_ && minor == minor_ && on == on_ && (major == hi_ + 1 || major == lo_ - 1)) {
      lo_ = std::min(lo_, major);
      hi_ = std::max(hi_, major);
      return;
    }
    Flush();
    open_ = true;
    lo_ = hi_ = major;
    minor_ = minor;
    on_ = on;
  }

  void Flush() {
    if (!open_) return;
    PixelRun run;
    run.vertical = vertical_;
    run.on = on_;
    run.length = static_cast<int>(hi_ - lo_ + 1);
    run.x = static_cast<int>(vertical_ ? minor_ : lo_);
    run.y = static_cast<int>(vertical_ ? lo_ : minor_);
    out_.push_back(run);
    open_ = false;
  }

 private:
  bool vertical_;
  std::vector<PixelRun>& out_;
  bool open_ = false;
  bool on_ = true;
  std::int64_t lo_ = 0, hi_ = 0, minor_ = 0;
};

}  // namespace

std::span<const int> DashPattern(TPenStyle style) {
  switch (style) {
    case TPenStyle::psDash: return kDash;
    case TPenStyle::psDot: return kDot;
    case TPenStyle::psDashDot: return kDashDot;
    case TPenStyle::psDashDotDot: return kDashDotDot;
    default: return {};
  }
}

bool PlanLine(TPoint from, TPoint to, const TRect& bounds, LinePlan& plan) {
  const std::int64_t dx = std::int64_t(to.X) - from.X;
  const std::int64_t dy = std::int64_t(to.Y) - from.Y;
  LinePlan& p = plan;
  p.vertical = std::llabs(dy) > std::llabs(dx);
  // Major axis a, minor axis b.
  p.a0 = p.vertical ? from.Y : from.X;
  p.b0 = p.vertical ? from.X : from.Y;
  const std::int64_t da = p.vertical ? dy : dx;
  const std::int64_t db = p.vertical ? dx : dy;
  p.n = std::llabs(da);  // pixel count: the end point is excluded
  if (p.n == 0 || bounds.IsEmpty()) return false;

  p.sa = da > 0 ? 1 : -1;
  p.sb = db >= 0 ? 1 : -1;
  p.adb = std::llabs(db);
  const std::int64_t alo = p.vertical ? bounds.Top : bounds.Left;
  const std::int64_t ahi = p.vertical ? bounds.Bottom : bounds.Right;
  const std::int64_t blo = p.vertical ? bounds.Left : bounds.Top;
  const std::int64_t bhi = p.vertical ? bounds.Right : bounds.Bottom;
  if (std::min(p.b0, p.b0 + db) >= bhi || std::max(p.b0, p.b0 + db) < blo) return false;
  VisibleSteps(p.a0, p.sa, alo, ahi, p.n, p.first, p.last);

  // Minor offset at step i is floor((2 i |db| + n) / 2n): the nearest pixel, ties
  // away from the start. It never decreases, so the steps whose minor
  // coordinate lies in [blo, bhi), offsets [mlo, mhi), are one stretch.
  const std::int64_t two_n = 2 * p.n;
  const bool minorInside = std::min(p.b0, p.b0 + db) >= blo && std::max(p.b0, p.b0 + db) < bhi;
  if (p.adb > 0 && !minorInside) {
    const std::int64_t mlo = p.sb > 0 ? blo - p.b0 : p.b0 - bhi + 1;
    const std::int64_t mhi = p.sb > 0 ? bhi - p.b0 : p.b0 - blo + 1;
    auto firstReaching = [&](std::int64_t offset) {
      return CeilDivClamped(static_cast<__int128>(two_n) * offset - p.n, static_cast<__int128>(2) * p.adb, 0, p.n);
    };
    p.first = std::max(p.first, firstReaching(mlo));
    p.last = std::min(p.last, firstReaching(mhi));
  }
  if (p.first >= p.last) return false;

  // The offset at the first step, computed once exactly, then stepped incrementally.
  if (p.first == 0) {
    p.m = 0;
    p.rem = p.n;
    return true;
  }
  __int128 num = static_cast<__int128>(2) * p.first * p.adb + p.n;
  p.m = static_cast<std::int64_t>(num / two_n);
  p.rem = static_cast<std::int64_t>(num % two_n);
  return true;
}

std::int64_t PhaseAfter(std::span<const int> dashes, std::int64_t phase, std::int64_t n) {
  std::int64_t period = 0;
  for (int d : dashes) period += d;
  return period > 0 ? (phase + n) % period : 0;
}

std::int64_t AppendLineRuns(TPoint from, TPoint to, const TRect& bounds,
                            std::span<const int> dashes, std::int64_t phase,
                            std::vector<PixelRun>& out) {
  const std::int64_t end_phase =
      PhaseAfter(dashes, phase, std::max(std::llabs(std::int64_t(to.X) - from.X), std::llabs(std::int64_t(to.Y) - from.Y)));
  LinePlan p;
  if (!PlanLine(from, to, bounds, p)) return end_phase;
  std::int64_t period = 0;
  for (int d : dashes) period += d;
  const std::int64_t two_n = 2 * p.n;
  std::int64_t m = p.m, rem = p.rem;
  RunBuilder runs(p.vertical, out);
  for (std::int64_t i = p.first; i < p.last; ++i) {
    const bool on = period == 0 || DashOn(dashes, period, phase + i);
    runs.Add(p.a0 + p.sa * i, p.b0 + p.sb * m, on);
    rem += 2 * p.adb;
    if (rem >= two_n) {
      rem -= two_n;
      ++m;
    }
  }
  runs.Flush();
  return end_phase;
}

std::vector<PointF> ClipPolygon(std::span<const TPoint> points, const RectF& box) {
  std::vector<PointF> poly;
  poly.reserve(points.size());
  for (const TPoint& p : points) poly.push_back({double(p.X), double(p.Y)});

  // One half-plane at a time: inside(p) and the crossing of an edge with its line.
  auto clip = [&](auto inside, auto cross) {
    if (poly.empty()) return;
    std::vector<PointF> out;
    out.reserve(poly.size() + 4);
    PointF prev = poly.back();
    bool prev_in = inside(prev);
    for (const PointF& cur : poly) {
      bool cur_in = inside(cur);
      if (cur_in != prev_in) out.push_back(cross(prev, cur));
      if (cur_in) out.push_back(cur);
      prev = cur;
      prev_in = cur_in;
    }
    poly.swap(out);
  };
  auto at_x = [](PointF p, PointF q, double x) {
    return PointF{x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)};
  };
  auto at_y = [](PointF p, PointF q, double y) {
    return PointF{p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y};
  };
  clip([&](PointF p) { return p.x >= box.left; }, [&](PointF p, PointF q) { return at_x(p, q, box.left); });
  clip([&](PointF p) { return p.x <= box.right; }, [&](PointF p, PointF q) { return at_x(p, q, box.right); });
  clip([&](PointF p) { return p.y >= box.top; }, [&](PointF p, PointF q) { return at_y(p, q, box.top); });
  clip([&](PointF p) { return p.y <= box.bottom; }, [&](PointF p, PointF q) { return at_y(p, q, box.bottom); });
  return poly;
}

bool ClipSegment(PointF& a, PointF& b, const RectF& box) {
  double t0 = 0, t1 = 1;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    double t = q[k] / p[k];
    if (p[k] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  PointF start{a.x + t0 * dx, a.y + t0 * dy};
  PointF end{a.x + t1 * dx, a.y + t1 * dy};
  a = start;
  b = end;
  return true;
}

bool WithinSafeRange(std::span<const TPoint> points) {
  return std::all_of(points.begin(), points.end(), [](const TPoint& p) {
    return std::abs(std::int64_t(p.X)) <= kSafeCoordinate && std::abs(std::int64_t(p.Y)) <= kSafeCoordinate;
  });
}

bool WithinSafeRange(const TRect& r) {
  const TPoint corners[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
  return WithinSafeRange(corners);
}

}  // namespace tokiwa::raster
