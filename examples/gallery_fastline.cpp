// The fast line: a million samples of a noisy signal, whole and zoomed in to
// the thousand around a burst.
#include <algorithm>
#include <cmath>
#include <random>

#include "chart/chart.h"
#include "examples/gallery.h"
#include "series/fast_line_series.h"

namespace tokiwa::gallery {
namespace {

constexpr int kSamples = 1000000;

// A sensor's day: a slow wave whose noise swells and fades, now and then a
// burst that dies away over a few hundred samples; the same every run.
TFastLineSeries* AddSignal(TChart& chart, TComponent& owner) {
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  auto* line = new TFastLineSeries(&owner);
  line->ReservePoints(kSamples);
  std::mt19937 random(20240415);
  std::normal_distribution<double> noise(0, 1);
  std::bernoulli_distribution burst(2e-5);
  double rise = 0;
  for (int i = 0; i < kSamples; ++i) {
    rise = 0.99 * rise + (burst(random) ? 20 : 0);
    const double spread = 2 + 1.5 * std::cos(i * 7e-6);
    line->AppendPoint(i, 50 + 30 * std::sin(i * 2e-5) + rise + spread * noise(random), "");
  }
  line->SetSeriesColor(clNavy);
  line->SetParentChart(&chart);
  return line;
}

const RegisterScenes kScenes{{
    {"fastline_million", 800, 450,
     [](TChart& chart, TComponent& owner) {
       chart.Title().SetText({"A million samples"});
       AddSignal(chart, owner);
     }},
    {"fastline_zoomed", 800, 450,
     [](TChart& chart, TComponent& owner) {
       const TFastLineSeries* line = AddSignal(chart, owner);
       // Around the steepest rise where the noise is low: a burst. Both axes
       // set as a zoom rectangle dragged around it would set them.
       int peak = 300000;
       auto rise = [line](int i) { return line->PointY(i) - line->PointY(i - 1); };
       for (int i = peak; i < 500000; ++i)
         if (rise(i) > rise(peak)) peak = i;
       const int first = peak - 200, last = peak + 800;
       double low = line->PointY(first), high = low;
       for (int i = first; i <= last; ++i) {
         low = std::min(low, line->PointY(i));
         high = std::max(high, line->PointY(i));
       }
       chart.Title().SetText({"The same, zoomed in to the thousand samples around a burst"});
       chart.BottomAxis().SetAxisRange(first, last);
       chart.LeftAxis().SetAxisRange(low, high);
     }},
}};

}  // namespace
}  // namespace tokiwa::gallery
