#include "series/column_polyline.h"

namespace tokiwa {

void ColumnPolyline::Clear() {
  out_.clear();
  count_ = 0;
}

void ColumnPolyline::Emit(TPoint p) {
  if (out_.empty() || out_.back() != p) out_.push_back(p);
}

void ColumnPolyline::Add(TPoint p) {
  if (count_ > 0 && p == last_) return;
  if (count_ > 0 && p.X == last_.X) {
    // The point that was last is now one of those before the last.
    if (count_ == 1) {
      low_ = high_ = last_;
    } else if (last_.Y < low_.Y) {
      low_ = last_;
      lowFirst_ = false;
    } else if (last_.Y > high_.Y) {
      high_ = last_;
      lowFirst_ = true;
    }
    beforeLast_ = last_;
    last_ = p;
    ++count_;
    return;
  }
  FlushColumn();
  entry_ = last_ = p;
  count_ = 1;
  lowFirst_ = true;
}

void ColumnPolyline::FlushColumn() {
  if (count_ == 0) return;
  Emit(entry_);
  if (count_ > 1) {
    Emit(lowFirst_ ? low_ : high_);
    Emit(lowFirst_ ? high_ : low_);
    Emit(beforeLast_);
    Emit(last_);
  }
}

std::span<const TPoint> ColumnPolyline::Finish() {
  FlushColumn();
  count_ = 0;
  return out_;
}

}  // namespace tokiwa
