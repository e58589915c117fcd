// Values to pixels: the axes map in double arithmetic where it is safe, and
// must land on exactly the pixel the extended arithmetic gives, ties included.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "axis_test_support.h"
#include "chart/axis_mapping.h"
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

// A series maps a paint's many values through a mapping taken once: the same
// pixels as the axis, either way round, on a logarithmic axis too, moved by
// a depth slot's shift; and its inverse lands on the pixel it was asked for.
TEST(AxisPixelTest, AMappingTakenOnceGivesTheAxisPixels) {
  AxisChart c;
  c.SetPlot({20, 10, 1620, 910});
  TChartAxis& bottom = c.chart.BottomAxis();
  TChartAxis& left = c.chart.LeftAxis();
  std::mt19937_64 random(3);
  const struct {
    double min, max;
  } ranges[] = {{0.5, 1000000}, {45000.25, 45000.75}, {1e-9, 3e-9}, {5, 5}};
  for (const bool inverted : {false, true}) {
    for (const bool logarithmic : {false, true}) {
      for (auto [min, max] : ranges) {
        for (TChartAxis* axis : {&bottom, &left}) {
          axis->SetInverted(inverted);
          axis->SetLogarithmic(logarithmic);
          c.SetRange(*axis, min, max);
        }
        const AxisMapping columns(&bottom, true, 7), rows(&left, false, -3);
        const double low = bottom.CurrentMinimum(), range = bottom.CurrentRange();
        auto check = [&](double v) {
          EXPECT_EQ(columns.Position(v), static_cast<int>(Px(bottom.HorizontalPosition(v)) + 7)) << v;
          EXPECT_EQ(rows.Position(v), static_cast<int>(Px(left.VerticalPosition(v)) - 3)) << v;
        };
        std::uniform_real_distribution<double> inside(low - range, low + 2 * range);
        for (int k = 0; k < 5000; ++k) check(inside(random));
        for (int p = -5; p <= 1605; ++p) {
          const double half = low + (p + 0.5) * range / 1600;
          for (double v : {half, std::nextafter(half, -HUGE_VAL), std::nextafter(half, HUGE_VAL)}) check(v);
        }
        for (double v : {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL, 1e300, -1e300}) check(v);
        if (logarithmic || range == 0) continue;
        for (int p = 25; p < 1615; p += 7) {
          EXPECT_EQ(columns.Position(columns.ValueNear(p, 0.4999)), p) << p;
          EXPECT_EQ(columns.Position(columns.ValueNear(p, 0.5001)), p + 1) << p;
        }
        for (int p = 15; p < 905; p += 7) EXPECT_EQ(rows.Position(rows.ValueNear(p, 0.4999)), p) << p;
      }
    }
  }
  EXPECT_EQ(AxisMapping(nullptr, true, 5).Position(1.5), 0);
}

}  // namespace
}  // namespace tokiwa::axis_test
