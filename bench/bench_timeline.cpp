// The stages of drawing a launch log's timeline, one after the other, with
// the time (wall and CPU) and the peak memory after each: loading the grid,
// scanning it into bars, filling the Gantt series, painting the chart
// headless; then the time to find the bar under a resting pointer.
//
//   bench_timeline LOGFILE [WIDTHxHEIGHT]
#include <sys/resource.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

#include "gridio/string_grid_io.h"
#include "gui/headless_host.h"
#include "runtime/exceptions.h"
#include "timeline/chart_config.h"
#include "timeline/launch_log.h"
#include "timeline/timeline_builder.h"

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Stage(const char* name, const std::function<void()>& work) {
  const auto wall0 = std::chrono::steady_clock::now();
  const double cpu0 = CpuSeconds();
  work();
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  std::printf("  %-8s wall %7.3f s  cpu %7.3f s  peak RSS %6.1f MiB\n", name, wall, CpuSeconds() - cpu0,
              static_cast<double>(PeakKiB()) / 1024);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s LOGFILE [WIDTHxHEIGHT]\n", argv[0]);
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int width = 800, height = 500;
  if (argc > 2) std::sscanf(argv[2], "%dx%d", &width, &height);
  QGuiApplication app(argc, argv);
  using namespace tokiwa;

  TComponent owner(nullptr);
  const TimelineChart chart = CreateTimelineChart(&owner);
  TStringGrid grid;
  TStringGridIO io;
  PrepareLogGrid(grid, io);
  TStringList hidden;
  std::printf("%s\n", argv[1]);
  try {
    Stage("load", [&] { LoadLaunchLog(io, argv[1]); });
    TimelineScan scan;
    Stage("scan", [&] {
      TimelineSource source;
      source.Grid = &grid;
      source.HiddenNames = &hidden;
      scan = ScanTimeline(source);
    });
    Stage("fill", [&] { FillSeries(*chart.Series1, scan); });
    if (scan.Stopped) std::fprintf(stderr, "%s\n", scan.Stopped->Message.c_str());
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  Stage("paint", [&] {
    HeadlessChartHost host(width, height);
    host.Render(*chart.Chart1);
  });
  // The bar under a resting pointer, as the window's tooltip asks for it: a
  // grid of points over the plot as the last paint laid it out.
  constexpr int kSide = 10;
  const tokiwa::TRect plot = chart.Chart1->PlotRect();
  int found = 0;
  const auto wall0 = std::chrono::steady_clock::now();
  for (int i = 0; i < kSide; ++i)
    for (int j = 0; j < kSide; ++j)
      found += chart.Series1->PointAtPixel(plot.Left + plot.Width() * i / kSide + 1,
                                           plot.Top + plot.Height() * j / kSide + 1) >= 0;
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count() / (kSide * kSide);
  std::printf("  hover    %7.3f ms a hit test (%d of %d points on a bar)\n", each * 1000, found, kSide * kSide);
  std::printf("  %d rows, %d bars\n", grid.RowCount() - 1, chart.Series1->PointCount());
  return 0;
}
