#include "gui/splitter.h"

#include <QMouseEvent>
#include <algorithm>

#include "runtime/safe_math.h"

namespace tokiwa {

TSplitter::TSplitter(Side side, int thickness, QWidget* control, QWidget* client, QWidget* parent)
    : QWidget(parent), side_(side), control_(control), client_(client) {
  if (side_ == Side::kLeft) {
    setFixedWidth(thickness);
    setCursor(Qt::SplitHCursor);
  } else {
    setFixedHeight(thickness);
    setCursor(Qt::SplitVCursor);
  }
}

int TSplitter::ControlSize() const {
  return side_ == Side::kLeft ? control_->width() : control_->height();
}

void TSplitter::SetControlSize(int size) {
  size = std::max(size, 0);
  if (side_ == Side::kLeft) control_->setFixedWidth(size);
  else control_->setFixedHeight(size);
}

int TSplitter::Along(QPointF globalPos) const {
  return TruncToInt(side_ == Side::kLeft ? globalPos.x() : globalPos.y());
}

void TSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  dragStart_ = Along(event->globalPosition());
  startSize_ = ControlSize();
  const int clientSize = side_ == Side::kLeft ? client_->width() : client_->height();
  maxSize_ = std::max(startSize_ + clientSize - minSize_, minSize_);
}

void TSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const long long delta = static_cast<long long>(Along(event->globalPosition())) - dragStart_;
  const long long size = side_ == Side::kLeft ? startSize_ + delta : startSize_ - delta;
  const long long low = std::min(minSize_, startSize_);
  SetControlSize(static_cast<int>(std::clamp<long long>(size, low, maxSize_)));
}

void TSplitter::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace tokiwa
