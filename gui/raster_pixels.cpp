#include "gui/raster_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gui/raster_lines.h"

namespace tokiwa::raster {

namespace {

constexpr std::uint32_t kOpaque = 0xff000000u;

template <PixelOp op>
inline void Apply(std::uint32_t& pixel, std::uint32_t colour) {
  if constexpr (op == PixelOp::Copy) {
    pixel = colour | kOpaque;
  } else if constexpr (op == PixelOp::Xor) {
    pixel = (pixel ^ colour) | kOpaque;
  } else if constexpr (op == PixelOp::NotXor) {
    pixel = ~(pixel ^ colour) | kOpaque;
  } else {
    pixel = ~pixel | kOpaque;
  }
}

// Eight pixels a step, which the compiler stores as two wide words also where
// it does not vectorise loops (-O2): a plain fill_n there stores pixel by pixel.
inline void FillRow(std::uint32_t* row, std::ptrdiff_t width, std::uint32_t value) {
  std::ptrdiff_t x = 0;
  for (; x + 8 <= width; x += 8)
    for (int k = 0; k < 8; ++k) row[x + k] = value;
  for (; x < width; ++x) row[x] = value;
}

template <PixelOp op>
void Fill(const PixelSurface& s, const TRect& r, std::uint32_t colour) {
  const std::ptrdiff_t width = std::ptrdiff_t{r.Right} - r.Left;
  for (std::ptrdiff_t y = r.Top; y < r.Bottom; ++y) {
    std::uint32_t* row = s.bits + y * s.stride + r.Left;
    if constexpr (op == PixelOp::Copy) {
      FillRow(row, width, colour | kOpaque);
    } else {
      for (std::ptrdiff_t x = 0; x < width; ++x) Apply<op>(row[x], colour);
    }
  }
}

// Where a dash pattern stands: the index of its current on or off length and
// the pixels left of it.
struct DashState {
  std::span<const int> dashes;
  std::size_t index = 0;
  std::int64_t left = 0;

  DashState(std::span<const int> d, std::int64_t position) : dashes(d) {
    std::int64_t period = 0;
    for (int v : d) period += v;
    std::int64_t p = position % period;
    while (p >= dashes[index]) p -= dashes[index++];
    left = dashes[index] - p;
  }
  bool On() const { return index % 2 == 0; }
  void Advance(std::int64_t count) {
    left -= count;
    if (left > 0) return;
    index = index + 1 == dashes.size() ? 0 : index + 1;
    left = dashes[index];
  }
};

// Steps along a planned line as offsets into the surface: one step along the
// major axis moves by major, one along the minor axis by minor. PlanLine
// keeps every step of the plan inside the bounds. A straight line (no minor
// steps, as grid lines and frames are) skips the error term.
template <bool straight>
class LineWalker {
 public:
  LineWalker(const PixelSurface& s, const LinePlan& p)
      : bits_(s.bits),
        major_(p.vertical ? p.sa * s.stride : p.sa),
        minor_(p.vertical ? p.sb : p.sb * s.stride),
        twoN_(2 * p.n),
        step_(2 * p.adb),
        rem_(p.rem) {
    const std::int64_t a = p.a0 + p.sa * p.first;
    const std::int64_t b = p.b0 + p.sb * p.m;
    at_ = p.vertical ? a * s.stride + b : b * s.stride + a;
  }

  template <PixelOp op>
  void Paint(std::int64_t count, std::uint32_t colour) {
    for (; count > 0; --count) {
      Apply<op>(bits_[at_], colour);
      Next();
    }
  }
  void Skip(std::int64_t count) {
    if constexpr (straight) {
      at_ += count * major_;
    } else {
      for (; count > 0; --count) Next();
    }
  }

 private:
  void Next() {
    at_ += major_;
    if constexpr (!straight) {
      rem_ += step_;
      if (rem_ >= twoN_) {
        rem_ -= twoN_;
        at_ += minor_;
      }
    }
  }

  std::uint32_t* bits_;
  std::ptrdiff_t major_, minor_;
  std::int64_t twoN_, step_, rem_;
  std::ptrdiff_t at_ = 0;
};

template <PixelOp op, bool straight>
void Walk(const PixelSurface& s, const LinePlan& p, std::span<const int> dashes, std::int64_t phase,
          const LineInk& ink) {
  LineWalker<straight> walker(s, p);
  const std::int64_t steps = p.last - p.first;
  if (dashes.empty()) {
    walker.template Paint<op>(steps, ink.on);
    return;
  }
  // One dash or gap at a time.
  DashState dash(dashes, phase + p.first);
  for (std::int64_t done = 0; done < steps;) {
    const std::int64_t count = std::min(dash.left, steps - done);
    if (dash.On()) {
      walker.template Paint<op>(count, ink.on);
    } else if (ink.gaps) {
      walker.template Paint<op>(count, ink.off);
    } else {
      walker.Skip(count);
    }
    done += count;
    dash.Advance(count);
  }
}

template <PixelOp op>
void Walk(const PixelSurface& s, const LinePlan& p, std::span<const int> dashes, std::int64_t phase,
          const LineInk& ink) {
  if (p.adb == 0) {
    Walk<op, true>(s, p, dashes, phase, ink);
  } else {
    Walk<op, false>(s, p, dashes, phase, ink);
  }
}

}  // namespace
void FillPixels(const PixelSurface& surface, const TRect& r, std::uint32_t colour, PixelOp op) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  switch (op) {
    case PixelOp::Copy: Fill<PixelOp::Copy>(surface, r, colour); break;
    case PixelOp::Xor: Fill<PixelOp::Xor>(surface, r, colour); break;
    case PixelOp::NotXor: Fill<PixelOp::NotXor>(surface, r, colour); break;
    case PixelOp::Not: Fill<PixelOp::Not>(surface, r, colour); break;
  }
}

void ReadPixels(const PixelSurface& surface, const TRect& r, std::uint32_t* to) {
  const std::size_t width = std::size_t(std::ptrdiff_t{r.Right} - r.Left);
  for (std::ptrdiff_t y = r.Top; y < r.Bottom; ++y, to += width)
    std::memcpy(to, surface.bits + y * surface.stride + r.Left, width * sizeof(std::uint32_t));
}

void WritePixels(const PixelSurface& surface, const TRect& r, const std::uint32_t* from) {
  const std::size_t width = std::size_t(std::ptrdiff_t{r.Right} - r.Left);
  for (std::ptrdiff_t y = r.Top; y < r.Bottom; ++y, from += width)
    std::memcpy(surface.bits + y * surface.stride + r.Left, from, width * sizeof(std::uint32_t));
}

bool PixelsAre(const PixelSurface& surface, const TRect& r, const std::uint32_t* expected) {
  const std::size_t width = std::size_t(std::ptrdiff_t{r.Right} - r.Left);
  for (std::ptrdiff_t y = r.Top; y < r.Bottom; ++y, expected += width)
    if (std::memcmp(surface.bits + y * surface.stride + r.Left, expected, width * sizeof(std::uint32_t))) return false;
  return true;
}

std::int64_t DrawLinePixels(const PixelSurface& surface, TPoint from, TPoint to, const TRect& bounds,
                            std::span<const int> dashes, std::int64_t phase, const LineInk& ink) {
  const std::int64_t n = std::max(std::llabs(std::int64_t(to.X) - from.X), std::llabs(std::int64_t(to.Y) - from.Y));
  LinePlan plan;
  if (PlanLine(from, to, bounds, plan)) {
    switch (ink.op) {
      case PixelOp::Copy: Walk<PixelOp::Copy>(surface, plan, dashes, phase, ink); break;
      case PixelOp::Xor: Walk<PixelOp::Xor>(surface, plan, dashes, phase, ink); break;
      case PixelOp::NotXor: Walk<PixelOp::NotXor>(surface, plan, dashes, phase, ink); break;
      case PixelOp::Not: Walk<PixelOp::Not>(surface, plan, dashes, phase, ink); break;
    }
  }
  return PhaseAfter(dashes, phase, n);
}

}  // namespace tokiwa::raster
