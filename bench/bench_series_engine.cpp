// The engine's series set on its own: painting one bar series of 10,000 bars at
// 1600 x 900 (2D and 3D; marks and legend hidden, as nobody could read 10,000
// of either), and
// recomputing an average of every 10 points over a 1,000,000-point source.
// Each figure is the median of several runs, wall and CPU.
//
//   bench_series_engine [BARS] [SOURCE_POINTS]
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_functions.h"
#include "gui/headless_host.h"
#include "series/bar_series.h"
#include "series/custom_series.h"

namespace {

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Runs work `runs` times and prints the median wall and CPU time of one run.
void Median(const char* what, int runs, const std::function<void()>& work) {
  std::vector<double> walls, cpus;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadCpuSeconds();
    work();
    cpus.push_back(ThreadCpuSeconds() - c0);
    walls.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(walls.begin(), walls.end());
  std::sort(cpus.begin(), cpus.end());
  std::printf("  %-44s median of %2d: wall %7.2f ms  cpu %7.2f ms\n", what, runs, walls[walls.size() / 2] * 1e3,
              cpus[cpus.size() / 2] * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int bars = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int sourcePoints = argc > 2 ? std::atoi(argv[2]) : 1000000;
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  using namespace tokiwa;

  TComponent owner(nullptr);
  auto* chart = new TChart(&owner);
  chart->Legend().SetVisible(false);
  auto* barSeries = new TBarSeries(&owner);
  barSeries->SetParentChart(chart);
  barSeries->Marks().SetVisible(false);
  for (int i = 0; i < bars; ++i) barSeries->AppendValue(100 + (i * 7919) % 900, "");
  HeadlessChartHost host(1600, 900);
  std::printf("== bars: %d in one series, 1600 x 900 (target: 10 ms per paint)\n", bars);
  for (bool view3D : {false, true}) {
    chart->SetView3D(view3D);
    host.Render(*chart);  // warm-up: fonts, back buffer
    Median(view3D ? "paint, 3D" : "paint, 2D", 21, [&] { host.Render(*chart); });
  }

  auto* source = new TLineSeries(&owner);
  source->SetParentChart(chart);
  source->SetActive(false);
  source->ReservePoints(sourcePoints);
  for (int i = 0; i < sourcePoints; ++i) source->AppendPoint(i, (i * 7919) % 1000, "");
  auto* average = new TLineSeries(&owner);
  average->SetParentChart(chart);
  auto function = std::make_unique<TAverageFunction>(&owner);
  function->SetPeriod(10);
  average->SetFunction(std::move(function));
  average->SetDataSource(source);
  std::printf("== average of every 10 points over %d (target: 20 ms per recomputation)\n", sourcePoints);
  Median("recompute", 11, [&] { average->ReloadFromDataSource(); });
  std::printf("  %d points computed\n", average->PointCount());
  return 0;
}
