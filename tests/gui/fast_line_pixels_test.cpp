// The fast line draws a thin solid line as one folded polyline; the picture
// must be exactly the one its segments give drawn one by one.
#include <QImage>
#include <cmath>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "gui/headless_host.h"
#include "series/fast_line_series.h"

namespace tokiwa {
namespace {

// Draws every point with its own call, as a styled pen does.
class SegmentBySegment : public TFastLineSeries {
 public:
  using TFastLineSeries::TFastLineSeries;
  void DrawPoints() override {
    PrepareLinePen();
    TChartSeries::DrawPoints();
  }
};

using View = std::function<void(TChart&)>;

template <class Series>
QImage Render(const std::vector<double>& ys, const View& view) {
  TChart chart(nullptr);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  auto* line = new Series(nullptr);
  for (size_t i = 0; i < ys.size(); ++i) line->AppendPoint(static_cast<double>(i), ys[i], "");
  line->SetParentChart(&chart);
  view(chart);
  HeadlessChartHost host(400, 250);
  host.Render(chart);
  return host.Image().copy();
}

std::vector<double> Signal(int count, double noise, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> n(0, 1);
  std::vector<double> ys;
  double walk = 0;
  for (int i = 0; i < count; ++i) {
    walk += n(random);
    ys.push_back(walk + noise * n(random) + 40 * std::sin(i * 0.001));
  }
  return ys;
}

// 0, 100, 0, 100, ...: several times up and down in every pixel column.
std::vector<double> Alternating(int count) {
  std::vector<double> ys;
  for (int i = 0; i < count; ++i) ys.push_back(i % 2 == 0 ? 0 : 100);
  return ys;
}

TEST(FastLinePixelsTest, OnePolylineDrawsTheSamePixelsAsItsSegments) {
  const struct {
    const char* name;
    std::vector<double> ys;
    View view;
  } cases[] = {
      {"200,000 noisy points, whole", Signal(200000, 20, 1), [](TChart&) {}},
      {"zoomed to 1 %, entering from the left", Signal(200000, 20, 2),
       [](TChart& c) { c.BottomAxis().SetAxisRange(100000.5, 102000.5); }},
      {"cut by the top and bottom", Signal(50000, 30, 3), [](TChart& c) { c.LeftAxis().SetAxisRange(-20, 20); }},
      {"fewer points than pixels", Signal(150, 5, 4), [](TChart&) {}},
      {"many points on one pixel", std::vector<double>(5000, 7.0), [](TChart&) {}},
      {"ending on a pixel it passed before", Alternating(2000),
       [](TChart& c) {
         c.BottomAxis().SetAxisRange(0, 2100);
         c.LeftAxis().SetAxisRange(-10, 110);
       }},
      {"3D, inverted", Signal(30000, 10, 5),
       [](TChart& c) {
         c.SetView3D(true);
         c.BottomAxis().SetInverted(true);
       }},
  };
  for (const auto& c : cases) {
    const QImage folded = Render<TFastLineSeries>(c.ys, c.view);
    const QImage reference = Render<SegmentBySegment>(c.ys, c.view);
    EXPECT_TRUE(folded == reference) << c.name;
  }
}

}  // namespace
}  // namespace tokiwa
