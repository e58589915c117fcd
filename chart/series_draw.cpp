// The series on screen: axis mapping, the shown range, marks, legend symbols
// and click events.
#include <cmath>
#include <cstdlib>

#include "chart/axis_panel.h"
#include "chart/series.h"
#include "runtime/format.h"
#include "runtime/locale.h"
#include "runtime/messages.h"
#include "runtime/safe_math.h"

namespace tokiwa {

// --- screen mapping ---

TChartAxis* TChartSeries::GetHorizAxis() const {
  if (!parentChart_) return nullptr;
  return horizAxis_ == THorizAxis::aTopAxis ? &parentChart_->TopAxis() : &parentChart_->BottomAxis();
}

TChartAxis* TChartSeries::GetVertAxis() const {
  if (!parentChart_) return nullptr;
  return vertAxis_ == TVertAxis::aLeftAxis ? &parentChart_->LeftAxis() : &parentChart_->RightAxis();
}

bool TChartSeries::UsesAxis(const TChartAxis* axis) const {
  if (!axis || !parentChart_) return false;
  return (axis->IsHorizontal() && axis == GetHorizAxis()) || axis == GetVertAxis();
}

namespace {

// The depth-slot shift of a series, in pixels, when slots are separate in 3D.
int SlotShift(const TCustomAxisPanel& chart, int slot, int slotDepth) {
  if (!chart.View3D() || !chart.SeparateDepthSlots()) return 0;
  return ClampToInt(static_cast<double>(slot) * slotDepth);
}

}  // namespace

int TChartSeries::ValuePositionX(double value) const {
  TChartAxis* axis = GetHorizAxis();
  if (!axis) return 0;
  return Px(axis->HorizontalPosition(value)) + SlotShift(*parentChart_, depthSlot_, parentChart_->SlotDepthX());
}

AxisMapping TChartSeries::ColumnMapping() const {
  TChartAxis* axis = GetHorizAxis();
  return {axis, true, axis ? SlotShift(*parentChart_, depthSlot_, parentChart_->SlotDepthX()) : 0};
}

int TChartSeries::ValuePositionY(double value) const {
  TChartAxis* axis = GetVertAxis();
  if (!axis) return 0;
  return Px(axis->VerticalPosition(value)) - SlotShift(*parentChart_, depthSlot_, parentChart_->SlotDepthY());
}

int TChartSeries::PointScreenX(int index) const { return ValuePositionX(PointX(index)); }
int TChartSeries::PointScreenY(int index) const { return ValuePositionY(PointY(index)); }

int TChartSeries::PointUnderCursor() {
  if (!parentChart_) return -1;
  TPoint p = parentChart_->CursorClientPos();
  return PointAtPixel(p.X, p.Y);
}

void TChartSeries::AssignDepthSlot() {
  if (parentChart_ && parentChart_->View3D()) {
    parentChart_->SetTopDepthSlot(parentChart_->TopDepthSlot() + 1);
    depthSlot_ = parentChart_->TopDepthSlot();
  } else {
    depthSlot_ = 0;
  }
}

// --- the shown range ---

void TChartSeries::ComputeShownRange() {
  firstShown_ = lastShown_ = -1;
  const int count = PointCount();
  if (count == 0) return;
  if (!limitToVisibleRange_) {
    firstShown_ = 0;
    lastShown_ = count - 1;
    return;
  }
  const bool alongX = MainListIsY();
  const TChartValueList& list = alongX ? *xValues_ : *yValues_;
  const TChartAxis* axis = alongX ? GetHorizAxis() : GetVertAxis();
  if (!axis) return;
  const TRect& plot = parentChart_->PlotRect();
  int startEdge = alongX ? plot.Left : plot.Bottom;
  int endEdge = alongX ? plot.Right : plot.Top;
  if (axis->Inverted()) std::swap(startEdge, endEdge);
  const double low = axis->PositionToValue(startEdge);
  const double high = axis->PositionToValue(endEdge);

  int first = 0;
  while (first < count && list.ValueAt(first) < low) ++first;
  if (first == count) return;
  firstShown_ = first;
  if (!(list.LastValue() > high)) {
    lastShown_ = count - 1;
    return;
  }
  int last = first;
  while (last < count && list.ValueAt(last) < high) ++last;
  if (last == count) last = count - 1;
  if (!keepPointPastRange_ && list.ValueAt(last) > high) --last;
  lastShown_ = last;
}

// --- drawing ---

void TChartSeries::DrawPoint(int) {}

void TChartSeries::BeginDrawing() {
  if (BeforeDrawValues) BeforeDrawValues(this);
}

void TChartSeries::EndDrawing() {
  if (AfterDrawValues) AfterDrawValues(this);
}

void TChartSeries::DrawPoints() {
  if (firstShown_ < 0) return;
  if (DrawsForward()) {
    for (int i = firstShown_; i <= lastShown_; ++i) DrawPoint(i);
  } else {
    for (int i = lastShown_; i >= firstShown_; --i) DrawPoint(i);
  }
}

// --- marks ---

std::string TChartSeries::MarkText(int index) {
  const FormatSettings settings = JapaneseFormatSettings();
  auto valueText = [&] { return FormatFloat(valueFormat_, MarkValue(index), settings); };
  auto labelText = [&] {
    std::string label = PointLabel(index);
    return label.empty() ? valueText() : label;
  };
  std::string text;
  switch (marks_->Style()) {
    case TSeriesMarksStyle::smsValue: text = valueText(); break;
    case TSeriesMarksStyle::smsPercent: text = PercentText(index, false); break;
    case TSeriesMarksStyle::smsLabel: text = labelText(); break;
    case TSeriesMarksStyle::smsLabelPercent: text = labelText() + " " + PercentText(index, false); break;
    case TSeriesMarksStyle::smsLabelValue: text = labelText() + " " + valueText(); break;
    case TSeriesMarksStyle::smsLegend:
      if (parentChart_) text = parentChart_->LegendValueText(this, index);
      break;
    case TSeriesMarksStyle::smsPercentTotal: text = PercentText(index, true); break;
    case TSeriesMarksStyle::smsLabelPercentTotal: text = labelText() + " " + PercentText(index, true); break;
    case TSeriesMarksStyle::smsXValue:
      if (TChartAxis* axis = GetHorizAxis())
        text = axis->FormatAxisLabel(PointX(index));
      else
        text = FormatFloat(valueFormat_, PointX(index), settings);
      break;
  }
  if (OnGetMarkText) OnGetMarkText(this, index, text);
  return text;
}

std::string TChartSeries::PercentText(int index, bool withTotal) {
  const FormatSettings settings = JapaneseFormatSettings();
  const double total = MainValueList().SumOfMagnitudes();
  const double percent = total != 0 ? std::fabs(MarkValue(index)) * 100 / total : 100;
  std::string text = FormatFloat(percentFormat_, percent, settings);
  if (!withTotal) return text;
  return FormatText(msg::PercentOfTotal, {Arg(text), Arg(FormatFloat(valueFormat_, total, settings))});
}

int TChartSeries::MarkTextWidth() {
  if (!parentChart_) return 0;
  int widest = 0;
  for (int i = 0; i < PointCount(); ++i) widest = std::max(widest, parentChart_->TextWidthOf(MarkText(i)));
  return widest;
}

void TChartSeries::DrawMarks() {
  if (!parentChart_ || firstShown_ < 0) return;
  TCustomAxisPanel& chart = *parentChart_;
  Canvas& canvas = chart.DrawCanvas();
  for (int i = firstShown_; i <= lastShown_ && i < PointCount(); ++i) {
    if (PointColor(i) == ColorNone) continue;
    std::string text = MarkText(i);
    if (text.empty()) continue;
    chart.ApplyFont(marks_->Font());
    int h = chart.CharHeight();
    int w = chart.TextWidthOf(text + "W");
    if (marks_->Frame().Visible()) {
      canvas.Pen().Assign(marks_->Frame());
      const int frame = marks_->Frame().Width();
      w = Px(w) + frame + frame;
      h = Px(h) + frame + frame;
    } else {
      canvas.Pen().SetStyle(TPenStyle::psClear);
    }
    const int x = PointScreenX(i);
    const int y = PointScreenY(i);
    TRect r;
    r.Left = Px(x) - w / 2;
    r.Right = Px(r.Left) + w;
    r.Top = Px(y) - h / 2;
    r.Bottom = Px(r.Top) + h;
    DrawMark(i, text, r, {x, y}, {x, y});
  }
}

void TChartSeries::DrawMark(int index, const std::string& text, TRect rect, TPoint arrowFrom, TPoint arrowTo) {
  if (!parentChart_) return;
  TCustomAxisPanel& chart = *parentChart_;
  Canvas& canvas = chart.DrawCanvas();
  const TChartArrowPen& arrow = marks_->Arrow();
  if (arrow.Visible()) {
    canvas.Pen().Assign(arrow);
    // An arrow in the point's or the background's colour would vanish.
    if (arrow.Color() == PointColor(index) || arrow.Color() == chart.Color())
      canvas.Pen().SetColor(chart.Color() == clBlack ? clWhite : clBlack);
    chart.DrawLine(arrowFrom.X, arrowFrom.Y, arrowTo.X, arrowTo.Y);
  }
  const TChartPen& frame = marks_->Frame();
  if (frame.Visible()) {
    canvas.Brush().SetColor(marks_->BackColor());
    canvas.Brush().SetStyle(marks_->Transparent() ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
    canvas.Pen().Assign(frame);
    chart.DrawRectangle(rect);
    rect.Top = Px(rect.Top) + frame.Width();
  } else if (!marks_->Transparent()) {
    canvas.Brush().SetColor(marks_->BackColor());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Pen().SetStyle(TPenStyle::psClear);
    chart.DrawRectangle(rect);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.SetTextAlign(TextHAlign::Center, TextVAlign::Top);
  const int centre = static_cast<int>((static_cast<long long>(rect.Left) + rect.Right) / 2);
  chart.DrawTextAt(centre, rect.Top, text);
  canvas.SetTextAlign(TextHAlign::Left, TextVAlign::Top);
}

// --- legend symbol ---

void TChartSeries::LegendSymbolStyle(int, TColor&, TBrushStyle&) {}

void TChartSeries::DrawLegendSymbol(int index, const TRect& rect) {
  if (!parentChart_) return;
  if (index == -1 && colorEachPoint_) return;
  const TColor colour = index == -1 ? seriesColor_ : PointColor(index);
  if (colour == ColorNone) return;
  const TColor legendColour = parentChart_->Legend().Color();
  TColor background = legendColour;
  TBrushStyle style = TBrushStyle::bsSolid;
  LegendSymbolStyle(index, background, style);
  if (background == ColorDefault) background = legendColour == ColorDefault ? parentChart_->Color() : legendColour;
  TCustomChartPanel::SetFillBrush(ChartCanvas(), colour, style, background);
  DrawSymbolShape(index, rect);
}

void TChartSeries::DrawSymbolShape(int index, const TRect& rect) {
  if (!parentChart_) return;
  TCustomAxisPanel& chart = *parentChart_;
  chart.DrawRectangle(rect);
  const TColor colour = index == -1 ? seriesColor_ : PointColor(index);
  if (colour != chart.Legend().Color()) return;
  // A symbol in the legend's own colour gets an outline so that it stays visible.
  Canvas& canvas = chart.DrawCanvas();
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetColor(colour == clBlack ? clWhite : clBlack);
  chart.DrawRectangle(rect);
  canvas.Pen().SetColor(clBlack);
}

// --- clicks ---

int TChartSeries::PointAtPixel(int, int) { return -1; }

bool TChartSeries::RaiseClick(TChartSeries* sender, int index, TMouseButton button, TShiftState shift, int x,
                              int y) {
  bool detached = false;
  bool& consumed = parentChart_ ? parentChart_->ClickConsumed : detached;
  consumed = false;
  if ((shift & ssDouble) && OnDblClick) {
    consumed = true;
    OnDblClick(sender, index, button, shift, x, y);
  } else if (OnClick) {
    consumed = true;
    OnClick(sender, index, button, shift, x, y);
  }
  return consumed;
}

}  // namespace tokiwa
