// Times the Qt canvas on the primitives a chart paint repeats most: filled,
// outlined rectangles (Gantt bars), rectangles wholly outside the clip, thin
// lines of any slope, dotted lines and short texts. Lines are timed both ways,
// through QPainter (the reference) and written into the image directly, and
// also per drawn pixel.
//
//   bench_canvas [COUNT]   (default 1,000,000 rectangles; lines and texts scale down)
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "gui/qt_canvas.h"
#include "gui/raster_lines.h"

namespace {

struct Timing {
  double wall = 0;
  double cpu = 0;  // this thread's CPU time: meaningful on a busy machine too
};

double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

// The best of five runs: on a shared machine the others only add waiting.
Timing Measure(const std::function<void()>& work) {
  Timing best{1e300, 1e300};
  for (int run = 0; run < 5; ++run) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadCpuSeconds();
    work();
    best.wall = std::min(best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    best.cpu = std::min(best.cpu, ThreadCpuSeconds() - c0);
  }
  return best;
}

void Report(const char* what, long count, Timing t) {
  std::printf("%-44s %9ld  wall %8.1f ms  cpu %8.1f ms  %8.1f ns each (cpu)\n", what, count, t.wall * 1e3,
              t.cpu * 1e3, t.cpu * 1e9 / double(count));
}

// The same with the time per pixel the lines drew.
void ReportLines(const char* what, long count, long pixels, Timing t) {
  std::printf("%-44s %9ld  wall %8.1f ms  cpu %8.1f ms  %8.2f ns a pixel (cpu)\n", what, count, t.wall * 1e3,
              t.cpu * 1e3, t.cpu * 1e9 / double(pixels));
}

// Pixels of the line inside the bounds.
long PixelsOf(tokiwa::TPoint from, tokiwa::TPoint to, const tokiwa::TRect& bounds) {
  tokiwa::raster::LinePlan plan;
  return tokiwa::raster::PlanLine(from, to, bounds, plan) ? long(plan.last - plan.first) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const long count = argc > 1 ? std::atol(argv[1]) : 1000000;

  QImage image(1600, 1000, QImage::Format_RGB32);
  image.fill(Qt::white);
  tokiwa::QtCanvas canvas(&image);
  canvas.Brush().SetColor(tokiwa::clRed);

  Report("rectangles 12x8, pen and brush", count, Measure([&] {
           for (long i = 0; i < count; ++i) {
             int x = int(i * 37 % 1580), y = int(i * 91 % 990);
             canvas.Rectangle(x, y, x + 12, y + 8);
           }
         }));

  canvas.ClipRect({0, 0, 200, 200});
  Report("rectangles outside the clip", count, Measure([&] {
           for (long i = 0; i < count; ++i) {
             int x = 300 + int(i * 37 % 1280), y = int(i * 91 % 990);
             canvas.Rectangle(x, y, x + 12, y + 8);
           }
         }));
  canvas.RemoveClip();

  const long lines = count / 10;
  const tokiwa::TRect bounds{0, 0, image.width(), image.height()};
  auto anySlope = [&](long i, tokiwa::TPoint& from, tokiwa::TPoint& to) {
    const int x = int(i * 37 % 1600), y = int(i * 91 % 1000);
    from = {x, y};
    to = {x + int(i * 53 % 401) - 200, y + int(i * 29 % 401) - 200};
  };
  long slopePixels = 0;
  for (long i = 0; i < lines; ++i) {
    tokiwa::TPoint from, to;
    anySlope(i, from, to);
    slopePixels += PixelsOf(from, to, bounds);
  }
  const long gridLines = lines / 10;
  long gridPixels = 0;
  for (long i = 0; i < gridLines; ++i) gridPixels += PixelsOf({0, int(i % 1000)}, {1600, int(i % 1000)}, bounds);

  for (bool direct : {false, true}) {
    canvas.SetDirectRaster(direct);
    canvas.Pen().SetStyle(tokiwa::TPenStyle::psSolid);
    ReportLines(direct ? "lines, any slope, up to 200 px (direct)" : "lines, any slope, up to 200 px (QPainter)", lines,
                slopePixels, Measure([&] {
                  for (long i = 0; i < lines; ++i) {
                    tokiwa::TPoint from, to;
                    anySlope(i, from, to);
                    canvas.MoveTo(from.X, from.Y);
                    canvas.LineTo(to.X, to.Y);
                  }
                }));
    canvas.Pen().SetStyle(tokiwa::TPenStyle::psDot);
    canvas.SetBkMode(tokiwa::BkMode::Transparent);
    ReportLines(direct ? "dotted lines, any slope (direct)" : "dotted lines, any slope (QPainter)", lines, slopePixels,
                Measure([&] {
                  for (long i = 0; i < lines; ++i) {
                    tokiwa::TPoint from, to;
                    anySlope(i, from, to);
                    canvas.MoveTo(from.X, from.Y);
                    canvas.LineTo(to.X, to.Y);
                  }
                }));
    ReportLines(direct ? "dotted grid lines, 1600 px (direct)" : "dotted grid lines, 1600 px (QPainter)", gridLines,
                gridPixels, Measure([&] {
                  for (long i = 0; i < gridLines; ++i) {
                    canvas.MoveTo(0, int(i % 1000));
                    canvas.LineTo(1600, int(i % 1000));
                  }
                }));
    canvas.SetBkMode(tokiwa::BkMode::Opaque);
  }
  canvas.Pen().SetStyle(tokiwa::TPenStyle::psSolid);

  const long texts = count / 100;
  Report("texts of 10 characters", texts, Measure([&] {
           for (long i = 0; i < texts; ++i) canvas.TextOut(int(i * 37 % 1500), int(i * 91 % 980), "2024/01/02");
         }));
  canvas.End();
  return 0;
}
