#include "gui/chart_image_file.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <memory>

#include "chart/chart.h"
#include "gui/error_display.h"
#include "gui/headless_host.h"
#include "gui/qt_canvas.h"
#include "runtime/messages.h"
#include "runtime/safe_file.h"

namespace tokiwa {

namespace {

// An SVG measures its pixels at the screen's usual resolution.
constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The back buffer of a vector picture: not an image, just the document's canvas.
class DocumentBitmap : public Bitmap {
 public:
  DocumentBitmap(QtCanvas& canvas, int width, int height, bool monochrome)
      : canvas_(canvas), width_(width), height_(height), monochrome_(monochrome) {
    canvas_.SetMonochrome(monochrome);
  }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  Canvas& GetCanvas() override { return canvas_; }
  void SetSize(int, int) override {}  // a document keeps the size it was made with
  bool Monochrome() const override { return monochrome_; }

 private:
  QtCanvas& canvas_;
  int width_, height_;
  bool monochrome_;
};

// A host whose back buffer draws into a document device. The chart's copy of
// its back buffer onto the window lands on a canvas without a target, which
// draws nothing.
class DocumentHost : public ChartHost {
 public:
  DocumentHost(QPaintDevice& device, int width, int height) : width_(width), height_(height) {
    canvas_.SetDevice(&device);
  }
  // Finishes the document.
  void End() { canvas_.End(); }

  void Invalidate() override {}
  void RepaintNow() override {}
  void SetCursor(TCursor) override {}
  TPoint CursorClientPos() override { return {}; }
  Canvas& WindowCanvas() override { return window_; }
  std::unique_ptr<Bitmap> CreateBitmap(int, int, bool monochrome) override {
    return std::make_unique<DocumentBitmap>(canvas_, width_, height_, monochrome);
  }
  void ShowMessage(const std::string& text) override { ShowErrorMessage(nullptr, text); }
  TSize ScreenSize() override { return {width_, height_}; }

 private:
  int width_, height_;
  QtCanvas canvas_;
  QtCanvas window_;
};

std::string TitleOf(const TCustomChart& chart) {
  std::string title;
  for (const std::string& line : chart.Title().Text()) title += (title.empty() ? "" : " ") + line;
  return title;
}

// Paints the chart into the document on device; false when the paint failed
// (and said why).
bool PaintDocument(TCustomChart& chart, QPaintDevice& device, int width, int height) {
  DocumentHost host(device, width, height);
  const bool painted = GuardedCall(nullptr, [&] { PaintChartOn(chart, host, width, height); });
  host.End();
  return painted;
}

bool RenderSvg(TCustomChart& chart, int width, int height, QBuffer& out) {
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setResolution(kPixelsPerInch);
  svg.setTitle(Text(TitleOf(chart)));
  return PaintDocument(chart, svg, width, height);
}

bool RenderPdf(TCustomChart& chart, int width, int height, QBuffer& out) {
  QPdfWriter pdf(&out);
  // A pixel a point: the page is exactly the picture's size (page sizes are
  // kept in whole points), about A4 wide for a window-sized chart.
  pdf.setResolution(kPointsPerInch);
  pdf.setPageLayout(QPageLayout(QPageSize(QSize(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                QPageLayout::Portrait, QMarginsF()));
  pdf.setTitle(Text(TitleOf(chart)));
  pdf.setCreator(Text(msg::AppTitle));
  return PaintDocument(chart, pdf, width, height);
}

// Paints the chart and writes the picture, complete or not at all. False when
// the paint failed (which said why) or nothing could be written (*written
// false).
bool WritePicture(TCustomChart& chart, int width, int height, const std::string& path, ImageFormat format,
                  bool* written) {
  if (format == ImageFormat::Png) {
    HeadlessChartHost host(width, height);
    if (!GuardedCall(nullptr, [&] { host.Render(chart); })) return false;
    *written = host.SavePng(path);
    return *written;
  }
  QByteArray bytes;
  QBuffer out(&bytes);
  out.open(QIODevice::WriteOnly);
  const bool painted = format == ImageFormat::Svg ? RenderSvg(chart, width, height, out)
                                                  : RenderPdf(chart, width, height, out);
  if (!painted) return false;
  *written = static_cast<bool>(
      WriteFileSafely(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
  return *written;
}

}  // namespace

std::optional<ImageFormat> ImageFormatOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  // A leading dot names a hidden file, not an extension.
  if (dot == std::string_view::npos || dot == 0) return ImageFormat::Png;
  std::string extension(name.substr(dot));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const ImageFormat format : {ImageFormat::Png, ImageFormat::Svg, ImageFormat::Pdf})
    if (extension == ExtensionOf(format)) return format;
  return std::nullopt;
}

std::string_view ExtensionOf(ImageFormat format) {
  switch (format) {
    case ImageFormat::Svg: return ".svg";
    case ImageFormat::Pdf: return ".pdf";
    case ImageFormat::Png: break;
  }
  return ".png";
}

bool RenderChartToFile(TCustomChart& chart, int width, int height, const std::string& path, ImageFormat format) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    ShowErrorMessage(nullptr, std::string(msg::NoGuiApplication));
    return false;
  }
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
    ShowErrorMessage(nullptr, FormatText(msg::InvalidImageSize, {Arg(width), Arg(height)}));
    return false;
  }
  bool written = true;
  if (WritePicture(chart, width, height, path, format, &written)) return true;
  if (!written) ShowErrorMessage(nullptr, FormatText(msg::FileCreateError, {Arg(path)}));
  return false;
}

}  // namespace tokiwa
