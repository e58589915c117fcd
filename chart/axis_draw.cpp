// The room an axis takes outside the plot rectangle, its drawing (title, ticks,
// grid lines, axis line; the labels are in axis_labels.cpp) and the click test.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/axis.h"
#include "chart/axis_panel.h"
#include "chart/engine_settings.h"
#include "runtime/geometry.h"
#include "runtime/safe_math.h"

namespace tokiwa {

namespace {

// Above this many minor ticks between two ticks, one per pixel in between
// looks the same and keeps the loop bounded.
constexpr long long kMostExactMinorTicks = 1000;

struct TextPlacement {
  TextHAlign h = TextHAlign::Left;
  TextVAlign v = TextVAlign::Top;
};

}  // namespace

// --- layout ---

void TChartAxis::ShrinkSide(TRect& rect, int amount) const {
  switch (AxisSide()) {
    case Side::Bottom: rect.Bottom = Px(rect.Bottom) - amount; break;
    case Side::Top: rect.Top = Px(rect.Top) + amount; break;
    case Side::Left: rect.Left = Px(rect.Left) + amount; break;
    case Side::Right: rect.Right = Px(rect.Right) - amount; break;
  }
}

int TChartAxis::Reserve(TRect& rect, const TFont& font, int angle, const std::string* titleText, int fixedSize) {
  TCustomAxisPanel* chart = ParentChart();
  int h = fixedSize;
  if (h == 0) {
    chart->ApplyFont(font);
    bool flat = angle == 0 || angle == 180;
    // Flat text on a horizontal axis and upright text on a vertical one take a
    // line height; otherwise the text's length.
    bool lineHeight = isHorizontal_ == flat;
    if (lineHeight) h = chart->CharHeight();
    else h = titleText ? chart->TextWidthOf(*titleText) : WidestLabelWidth();
  }
  ShrinkSide(rect, h);
  switch (AxisSide()) {
    case Side::Bottom: return rect.Bottom;
    case Side::Top: return rect.Top;
    case Side::Left: return rect.Left;
    case Side::Right: return rect.Right;
  }
  return 0;
}

void TChartAxis::ComputeReservedSize(TRect& rect) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  cachedUsesDateTime_ = UsesDateTime();
  if (!title_.Caption().empty())
    titlePosition_ = Reserve(rect, title_.Font(), title_.Angle(), &title_.Caption(), titleSize_);
  if (labels_) labelsPosition_ = Reserve(rect, LabelsFont(), labelsAngle_, nullptr, labelsSize_);
  long long t = axisPen_.Visible() ? axisPen_.Width() : 0;
  if (ticks_.Visible()) t += tickLength_;
  if (minorTicks_.Visible()) t = std::max<long long>(t, minorTickLength_);
  t += chart->WallSize(this);
  if (t > 0) ShrinkSide(rect, Px(t));
}

// --- drawing ---

void TChartAxis::DrawAxis(bool recomputeLine) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  cachedUsesDateTime_ = UsesDateTime();
  const int wall = chart->WallSize(this);
  chart->ApplyFont(LabelsFont());
  const double step = ComputeLabelStep();
  if (recomputeLine) {
    const TRect& plot = chart->PlotRect();
    switch (AxisSide()) {
      case Side::Bottom: linePosition_ = depthLinePosition_ = plot.Bottom; break;
      case Side::Top:
        linePosition_ = plot.Top;
        depthLinePosition_ = Px(plot.Top) - chart->DepthY();
        break;
      case Side::Left: linePosition_ = depthLinePosition_ = plot.Left; break;
      case Side::Right:
        linePosition_ = plot.Right;
        depthLinePosition_ = Px(plot.Right) + chart->DepthX();
        break;
    }
  }
  if (!title_.Caption().empty()) {
    DrawTitle();
    // Label extents are measured before each label is drawn: measure them in
    // the labels' font, not the title's.
    chart->ApplyFont(LabelsFont());
  }
  const int k = StepIndex(step);
  const bool calendarStep = k >= 18 && k <= 24;
  if ((step > 0 || calendarStep) && currentMaximum_ >= currentMinimum_) {
    Placement memory;
    switch (ResolvedLabelStyle()) {
      case TAxisLabelStyle::talValue:
        if (chart->OnGetNextAxisLabel) DrawCustomLabels(step, k, memory);
        else DrawValueLabels(step, k, memory);
        break;
      case TAxisLabelStyle::talMark:
        DrawPointLabels(chart->FirstSeriesOnAxis(this), true, memory);
        break;
      case TAxisLabelStyle::talText:
        DrawPointLabels(chart->FirstFilledSeriesOnAxis(this), false, memory);
        break;
      default:
        break;
    }
  }
  if (axisPen_.Visible()) DrawAxisLine(wall);
}

void TChartAxis::DrawTitle() {
  TCustomAxisPanel* chart = ParentChart();
  chart->ApplyFont(title_.Font());
  Canvas& canvas = chart->DrawCanvas();
  canvas.Brush().SetColor(chart->Color());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  Px x = isHorizontal_ ? chart->PlotCenterX() : titlePosition_;
  Px y = isHorizontal_ ? titlePosition_ : chart->PlotCenterY();
  if (isFarSide_) {
    x += chart->DepthX();
    y -= chart->DepthY();
  }
  DrawPlacedText(x, y, title_.Caption(), title_.Angle());
}

void TChartAxis::DrawPlacedText(int x, int y, const std::string& text, int angle) {
  TCustomAxisPanel* chart = ParentChart();
  using H = TextHAlign;
  using V = TextVAlign;
  const int side = static_cast<int>(AxisSide());  // bottom, top, left, right
  TextPlacement place;
  int dx = 0, dy = 0;
  switch (angle) {
    case 0: {
      static constexpr TextPlacement table[4] = {{H::Center, V::Top}, {H::Center, V::Bottom},
                                                 {H::Right, V::Top}, {H::Left, V::Top}};
      place = table[side];
      if (!isHorizontal_) dy = -(chart->CharHeight() / 2);
      break;
    }
    case 90: {
      static constexpr TextPlacement table[4] = {{H::Right, V::Top}, {H::Left, V::Top},
                                                 {H::Center, V::Bottom}, {H::Center, V::Top}};
      place = table[side];
      if (isHorizontal_) dx = -(chart->TextHeightOf(text) / 2);
      break;
    }
    case 180: {
      static constexpr TextPlacement table[4] = {{H::Center, V::Bottom}, {H::Center, V::Top},
                                                 {H::Left, V::Top}, {H::Right, V::Top}};
      place = table[side];
      if (!isHorizontal_) dy = chart->CharHeight() / 2;
      break;
    }
    case 270: {
      static constexpr TextPlacement table[4] = {{H::Left, V::Top}, {H::Right, V::Top},
                                                 {H::Center, V::Top}, {H::Center, V::Bottom}};
      place = table[side];
      if (isHorizontal_) dx = chart->TextHeightOf(text) / 2;
      break;
    }
    default:
      break;
  }
  Canvas& canvas = chart->DrawCanvas();
  canvas.SetTextAlign(place.h, place.v);
  if (angle == 0) chart->DrawTextAt(Px(x) + dx, Px(y) + dy, text);
  else chart->DrawAngledText(Px(x) + dx, Px(y) + dy, text, angle);
  canvas.SetTextAlign(TextHAlign::Left, TextVAlign::Top);
}

void TChartAxis::TicksAndGrid(int p, double value, Placement& m) {
  Canvas& canvas = ParentChart()->DrawCanvas();
  if (ticks_.Visible()) {
    canvas.Pen().Assign(ticks_);
    DrawTick(p, 1, tickLength_);
  }
  if (grid_.Visible() && value != currentMaximum_ && value != currentMinimum_) DrawGridLine(p);
  if (ticksInner_.Visible()) {
    canvas.Pen().Assign(ticksInner_);
    DrawTick(p, -1, -Px(tickInnerLength_));
  }
  if (minorTicks_.Visible() && m.lastTickPos > -1) DrawMinorTicks(p, m.lastTickPos);
  m.lastTickPos = p;
}

void TChartAxis::DrawMinorTicks(int p, int lastTick) {
  if (minorTickCount_ <= 0) return;
  ParentChart()->DrawCanvas().Pen().Assign(minorTicks_);
  const long long count = minorTickCount_;
  const long long distance = static_cast<long long>(p) - lastTick;
  if (count > kMostExactMinorTicks && count > std::llabs(distance)) {
    // Ticks closer than a pixel: one on every pixel strictly between the two.
    const int dir = distance > 0 ? 1 : -1;
    for (long long i = 1; i < std::llabs(distance); ++i) DrawTick(Px(p) - dir * i, 1, minorTickLength_);
    return;
  }
  const double d = static_cast<double>(distance) / static_cast<double>(count + 1);
  for (long long i = 1; i <= count; ++i) DrawTick(Px(p) - RoundHalfEven(i * d), 1, minorTickLength_);
}

void TChartAxis::DrawTick(int p, int offset, int length) {
  TCustomAxisPanel* chart = ParentChart();
  const int w = chart->WallSize(this);
  switch (AxisSide()) {
    case Side::Bottom: {
      const Px y = Px(depthLinePosition_) + offset + w;
      chart->DrawVertLine(p, y, y + length);
      break;
    }
    case Side::Left: {
      const Px x = Px(depthLinePosition_) - offset - w;
      chart->DrawHorizLine(x, x - length, p);
      break;
    }
    case Side::Top: {
      const Px y = Px(linePosition_) - offset - chart->DepthY();
      chart->DrawVertLine(Px(p) + chart->DepthX(), y, y - length);
      break;
    }
    case Side::Right: {
      const Px x = Px(linePosition_) + chart->DepthX() + offset;
      chart->DrawHorizLine(x, x + length, Px(p) - chart->DepthY());
      break;
    }
  }
}

void TChartAxis::DrawGridLine(int p) {
  TCustomAxisPanel* chart = ParentChart();
  Canvas& canvas = chart->DrawCanvas();
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.SetBkMode(BkMode::Transparent);
  canvas.Pen().Assign(grid_);
  if (grid_.Color() == ColorDefault) canvas.Pen().SetColor(clGray);
  const TRect& plot = chart->PlotRect();
  const int dx = chart->DepthX(), dy = chart->DepthY();
  const Px pp = p, line = linePosition_;
  const TPenStyle gridStyle = grid_.Style();
  if (dx > 0) {
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    switch (AxisSide()) {
      case Side::Bottom:
        canvas.MoveTo(p, line - 1);
        canvas.LineTo(pp + dx, line - dy - 1);
        canvas.Pen().SetStyle(gridStyle);
        canvas.LineTo(pp + dx, Px(plot.Top) - dy);
        break;
      case Side::Top:
        canvas.MoveTo(pp + dx, depthLinePosition_);
        canvas.Pen().SetStyle(gridStyle);
        canvas.LineTo(pp + dx, Px(plot.Bottom) - dy);
        break;
      case Side::Left:
        canvas.MoveTo(line + 1, p);
        canvas.LineTo(line + dx + 1, pp - dy);
        canvas.Pen().SetStyle(gridStyle);
        canvas.LineTo(Px(plot.Right) + dx - 1, pp - dy);
        break;
      case Side::Right:
        canvas.MoveTo(depthLinePosition_, pp - dy);
        canvas.Pen().SetStyle(gridStyle);
        canvas.LineTo(Px(plot.Left) + dx, pp - dy);
        break;
    }
  } else {
    switch (AxisSide()) {
      case Side::Bottom: chart->DrawVertLine(p, line - 1, plot.Top); break;
      case Side::Top: chart->DrawVertLine(p, line + 1, plot.Bottom); break;
      case Side::Left: chart->DrawHorizLine(line + 1, plot.Right, p); break;
      case Side::Right: chart->DrawHorizLine(line - 1, plot.Left, p); break;
    }
  }
  canvas.SetBkMode(BkMode::Opaque);
}

void TChartAxis::DrawAxisLine(int wallSize) {
  TCustomAxisPanel* chart = ParentChart();
  chart->DrawCanvas().Pen().Assign(axisPen_);
  const TRect& plot = chart->PlotRect();
  const int dx = chart->DepthX(), dy = chart->DepthY();
  const Px left = plot.Left, top = plot.Top, right = plot.Right, bottom = plot.Bottom, line = linePosition_;
  switch (AxisSide()) {
    case Side::Bottom:
      chart->DrawHorizLine(left - chart->WallSize(&chart->LeftAxis()), right, line + wallSize);
      break;
    case Side::Top:
      chart->DrawHorizLine(left + dx, right + dx, depthLinePosition_);
      break;
    case Side::Left:
      chart->DrawVertLine(line - wallSize, top + 1, bottom + chart->WallSize(&chart->BottomAxis()));
      break;
    case Side::Right:
      chart->DrawVertLine(depthLinePosition_, top - dy + 1, bottom - dy);
      break;
  }
}

// --- click test ---

bool TChartAxis::IsClickOnAxis(int x, int y) const {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || !chart->IsAxisShown(this)) return false;
  const TRect& plot = chart->PlotRect();
  const long long tolerance = EngineSettings().ClickTolerance;
  if (isHorizontal_)
    return x >= plot.Left && x <= plot.Right &&
           std::llabs(static_cast<long long>(depthLinePosition_) - y) < tolerance;
  return y >= plot.Top && y <= plot.Bottom && std::llabs(static_cast<long long>(depthLinePosition_) - x) < tolerance;
}

}  // namespace tokiwa
