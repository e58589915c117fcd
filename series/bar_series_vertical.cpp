// Upright bars: their positions, shapes, clicks, marks and the room they take.
#include <algorithm>
#include <cstdlib>

#include "chart/axis_panel.h"
#include "chart/decorations.h"
#include "series/bar_series.h"

namespace tokiwa {

TBarSeries::TBarSeries(TComponent* owner) : TCustomBarSeries(owner) { YValues().SetName("Bar"); }

// --- layout ---

int TBarSeries::PlotSpan() const { return ParentChart() ? ParentChart()->PlotWidth() : 0; }

int TBarSeries::MarkExtent(int) { return ParentChart() ? ParentChart()->CharHeight() : 0; }

bool TBarSeries::DrawsForward() const { return !GetHorizAxis() || !GetHorizAxis()->Inverted(); }

int TBarSeries::PointScreenX(int index) const { return Px(ValuePositionX(PointX(index))) + AcrossShift(false); }

int TBarSeries::PointScreenY(int index) const { return ValueEnd(index); }

int TBarSeries::PlotBaseEdge() const {
  const TCustomAxisPanel& chart = *ParentChart();
  // The plot's edge in this series' depth slot, where its values are drawn.
  const bool shifted = chart.View3D() && chart.SeparateDepthSlots();
  return Px(chart.PlotRect().Bottom) - (shifted ? Px(static_cast<long long>(DepthSlot()) * chart.SlotDepthY()) : Px(0));
}

double TBarSeries::HighestY() const { return HighestAlong(TChartSeries::HighestY()); }
double TBarSeries::LowestY() const { return LowestAlong(TChartSeries::LowestY()); }

void TBarSeries::HorizMargins(int& left, int& right) { left = right = GroupMargin(); }

void TBarSeries::VertMargins(int& top, int& bottom) {
  top = bottom = 0;
  const int room = MarkRoom();
  const int edge = room > 0 ? 1 : 0;
  if (!UseYOrigin() || TChartSeries::HighestY() > YOrigin()) {
    if (GetVertAxis() && GetVertAxis()->Inverted())
      bottom = Px(room) + DepthY() + edge;
    else
      top = Px(room) + edge;
  }
  if (UseYOrigin() && TChartSeries::LowestY() < YOrigin()) bottom = Px(bottom) + room + edge;
}

// --- drawing ---

TRect TBarSeries::BarRect(int index) const {
  const int left = OnCanvas(PointScreenX(index));
  return {left, OnCanvas(PointScreenY(index)), OnCanvas(Px(left) + BarSize()), OnCanvas(BarOrigin(index))};
}

// The side face on the right, then the top face at the upper end.
void TBarSeries::DrawFaces(const TRect& rect, int upper, int) {
  const int dx = DepthX(), dy = DepthY();
  const Px top = rect.Top, right = rect.Right, bottom = rect.Bottom;
  const TPoint side[] = {At(right - 1, bottom - 1), At(right - 1, top - 1), At(right + dx - 1, top - dy),
                         At(right + dx - 1, bottom - dy)};
  FillShape(SideColor(), side);
  DrawTopFace(rect, upper);
}

void TBarSeries::DrawTopFace(const TRect& rect, int upper) {
  const int dx = DepthX(), dy = DepthY();
  const Px left = rect.Left, right = rect.Right, y = upper;
  const TPoint cap[] = {At(right - 2, y), At(left, y), At(left + dx, y - dy), At(right + dx - 1, y - dy)};
  FillShape(TopColor(), cap);
}

void TBarSeries::DrawPyramid(const TRect& rect, int upper, int lower) {
  const Px left = rect.Left, right = rect.Right, mx = Mid(rect.Left, rect.Right);
  if (!Is3D()) {
    const TPoint flat[] = {At(left, Px(lower)), At(mx, Px(upper)), At(right, Px(lower))};
    FillShape(BarColor(), flat);
    return;
  }
  if (rect.Top == rect.Bottom) {
    DrawTopFace(rect, upper);
    return;
  }
  const int dx = DepthX(), dy = DepthY();
  const TPoint apex = At(mx + dx / 2, Px(upper) - dy / 2);
  const TPoint front[] = {At(left, Px(lower)), apex, At(right, Px(lower))};
  FillShape(BarColor(), front);
  const TPoint side[] = {apex, At(right + dx - 1, Px(lower) - dy), At(right, Px(lower))};
  FillShape(SideColor(), side);
}

void TBarSeries::DrawInvPyramid(const TRect& rect, int upper, int lower) {
  const Px left = rect.Left, right = rect.Right, mx = Mid(rect.Left, rect.Right);
  if (!Is3D()) {
    const TPoint flat[] = {At(left, Px(upper)), At(mx, Px(lower)), At(right - 1, Px(upper))};
    FillShape(BarColor(), flat);
    return;
  }
  const int dx = DepthX(), dy = DepthY();
  if (rect.Top != rect.Bottom) {
    const TPoint apex = At(mx + dx / 2, Px(lower) - dy / 2);
    const TPoint front[] = {At(left, Px(upper)), apex, At(right - 1, Px(upper))};
    FillShape(BarColor(), front);
    const TPoint side[] = {At(right - 1, Px(upper)), At(right + dx - 1, Px(upper) - dy), apex};
    FillShape(SideColor(), side);
  }
  // Only the top: the side face would be hidden behind the pyramid.
  DrawTopFace(rect, upper);
}

// The tip at the value end, the shaft half the bar wide.
void TBarSeries::DrawArrow(const TRect& rect, int upper, int lower) {
  const int quarter = BarSize() / 4;
  // A bar hanging below its origin points down.
  const int head = rect.Bottom < rect.Top ? -2 * quarter : 2 * quarter;
  const int sx = DepthX() / 2, sy = DepthY() / 2;
  const Px left = Px(rect.Left) + sx, right = Px(rect.Right) + sx, mx = Px(Mid(rect.Left, rect.Right)) + sx;
  const Px top = Px(rect.Top) - sy, bottom = Px(rect.Bottom) - sy;
  if (std::abs(head) >= Distance(upper, lower)) {
    DrawBarRectangle(BarColor(), OnCanvas(left), OnCanvas(top), OnCanvas(right), OnCanvas(bottom));
    return;
  }
  const Px neck = top + head;
  const TPoint arrow[] = {At(left + quarter, bottom), At(left + quarter, neck), At(left, neck), At(mx, top),
                          At(right, neck),           At(right - quarter, neck), At(right - quarter, bottom)};
  FillShape(BarColor(), arrow);
}

// From the bar's colour at its origin to white at its value end.
void TBarSeries::DrawGradient(const TRect& rect, int upper, int lower) {
  const TRect fill{rect.Left, upper, rect.Right, lower};
  // The gradient runs from its first colour at the bottom edge up to its second.
  if (rect.Bottom >= rect.Top)
    FillGradient(ChartCanvas(), fill, BarColor(), clWhite, false);
  else
    FillGradient(ChartCanvas(), fill, clWhite, BarColor(), false);
  if (Is3D()) DrawFaces(rect, upper, lower);
}

// --- clicks ---

bool TBarSeries::IsPointInBar(int index, int x, int y) {
  const int left = PointScreenX(index);
  const Px right = Px(left) + BarSize();
  if (x < left || x > right) return false;
  const int end = PointScreenY(index), origin = BarOrigin(index);
  const int upper = std::min(end, origin), lower = std::max(end, origin);
  const int dx = DepthX(), dy = DepthY();
  const Px tip = Px(left) + BarSize() / 2 + dx / 2;
  switch (BarStyle()) {
    case TBarStyle::bsPyramid: {
      const TPoint shape[] = {At(Px(left), Px(lower)), At(tip, Px(upper) - dy / 2), At(right, Px(lower))};
      return IsInsidePolygon({x, y}, shape);
    }
    case TBarStyle::bsInvPyramid: {
      const TPoint shape[] = {At(Px(left), Px(upper)), At(tip, Px(lower) - dy / 2), At(right, Px(upper))};
      return IsInsidePolygon({x, y}, shape);
    }
    case TBarStyle::bsEllipse:
      return IsInsideRect({x, y}, {left, upper, right, lower});
    default:
      return upper <= y && y <= lower;
  }
}

// --- marks ---

// Marks wider than their bars would run into their neighbours' when the bars
// end at about the same height: every other one sits closer to its bar.
int TBarSeries::MarkArrowLength(int index, int markWidth, int markHeight) const {
  const int length = Marks().ArrowLength();
  if (!AutoMarkPosition() || index <= 0 || markWidth <= BarSize() || index % 2 != 0) return length;
  if (Distance(PointScreenY(index - 1), PointScreenY(index)) >= markHeight) return length;
  return std::max<int>(0, Px(length) - markHeight - 4);
}

// Centred over the bar, above its value end, or below it for a bar hanging
// below its origin.
void TBarSeries::DrawMark(int index, const std::string& text, TRect rect, TPoint, TPoint) {
  const int w = rect.Width(), h = rect.Height();
  const int x = OnCanvas(Px(PointScreenX(index)) + BarSize() / 2);
  const int y = OnCanvas(PointScreenY(index));
  const int length = MarkArrowLength(index, w, h);
  TPoint from{x, y}, to{x, y};
  rect.Left = OnCanvas(Px(x) - w / 2);
  rect.Right = OnCanvas(Px(x) + w / 2);
  if (UseYOrigin() && BarOrigin(index) < y) {
    to.Y = OnCanvas(Px(y) + length);
    rect.Top = to.Y;
    rect.Bottom = OnCanvas(Px(to.Y) + h);
  } else {
    to.Y = OnCanvas(Px(y) - length);
    rect.Bottom = to.Y;
    rect.Top = OnCanvas(Px(to.Y) - h);
  }
  ShiftIntoDepth(rect, from, to, DepthX() / 2, DepthY() / 2);
  TChartSeries::DrawMark(index, text, rect, from, to);
}

}  // namespace tokiwa
