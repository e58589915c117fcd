// The stages of drawing a launch log's timeline, one after the other, with
// the time (wall and CPU) and the peak memory after each: reading the log
// into its rows' facts and pairing its runs (the command-line modes), loading
// the grid and scanning it into bars (the window), filling the Gantt series, painting the chart
// headless, and the time to find the bar under a resting pointer. Then
// repaints of the painted chart (CPU time): the whole view, once drawing
// every bar through the canvas' QPainter path and once with the fast paths
// (bars outside the picture or painted over skipped, the image's pixels
// written directly), a view zoomed to 1 % of the time range, the same frame
// with no bar in view, and the time to find the bar under the pointer, the
// first time (which builds the index) and after.
//
//   bench_timeline LOGFILE [WIDTHxHEIGHT]
#include <sys/resource.h>

#include <QGuiApplication>
#include <algorithm>
#include <memory>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "gridio/string_grid_io.h"
#include "chart/axis.h"
#include "chart/chart.h"
#include "gui/headless_host.h"
#include "series/gantt_series.h"
#include "runtime/exceptions.h"
#include "timeline/chart_config.h"
#include "timeline/launch_log.h"
#include "timeline/log_stream.h"
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

// CPU time: on a shared machine the others only add waiting.
double Seconds(const std::function<void()>& work) {
  const double t0 = CpuSeconds();
  work();
  return CpuSeconds() - t0;
}

double Median(std::vector<double> runs) {
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

double MedianSeconds(const std::function<void()>& work) {
  std::vector<double> runs;
  for (int run = 0; run < 5; ++run) runs.push_back(Seconds(work));
  return Median(std::move(runs));
}

// Each view's time a render, taken in turns, each turn several renders long,
// so that a slow spell of a shared machine falls on all views alike: the
// median of seven turns.
std::vector<double> MediansInTurns(const std::vector<std::function<void()>>& views, int renders) {
  std::vector<std::vector<double>> runs(views.size());
  for (int turn = 0; turn < 7; ++turn)
    for (std::size_t v = 0; v < views.size(); ++v)
      runs[v].push_back(Seconds([&] {
        for (int k = 0; k < renders; ++k) views[v]();
      }) / renders);
  std::vector<double> medians;
  for (std::vector<double>& r : runs) medians.push_back(Median(std::move(r)));
  return medians;
}

// A host whose back buffers draw through the canvas' fast paths or not.
class Host : public tokiwa::HeadlessChartHost {
 public:
  Host(int width, int height, bool direct) : HeadlessChartHost(width, height), direct_(direct) {}
  std::unique_ptr<tokiwa::Bitmap> CreateBitmap(int width, int height, bool monochrome) override {
    auto bitmap = HeadlessChartHost::CreateBitmap(width, height, monochrome);
    static_cast<tokiwa::QtCanvas&>(bitmap->GetCanvas()).SetDirectRaster(direct_);
    return bitmap;
  }

 private:
  bool direct_;
};

void Repaints(tokiwa::TChart& chart, tokiwa::TGanttSeries& series, int width, int height) {
  using namespace tokiwa;
  Host plain(width, height, false), fast(width, height, true);
  series.SetDrawEveryBar(true);
  plain.Render(chart);
  const double straightforward = MedianSeconds([&] { plain.Render(chart); });
  series.SetDrawEveryBar(false);
  fast.Render(chart);
  TChartAxis& axis = chart.BottomAxis();
  const double low = axis.Minimum(), high = axis.Maximum();
  const std::vector<std::function<void()>> views = {
      [&] {
        axis.SetAutomatic(true);
        fast.Render(chart);
      },
      [&] {  // zoomed to 1 % in the middle
        axis.SetAutomatic(false);
        axis.SetMinimum(low + (high - low) * 0.495);
        axis.SetMaximum(low + (high - low) * 0.505);
        fast.Render(chart);
      },
      [&] {  // the same frame (axes, labels, grid, background) with no bar in view
        axis.SetMaximum(high + (high - low) * 1.01);  // first: the minimum may not pass it
        axis.SetMinimum(high + (high - low));
        fast.Render(chart);
      }};
  const std::vector<double> times = MediansInTurns(views, 10);
  const double full = times[0], zoomed = times[1], frame = times[2];
  axis.SetAutomatic(true);
  fast.Render(chart);
  std::mt19937 random(1);
  const TRect plot = chart.PlotRect();
  std::uniform_int_distribution<int> column(plot.Left, plot.Right - 1), row(plot.Top, plot.Bottom - 1);
  constexpr int kPointers = 1000;
  int found = 0;
  const double first = Seconds([&] { found += series.BarAtPixel(plot.Left, plot.Top) >= 0; });
  double slowest = 0;
  const double all = Seconds([&] {
    for (int k = 0; k < kPointers; ++k) {
      const int x = column(random), y = row(random);
      slowest = std::max(slowest, Seconds([&] { found += series.BarAtPixel(x, y) >= 0; }));
    }
  });
  std::printf("  repaint  (cpu, medians) QPainter %.4f s  fast %.4f s  ratio %.3f (target <= 0.25)\n", straightforward, full,
              full / straightforward);
  std::printf("  repaint  zoomed to 1 %% %.3f ms  ratio to the whole view %.3f, to the straightforward one %.3f"
              " (target <= 0.05)\n", zoomed * 1e3, zoomed / full, zoomed / straightforward);
  std::printf("  repaint  frame alone, no bar in view %.3f ms (%.3f of the whole view): the zoomed view draws its"
              " bars in %.3f ms\n", frame * 1e3, frame / full, std::max(0.0, zoomed - frame) * 1e3);
  std::printf("  pointer  first %.1f ms; then %d positions, %d on a bar: mean %.4f ms  slowest %.4f ms"
              " (target <= 1 ms)\n", first * 1e3, kPointers, found, all * 1e3 / kPointers, slowest * 1e3);
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
    // The command-line modes read the log straight into its rows' facts.
    {
      StreamedLogs logs;
      Stage("read", [&] {
        logs = StreamLaunchLogs({argv[1]}, {JapaneseFormatSettings(), CurrentYear()}).value_or(StreamedLogs{});
      });
      Stage("pair", [&] {
        TimelineSource source;
        source.Logs = RowsOf(logs.Logs);
        source.HiddenNames = &hidden;
        ScanRowFacts(logs.Facts, source);
      });
    }
    // The window loads it into its grid and scans that.
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
  Repaints(*chart.Chart1, *chart.Series1, width, height);
  return 0;
}
