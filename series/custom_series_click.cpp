// The click test of the point, line and area series: markers first, then the
// exact point, then (when the line is clickable) the segment or area between
// a point and the one before it. The lowest matching shown index wins.
#include <array>

#include "chart/axis_panel.h"
#include "runtime/geometry.h"
#include "series/custom_series.h"

namespace tokiwa {

bool TCustomSeries::IsNearPointer(int, int px, int py, int x, int y) {
  return Distance(px, x) < pointer_->HorizSize() && Distance(py, y) < pointer_->VertSize();
}

int TCustomSeries::PointAtPixel(int x, int y) {
  PrevBaseY = 0;
  TPoint prev{0, 0};
  const int first = FirstShownIndex();
  const int last = LastShownIndex();
  if (first == -1 || last == -1 || last < first) return -1;
  for (int i = first; i <= last; ++i) {
    const TPoint cur{OnCanvas(PointScreenX(i)), OnCanvas(PointScreenY(i))};
    if (pointer_->Visible() && IsNearPointer(i, cur.X, cur.Y, x, y)) {
      if (OnClickPointer) OnClickPointer(this, i, x, y);
      return i;
    }
    if (cur.X == x && cur.Y == y) return i;
    if (i > first && clickableLine_ && HitsLineOrArea(i, prev, cur, x, y)) return i - 1;
    prev = cur;
    PrevBaseY = BaseY;
  }
  return -1;
}

bool TCustomSeries::HitsLineOrArea(int index, TPoint prev, TPoint cur, int x, int y) {
  const TCustomAxisPanel& chart = Chart();
  const TPoint mouse{x, y};
  if (chart.View3D()) {
    const int dX = chart.SlotDepthX();
    const int dY = chart.SlotDepthY();
    const std::array<TPoint, 4> ribbon{
        {cur, {Px(cur.X) + dX, Px(cur.Y) - dY}, {Px(prev.X) + dX, Px(prev.Y) - dY}, prev}};
    if (IsInsidePolygon(mouse, ribbon)) return true;
  } else if (IsNearSegment(x, y, prev.X, prev.Y, cur.X, cur.Y)) {
    return true;
  }
  if (!drawArea_) return false;
  const std::array<TPoint, 4> area{
      {prev, cur, {cur.X, OnCanvas(AreaBaseY(index))}, {prev.X, OnCanvas(AreaBaseY(index - 1))}}};
  return IsInsidePolygon(mouse, area);
}

}  // namespace tokiwa
