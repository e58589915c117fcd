#include "chart/axis_mapping.h"

#include "chart/axis.h"
#include "chart/axis_panel.h"

namespace tokiwa {

AxisMapping::AxisMapping(const TChartAxis* axis, bool horizontal, int shift)
    : axis_(axis), horizontal_(horizontal), shift_(shift) {
  const TCustomAxisPanel* chart = axis ? axis->ParentChart() : nullptr;
  if (!chart || axis->Logarithmic() || axis->CurrentRange() == 0) return;
  const TRect& plot = chart->PlotRect();
  const long long size = horizontal ? chart->PlotWidth() : -static_cast<long long>(chart->PlotHeight());
  const long long start = horizontal ? plot.Left : plot.Bottom;
  const long long end = horizontal ? plot.Right : plot.Top;
  linear_ = true;
  origin_ = axis->Inverted() ? end : start;
  sign_ = axis->Inverted() ? -1 : 1;
  minimum_ = axis->CurrentMinimum();
  scale_ = static_cast<double>(size) / axis->CurrentRange();
}

int AxisMapping::Mapped(double value) const {
  if (!axis_) return 0;
  return Px(horizontal_ ? axis_->HorizontalPosition(value) : axis_->VerticalPosition(value)) + shift_;
}

double AxisMapping::ValueNear(int position, double fraction) const {
  if (!axis_) return 0;
  const int unshifted = Px(position) - shift_;
  if (linear_) return minimum_ + static_cast<double>(sign_) * (unshifted + fraction - origin_) / scale_;
  const double a = axis_->PositionToValue(unshifted), b = axis_->PositionToValue(Px(unshifted) + 1);
  return a + (b - a) * fraction;
}

}  // namespace tokiwa
