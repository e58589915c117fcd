#include "series/bar_cover.h"

#include <algorithm>
#include <cmath>

#include "runtime/geometry.h"

namespace tokiwa {

void BarCover::Reset(int firstRow, int lastRow, ValueOfColumn fromValue, ValueOfColumn toValue) {
  first_ = firstRow;
  rows_.assign(static_cast<std::size_t>(std::max(0, lastRow - firstRow + 1)), Stretch{0, 0, INFINITY, -INFINITY});
  fromValue_ = std::move(fromValue);
  toValue_ = std::move(toValue);
}

void BarCover::Set(Stretch& stretch, int left, int right) const {
  if (left != stretch.left || stretch.left == stretch.right) stretch.fromValue = NAN;
  if (right != stretch.right || stretch.left == stretch.right) stretch.toValue = NAN;
  stretch.left = left;
  stretch.right = right;
}

// Near the canvas limit the series clamps its columns, which then no longer
// follow the values.
void BarCover::WorkOutEdgeValues(Stretch& stretch) const {
  if (std::isnan(stretch.fromValue))
    stretch.fromValue = stretch.left > -kCanvasLimit + 2 ? fromValue_(stretch.left) : INFINITY;
  if (std::isnan(stretch.toValue))
    stretch.toValue = stretch.right < kCanvasLimit - 2 ? toValue_(stretch.right - 1) : -INFINITY;
}

std::pair<int, int> BarCover::Uncovered(int row, int left, int right) {
  Stretch& painted = rows_[static_cast<std::size_t>(row - first_)];
  if (painted.left == painted.right) {
    Set(painted, left, right);
    return {left, right};
  }
  if (left >= painted.left && right <= painted.right) {
    // Bars fall inside this stretch: the value test can spare the next ones
    // their columns.
    WorkOutEdgeValues(painted);
    return {left, left};
  }
  std::pair<int, int> shown{left, right};
  if (left < painted.left && right > painted.left && right <= painted.right) {
    shown.second = painted.left;
  } else if (left >= painted.left && left < painted.right && right > painted.right) {
    shown.first = painted.right;
  }
  // One stretch is kept: the union when the two meet, else the newer, which
  // lies nearer the bars still to come when they are in start order.
  if (right >= painted.left && left <= painted.right) {
    Set(painted, std::min(left, painted.left), std::max(right, painted.right));
  } else {
    Set(painted, left, right);
  }
  return shown;
}

bool BarCover::Covers(int row, double start, double end) const {
  const Stretch& painted = rows_[static_cast<std::size_t>(row - first_)];
  // Unknown edge values (not a number) compare false.
  return start <= end && painted.left != painted.right && start >= painted.fromValue && end <= painted.toValue;
}

}  // namespace tokiwa
