#include "series/circled_series.h"

#include <cmath>
#include <cstdlib>
#include <typeinfo>

#include "chart/axis_panel.h"
#include "chart/chart.h"
#include "runtime/messages.h"
#include "runtime/safe_math.h"
#include "series/series_pens.h"

namespace tokiwa {

namespace {

bool IsActiveCircled(const TChartSeries* s) { return s->Active() && s->IsA(typeid(TCircledSeries)); }

}  // namespace

void SetPieMode(TCustomAxisPanel& chart, bool on) {
  if (chart.Destroying()) return;
  if (!on) {
    for (const TChartSeries* s : chart.SeriesList())
      if (IsActiveCircled(s)) return;
  }
  const bool axes = !on;
  chart.SetAxisVisible(axes);
  chart.SetClipPoints(axes);
  chart.Frame().SetVisible(axes);
  chart.SetView3DWalls(axes);
  if (auto* custom = dynamic_cast<TCustomChart*>(&chart)) {
    custom->SetAllowZoom(axes);
    custom->SetAllowPanning(axes ? TPanningMode::pmBoth : TPanningMode::pmNone);
  }
}

TCircledSeries::TCircledSeries(TComponent* owner)
    : TChartSeries(owner), piePen_(std::make_unique<TChartPen>()) {
  piePen_->OnChange = StyleChangedHandler();
  XValues().SetName("Angle");
  // Every point is drawn, whatever the axes' ranges.
  SetLimitToVisibleRange(false);
}

// Leaving the chart here, while this is still a circled series, lets the chart
// return to its axes.
TCircledSeries::~TCircledSeries() {
  if (ParentChart()) TCircledSeries::SetParentChart(nullptr);
}

// --- settings ---

template <class T>
void TCircledSeries::SetShared(T TCircledSeries::*field, T value) {
  Set(this->*field, value);
  if (!ParentChart()) return;
  for (TChartSeries* s : ParentChart()->SeriesList()) {
    auto* other = dynamic_cast<TCircledSeries*>(s);
    if (other && other != this && IsA(typeid(*other))) other->Set(other->*field, value);
  }
}

void TCircledSeries::SetCircled(bool v) { SetShared(&TCircledSeries::circled_, v); }
void TCircledSeries::SetCustomXRadius(int v) { SetShared(&TCircledSeries::customXRadius_, v); }
void TCircledSeries::SetCustomYRadius(int v) { SetShared(&TCircledSeries::customYRadius_, v); }

void TCircledSeries::SetRotationAngle(int degrees) {
  if (degrees < 0) throw PieException(FormatText(msg::AngleRange, {Arg(msg::RotationWord)}));
  degrees %= 360;
  rotationRadians_ = degrees * kRadiansPerDegree;
  Set(rotationAngle_, degrees);
}

void TCircledSeries::SetParentChart(TCustomAxisPanel* chart) {
  TCustomAxisPanel* old = ParentChart();
  if (chart == old) return;
  TChartSeries::SetParentChart(chart);
  if (old && Active()) SetPieMode(*old, false);
  if (chart && Active()) SetPieMode(*chart, true);
}

void TCircledSeries::SetActive(bool active) {
  const bool changed = active != Active();
  TChartSeries::SetActive(active);
  if (changed && ParentChart()) SetPieMode(*ParentChart(), active);
}

void TCircledSeries::LegendSymbolStyle(int, TColor& background, TBrushStyle&) { background = circleBackColor_; }

void TCircledSeries::Assign(const TPersistent& source) {
  if (auto* s = dynamic_cast<const TCircledSeries*>(&source)) {
    SetCircled(s->circled_);
    SetRotationAngle(s->rotationAngle_);
    SetCustomXRadius(s->customXRadius_);
    SetCustomYRadius(s->customYRadius_);
    piePen_->Assign(*s->piePen_);
    SetCircleBackColor(s->circleBackColor_);
  }
  TChartSeries::Assign(source);
}

// --- geometry ---

TPoint TCircledSeries::PointOnEllipse(double angle) const {
  const double a = angle + rotationRadians_;
  return {OnCanvas(Px(centreX_) + TruncToInt(std::cos(a) * xRadius_)),
          OnCanvas(Px(centreY_) - TruncToInt(std::sin(a) * yRadius_))};
}

// Even width and height of at least 4, and the centre that goes with them.
void TCircledSeries::Normalise() {
  TRect& r = pieRect_;
  if ((static_cast<long long>(r.Right) - r.Left) % 2 != 0) r.Right = Px(r.Right) - 1;
  if ((static_cast<long long>(r.Bottom) - r.Top) % 2 != 0) r.Bottom = Px(r.Bottom) - 1;
  if (Px(r.Right) - r.Left < 4) r.Right = Px(r.Left) + 4;
  if (Px(r.Bottom) - r.Top < 4) r.Bottom = Px(r.Top) + 4;
  pieWidth_ = Px(r.Right) - r.Left;
  pieHeight_ = Px(r.Bottom) - r.Top;
  centreX_ = Mid(r.Left, r.Right);
  centreY_ = Mid(r.Top, r.Bottom);
}

namespace {

// One axis of the ellipse: the radius (a custom one, or half the size) and the
// two edges around the centre.
void ApplyRadius(int custom, int centre, int& size, int& radius, int& low, int& high) {
  if (custom != 0) {
    radius = custom;
    size = Px(custom) + custom;
  } else {
    radius = size / 2;
  }
  low = Px(centre) - radius;
  high = Px(centre) + radius;
}

}  // namespace

void TCircledSeries::ApplyRadii() {
  ApplyRadius(customXRadius_, centreX_, pieWidth_, xRadius_, pieRect_.Left, pieRect_.Right);
  ApplyRadius(customYRadius_, centreY_, pieHeight_, yRadius_, pieRect_.Top, pieRect_.Bottom);
}

// Room for the marks and their arrows around the ellipse.
void TCircledSeries::ReserveMarkRoom(TCustomAxisPanel& chart) {
  chart.ApplyFont(Marks().Font());
  const TChartPen& frame = Marks().Frame();
  const int frameRoom = frame.Visible() ? static_cast<int>(Px(frame.Width()) + frame.Width()) : 0;
  const int v = Px(chart.CharHeight()) + Marks().ArrowLength() + frameRoom;
  pieRect_.Top = Px(pieRect_.Top) + v;
  pieRect_.Bottom = Px(pieRect_.Bottom) - v;
  const int h = Px(chart.TextWidthOf("W")) + chart.WidestMarkText() + Marks().ArrowLength() + frameRoom;
  pieRect_.Left = Px(pieRect_.Left) + h;
  pieRect_.Right = Px(pieRect_.Right) - h;
}

// How much taller than wide a pixel is.
double TCircledSeries::PixelAspect() const {
  ChartHost* host = ParentChart() ? ParentChart()->Host() : nullptr;
  if (!host) return 1;
  const TSize screen = host->ScreenSize();
  if (screen.Width <= 0 || screen.Height <= 0) return 1;
  double ratio = static_cast<double>(screen.Width) / screen.Height;
  const TSize physical = host->ScreenPhysicalSize();
  if (physical.Height != 0) {
    const double q = static_cast<double>(physical.Width) / physical.Height;
    if (q != 0) ratio /= q;
  }
  return ratio;
}

int TCircledSeries::ScreenWidth() const {
  ChartHost* host = ParentChart() ? ParentChart()->Host() : nullptr;
  return host ? host->ScreenSize().Width : 1920;
}

// Shrinks the longer radius so that the ellipse looks round on the screen.
void TCircledSeries::MakeRound() {
  const double ratio = PixelAspect();
  ApplyRadii();
  const int t = RoundHalfEven(yRadius_ * ratio);
  if (t < xRadius_) {
    const int d = Px(xRadius_) - t;
    pieRect_.Left = Px(pieRect_.Left) + d;
    pieRect_.Right = Px(pieRect_.Right) - d;
  } else {
    const int u = RoundHalfEven(xRadius_ / ratio);
    const int d = Px(yRadius_) - u;
    pieRect_.Top = Px(pieRect_.Top) + d;
    pieRect_.Bottom = Px(pieRect_.Bottom) - d;
  }
  Normalise();
}

// --- drawing ---

void TCircledSeries::BeginDrawing() {
  TChartSeries::BeginDrawing();
  TCustomAxisPanel& chart = Chart();
  pieRect_ = chart.PlotRect();
  Normalise();
  if (Marks().Visible()) ReserveMarkRoom(chart);
  Normalise();
  if (chart.View3D()) {
    pieDepth_ = RoundHalfEven(static_cast<double>(chart.Chart3DPercent()) * pieHeight_ / 100);
    pieRect_.Bottom = Px(pieRect_.Bottom) - pieDepth_;
    Normalise();
  } else {
    pieDepth_ = 0;
  }
  if (circled_) MakeRound();
  ApplyRadii();
  CircleKnown();
  if (PointCount() > 0 && circleBackColor_ != ColorDefault) {
    Canvas& canvas = chart.DrawCanvas();
    canvas.Pen().SetStyle(TPenStyle::psClear);
    TCustomChartPanel::SetFillBrush(canvas, circleBackColor_, TBrushStyle::bsSolid, circleBackColor_);
    canvas.Ellipse(pieRect_.Left, pieRect_.Top, pieRect_.Right, pieRect_.Bottom);
  }
}

bool TCircledSeries::FirstActiveOfClass() const {
  for (const TChartSeries* s : ParentChart()->SeriesList())
    if (s->Active() && typeid(*s) == typeid(*this)) return s == this;
  return false;
}

// The outline of the whole ellipse, once for all series of this class, over
// the slices' edges; in 3D also the sides and the bottom of the rim.
void TCircledSeries::EndDrawing() {
  TCustomAxisPanel& chart = Chart();
  if (PointCount() > 0 && piePen_->Visible() && FirstActiveOfClass()) {
    Canvas& canvas = chart.DrawCanvas();
    canvas.Pen().Assign(*piePen_);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const TRect& r = pieRect_;
    canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
    if (chart.View3D()) {
      const int bottom = Px(centreY_) + pieDepth_;
      chart.DrawVertLine(Px(r.Right) - 1, centreY_, bottom);
      chart.DrawVertLine(r.Left, centreY_, bottom);
      canvas.Arc(Px(r.Left) + 1, Px(r.Top) + pieDepth_, r.Right, Px(r.Bottom) + pieDepth_, r.Left, bottom, r.Right,
                 bottom);
    }
  }
  TChartSeries::EndDrawing();
}

}  // namespace tokiwa
