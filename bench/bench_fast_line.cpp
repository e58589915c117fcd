// Times the fast-line series on a million samples of a noisy signal, painted
// whole and zoomed to one percent of the samples, at 1600 x 900 on Qt.
// Each figure is the median CPU time of several paints of the whole chart
// (axes, labels and all); "series" is the part between the series'
// BeforeDrawValues and AfterDrawValues events. Targets: 50 ms whole, 2 ms
// zoomed.
//
//   bench_fast_line [SAMPLES] [PAINTS]   (defaults 1,000,000 and 9)
#include <QGuiApplication>
#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "chart/chart.h"
#include "gui/headless_host.h"
#include "series/fast_line_series.h"

namespace {

// This thread's CPU time, in milliseconds: meaningful on a busy machine too.
double CpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + ts.tv_nsec * 1e-6;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The line drawn point by point, as a styled pen draws it: what the folded
// polyline saves.
class SegmentBySegment : public tokiwa::TFastLineSeries {
 public:
  using TFastLineSeries::TFastLineSeries;
  void DrawPoints() override {
    PrepareLinePen();
    TChartSeries::DrawPoints();
  }
};

struct Timings {
  double paint = 0;
  double series = 0;
};

Timings Measure(tokiwa::TChart& chart, tokiwa::TChartSeries& line, int paints) {
  tokiwa::HeadlessChartHost host(1600, 900);
  double seriesStart = 0;
  std::vector<double> paint, series;
  line.BeforeDrawValues = [&](tokiwa::TComponent*) { seriesStart = CpuMs(); };
  line.AfterDrawValues = [&](tokiwa::TComponent*) { series.push_back(CpuMs() - seriesStart); };
  host.Render(chart);  // the first paint also makes the back buffer
  series.clear();
  for (int k = 0; k < paints; ++k) {
    const double t0 = CpuMs();
    host.Render(chart);
    paint.push_back(CpuMs() - t0);
  }
  return {Median(paint), Median(series)};
}

template <class Series>
void Run(const char* name, int samples, int paints) {
  tokiwa::TChart chart(nullptr);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  auto* line = new Series(nullptr);
  line->ReservePoints(samples);
  std::mt19937 random(1);
  std::normal_distribution<double> noise(0, 1);
  double offset = 0;
  for (int i = 0; i < samples; ++i) {
    offset = 0.999 * offset + 0.3 * noise(random);
    line->AppendPoint(i, 50 + 30 * std::sin(i * 2e-5) + offset + 3 * noise(random), "");
  }
  line->SetParentChart(&chart);

  Timings whole = Measure(chart, *line, paints);
  std::printf("%-22s whole       paint %7.2f ms  series %7.2f ms\n", name, whole.paint, whole.series);
  const double middle = samples / 2.0, width = samples / 100.0;
  chart.BottomAxis().SetAxisRange(middle - width / 2, middle + width / 2);
  Timings zoomed = Measure(chart, *line, paints);
  std::printf("%-22s zoomed 1 %%   paint %7.2f ms  series %7.2f ms\n", name, zoomed.paint, zoomed.series);
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  const int samples = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const int paints = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
  Run<tokiwa::TFastLineSeries>("fast line", samples, paints);
  Run<SegmentBySegment>("segment by segment", samples, paints);
  return 0;
}
