#include <algorithm>
#include <cstdlib>

#include "gui/chart_image_file.h"
#include "gui/qt_canvas.h"
#include "runtime/memory_hints.h"

namespace tokiwa {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

// A chart-sized image is megabytes of fresh memory, which the kernel would
// otherwise supply (and zero, and later unmap) 4 KiB at a time.
QImage NewCanvasImage(int width, int height) {
  // Larger requests are clamped rather than exhausting memory.
  width = std::clamp(width, 0, kMaxImageSide);
  height = std::clamp(height, 0, kMaxImageSide);
  const qsizetype stride = qsizetype{width} * 4;
  const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* data = bytes == 0 ? nullptr : std::aligned_alloc(kHugePage, rounded);
  if (!data) return QImage(width, height, QImage::Format_RGB32);  // Qt's own memory, or a null image
  AdviseHugePages(data, rounded);
  QImage image(static_cast<uchar*>(data), width, height, stride, QImage::Format_RGB32, std::free, data);
  image.fill(Qt::white);
  return image;
}

QtBitmap::QtBitmap(int width, int height, bool monochrome)
    : QtBitmap(std::make_shared<QImage>(NewCanvasImage(width, height)), monochrome) {}

QtBitmap::QtBitmap(std::shared_ptr<QImage> image, bool monochrome)
    : image_(std::move(image)), monochrome_(monochrome), canvas_(image_.get()) {
  canvas_.SetMonochrome(monochrome);
}

// Keeps the overlapping part of the old picture, as the platform's bitmaps do.
void QtBitmap::SetSize(int width, int height) {
  if (QSize(std::clamp(width, 0, kMaxImageSide), std::clamp(height, 0, kMaxImageSide)) == image_->size()) return;
  QImage resized = NewCanvasImage(width, height);
  canvas_.End();
  if (!resized.isNull() && !image_->isNull()) {
    QPainter p(&resized);
    p.drawImage(0, 0, *image_);
  }
  *image_ = std::move(resized);
  canvas_.SetTarget(image_.get());
}

}  // namespace tokiwa
