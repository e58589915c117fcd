#pragma once
// A chart host without a window: the chart paints into an image of a given
// size, which can be saved as PNG. Used to render charts from the command line
// and in tests.
//
// Qt draws text and images only inside a running QGuiApplication (or
// QApplication); the caller creates it before rendering (the program's main,
// or the test main under QT_QPA_PLATFORM=offscreen). Without one, rendering
// fails and says so.
#include <QImage>
#include <memory>
#include <string>

#include "chart/chart_host.h"
#include "gui/qt_canvas.h"

namespace tokiwa {

class TCustomChart;

class HeadlessChartHost : public ChartHost {
 public:
  HeadlessChartHost(int width, int height);
  ~HeadlessChartHost() override;
  HeadlessChartHost(const HeadlessChartHost&) = delete;
  HeadlessChartHost& operator=(const HeadlessChartHost&) = delete;

  // Draws the whole chart into Image(). The chart is hosted here for the call
  // and given this host's size; its previous host and bounds are restored
  // afterwards (and that host is asked to repaint). Errors of the chart's
  // paint propagate.
  void Render(TCustomChart& chart);
  const QImage& Image() const { return *image_; }
  // Saves Image() as PNG (WritePngFile); false when the file cannot be written.
  bool SavePng(const std::string& path) const;

  // --- ChartHost ---
  void Invalidate() override { ++invalidations_; }
  void RepaintNow() override;
  void SetCursor(TCursor) override {}
  TPoint CursorClientPos() override { return {}; }
  Canvas& WindowCanvas() override { return canvas_; }
  std::unique_ptr<Bitmap> CreateBitmap(int width, int height, bool monochrome) override;
  // Goes to the error display's sink (the headless modes install one that prints).
  void ShowMessage(const std::string& text) override;
  TSize ScreenSize() override { return {image_->width(), image_->height()}; }

 private:
  // Shared with the chart's back buffer when it has the picture's size, so
  // the chart draws straight into the picture.
  std::shared_ptr<QImage> image_;
  QtCanvas canvas_;
  TCustomChart* rendering_ = nullptr;
  int invalidations_ = 0;
};

// Paints the chart once on host at width × height: the chart is hosted there
// for the call and given that size; its previous host and bounds come back
// afterwards, also when the paint fails, and that host is asked to repaint.
void PaintChartOn(TCustomChart& chart, ChartHost& host, int width, int height);

// Writes the image as a PNG file under the exact bytes of path: complete or
// not at all, an existing file replaced only once the new one is written
// whole (see WriteFileSafely). False when it cannot be.
bool WritePngFile(const QImage& image, const std::string& path);

}  // namespace tokiwa
