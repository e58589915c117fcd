// Legend layout and drawing: the box beside or above the plot, its shadow, the
// items with their symbols, and the room the legend takes from the plot.
#include <algorithm>
#include <climits>

#include "chart/chart.h"
#include "chart/legend.h"
#include "chart/series.h"
#include "runtime/geometry.h"
#include "runtime/safe_math.h"

namespace tokiwa {

namespace {

bool IsVertical(TLegendAlignment a) { return a == TLegendAlignment::laLeft || a == TLegendAlignment::laRight; }

// Round(percent × size / 100), the legend's percentage rule.
int PercentOf(int percent, long long size) { return RoundHalfEven(static_cast<double>(percent) * size / 100.0); }

}  // namespace

int TChartLegend::ItemsThatFit(int start, int size) {
  const TCustomAxisPanel* chart = ParentChart();
  if (!chart) return 0;
  const TRect& plot = chart->PlotRect();
  const bool vertical = IsVertical(Alignment());
  const int end = vertical ? plot.Bottom : plot.Right;
  const long long span = vertical ? chart->PlotHeight() : chart->PlotWidth();
  const long long origin = vertical ? plot.Top : plot.Left;
  if (end <= start || size <= 0) return 0;
  const long long n = (span + origin - start - 2LL * Frame().Width()) / size;
  return static_cast<int>(std::clamp<long long>(n, INT_MIN, LegendItemCount()));
}

TChartLegend::Layout TChartLegend::ComputeLayout() {
  TCustomAxisPanel& chart = *ParentChart();
  Layout l;
  l.vertical = IsVertical(Alignment());
  l.lineHeight = chart.CharHeight();
  const int h = l.lineHeight;
  l.itemWidth = Px(WidestItemWidth(-1)) + 4;
  symbolWidth_ = PercentOf(ColorWidth(), l.itemWidth);
  const int frame = Frame().Visible() ? Px(Frame().Width()) + 1 : Px(0);
  const TRect& plot = chart.PlotRect();
  int columns = 1, rows = 1;
  switch (Alignment()) {
    case TLegendAlignment::laTop:
      l.top = Px(plot.Top) + frame;
      l.bottom = Px(l.top) + h + 2;
      columns = ItemsThatFit(8, Px(l.itemWidth) + symbolWidth_ + 4);
      break;
    case TLegendAlignment::laBottom:
      l.bottom = Px(plot.Bottom) - ShadowSize() - frame;
      l.top = Px(l.bottom) - h - 2;
      columns = ItemsThatFit(8, Px(l.itemWidth) + symbolWidth_ + 4);
      break;
    case TLegendAlignment::laLeft:
    case TLegendAlignment::laRight: {
      const TRect& panel = chart.PanelBounds();
      l.top = Px(panel.Top) + PercentOf(TopPos(), static_cast<long long>(panel.Bottom) - panel.Top);
      rows = ItemsThatFit(l.top, h);
      l.bottom = ClampToInt(static_cast<double>(l.top) + static_cast<double>(h) * rows + 2);
      break;
    }
  }
  switch (Alignment()) {
    case TLegendAlignment::laLeft:
      l.itemWidth = WidestItemWidth(rows);
      l.left = Px(plot.Left) + frame;
      l.symbolX = Px(l.left) + 4;
      symbolWidth_ = PercentOf(ColorWidth(), Px(l.itemWidth) + 10);
      l.textX = Px(l.symbolX) + symbolWidth_ + 4;
      l.right = Px(l.textX) + l.itemWidth + 2;
      l.shown = rows;
      break;
    case TLegendAlignment::laRight:
      l.itemWidth = WidestItemWidth(rows);
      l.right = Px(plot.Right) - frame - ShadowSize();
      l.textX = Px(l.right) - l.itemWidth - 2;
      symbolWidth_ = PercentOf(ColorWidth(), Px(l.itemWidth) + 10);
      l.symbolX = Px(l.textX) - symbolWidth_ - 4;
      l.left = Px(l.symbolX) - 4;
      l.shown = rows;
      break;
    case TLegendAlignment::laTop:
    case TLegendAlignment::laBottom: {
      const double wanted = (static_cast<double>(symbolWidth_) + l.itemWidth + 4) * columns + 8 + 2.0 * ShadowSize();
      const int total = std::min(chart.PlotWidth(), ClampToInt(wanted));
      const int half = total / 2;
      l.left = Px(chart.PlotCenterX()) - half;
      l.right = Px(chart.PlotCenterX()) + half;
      l.symbolX = Px(l.left) + 4;
      l.textX = Px(l.symbolX) + symbolWidth_ + 4;
      l.shown = columns;
      break;
    }
  }
  return l;
}

void TChartLegend::DrawLegend() {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  ResolveLegendStyle();
  chart->ApplyFont(Font());
  Layout l = ComputeLayout();
  legendBounds_ = {l.left, l.top, l.right, l.bottom};
  auto* owner = dynamic_cast<TCustomChart*>(chart);
  if (owner && owner->OnGetLegendRect) {
    owner->OnGetLegendRect(owner, legendBounds_);
    l.left = legendBounds_.Left;
    l.top = legendBounds_.Top;
    l.right = legendBounds_.Right;
    l.bottom = legendBounds_.Bottom;
  }
  if (l.shown < 1) {
    // Nothing is drawn, so no box may take presses from what lies under it.
    legendBounds_ = {};
    return;
  }
  DrawBox(l);
  Canvas& canvas = chart->DrawCanvas();
  canvas.Pen().SetColor(Color() == clBlack ? clWhite : clBlack);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetMode(TPenMode::pmCopy);
  const int first = FirstValue();
  const int last = Px(first) + (l.shown - 1);
  if (Inverted()) {
    for (int i = last; i >= first; --i) DrawItem(l, i, last - i);
  } else {
    for (int i = first; i <= last; ++i) DrawItem(l, i, i - first);
  }
  TakePlotRoom(l);
}

void TChartLegend::DrawBox(const Layout& l) {
  TCustomAxisPanel& chart = *ParentChart();
  Canvas& canvas = chart.DrawCanvas();
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  int e = 0;
  if (Frame().Visible()) {
    canvas.Pen().Assign(Frame());
    if (Frame().Color() == ColorDefault) canvas.Pen().SetColor(clBlack);
    e = Frame().Width();
  } else {
    canvas.Pen().SetStyle(TPenStyle::psClear);
  }
  chart.DrawRectangle({Px(l.left) - e, Px(l.top) - e, Px(l.right) + e, Px(l.bottom) + e});
  const int s = ShadowSize();
  if (s <= 0) return;
  // The shadow hugs the frame's outer edge, which grows by half the pen width.
  const int d = e == 0 ? -1 : (e % 2 == 1 ? e + e / 2 : e + e / 2 - 1);
  canvas.Brush().SetColor(ShadowColor());
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  const int outerRight = Px(l.right) + d + s;
  const int outerBottom = Px(l.bottom) + d + s;
  canvas.FillRect({Px(l.left) + s, Px(l.bottom) + d, outerRight, outerBottom});
  canvas.FillRect({Px(l.right) + d, Px(l.top) + s, outerRight, outerBottom});
}

void TChartLegend::DrawItem(const Layout& l, int index, int slot) {
  if (slot >= LegendItemCount()) return;
  TCustomAxisPanel& chart = *ParentChart();
  Canvas& canvas = chart.DrawCanvas();
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  int x = l.textX;
  int y = Px(l.top) + 1;
  if (l.vertical) {
    y = ClampToInt(static_cast<double>(l.top) + 1 + static_cast<double>(l.lineHeight) * slot);
  } else {
    const double step = static_cast<double>(l.itemWidth) + symbolWidth_ + 4;
    x = ClampToInt(l.textX + step * slot);
  }
  auto* owner = dynamic_cast<TCustomChart*>(&chart);
  if (owner && owner->OnGetLegendPos) {
    int xColor = l.symbolX;  // a handler's change has no effect: the symbol follows x
    owner->OnGetLegendPos(owner, index, x, y, xColor);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  chart.DrawTextAt(x, y, LegendItemText(index));
  const TRect symbol{Px(x) - 4 - symbolWidth_, Px(y) + 2, Px(x) - 4, Px(y) + l.lineHeight - 2};
  DrawItemSymbol(index, symbol);
  if (slot > 0 && dividingLines_.Visible()) {
    canvas.Pen().Assign(dividingLines_);
    canvas.SetBkMode(BkMode::Transparent);
    if (l.vertical)
      chart.DrawHorizLine(l.left, l.right, y);
    else
      chart.DrawVertLine(Px(symbol.Left) - 4, l.top, l.bottom);
  }
}

void TChartLegend::DrawItemSymbol(int index, const TRect& rect) {
  TCustomAxisPanel& chart = *ParentChart();
  TChartSeries* series = nullptr;
  int point = -1;
  if (ResolvedLegendStyle() == TLegendStyle::lsValues) {
    series = chart.FirstActiveSeries();
    point = index;
  } else {
    series = chart.LegendSeriesAt(index);
  }
  if (series) {
    series->DrawLegendSymbol(point, rect);
    return;
  }
  Canvas& canvas = chart.DrawCanvas();
  canvas.Brush().SetColor(clWhite);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  chart.DrawRectangle(rect);
}

void TChartLegend::TakePlotRoom(const Layout& l) {
  TCustomAxisPanel& chart = *ParentChart();
  TRect& plot = chart.PlotRect();
  // The gap is measured on the plot as it was before the legend took its room.
  const int horizGap = HorizMargin() != 0 ? HorizMargin() : PercentOf(3, chart.PlotWidth());
  const int vertGap = VertMargin() != 0 ? VertMargin() : PercentOf(3, chart.PlotHeight());
  const bool resize = ResizeChart();
  switch (Alignment()) {
    case TLegendAlignment::laLeft:
      if (resize) plot.Left = l.right;
      plot.Left = Px(plot.Left) + horizGap;
      break;
    case TLegendAlignment::laRight:
      if (resize) plot.Right = l.left;
      plot.Right = Px(plot.Right) - horizGap;
      break;
    case TLegendAlignment::laTop:
      if (resize) plot.Top = Px(l.bottom) + ShadowSize();
      plot.Top = Px(plot.Top) + vertGap;
      break;
    case TLegendAlignment::laBottom:
      if (resize) plot.Bottom = l.top;
      plot.Bottom = Px(plot.Bottom) - vertGap;
      break;
  }
  chart.RecalcPlotSize();
}

}  // namespace tokiwa
