#include "gui/headless_host.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QString>
#include <algorithm>

#include "chart/chart.h"
#include "gui/error_display.h"
#include "runtime/messages.h"
#include "runtime/safe_file.h"

namespace tokiwa {

namespace {

// The same ceiling as the chart's back buffer.
constexpr int kMaxImageSide = 16384;

}  // namespace

HeadlessChartHost::HeadlessChartHost(int width, int height)
    : image_(std::clamp(width, 0, kMaxImageSide), std::clamp(height, 0, kMaxImageSide), QImage::Format_RGB32) {
  image_.fill(Qt::white);
  canvas_.SetTarget(&image_);
}

HeadlessChartHost::~HeadlessChartHost() { canvas_.End(); }

void HeadlessChartHost::Render(TCustomChart& chart) {
  // Puts the chart back where it was, also when its paint fails.
  struct Restore {
    TCustomChart& chart;
    ChartHost* host;
    int left, top, width, height;
    HeadlessChartHost& self;
    ~Restore() {
      self.canvas_.End();
      self.rendering_ = nullptr;
      chart.SetHost(host);
      chart.SetBounds(left, top, width, height);
      chart.RequestRepaint();
    }
  } restore{chart, chart.Host(), chart.Left(), chart.Top(), chart.Width(), chart.Height(), *this};
  chart.SetHost(this);
  chart.SetBounds(0, 0, image_.width(), image_.height());
  rendering_ = &chart;
  chart.Paint();
}

void HeadlessChartHost::RepaintNow() {
  if (rendering_) rendering_->Paint();
}

bool HeadlessChartHost::SavePng(const std::string& path) const { return WritePngFile(image_, path); }

bool WritePngFile(const QImage& image, const std::string& path) {
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return false;
  return static_cast<bool>(WriteFileSafely(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size()))));
}

std::unique_ptr<Bitmap> HeadlessChartHost::CreateBitmap(int width, int height, bool monochrome) {
  return std::make_unique<QtBitmap>(width, height, monochrome);
}

void HeadlessChartHost::ShowMessage(const std::string& text) { ShowErrorMessage(nullptr, text); }

bool RenderChartToPng(TCustomChart& chart, int width, int height, const std::string& path) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    ShowErrorMessage(nullptr, std::string(msg::NoGuiApplication));
    return false;
  }
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
    ShowErrorMessage(nullptr, FormatText(msg::InvalidImageSize, {Arg(width), Arg(height)}));
    return false;
  }
  HeadlessChartHost host(width, height);
  if (!GuardedCall(nullptr, [&] { host.Render(chart); })) return false;
  if (!host.SavePng(path)) {
    ShowErrorMessage(nullptr, FormatText(msg::FileCreateError, {Arg(path)}));
    return false;
  }
  return true;
}

}  // namespace tokiwa
