// Times the Qt canvas on the primitives a chart paint repeats most: filled,
// outlined rectangles (Gantt bars), rectangles wholly outside the clip, thin
// lines of any slope, dotted lines and short texts.
//
//   bench_canvas [COUNT]   (default 1,000,000 rectangles; lines and texts scale down)
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "gui/qt_canvas.h"

namespace {

double Seconds(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void Report(const char* what, long count, double seconds) {
  std::printf("%-40s %9ld  %8.1f ms  %7.1f ns each\n", what, count, seconds * 1e3, seconds * 1e9 / count);
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

  Report("rectangles 12x8, pen and brush", count, Seconds([&] {
           for (long i = 0; i < count; ++i) {
             int x = int(i * 37 % 1580), y = int(i * 91 % 990);
             canvas.Rectangle(x, y, x + 12, y + 8);
           }
         }));

  canvas.ClipRect({0, 0, 200, 200});
  Report("rectangles outside the clip", count, Seconds([&] {
           for (long i = 0; i < count; ++i) {
             int x = 300 + int(i * 37 % 1280), y = int(i * 91 % 990);
             canvas.Rectangle(x, y, x + 12, y + 8);
           }
         }));
  canvas.RemoveClip();

  const long lines = count / 10;
  Report("lines, any slope, up to 200 px", lines, Seconds([&] {
           for (long i = 0; i < lines; ++i) {
             canvas.MoveTo(int(i * 37 % 1600), int(i * 91 % 1000));
             canvas.LineTo(int(i * 53 % 1600) / 8 + 700, int(i * 29 % 1000) / 5 + 400);
           }
         }));

  canvas.Pen().SetStyle(tokiwa::TPenStyle::psDot);
  canvas.SetBkMode(tokiwa::BkMode::Transparent);
  Report("dotted grid lines, 1600 px", lines / 10, Seconds([&] {
           for (long i = 0; i < lines / 10; ++i) {
             canvas.MoveTo(0, int(i % 1000));
             canvas.LineTo(1600, int(i % 1000));
           }
         }));

  const long texts = count / 100;
  Report("texts of 10 characters", texts, Seconds([&] {
           for (long i = 0; i < texts; ++i) canvas.TextOut(int(i * 37 % 1500), int(i * 91 % 980), "2024/01/02");
         }));
  canvas.End();
  return 0;
}
