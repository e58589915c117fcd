// Times the Qt canvas on the primitives a chart paint repeats most: filled,
// outlined rectangles (Gantt bars), rectangles wholly outside the clip, thin
// lines of any slope, dotted lines and short texts.
//
//   bench_canvas [COUNT]   (default 1,000,000 rectangles; lines and texts scale down)
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "gui/qt_canvas.h"

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

Timing Measure(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  const double c0 = ThreadCpuSeconds();
  work();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), ThreadCpuSeconds() - c0};
}

void Report(const char* what, long count, Timing t) {
  std::printf("%-36s %9ld  wall %8.1f ms  cpu %8.1f ms  %8.1f ns each (cpu)\n", what, count, t.wall * 1e3,
              t.cpu * 1e3, t.cpu * 1e9 / double(count));
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
  Report("lines, any slope, up to 200 px", lines, Measure([&] {
           for (long i = 0; i < lines; ++i) {
             int x = int(i * 37 % 1600), y = int(i * 91 % 1000);
             canvas.MoveTo(x, y);
             canvas.LineTo(x + int(i * 53 % 401) - 200, y + int(i * 29 % 401) - 200);
           }
         }));

  canvas.Pen().SetStyle(tokiwa::TPenStyle::psDot);
  canvas.SetBkMode(tokiwa::BkMode::Transparent);
  Report("dotted grid lines, 1600 px", lines / 10, Measure([&] {
           for (long i = 0; i < lines / 10; ++i) {
             canvas.MoveTo(0, int(i % 1000));
             canvas.LineTo(1600, int(i % 1000));
           }
         }));

  const long texts = count / 100;
  Report("texts of 10 characters", texts, Measure([&] {
           for (long i = 0; i < texts; ++i) canvas.TextOut(int(i * 37 % 1500), int(i * 91 % 980), "2024/01/02");
         }));
  canvas.End();
  return 0;
}
