// Values to pixels: the axes map in double arithmetic where it is safe, and
// must land on exactly the pixel the extended arithmetic gives, ties included.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "axis_test_support.h"
#include "runtime/safe_math.h"

namespace tokiwa::axis_test {
namespace {

// The mapping as the engine defines it: size × (v − min) / range in extended
// precision, halves to even, clamped to an int, then offset from the start.
int Reference(long long start, long long size, double v, double min, double range) {
  const long double f = static_cast<long double>(size) * (static_cast<long double>(v) - min) / range;
  const int pixels = std::isnan(f) ? 0 : ClampToInt(static_cast<double>(std::rintl(f)));
  return ClampToInt(static_cast<double>(start + pixels));
}

TEST(AxisPixelTest, EveryValueLandsOnTheExtendedArithmeticsPixel) {
  AxisChart c;
  c.SetPlot({20, 10, 1620, 910});  // 1600 x 900
  std::mt19937_64 random(7);
  const struct {
    double min, max;
  } ranges[] = {{0, 1000000}, {-3.3, 7.1}, {45000.25, 45000.75}, {1e-9, 3e-9}, {-1e12, 1e12}};
  for (auto [min, max] : ranges) {
    c.SetRange(c.chart.BottomAxis(), min, max);
    c.SetRange(c.chart.LeftAxis(), min, max);
    // The axis may widen a range too narrow to draw.
    min = c.chart.BottomAxis().CurrentMinimum();
    max = c.chart.BottomAxis().CurrentMaximum();
    const double range = c.chart.BottomAxis().CurrentRange();
    auto check = [&](double v) {
      EXPECT_EQ(c.chart.BottomAxis().HorizontalPosition(v), Reference(20, 1600, v, min, range)) << v;
      EXPECT_EQ(c.chart.LeftAxis().VerticalPosition(v), Reference(910, -900, v, min, range)) << v;
    };
    std::uniform_real_distribution<double> inside(min - range, max + range);
    for (int k = 0; k < 20000; ++k) check(inside(random));
    // Exactly between two pixels, and a hair to either side.
    for (int p = -5; p <= 1605; ++p) {
      const double half = min + (p + 0.5) * range / 1600;
      for (double v : {half, std::nextafter(half, -HUGE_VAL), std::nextafter(half, HUGE_VAL)}) check(v);
    }
    for (double v : {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL, 1e300, -1e300}) check(v);
  }
}

}  // namespace
}  // namespace tokiwa::axis_test
