// The axis object: its settings with their checks, its value range, the
// value-to-pixel mapping and the label texts.
#include <algorithm>
#include <cmath>

#include "chart/axis.h"
#include "chart/axis_mapping.h"
#include "chart/axis_panel.h"
#include "chart/chart_exceptions.h"
#include "chart/series.h"
#include "runtime/format.h"
#include "runtime/messages.h"
#include "runtime/safe_math.h"

namespace tokiwa {

namespace {

const FormatSettings& EngineLocale() {
  static const FormatSettings settings = JapaneseFormatSettings();
  return settings;
}

// rintl rounds halves to even in the default rounding mode, as nearbyintl
// does, but compiles to one instruction: every bar of a paint comes here.
int RoundExtended(long double v) {
  if (std::isnan(v)) return 0;
  return ClampToInt(static_cast<double>(std::rintl(v)));
}

// size × (value − minimum) / range in pixels, rounded as the extended
// arithmetic rounds it. Double arithmetic is several times faster and lands on
// the same pixel unless the exact result lies almost halfway between two (its
// error is below 1e-6 pixel at these magnitudes); only then, and for results
// far off the screen, is the extended arithmetic needed.
int ScaledPixels(long long size, double value, double minimum, double range) {
  long long pixel = 0;
  if (SettledPixel(static_cast<double>(size) * (value - minimum) / range, pixel)) return static_cast<int>(pixel);
  return RoundExtended(static_cast<long double>(size) * (static_cast<long double>(value) - minimum) / range);
}

void CheckAngle(int angle, std::string_view word) {
  if (angle < 0 || angle > 360) throw ChartException(FormatText(msg::AngleRange, {Arg(word)}));
}

}  // namespace

std::string DefaultDateTimeFormat(double range) {
  return range > 1 ? EngineLocale().ShortDateFormat : EngineLocale().ShortTimeFormat;
}

// --- title ---

TChartAxisTitle::TChartAxisTitle(TCustomAxisPanel* chart, TChartAxis* axis) : TChartFontObject(chart), axis_(axis) {}

void TChartAxisTitle::SetAngle(int angle) {
  if (angle == angle_) return;
  CheckAngle(angle, msg::AxisTitleWord);
  Set(angle_, angle == 360 ? 0 : angle);
}

void TChartAxisTitle::Assign(const TPersistent& source) {
  if (auto* other = dynamic_cast<const TChartAxisTitle*>(&source)) {
    SetAngle(other->angle_);
    SetCaption(other->caption_);
  }
  TChartFontObject::Assign(source);
}

// --- axis settings ---

TChartAxis::TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool farSide)
    : TChartFontObject(chart),
      isHorizontal_(horizontal),
      isFarSide_(farSide),
      axisValuesFormat_(msg::DefaultValueFormat),
      title_(chart, this) {
  if (!horizontal) title_.angle_ = farSide ? 270 : 90;
  title_.OnChange = ReportAsOwnChange();
  for (TChartPen* pen : {static_cast<TChartPen*>(&axisPen_), static_cast<TChartPen*>(&ticks_),
                         static_cast<TChartPen*>(&ticksInner_), static_cast<TChartPen*>(&minorTicks_),
                         static_cast<TChartPen*>(&grid_)})
    pen->OnChange = ReportAsOwnChange();
}

TChartAxis::~TChartAxis() = default;

TChartAxis::Side TChartAxis::AxisSide() const {
  if (isHorizontal_) return isFarSide_ ? Side::Top : Side::Bottom;
  return isFarSide_ ? Side::Right : Side::Left;
}

bool TChartAxis::IsLoading() const { return ParentChart() && ParentChart()->Loading(); }

void TChartAxis::SetAutomatic(bool v) {
  Set(automatic_, v);
  if (IsLoading()) return;
  Set(automaticMinimum_, v);
  Set(automaticMaximum_, v);
}

void TChartAxis::SetAutomaticMinimum(bool v) {
  Set(automaticMinimum_, v);
  if (!v) Set(automatic_, false);
}

void TChartAxis::SetAutomaticMaximum(bool v) {
  Set(automaticMaximum_, v);
  if (!v) Set(automatic_, false);
}

void TChartAxis::SetMinimum(double v) {
  if (!IsLoading() && v > maximum_) throw AxisException(std::string(msg::AxisMinAboveMax));
  Set(minimum_, v);
}

void TChartAxis::SetMaximum(double v) {
  if (!IsLoading() && v < minimum_) throw AxisException(std::string(msg::AxisMaxBelowMin));
  Set(maximum_, v);
}

void TChartAxis::SetIncrement(double v) {
  if (v < 0) throw AxisException(std::string(msg::NegativeIncrement));
  Set(increment_, v);
}

void TChartAxis::SetLogarithmic(bool v) {
  if (v) {
    if (UsesDateTime()) throw AxisException(std::string(msg::LogDateTimeAxis));
    ComputeAutoRange();
    if (currentMinimum_ < 0 || currentMaximum_ < 0) throw AxisException(std::string(msg::LogNegativeRange));
  }
  Set(logarithmic_, v);
}

void TChartAxis::SetLabelsAngle(int angle) {
  CheckAngle(angle, msg::AxisLabelsWord);
  Set(labelsAngle_, angle == 360 ? 0 : angle);
}

void TChartAxis::SetLabelsSeparation(int v) {
  if (v < 0) throw AxisException(std::string(msg::NegativeLabelsSeparation));
  Set(labelsSeparation_, v);
}

void TChartAxis::Assign(const TPersistent& source) {
  auto* a = dynamic_cast<const TChartAxis*>(&source);
  if (!a) {
    TChartFontObject::Assign(source);
    return;
  }
  Set(visible_, a->visible_);
  Set(labels_, a->labels_);
  Set(labelsAngle_, a->labelsAngle_);
  Set(labelsSeparation_, a->labelsSeparation_);
  Set(labelsSize_, a->labelsSize_);
  Set(titleSize_, a->titleSize_);
  Set(labelStyle_, a->labelStyle_);
  Set(labelsOnAxis_, a->labelsOnAxis_);
  ticks_.Assign(a->ticks_);
  minorTicks_.Assign(a->minorTicks_);
  ticksInner_.Assign(a->ticksInner_);
  grid_.Assign(a->grid_);
  axisPen_.Assign(a->axisPen_);
  Set(tickLength_, a->tickLength_);
  Set(minorTickLength_, a->minorTickLength_);
  Set(minorTickCount_, a->minorTickCount_);
  Set(tickInnerLength_, a->tickInnerLength_);
  Set(axisValuesFormat_, a->axisValuesFormat_);
  Set(increment_, a->increment_);
  Set(maximum_, a->maximum_);
  Set(minimum_, a->minimum_);
  Set(automatic_, a->automatic_);
  Set(automaticMaximum_, a->automaticMaximum_);
  Set(automaticMinimum_, a->automaticMinimum_);
  title_.Assign(a->title_);
  Set(dateTimeFormat_, a->dateTimeFormat_);
  SetLogarithmic(a->logarithmic_);
  Set(inverted_, a->inverted_);
  Set(exactDateTime_, a->exactDateTime_);
  Set(roundFirstLabel_, a->roundFirstLabel_);
  Set(tickOnLabelsOnly_, a->tickOnLabelsOnly_);
  TChartFontObject::Assign(source);
}

// --- range ---

bool TChartAxis::UsesDateTime() const {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return false;
  for (TChartSeries* s : chart->SeriesList()) {
    if (!s->Active()) continue;
    if (s->GetHorizAxis() == this) return s->XValues().DateTime();
    if (s->GetVertAxis() == this) return s->YValues().DateTime();
  }
  return false;
}

void TChartAxis::ComputeAutoRange() {
  if (TCustomAxisPanel* chart = ParentChart()) {
    if (automatic_ || automaticMaximum_)
      maximum_ = isHorizontal_ ? chart->HighestXOnAxis(this) : chart->HighestYOnAxis(this);
    if (automatic_ || automaticMinimum_)
      minimum_ = isHorizontal_ ? chart->LowestXOnAxis(this) : chart->LowestYOnAxis(this);
  }
  currentMaximum_ = maximum_;
  currentMinimum_ = minimum_;
  currentRange_ = currentMaximum_ - currentMinimum_;
}

void TChartAxis::SetAxisRange(double aMin, double aMax) {
  automatic_ = false;
  automaticMinimum_ = false;
  automaticMaximum_ = false;
  if (aMin < aMax) {
    Set(minimum_, aMin);
    Set(maximum_, aMax);
  } else {
    Set(minimum_, aMax);
    Set(maximum_, aMin);
  }
  if (maximum_ - minimum_ < kMinimumAxisWidth) {
    Set(minimum_, aMin);
    Set(maximum_, aMax + kMinimumAxisWidth);
  }
}

void TChartAxis::FitSeriesMargins(int left, int top, int right, int bottom) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  TRect& plot = chart->PlotRect();
  const TRect saved = plot;
  double newMin, newMax;
  if (isHorizontal_) {
    plot.Left = Px(plot.Left) + left;
    plot.Right = Px(plot.Right) - right;
    chart->RecalcPlotSize();
    newMin = PositionToValue(saved.Left);
    newMax = PositionToValue(saved.Right);
  } else {
    plot.Top = Px(plot.Top) + top;
    plot.Bottom = Px(plot.Bottom) - bottom;
    chart->RecalcPlotSize();
    newMin = PositionToValue(saved.Bottom);
    newMax = PositionToValue(saved.Top);
  }
  currentMinimum_ = newMin;
  currentMaximum_ = newMax;
  plot = saved;
  chart->RecalcPlotSize();
  if (currentMinimum_ > currentMaximum_) std::swap(currentMinimum_, currentMaximum_);
  currentRange_ = currentMaximum_ - currentMinimum_;
}

// --- mapping ---

int TChartAxis::MapValue(double value, bool horizontal) const {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return 0;
  const TRect& plot = chart->PlotRect();
  const long long start = horizontal ? plot.Left : plot.Bottom;
  const long long end = horizontal ? plot.Right : plot.Top;
  const long long size = horizontal ? chart->PlotWidth() : -static_cast<long long>(chart->PlotHeight());
  const int centre = horizontal ? chart->PlotCenterX() : chart->PlotCenterY();
  if (logarithmic_) {
    long double lnMin = currentMinimum_ > 0 ? std::log(static_cast<long double>(currentMinimum_)) : 0;
    long double lnMax = currentMaximum_ > 0 ? std::log(static_cast<long double>(currentMaximum_)) : 0;
    long double lr = lnMax - lnMin;
    if (lr == 0) return centre;
    if (value <= 0) return Px(start);
    return Px(start + RoundExtended((std::log(static_cast<long double>(value)) - lnMin) * static_cast<long double>(size) / lr));
  }
  if (currentRange_ == 0) return centre;
  int f = ScaledPixels(size, value, currentMinimum_, currentRange_);
  return Px(inverted_ ? end - f : start + f);
}

int TChartAxis::ValueToPosition(double value) const { return MapValue(value, isHorizontal_); }
int TChartAxis::HorizontalPosition(double value) const { return MapValue(value, true); }
int TChartAxis::VerticalPosition(double value) const { return MapValue(value, false); }

double TChartAxis::PositionToValue(int pixel) const {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return 0;
  const TRect& plot = chart->PlotRect();
  const long double p = pixel;
  if (logarithmic_) {
    long double lnMin = currentMinimum_ > 0 ? std::log(static_cast<long double>(currentMinimum_)) : 0;
    long double lnMax = currentMaximum_ > 0 ? std::log(static_cast<long double>(currentMaximum_)) : 0;
    long double lr = lnMax - lnMin;
    if (lr == 0) return currentMinimum_;
    if (isHorizontal_) {
      if (chart->PlotWidth() == 0) return 0;
      return static_cast<double>(std::exp(lnMin + (p - plot.Left) * lr / chart->PlotWidth()));
    }
    if (chart->PlotHeight() == 0) return 0;
    return static_cast<double>(std::exp(lnMax - (p - plot.Top) * lr / chart->PlotHeight()));
  }
  if (isHorizontal_) {
    if (chart->PlotWidth() <= 0) return 0;
    long double d = inverted_ ? plot.Right - p : p - plot.Left;
    return static_cast<double>(currentMinimum_ + d * currentRange_ / chart->PlotWidth());
  }
  if (chart->PlotHeight() <= 0) return 0;
  long double d = inverted_ ? plot.Bottom - p : p - plot.Top;
  return static_cast<double>(currentMaximum_ - d * currentRange_ / chart->PlotHeight());
}

// --- label texts ---

std::string TChartAxis::FormatAxisLabel(double value) {
  std::string text;
  if (cachedUsesDateTime_) {
    if (value >= 0)
      text = FormatDateTime(dateTimeFormat_.empty() ? DefaultDateTimeFormat(currentRange_) : dateTimeFormat_,
                            value, EngineLocale());
  } else {
    text = FormatFloat(axisValuesFormat_, value, EngineLocale());
  }
  if (TCustomAxisPanel* chart = ParentChart(); chart && chart->OnGetAxisLabel) {
    auto handler = chart->OnGetAxisLabel;
    handler(this, nullptr, -1, text);
  }
  return text;
}

TAxisLabelStyle TChartAxis::ResolvedLabelStyle() const {
  if (labelStyle_ != TAxisLabelStyle::talAuto) return labelStyle_;
  TCustomAxisPanel* chart = ParentChart();
  TChartSeries* s = chart ? chart->FirstSeriesOnAxis(this) : nullptr;
  if (!s) return TAxisLabelStyle::talNone;
  if (isHorizontal_ == s->MainListIsY() && chart->FirstFilledSeriesOnAxis(this)) return TAxisLabelStyle::talText;
  return TAxisLabelStyle::talValue;
}

int TChartAxis::WidestLabelWidth() {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return 0;
  switch (ResolvedLabelStyle()) {
    case TAxisLabelStyle::talValue: {
      double lo = currentMinimum_, hi = currentMaximum_;
      if ((UsesDateTime() && exactDateTime_) || roundFirstLabel_) {
        double step = ComputeLabelStep();
        lo = std::trunc(currentMinimum_ / step) * step;
        hi = std::trunc(currentMaximum_ / step) * step;
      }
      // The application's label handler is not consulted for this measurement.
      struct Detach {
        TAxisOnGetLabel& slot;
        TAxisOnGetLabel saved;
        explicit Detach(TAxisOnGetLabel& s) : slot(s), saved(std::move(s)) { slot = nullptr; }
        ~Detach() { slot = std::move(saved); }
      } detach(chart->OnGetAxisLabel);
      int widest = std::max(chart->TextWidthOf(FormatAxisLabel(hi)), chart->TextWidthOf(FormatAxisLabel(lo)));
      return Px(widest) + chart->TextWidthOf(" ");
    }
    case TAxisLabelStyle::talMark:
      return chart->WidestMarkText();
    case TAxisLabelStyle::talText:
      return chart->WidestPointLabel();
    default:
      return 0;
  }
}

}  // namespace tokiwa
