// What upright and lying bars share: settings, the layout of a group of bar
// series, stacking, ranges, depth slots, colours and the canvas set-up.
#include "series/bar_series.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "chart/axis_panel.h"
#include "runtime/messages.h"
#include "runtime/safe_math.h"

namespace tokiwa {

TCustomBarSeries::TCustomBarSeries(TComponent* owner)
    : TChartSeries(owner), barPen_(std::make_unique<TChartPen>()), barBrush_(std::make_unique<TChartBrush>()) {
  barPen_->OnChange = StyleChangedHandler();
  barBrush_->OnChange = StyleChangedHandler();
  Marks().SetVisible(true);
  Marks().SetArrowLength(20);
}

TCustomBarSeries::~TCustomBarSeries() = default;

// --- settings ---

void TCustomBarSeries::SetBarWidthPercent(int percent) {
  if (percent < 1 || percent > 100) throw BarException(std::string(msg::BarWidthRange));
  Set(barWidthPercent_, percent);
}

void TCustomBarSeries::SetOffsetPercent(int percent) {
  if (percent < -100 || percent > 100) throw BarException(std::string(msg::BarOffsetRange));
  Set(offsetPercent_, percent);
}

namespace {

// Every bar series of the chart that is of the same kind as s, s included.
template <class Visit>
void ForEachOfSameKind(const TCustomBarSeries& s, Visit visit) {
  if (!s.ParentChart()) return;
  for (TChartSeries* other : s.ParentChart()->SeriesList())
    if (auto* bar = dynamic_cast<TCustomBarSeries*>(other); bar && s.SameKind(*bar)) visit(*bar);
}

}  // namespace

void TCustomBarSeries::SetMultiBar(TMultiBar m) {
  if (!StoreIfChanged(multiBar_, m)) return;
  ForEachOfSameKind(*this, [m](TCustomBarSeries& bar) { bar.multiBar_ = m; });
  RepaintChart();
}

void TCustomBarSeries::SetSideMargins(bool v) {
  bool changed = StoreIfChanged(sideMargins_, v);
  ForEachOfSameKind(*this, [&](TCustomBarSeries& bar) { changed = StoreIfChanged(bar.sideMargins_, v) || changed; });
  if (changed) RepaintChart();
}

// --- the group of bar series ---

int TCustomBarSeries::SideCount() const {
  if (multiBar_ != TMultiBar::mbSide || !ParentChart()) return 1;
  int count = 0;
  for (const TChartSeries* s : ParentChart()->SeriesList())
    if (s->Active() && SameKind(*s)) ++count;
  return std::max(count, 1);
}

int TCustomBarSeries::SideIndex() const {
  if (multiBar_ == TMultiBar::mbNone || !ParentChart()) return 1;
  int index = 1;
  for (const TChartSeries* s : ParentChart()->SeriesList()) {
    if (s == this) break;
    if (s->Active() && SameKind(*s)) ++index;
  }
  return index;
}

void TCustomBarSeries::ComputeBarSize() {
  if (customBarSize_ != 0) {
    barSize_ = customBarSize_;
    return;
  }
  const TCustomAxisPanel* chart = ParentChart();
  long long points = PointCount();
  int series = 1;
  if (multiBar_ == TMultiBar::mbSide && chart) {
    points = 0;
    series = 0;
    for (const TChartSeries* s : chart->SeriesList()) {
      if (!s->Active() || !SameKind(*s)) continue;
      points = std::max<long long>(points, s->PointCount());
      ++series;
    }
  }
  if (chart && chart->MaxPointsPerPage() > 0) points = chart->MaxPointsPerPage();
  if (points <= 0 || !chart) {
    barSize_ = 0;
    return;
  }
  const double slots = static_cast<double>(sideMargins_ ? points + 1 : points);
  barSize_ = RoundHalfEven(static_cast<double>(PlotSpan()) * barWidthPercent_ / 100.0 / slots) / std::max(series, 1);
}

int TCustomBarSeries::AcrossShift(bool firstFar) const {
  const double size = barSize_;
  long long shift;
  if (multiBar_ == TMultiBar::mbSide) {
    const double side = firstFar ? SideCount() * 0.5 - SideIndex() : SideIndex() - SideCount() * 0.5 - 1;
    shift = RoundHalfEven(side * size);
  } else {
    shift = -(barSize_ / 2);
  }
  if (offsetPercent_ != 0) shift += RoundHalfEven(offsetPercent_ * size / 100);
  return Px(shift);
}

// --- stacking ---

double TCustomBarSeries::StackedSumBefore(int index, bool includeSelf) const {
  if (Stacked()) return TChartSeries::StackedSumBefore(index, includeSelf);
  return yOrigin_;
}

// Where a stacked bar reaches with `add` on top of the bars below it.
int TCustomBarSeries::StackedPosition(int index, double add) const {
  const double below = StackedSumBefore(index, false);
  if (multiBar_ == TMultiBar::mbStacked) return AlongPosition(below + add);
  // A column of no positive total has no shares: its bars lie on the zero line.
  const double total = StackedSumBefore(index, true);
  if (total == 0) return AlongPosition(0);
  return AlongPosition((below + add) * 100 / total);
}

int TCustomBarSeries::ValueEnd(int index) const {
  if (Stacked()) return StackedPosition(index, MarkValue(index));
  return AlongPosition(MarkValue(index));
}

int TCustomBarSeries::BarOrigin(int index) const {
  if (Stacked()) return StackedPosition(index, 0);
  return useYOrigin_ ? AlongPosition(yOrigin_) : PlotBaseEdge();
}

double TCustomBarSeries::HighestAlong(double base) const {
  double highest = base;
  if (multiBar_ == TMultiBar::mbStacked100) {
    highest = 100;
  } else if (multiBar_ == TMultiBar::mbStacked) {
    for (int i = 0, n = PointCount(); i < n; ++i)
      highest = std::max(highest, StackedSumBefore(i, false) + MarkValue(i));
  }
  return useYOrigin_ ? std::max(highest, yOrigin_) : highest;
}

double TCustomBarSeries::LowestAlong(double base) const {
  const double lowest = multiBar_ == TMultiBar::mbStacked100 ? 0 : base;
  return useYOrigin_ ? std::min(lowest, yOrigin_) : lowest;
}

// Grouped bars share the depth slot of the first series of their group.
void TCustomBarSeries::AssignDepthSlot() {
  if (multiBar_ != TMultiBar::mbNone && ParentChart()) {
    for (const TChartSeries* s : ParentChart()->SeriesList()) {
      if (s == this) break;
      if (s->Active() && SameKind(*s)) {
        SetDepthSlot(s->DepthSlot());
        return;
      }
    }
  }
  TChartSeries::AssignDepthSlot();
}

// --- clicks ---

bool TCustomBarSeries::IsPointInBar(int, int, int) { return false; }

int TCustomBarSeries::PointAtPixel(int x, int y) {
  const int answer = TChartSeries::PointAtPixel(x, y);
  if (answer != -1) return answer;
  if (!ParentChart() || FirstShownIndex() < 0) return -1;
  ComputeBarSize();
  for (int i = FirstShownIndex(); i <= LastShownIndex() && i < PointCount(); ++i) {
    // A bar that is not drawn is not there to click.
    if (PointColor(i) != ColorNone && IsPointInBar(i, x, y)) return i;
  }
  return -1;
}

// --- drawing ---

void TCustomBarSeries::BeginDrawing() {
  ComputeBarSize();
  TChartSeries::BeginDrawing();
}

void TCustomBarSeries::DrawPoint(int index) {
  const TColor colour = PointColor(index);
  if (colour == ColorNone) return;
  const TRect rect = BarRect(index);
  SetBarColors(colour);
  const int end = Upright() ? rect.Top : rect.Right, origin = Upright() ? rect.Bottom : rect.Left;
  DrawBar(rect, index, std::min(end, origin), std::max(end, origin));
}

bool TCustomBarSeries::DrawsHairlines() {
  if (Is3D() || barSize_ != 0 || OnGetBarStyle) return false;
  if (barStyle_ != TBarStyle::bsRectangle && barStyle_ != TBarStyle::bsCilinder) return false;
  const TPenStyle pen = barPen_->Visible() ? barPen_->Style() : TPenStyle::psClear;
  return barBrush_->Style() == TBrushStyle::bsSolid && barPen_->Width() == 1 && barPen_->Mode() == TPenMode::pmCopy &&
         (pen == TPenStyle::psSolid || pen == TPenStyle::psClear);
}

namespace {

// Pixels of one colour in one pixel column (or row) of the plot, first to last.
struct Hairline {
  bool vertical = false;
  int fixed = 0;
  int first = 0, last = -1;
  TColor colour = 0;
  bool Empty() const { return last < first; }
  // The pixels of a line from (x0, y0) to (x1, y1), its end excluded, where the
  // line runs along one axis.
  static Hairline Of(const TRect& line, TColor colour) {
    Hairline h;
    h.colour = colour;
    h.vertical = line.Left == line.Right;
    h.fixed = h.vertical ? line.Left : line.Top;
    const int from = h.vertical ? line.Top : line.Left, to = h.vertical ? line.Bottom : line.Right;
    if (from < to) {
      h.first = from;
      h.last = to - 1;
    } else if (from > to) {
      h.first = to + 1;
      h.last = from;
    }
    return h;
  }
  // Takes the other's pixels when together they make one unbroken line.
  bool Absorb(const Hairline& other) {
    if (other.vertical != vertical || other.fixed != fixed || other.colour != colour) return false;
    if (other.first > Px(last) + 1 || other.last < Px(first) - 1) return false;
    first = std::min(first, other.first);
    last = std::max(last, other.last);
    return true;
  }
};

}  // namespace

// Bars thinner than a pixel are lines, and thousands of them fall into each
// pixel column: drawing each would paint the same pixels over and over. Lines
// of one colour that meet in a column are drawn once, as the strip of pixels
// they cover together.
void TCustomBarSeries::DrawPoints() {
  if (!ParentChart() || FirstShownIndex() < 0 || !DrawsHairlines()) {
    TChartSeries::DrawPoints();
    return;
  }
  Hairline pending;
  // A one-pixel line of a solid one-pixel pen is a filled one-pixel strip.
  auto flush = [&] {
    if (pending.Empty()) return;
    PrepareBarCanvas(pending.colour);
    const int fixedEnd = OnCanvas(Px(pending.fixed) + 1), end = OnCanvas(Px(pending.last) + 1);
    if (pending.vertical)
      ChartCanvas().FillRect({pending.fixed, pending.first, fixedEnd, end});
    else
      ChartCanvas().FillRect({pending.first, pending.fixed, end, fixedEnd});
  };
  auto add = [&](int index) {
    const TColor colour = PointColor(index);
    if (colour == ColorNone) return;
    const Hairline line = Hairline::Of(BarRect(index), colour);
    if (line.Empty() || pending.Absorb(line)) return;
    flush();
    pending = line;
  };
  if (DrawsForward()) {
    for (int i = FirstShownIndex(); i <= LastShownIndex(); ++i) add(i);
  } else {
    for (int i = LastShownIndex(); i >= FirstShownIndex(); --i) add(i);
  }
  flush();
}

bool TCustomBarSeries::Is3D() const { return ParentChart() && ParentChart()->View3D(); }
int TCustomBarSeries::DepthX() const { return Is3D() ? ParentChart()->SlotDepthX() : 0; }
int TCustomBarSeries::DepthY() const { return Is3D() ? ParentChart()->SlotDepthY() : 0; }

TBarStyle TCustomBarSeries::StyleOf(int index) {
  TBarStyle style = barStyle_;
  if (OnGetBarStyle) OnGetBarStyle(this, index, style);
  return style;
}

void TCustomBarSeries::SetBarColors(TColor colour) {
  barColor_ = colour;
  topColor_ = dark3D_ ? DarkenColor(colour, 64) : colour;
  sideColor_ = dark3D_ ? DarkenColor(colour, 128) : colour;
}

namespace {

TColor HatchBackground(const TCustomAxisPanel& chart, const TBrush& brush) {
  return brush.Color() == ColorDefault ? chart.Color() : brush.Color();
}

}  // namespace

// The whole pen, width and colour too: thin bars are drawn by the pen alone.
void TCustomBarSeries::UseBarPen(Canvas& canvas) const {
  canvas.Pen().Assign(*barPen_);
  if (!barPen_->Visible()) canvas.Pen().SetStyle(TPenStyle::psClear);
}

void TCustomBarSeries::PrepareBarCanvas(TColor colour) {
  Canvas& canvas = ChartCanvas();
  UseBarPen(canvas);
  TCustomChartPanel::SetFillBrush(canvas, colour, barBrush_->Style(), HatchBackground(Chart(), *barBrush_));
}

void TCustomBarSeries::DrawBarRectangle(TColor colour, int left, int top, int right, int bottom) {
  PrepareBarCanvas(colour);
  Canvas& canvas = ChartCanvas();
  TCustomAxisPanel& chart = Chart();
  if (canvas.Brush().Style() == TBrushStyle::bsSolid) {
    // A bar too thin for its pen is drawn by the pen alone, in the bar's colour.
    auto penInBarColour = [&canvas] {
      canvas.Pen().SetColor(canvas.Brush().Color());
      if (canvas.Pen().Style() == TPenStyle::psClear) canvas.Pen().SetStyle(TPenStyle::psSolid);
    };
    if (left == right || top == bottom) {
      penInBarColour();
      chart.DrawLine(left, top, right, bottom);
      return;
    }
    const int pen = canvas.Pen().Width();
    if (pen > Distance(left, right) || pen > Distance(top, bottom)) {
      penInBarColour();
      canvas.Brush().SetStyle(TBrushStyle::bsClear);
    }
  }
  chart.DrawRectangle({std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
}

void TCustomBarSeries::FillShape(TColor colour, std::span<const TPoint> points) {
  PrepareBarCanvas(colour);
  Chart().DrawPolygon(points);
}

void TCustomBarSeries::DrawBar(const TRect& rect, int index, int low, int high) {
  switch (StyleOf(index)) {
    case TBarStyle::bsPyramid:
      DrawPyramid(rect, low, high);
      return;
    case TBarStyle::bsInvPyramid:
      DrawInvPyramid(rect, low, high);
      return;
    case TBarStyle::bsEllipse:
      DrawEllipse(rect, low, high);
      return;
    case TBarStyle::bsArrow:
      DrawArrow(rect, low, high);
      return;
    case TBarStyle::bsRectGradient:
      DrawGradient(rect, low, high);
      return;
    case TBarStyle::bsCilinder:
      if (Is3D()) {
        DrawCylinder(rect, low, high);
        return;
      }
      break;
    case TBarStyle::bsRectangle:
      break;
  }
  DrawBarRectangle(barColor_, rect.Left, rect.Top, rect.Right, rect.Bottom);
  if (Is3D()) DrawFaces(rect, low, high);
}

// Inscribed in the bar, in 3D moved into the middle of its depth.
void TCustomBarSeries::DrawEllipse(const TRect& rect, int low, int high) {
  PrepareBarCanvas(barColor_);
  const int sx = DepthX() / 2, sy = DepthY() / 2;
  const TRect box = Upright() ? TRect{rect.Left, low, rect.Right, high} : TRect{low, rect.Top, high, rect.Bottom};
  ChartCanvas().Ellipse(OnCanvas(Px(box.Left) + sx), OnCanvas(Px(box.Top) - sy), OnCanvas(Px(box.Right) + sx),
                        OnCanvas(Px(box.Bottom) - sy));
}

namespace {

// Points around the cross-section of a cylinder: enough for a round outline at
// any bar width a chart shows.
constexpr int kCylinderSteps = 32;

TPoint Pixel(double x, double y) {
  return {OnCanvas(static_cast<long long>(std::llround(std::clamp(x, -1e9, 1e9)))),
          OnCanvas(static_cast<long long>(std::llround(std::clamp(y, -1e9, 1e9))))};
}

}  // namespace

// Upright cylinders show their cap on top, lying ones at their right end.
void TCustomBarSeries::DrawCylinder(const TRect& rect, int low, int high) {
  if (Upright())
    DrawCylinder((static_cast<double>(rect.Left) + rect.Right + DepthX()) / 2, high - DepthY() / 2.0,
                 (static_cast<double>(rect.Right) - rect.Left) / 2, 0, 0, low - high, topColor_);
  else
    DrawCylinder(low + DepthX() / 2.0, (static_cast<double>(rect.Top) + rect.Bottom - DepthY()) / 2, 0,
                 (static_cast<double>(rect.Bottom) - rect.Top) / 2, high - low, 0, sideColor_);
}

// The cross-section at angle t is base + across cos t + depth sin t, with depth
// half a slot back. The outline leaves the base and the cap where the
// cross-section's tangent runs along the sweep; between those angles the half
// facing away from the sweep bounds the body at the base, the other half at the cap.
void TCustomBarSeries::DrawCylinder(double baseX, double baseY, double acrossX, double acrossY, int sweepX,
                                    int sweepY, TColor capColour) {
  const double depthX = DepthX() / 2.0, depthY = -DepthY() / 2.0;
  auto cross = [](double ax, double ay, double bx, double by) { return ax * by - ay * bx; };
  const double turn = std::atan2(cross(depthX, depthY, sweepX, sweepY), cross(acrossX, acrossY, sweepX, sweepY));
  auto at = [&](double t, bool cap) {
    return Pixel(baseX + acrossX * std::cos(t) + depthX * std::sin(t) + (cap ? sweepX : 0),
                 baseY + acrossY * std::cos(t) + depthY * std::sin(t) + (cap ? sweepY : 0));
  };
  const double pi = std::numbers::pi;
  const double middle = turn + pi / 2;
  const double towardSweep = (acrossX * std::cos(middle) + depthX * std::sin(middle)) * sweepX +
                             (acrossY * std::cos(middle) + depthY * std::sin(middle)) * sweepY;
  const double start = towardSweep > 0 ? turn + pi : turn;
  constexpr int half = kCylinderSteps / 2;
  std::vector<TPoint> body;
  body.reserve(2 * (half + 1));
  for (int k = 0; k <= half; ++k) body.push_back(at(start + pi * k / half, false));
  for (int k = 0; k <= half; ++k) body.push_back(at(start + pi + pi * k / half, true));
  FillShape(barColor_, body);
  std::vector<TPoint> cap;
  cap.reserve(kCylinderSteps);
  for (int k = 0; k < kCylinderSteps; ++k) cap.push_back(at(2 * pi * k / kCylinderSteps, true));
  FillShape(capColour, cap);
}

// --- marks ---

int TCustomBarSeries::MarkRoom() {
  if (PointCount() == 0 || !Marks().Visible() || !ParentChart()) return 0;
  ParentChart()->ApplyFont(Marks().Font());
  Px room = Px(MarkExtent(-1)) + Marks().ArrowLength();
  if (Marks().Frame().Visible()) room = room + Marks().Frame().Width() + Marks().Frame().Width();
  return room;
}

int TCustomBarSeries::GroupMargin() {
  ComputeBarSize();
  long long group = static_cast<long long>(SideCount()) * barSize_;
  if (!sideMargins_) group /= 2;
  return Px(group);
}

void TCustomBarSeries::ShiftIntoDepth(TRect& rect, TPoint& from, TPoint& to, int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  auto shift = [dx, dy](int& x, int& y) {
    x = OnCanvas(Px(x) + dx);
    y = OnCanvas(Px(y) - dy);
  };
  shift(rect.Left, rect.Top);
  shift(rect.Right, rect.Bottom);
  shift(from.X, from.Y);
  shift(to.X, to.Y);
}

// --- legend, preview, copying ---

void TCustomBarSeries::LegendSymbolStyle(int, TColor& background, TBrushStyle& brushStyle) {
  Canvas& canvas = ChartCanvas();
  UseBarPen(canvas);
  brushStyle = barBrush_->Style();
  background = HatchBackground(Chart(), *barBrush_);
}

void TCustomBarSeries::PreparePreview(bool enabled) {
  TChartSeries::PreparePreview(enabled);
  SetBarWidthPercent(85);
  SetMultiBar(TMultiBar::mbNone);
}

void TCustomBarSeries::Assign(const TPersistent& source) {
  if (auto* bar = dynamic_cast<const TCustomBarSeries*>(&source); bar && bar != this) {
    SetBarWidthPercent(bar->barWidthPercent_);
    SetBarStyle(bar->barStyle_);
    SetUseYOrigin(bar->useYOrigin_);
    SetYOrigin(bar->yOrigin_);
    barPen_->Assign(*bar->barPen_);
    barBrush_->Assign(*bar->barBrush_);
    // Copied as settings of this series alone, not passed on to the group.
    multiBar_ = bar->multiBar_;
    Set(customBarSize_, bar->customBarSize_);
    sideMargins_ = bar->sideMargins_;
    SetDark3D(bar->dark3D_);
    SetOffsetPercent(bar->offsetPercent_);
    SetAutoMarkPosition(bar->autoMarkPosition_);
  }
  TChartSeries::Assign(source);
}

}  // namespace tokiwa
