#include "gui/headless_host.h"

#include <QString>
#include <algorithm>

#include "chart/chart.h"
#include "gui/chart_image_file.h"
#include "gui/error_display.h"
#include "gui/png_encoder.h"
#include "runtime/safe_file.h"

namespace tokiwa {

HeadlessChartHost::HeadlessChartHost(int width, int height)
    : image_(std::make_shared<QImage>(NewCanvasImage(width, height))) {
  canvas_.SetTarget(image_.get());
}

HeadlessChartHost::~HeadlessChartHost() { canvas_.End(); }

void PaintChartOn(TCustomChart& chart, ChartHost& host, int width, int height) {
  // Puts the chart back where it was, also when its paint fails.
  struct Restore {
    TCustomChart& chart;
    ChartHost* host;
    int left, top, width, height;
    ~Restore() {
      chart.SetHost(host);
      chart.SetBounds(left, top, width, height);
      chart.RequestRepaint();
    }
  } restore{chart, chart.Host(), chart.Left(), chart.Top(), chart.Width(), chart.Height()};
  chart.SetHost(&host);
  chart.SetBounds(0, 0, width, height);
  chart.Paint();
}

void HeadlessChartHost::Render(TCustomChart& chart) {
  struct Done {
    HeadlessChartHost& self;
    ~Done() {
      self.canvas_.End();
      self.rendering_ = nullptr;
    }
  } done{*this};
  rendering_ = &chart;
  PaintChartOn(chart, *this, image_->width(), image_->height());
}

void HeadlessChartHost::RepaintNow() {
  if (rendering_) rendering_->Paint();
}

bool HeadlessChartHost::SavePng(const std::string& path) const { return WritePngFile(*image_, path); }

bool WritePngFile(const QImage& image, const std::string& path) {
  const std::optional<std::string> png = EncodePng(image);
  return png && static_cast<bool>(WriteFileSafely(path, *png));
}

std::unique_ptr<Bitmap> HeadlessChartHost::CreateBitmap(int width, int height, bool monochrome) {
  // The back buffer is copied onto this canvas whole, and the copy of a
  // picture onto itself is skipped.
  auto bitmap = QSize(width, height) == image_->size() ? std::make_unique<QtBitmap>(image_, monochrome)
                                                        : std::make_unique<QtBitmap>(width, height, monochrome);
  // A render makes a new back buffer; what earlier ones measured stays known.
  static_cast<QtCanvas&>(bitmap->GetCanvas()).ShareFontsWith(canvas_);
  return bitmap;
}

void HeadlessChartHost::ShowMessage(const std::string& text) { ShowErrorMessage(nullptr, text); }

}  // namespace tokiwa
