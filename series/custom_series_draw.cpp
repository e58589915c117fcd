// Drawing of the point, line and area series: one call per shown point, each
// drawing the segment that arrives at the point and the marker of the point
// before it, so that every marker lies over the lines that touch it.
#include <algorithm>
#include <array>

#include "chart/axis.h"
#include "chart/axis_panel.h"
#include "runtime/geometry.h"
#include "series/custom_series.h"
#include "series/series_pens.h"

namespace tokiwa {

namespace {

// The window system's coordinate range; points beyond it are skipped.
constexpr int kScreenLimit = 32766;

bool OnScreen(int v) { return v >= -kScreenLimit && v <= kScreenLimit; }

}  // namespace

void TCustomSeries::DrawPoint(int index) {
  Canvas& canvas = ChartCanvas();
  const TColor c = PointColor(index);
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(c);
  const int x = PointScreenX(index);
  const int y = PointScreenY(index);
  const bool first = index == FirstShownIndex();
  // State left over from an earlier pass is no place to start a line from.
  if (first) PrevColor = ColorNone;
  if (PrevColor == ColorNone) {
    PrevX = x;
    PrevY = y;
  }
  if (!OnScreen(x) || !OnScreen(y)) return;
  BaseY = OnCanvas(AreaBaseY(index));

  if (first) {
    if (index > 0) {
      EnterFromLeftEdge(index);
      if (PointColor(index - 1) != ColorNone) DrawSegment(index, x, y, c, false);
    }
    if (index == LastShownIndex() && pointer_->Visible() && c != ColorNone) {
      pointer_->PreparePointerCanvas(c);
      DrawPointerAt(x, y, index, c);
    }
  } else {
    DrawSegment(index, x, y, c, true);
  }
  PrevX = x;
  PrevY = y;
  PrevBaseY = BaseY;
  PrevColor = c;
}

// The first shown point is not the series' first: the line comes in from the
// left edge of the axis range, on its way from the hidden point before.
void TCustomSeries::EnterFromLeftEdge(int index) {
  const int before = index - 1;
  if (drawArea_) {
    PrevX = PointScreenX(before);
    PrevY = PointScreenY(before);
  } else {
    // The current minimum, not Minimum: with series margins the latter lies
    // inside the plot, and the line must come in from the plot's edge.
    const double minimum = GetHorizAxis()->CurrentMinimum();
    const double x0 = PointX(before);
    const double x1 = PointX(index);
    PrevX = ValuePositionX(minimum);
    if (stairs_ || x1 == x0) {
      PrevY = PointScreenY(before);
    } else {
      const double y0 = PointY(before);
      PrevY = ValuePositionY(y0 + (minimum - x0) * (PointY(index) - y0) / (x1 - x0));
    }
  }
  PrevX = OnCanvas(PrevX);
  PrevY = OnCanvas(PrevY);
  PrevBaseY = OnCanvas(AreaBaseY(before));
}

void TCustomSeries::DrawSegment(int index, int x, int y, TColor c, bool withPointer) {
  if ((x != PrevX || y != PrevY) && c != ColorNone) {
    const bool is3D = Chart().View3D();
    if (is3D && (drawArea_ || (drawLines_ && lineBrush_ != TBrushStyle::bsClear))) DrawRibbon(x, y, c);
    if (drawArea_) {
      DrawAreaPart(index, x, y, c);
    } else if (!is3D && drawLines_) {
      DrawLinePart(x, y, c);
    }
  }
  if (!withPointer || !pointer_->Visible()) return;
  if (PrevColor != ColorNone) {
    pointer_->PreparePointerCanvas(PrevColor);
    DrawPointerAt(PrevX, PrevY, index - 1, PrevColor);
  }
  if (index == LastShownIndex() && c != ColorNone) {
    pointer_->PreparePointerCanvas(c);
    DrawPointerAt(x, y, index, c);
  }
}

void TCustomSeries::DrawRibbon(int x, int y, TColor c) {
  TCustomAxisPanel& chart = Chart();
  Canvas& canvas = chart.DrawCanvas();
  canvas.Brush().SetColor(AreaFillColor(c));
  UseChartPen(canvas, *linePen_);
  canvas.Brush().SetStyle(lineBrush_);
  const int dX = chart.SlotDepthX();
  const int dY = chart.SlotDepthY();
  if (!stairs_) {
    const std::array<TPoint, 4> q{{{x, y}, {PrevX, PrevY}, {PrevX + dX, PrevY - dY}, {x + dX, y - dY}}};
    chart.DrawPolygon(q);
  } else if (!invertedStairs_) {
    const std::array<TPoint, 4> flat{
        {{x, PrevY}, {PrevX, PrevY}, {PrevX + dX, PrevY - dY}, {x + dX, PrevY - dY}}};
    chart.DrawPolygon(flat);
    const std::array<TPoint, 4> rise{{{x, y}, {x, PrevY}, {x + dX, PrevY - dY}, {x + dX, y - dY}}};
    chart.DrawPolygon(rise);
  } else {
    const std::array<TPoint, 4> rise{
        {{PrevX, PrevY}, {PrevX, y}, {PrevX + dX, y - dY}, {PrevX + dX, PrevY - dY}}};
    chart.DrawPolygon(rise);
    const std::array<TPoint, 4> flat{{{x, y}, {PrevX, y}, {PrevX + dX, y - dY}, {x + dX, y - dY}}};
    chart.DrawPolygon(flat);
  }
}

void TCustomSeries::DrawAreaPart(int index, int x, int y, TColor c) {
  TCustomAxisPanel& chart = Chart();
  Canvas& canvas = chart.DrawCanvas();
  UseChartPen(canvas, *areaLinesPen_);
  if (areaLinesPen_->Color() == ColorDefault || !areaLinesPen_->Visible()) canvas.Pen().SetColor(c);
  TCustomChartPanel::SetFillBrush(canvas, AreaFillColor(c), areaBrush_, chart.PlotBackground());
  if (!stairs_) {
    const std::array<TPoint, 4> area{{{PrevX, PrevBaseY}, {PrevX, PrevY}, {x, y}, {x, BaseY}}};
    chart.DrawPolygon(area);
  } else {
    chart.DrawRectangle({PrevX, BaseY, x + 1, invertedStairs_ ? y : PrevY});
  }
  if (chart.View3D() && index == LastShownIndex()) {
    const int dX = chart.SlotDepthX();
    const int dY = chart.SlotDepthY();
    const std::array<TPoint, 4> side{
        {{x, BaseY}, {x, y}, {x + dX - 1, y - dY}, {x + dX - 1, BaseY - dY}}};
    chart.DrawPolygon(side);
  }
  if (!areaLinesPen_->Visible()) DrawLinePart(x, y, c);
}

void TCustomSeries::UseLinePen(TColor colour) {
  Canvas& canvas = ChartCanvas();
  UseChartPen(canvas, *linePen_);
  canvas.Pen().SetColor(colour);
}

void TCustomSeries::DrawLinePart(int x, int y, TColor c) {
  Canvas& canvas = ChartCanvas();
  UseLinePen(c);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.MoveTo(PrevX, PrevY);
  if (stairs_) {
    if (invertedStairs_) {
      canvas.LineTo(PrevX, y);
    } else {
      canvas.LineTo(x, PrevY);
    }
  }
  canvas.LineTo(x, y);
}

void TCustomSeries::DrawPointerAt(int x, int y, int index, TColor colour) {
  const TSeriesPointerStyle style = OnGetPointerStyle ? OnGetPointerStyle(this, index) : pointer_->Style();
  pointer_->DrawPointer(x, y, style, colour, pointer_->HorizSize(), pointer_->VertSize());
}

int TCustomSeries::AreaBaseY(int) const {
  const TCustomAxisPanel& chart = Chart();
  const long long slotShift = static_cast<long long>(DepthSlot()) * chart.SlotDepthY();
  return OnCanvas(chart.PlotRect().Bottom - slotShift);
}

void TCustomSeries::DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo) {
  const int length = Marks().ArrowLength();
  rect.Offset(0, -length);
  arrowFrom.Y = OnCanvas(Px(arrowFrom.Y) - length);
  TChartSeries::DrawMark(index, text, rect, arrowFrom, arrowTo);
}

void TCustomSeries::DrawSymbolShape(int index, const TRect& rect) {
  TCustomAxisPanel& chart = Chart();
  const TColor colour = index == -1 ? SeriesColor() : PointColor(index);
  const int midY = Mid(rect.Top, rect.Bottom);
  const bool is3D = chart.View3D();
  auto lineAcross = [&] {
    UseChartPen(chart.DrawCanvas(), *linePen_);
    if (!is3D) chart.DrawCanvas().Pen().SetColor(colour);
  };

  if (pointer_->Visible()) {
    if (drawLines_) {
      lineAcross();
      chart.DrawHorizLine(rect.Left, rect.Right, midY);
    }
    const long long w = static_cast<long long>(rect.Right) - rect.Left;
    const long long h = static_cast<long long>(rect.Bottom) - rect.Top;
    const long long limitX = linePen_->Visible() ? w / 3 : w / 2 + 1;
    const long long limitY = linePen_->Visible() ? h / 3 : h / 2 + 1;
    pointer_->PreparePointerCanvas(colour);
    // The legend shows the series' own style, not OnGetPointerStyle's.
    pointer_->DrawFlatPointer(Mid(rect.Left, rect.Right), midY, pointer_->Style(), colour,
                              static_cast<int>(std::min<long long>(pointer_->HorizSize(), limitX)),
                              static_cast<int>(std::min<long long>(pointer_->VertSize(), limitY)));
    return;
  }
  if (!drawLines_ || drawArea_) {
    TChartSeries::DrawSymbolShape(index, rect);
    return;
  }
  lineAcross();
  if (is3D) {
    chart.DrawRectangle(rect);
  } else {
    chart.DrawHorizLine(rect.Left, rect.Right, midY);
  }
}

void TLineSeries::LegendSymbolStyle(int, TColor&, TBrushStyle& brushStyle) {
  UseChartPen(ChartCanvas(), LinePen());
  brushStyle = LineBrush();
}

}  // namespace tokiwa
