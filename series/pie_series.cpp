#include "series/pie_series.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "chart/axis_panel.h"
#include "chart/engine_settings.h"
#include "runtime/messages.h"
#include "runtime/safe_math.h"
#include "series/series_pens.h"

namespace tokiwa {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kFullTurn = 2 * kPi;
// The first slice starts just after 0 and no slice quite closes the circle,
// so that start and end points of a slice never coincide.
constexpr double kAngleEpsilon = 0.000001;

}  // namespace

TPieSeries::TPieSeries(TComponent* owner) : TCircledSeries(owner) {
  XValues().SetName("");
  YValues().SetName("Pie");
  SetColorEachPoint(true);
  Marks().SetVisible(true);
  Marks().SetArrowLength(8);
}

TBrushStyle TPieSeries::SlicePattern(int index) {
  static constexpr TBrushStyle kPatterns[6] = {TBrushStyle::bsHorizontal, TBrushStyle::bsVertical,
                                               TBrushStyle::bsFDiagonal,  TBrushStyle::bsBDiagonal,
                                               TBrushStyle::bsCross,      TBrushStyle::bsDiagCross};
  return kPatterns[((index % 6) + 6) % 6];
}

double TPieSeries::SliceStart(int index) const { return index == 0 ? kAngleEpsilon : EndAngle(index - 1); }

// --- the slice table ---

void TPieSeries::CircleKnown() {
  previousEnd_ = PointOnEllipse(0);
  BuildSliceTable();
}

// The total is summed here, in point order, rather than taken from the value
// list's running sum: the last slice then ends exactly at the full turn. It
// sums magnitudes, as the marks' percentages do, so that a negative value
// takes its share instead of pushing the slices after it past the full turn.
void TPieSeries::BuildSliceTable() {
  const int n = PointCount();
  slices_.assign(static_cast<size_t>(n), Slice{});
  double total = 0;
  for (int i = 0; i < n; ++i) total += std::fabs(PointY(i));
  const double k = total != 0 ? kFullTurn / total : 0;
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    const double start = SliceStart(i);
    double end = kFullTurn - kAngleEpsilon;
    if (total != 0) {
      sum += std::fabs(PointY(i));
      end = sum == total ? kFullTurn : sum * k;
      if (end - start < kRadiansPerDegree) {
        end = start + kRadiansPerDegree;
      } else if (end - start > kFullTurn - kAngleEpsilon) {
        end = start + kFullTurn - kAngleEpsilon;
      }
    }
    slices_[static_cast<size_t>(i)] = {(start + end) / 2, end};
  }
}

// --- drawing ---

TColor TPieSeries::HatchBackground() const {
  return CircleBackColor() != ColorDefault ? CircleBackColor() : Chart().PlotBackground();
}

void TPieSeries::DrawPoint(int index) {
  if (PieWidth() <= 4 || PieHeight() <= 4 || index >= SliceCount()) return;
  Canvas& canvas = ChartCanvas();
  end_ = PointOnEllipse(EndAngle(index));
  const TColor c = PointColor(index);
  const TColor back = HatchBackground();
  TCustomChartPanel::SetFillBrush(canvas, c, usePatterns_ ? SlicePattern(index) : TBrushStyle::bsSolid, back);
  DrawSliceShape();
  if (usePatterns_) {
    DrawEndEdge();
  } else {
    DrawRim(index);
  }
  // Palette colours repeat after 16 slices: a cross hatch tells the later ones apart.
  const auto at = static_cast<size_t>(index);
  const bool paletteColour = at >= Colors().size() || Colors()[at] == ColorDefault;
  if (shadowed3d_ || (index >= 16 && paletteColour)) {
    TCustomChartPanel::SetFillBrush(canvas, back, TBrushStyle::bsDiagCross, c);
    if (!usePatterns_ && index >= 16) DrawSliceShape();
    DrawRim(index);
  }
  previousEnd_ = end_;
}

void TPieSeries::DrawSliceShape() {
  Canvas& canvas = ChartCanvas();
  UseChartPen(canvas, PiePen());
  const TRect& r = PieRect();
  if (previousEnd_ != end_) {
    canvas.Pie(r.Left, r.Top, r.Right, r.Bottom, previousEnd_.X, previousEnd_.Y, end_.X, end_.Y);
  } else if (PointCount() == 1) {
    canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
  }
}

// The edge where a slice ends, down the side of the rim.
void TPieSeries::DrawEndEdge() {
  if (end_.Y <= PieCentreY() || !PiePen().Visible()) return;
  ChartCanvas().Pen().Assign(PiePen());
  Chart().DrawVertLine(end_.X, end_.Y, Px(end_.Y) + PieDepth() - 1);
}

void TPieSeries::DrawRim(int index) {
  if (!Chart().View3D()) return;
  if (!color3d_) {
    DrawEndEdge();
    return;
  }
  const double rotation = RotationRadians();
  const double start = SliceStart(index);
  const double end = EndAngle(index);
  const bool onUpperHalf =
      std::sin(start + rotation) >= 0 && std::sin(end + rotation) >= 0 && end - start <= kPi / 2;
  if (!onUpperHalf) {
    // Only the lower half of the rim, from pi to 2 pi, shows.
    double s = start + rotation;
    double e = end + rotation;
    if (s > kFullTurn) s -= kFullTurn;
    if (e > kFullTurn) e -= kFullTurn;
    if (e > s) {
      if (e > kPi) DrawRimBetween(index, std::max(s, kPi), e);
    } else {
      if (e >= kPi) DrawRimBetween(index, kPi, e);
      DrawRimBetween(index, std::max(s, kPi), kFullTurn);
    }
  }
  DrawEndEdge();
}

// Vertical lines down the rim, one per pixel column of the ellipse's edge.
void TPieSeries::DrawRimBetween(int index, double lo, double hi) {
  const double step = 1.0 / std::max(ScreenWidth(), 1);
  const TChartPen& pen = PiePen();
  int inset = 0;
  int x0 = PieCentreX();
  if (pen.Visible()) {
    lo += (pen.Width() + 1) * step;
    hi -= (pen.Width() + 1) * step;
    inset = pen.Width() / 2;
  } else {
    x0 = Px(x0) - 1;
  }
  if (lo >= hi) return;
  const TColor colour = dark3D_ ? DarkenColor(PointColor(index), 64) : PointColor(index);
  Canvas& canvas = ChartCanvas();
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetMode(TPenMode::pmCopy);
  canvas.Pen().SetColor(colour);
  canvas.Brush().SetColor(colour);
  TCustomAxisPanel& chart = Chart();
  const int xRadius = XRadius();
  const int yRadius = YRadius();
  int last = TruncToInt(std::cos(lo) * xRadius);
  bool shadow = false;
  for (double a = lo; a < hi; a += step) {
    const int x = TruncToInt(std::cos(a) * xRadius);
    if (x <= last) continue;
    const int y = Px(PieCentreY()) - TruncToInt(std::sin(a) * yRadius);
    if (shadowed3d_) {
      canvas.Pen().SetColor(shadow ? shadowColor_ : colour);
      shadow = !shadow;
    }
    chart.DrawVertLine(Px(x0) + x, Px(y) + inset, Px(y) + PieDepth() - inset);
    last = x;
  }
}

// The mark sits outside the ellipse at the middle of its slice, on the side
// of the centre it points to; its arrow starts inside the slice.
void TPieSeries::DrawMark(int index, const std::string& text, TRect rect, TPoint, TPoint) {
  if (index >= SliceCount()) return;
  TCustomAxisPanel& chart = Chart();
  const double a = MidAngle(index) + RotationRadians();
  const double c = std::cos(a), s = std::sin(a);
  const int arrowLength = Marks().ArrowLength();
  const int cx = PieCentreX(), cy = PieCentreY();
  const TPoint from{OnCanvas(Px(cx) + RoundHalfEven((static_cast<double>(XRadius()) - arrowLength) * c)),
                    OnCanvas(Px(cy) - RoundHalfEven((static_cast<double>(YRadius()) - arrowLength) * s))};
  const int dx = OnCanvas(Px(cx) + RoundHalfEven((static_cast<double>(chart.TextWidthOf("W")) + XRadius()) * c));
  int dy = OnCanvas(Px(cy) - RoundHalfEven((static_cast<double>(YRadius()) + chart.CharHeight()) * s));
  if (chart.View3D() && dy > cy) dy = OnCanvas(Px(dy) + PieDepth());
  const int w = Px(rect.Right) - rect.Left;
  const int h = Px(rect.Bottom) - rect.Top;
  rect.Left = dx > cx ? dx : OnCanvas(Px(dx) - w);
  rect.Right = OnCanvas(Px(rect.Left) + w);
  rect.Top = dy > cy ? dy : OnCanvas(Px(dy) - h);
  rect.Bottom = OnCanvas(Px(rect.Top) + h);
  TCircledSeries::DrawMark(index, text, rect, from, {dx, dy});
}

// --- clicks ---

int TPieSeries::PointAtPixel(int x, int y) {
  if (PieWidth() <= 4 || PieHeight() <= 4) return -1;  // nothing was drawn
  const long long dx = static_cast<long long>(x) - PieCentreX();
  const long long dy = static_cast<long long>(y) - PieCentreY();
  const double rx = XRadius(), ry = YRadius();
  if (std::llabs(dx) >= rx || std::llabs(dy) >= ry) return -1;
  // The corners of the ellipse's box are background, not slices.
  if ((dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) > 1) return -1;
  double angle;
  if (dx == 0) {
    angle = dy <= 0 ? kPi / 2 : 3 * kPi / 2;
  } else {
    angle = std::atan2(static_cast<double>(-dy) / ry, static_cast<double>(dx) / rx);
  }
  angle -= RotationRadians();
  if (angle < 0) angle += kFullTurn;
  // The radius the first slice starts from is where the last one ends.
  if (angle < kAngleEpsilon) angle = kFullTurn;
  for (int i = 0; i < SliceCount() && i < PointCount(); ++i)
    if (SliceStart(i) <= angle && angle <= EndAngle(i)) return i;
  return -1;
}

// --- ranges, samples, legend, assignment ---

double TPieSeries::HighestX() const { return GetHorizAxis() ? GetHorizAxis()->Maximum() : 0; }
double TPieSeries::LowestX() const { return GetHorizAxis() ? GetHorizAxis()->Minimum() : 0; }
double TPieSeries::HighestY() const { return GetVertAxis() ? GetVertAxis()->Maximum() : 0; }
double TPieSeries::LowestY() const { return GetVertAxis() ? GetVertAxis()->Minimum() : 0; }

void TPieSeries::FillSampleValues(int count) {
  RemoveAllPoints();
  for (int i = 0; i < count; ++i)
    AppendValue(RandomInt(1000) + 1, std::string(msg::PieSampleLabels[i % 8]), ColorDefault);
  NotifyDependents(TSourceChange::scReload, 0);
}

void TPieSeries::PreparePreview(bool enabled) {
  TCircledSeries::PreparePreview(enabled);
  FillSampleValues(8);
  if (ParentChart()) ParentChart()->SetChart3DPercent(35);
  SetColorEachPoint(enabled);
}

void TPieSeries::LegendSymbolStyle(int index, TColor&, TBrushStyle& brushStyle) {
  if (usePatterns_) brushStyle = SlicePattern(index);
}

void TPieSeries::Assign(const TPersistent& source) {
  if (auto* pie = dynamic_cast<const TPieSeries*>(&source)) {
    SetColor3d(pie->color3d_);
    SetDark3D(pie->dark3D_);
    SetShadowed3d(pie->shadowed3d_);
    SetShadowColor(pie->shadowColor_);
    SetUsePatterns(pie->usePatterns_);
  }
  TCircledSeries::Assign(source);
  SetColorEachPoint(true);
}

}  // namespace tokiwa
