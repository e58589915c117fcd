// Lying bars: the upright ones turned a quarter turn, values running to the
// right. Their 3D faces are lit as the upright ones are: the faces looking up
// in the top colour, those looking sideways in the darker side colour.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "chart/axis_panel.h"
#include "chart/decorations.h"
#include "chart/engine_settings.h"
#include "runtime/messages.h"
#include "series/bar_series.h"

namespace tokiwa {

THorizBarSeries::THorizBarSeries(TComponent* owner) : TCustomBarSeries(owner) {
  XValues().SetName("Bar");
  // Bars stay in the order they were added.
  XValues().SetOrder(TChartListOrder::loNone);
}

// --- layout ---

int THorizBarSeries::PlotSpan() const { return ParentChart() ? ParentChart()->PlotHeight() : 0; }

// The width of the mark's box as DrawMarks makes it (its text and a "W"), so
// that the room kept beside the bars holds the whole box.
int THorizBarSeries::MarkExtent(int index) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return 0;
  if (index != -1) return chart->TextWidthOf(MarkText(index) + "W");
  int widest = 0;
  for (int i = 0; i < PointCount(); ++i) widest = std::max(widest, chart->TextWidthOf(MarkText(i) + "W"));
  return widest;
}

bool THorizBarSeries::DrawsForward() const { return !GetVertAxis() || !GetVertAxis()->Inverted(); }

int THorizBarSeries::PointScreenX(int index) const { return ValueEnd(index); }

// The first of a side-by-side group lies lowest.
int THorizBarSeries::PointScreenY(int index) const { return Px(ValuePositionY(PointY(index))) + AcrossShift(true); }

int THorizBarSeries::PlotBaseEdge() const {
  const TCustomAxisPanel& chart = *ParentChart();
  const bool shifted = chart.View3D() && chart.SeparateDepthSlots();
  return Px(chart.PlotRect().Left) + (shifted ? Px(static_cast<long long>(DepthSlot()) * chart.SlotDepthX()) : Px(0));
}

double THorizBarSeries::HighestX() const { return HighestAlong(TChartSeries::HighestX()); }
double THorizBarSeries::LowestX() const { return LowestAlong(TChartSeries::LowestX()); }

void THorizBarSeries::VertMargins(int& top, int& bottom) { top = bottom = GroupMargin(); }

void THorizBarSeries::HorizMargins(int& left, int& right) {
  left = right = 0;
  int room = MarkRoom();
  if (room > 0) room = Px(room) + 1;
  if (UseYOrigin() && TChartSeries::LowestX() < YOrigin()) left = room;
  if (UseYOrigin() && TChartSeries::HighestX() <= YOrigin()) return;
  if (GetHorizAxis() && GetHorizAxis()->Inverted())
    left = Px(left) + room;
  else
    right = Px(room) + DepthX() + DepthX() / 2;
}

// --- drawing ---

TRect THorizBarSeries::BarRect(int index) const {
  const int top = OnCanvas(PointScreenY(index));
  return {OnCanvas(BarOrigin(index)), top, OnCanvas(PointScreenX(index)), OnCanvas(Px(top) + BarSize())};
}

// The end face at the right and the long face on top.
void THorizBarSeries::DrawFaces(const TRect& rect, int low, int high) {
  const int dx = DepthX(), dy = DepthY();
  const Px top = rect.Top, bottom = rect.Bottom, left = low, right = high;
  const TPoint end[] = {At(right - 1, bottom - 1), At(right - 1, top), At(right + dx - 1, top - dy),
                        At(right + dx - 1, bottom - dy - 1)};
  FillShape(SideColor(), end);
  const TPoint upper[] = {At(right - 1, top), At(left, top), At(left + dx, top - dy), At(right + dx - 1, top - dy)};
  FillShape(TopColor(), upper);
}

// The tip points right, at the middle of the bar's depth.
void THorizBarSeries::DrawPyramid(const TRect& rect, int low, int high) {
  const Px top = rect.Top, bottom = rect.Bottom, left = low, right = high, my = Mid(rect.Top, rect.Bottom);
  if (!Is3D()) {
    const TPoint flat[] = {At(left, top), At(right, my), At(left, bottom)};
    FillShape(BarColor(), flat);
    return;
  }
  if (low == high) {
    DrawFaces(rect, low, high);
    return;
  }
  const int dx = DepthX(), dy = DepthY();
  const TPoint apex = At(right + dx / 2, my - dy / 2);
  const TPoint front[] = {At(left, top), apex, At(left, bottom)};
  FillShape(BarColor(), front);
  const TPoint upper[] = {At(left, top), At(left + dx, top - dy), apex};
  FillShape(TopColor(), upper);
}

// The tip points left; the base stands at the right end.
void THorizBarSeries::DrawInvPyramid(const TRect& rect, int low, int high) {
  const Px top = rect.Top, bottom = rect.Bottom, left = low, right = high, my = Mid(rect.Top, rect.Bottom);
  if (!Is3D()) {
    const TPoint flat[] = {At(right, top), At(left, my), At(right, bottom)};
    FillShape(BarColor(), flat);
    return;
  }
  const int dx = DepthX(), dy = DepthY();
  if (low != high) {
    const TPoint apex = At(left + dx / 2, my - dy / 2);
    const TPoint front[] = {At(right, top), apex, At(right, bottom)};
    FillShape(BarColor(), front);
    const TPoint upper[] = {At(right, top), At(right + dx, top - dy), apex};
    FillShape(TopColor(), upper);
  }
  const TPoint end[] = {At(right - 1, bottom - 1), At(right - 1, top), At(right + dx - 1, top - dy),
                        At(right + dx - 1, bottom - dy - 1)};
  FillShape(SideColor(), end);
}

// The tip at the value end, pointing away from the origin.
void THorizBarSeries::DrawArrow(const TRect& rect, int low, int high) {
  const int quarter = BarSize() / 4;
  const int head = rect.Right >= rect.Left ? -2 * quarter : 2 * quarter;
  const int sx = DepthX() / 2, sy = DepthY() / 2;
  const Px origin = Px(rect.Left) + sx, end = Px(rect.Right) + sx;
  const Px top = Px(rect.Top) - sy, bottom = Px(rect.Bottom) - sy, my = Px(Mid(rect.Top, rect.Bottom)) - sy;
  if (std::abs(head) >= Distance(low, high)) {
    DrawBarRectangle(BarColor(), OnCanvas(origin), OnCanvas(top), OnCanvas(end), OnCanvas(bottom));
    return;
  }
  const Px neck = end + head;
  const TPoint arrow[] = {At(origin, top + quarter), At(neck, top + quarter),    At(neck, top),   At(end, my),
                          At(neck, bottom),          At(neck, bottom - quarter), At(origin, bottom - quarter)};
  FillShape(BarColor(), arrow);
}

// From the bar's colour at its origin to white at its value end.
void THorizBarSeries::DrawGradient(const TRect& rect, int low, int high) {
  const TRect fill{low, rect.Top, high, rect.Bottom};
  // A horizontal gradient runs from its first colour at the right edge.
  if (rect.Right >= rect.Left)
    FillGradient(ChartCanvas(), fill, clWhite, BarColor(), true);
  else
    FillGradient(ChartCanvas(), fill, BarColor(), clWhite, true);
  if (Is3D()) DrawFaces(rect, low, high);
}

// --- clicks ---

bool THorizBarSeries::IsPointInBar(int index, int x, int y) {
  const int top = PointScreenY(index);
  const Px bottom = Px(top) + BarSize();
  if (y < top || y > bottom) return false;
  const int end = PointScreenX(index), origin = BarOrigin(index);
  const int left = std::min(end, origin), right = std::max(end, origin);
  const int dx = DepthX(), dy = DepthY();
  // The tips lie where they are drawn: in the middle of the bar's depth.
  const Px middle = Px(top) + BarSize() / 2 - dy / 2;
  switch (BarStyle()) {
    case TBarStyle::bsPyramid: {
      const TPoint shape[] = {At(Px(left), Px(top)), At(Px(right) + dx / 2, middle), At(Px(left), bottom)};
      return IsInsidePolygon({x, y}, shape);
    }
    case TBarStyle::bsInvPyramid: {
      const TPoint shape[] = {At(Px(right), Px(top)), At(Px(left) + dx / 2, middle), At(Px(right), bottom)};
      return IsInsidePolygon({x, y}, shape);
    }
    case TBarStyle::bsEllipse:
      return IsInsideRect({x, y}, {left, top, right, bottom});
    default:
      return left <= x && x <= right;
  }
}

// --- marks ---

// Beside the value end, centred on the bar: right of a bar growing rightward
// from its origin, left of one growing leftward.
void THorizBarSeries::DrawMark(int index, const std::string& text, TRect rect, TPoint, TPoint) {
  const int w = rect.Width(), h = rect.Height();
  const int x = OnCanvas(PointScreenX(index));
  const int y = OnCanvas(Px(PointScreenY(index)) + BarSize() / 2);
  // Neighbouring bars lie a row apart, so their marks need no staggering.
  const int length = Marks().ArrowLength();
  TPoint from{x, y}, to{x, y};
  rect.Top = OnCanvas(Px(y) - h / 2);
  rect.Bottom = OnCanvas(Px(rect.Top) + h);
  if (UseYOrigin() && BarOrigin(index) > x) {
    to.X = OnCanvas(Px(x) - length);
    rect.Right = to.X;
    rect.Left = OnCanvas(Px(to.X) - w);
  } else {
    to.X = OnCanvas(Px(x) + length);
    rect.Left = to.X;
    rect.Right = OnCanvas(Px(to.X) + w);
  }
  ShiftIntoDepth(rect, from, to, DepthX() / 2, DepthY() / 2);
  TChartSeries::DrawMark(index, text, rect, from, to);
}

// --- sample values ---

void THorizBarSeries::FillSampleValues(int count) {
  if (count < 1) throw BarException(std::string(msg::SampleCountTooSmall));
  RemoveAllPoints();
  double y = GetVertAxis() ? GetVertAxis()->Minimum() : 0;
  double v = 1000 + RandomInt(1000);
  for (int k = 0; k < count; ++k) {
    v += RandomInt(500) - 250;
    AppendPoint(v, y, std::string(), ColorDefault);
    y += 1;
  }
  NotifyDependents(TSourceChange::scReload, 0);
}

}  // namespace tokiwa
