#include <algorithm>

#include "gui/qt_canvas.h"

namespace tokiwa {

namespace {

// Larger requests are refused by clamping rather than exhausting memory.
constexpr int kMaxBitmapSide = 16384;

QImage NewImage(int width, int height) {
  QImage image(std::clamp(width, 0, kMaxBitmapSide), std::clamp(height, 0, kMaxBitmapSide),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

}  // namespace

QtBitmap::QtBitmap(int width, int height, bool monochrome)
    : image_(NewImage(width, height)), monochrome_(monochrome), canvas_(&image_) {
  canvas_.SetMonochrome(monochrome);
}

// Keeps the overlapping part of the old picture, as the platform's bitmaps do.
void QtBitmap::SetSize(int width, int height) {
  if (QSize(std::clamp(width, 0, kMaxBitmapSide), std::clamp(height, 0, kMaxBitmapSide)) == image_.size()) return;
  QImage resized = NewImage(width, height);
  canvas_.End();
  if (!resized.isNull() && !image_.isNull()) {
    QPainter p(&resized);
    p.drawImage(0, 0, image_);
  }
  image_ = std::move(resized);
  canvas_.SetTarget(&image_);
}

}  // namespace tokiwa
