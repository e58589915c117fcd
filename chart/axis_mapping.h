#pragma once
// An axis' value-to-pixel mapping taken once for the many values of a paint:
// the pixels TChartAxis::HorizontalPosition or VerticalPosition give, moved by
// a fixed shift as a series' depth slot moves them, without a call per value.
#include <cmath>

#include "runtime/geometry.h"

namespace tokiwa {

class TChartAxis;

// The nearest pixel to a position worked out in double arithmetic, rounding
// as the axis' extended arithmetic rounds, when double arithmetic settles it:
// not within a hundred-thousandth of a pixel of a halfway point, where its
// rounding error may tip the result, nor far off the screen.
inline bool SettledPixel(double position, long long& pixel) {
  if (!(std::fabs(position) < 1e9)) return false;
  const double t = position + 0.5;
  long long below = static_cast<long long>(t);  // floor(t), without a call
  if (t < static_cast<double>(below)) --below;
  const double above = t - static_cast<double>(below);
  pixel = below;
  return above > 1e-5 && above < 1 - 1e-5;
}

class AxisMapping {
 public:
  // The axis' mapping along the horizontal or vertical, as it stands now (its
  // range and the plot are those of the paint); no axis maps every value to 0.
  AxisMapping(const TChartAxis* axis, bool horizontal, int shift);

  int Position(double value) const {
    // Where the product does not settle the pixel, the axis' division does.
    long long pixel = 0;
    if (linear_ && SettledPixel((value - minimum_) * scale_, pixel))
      return Px(static_cast<int>(Px(origin_ + sign_ * pixel))) + shift_;
    return Mapped(value);
  }

  // A value mapped near `fraction` of the way across the pixel `position`
  // (approximately: check it with Position).
  double ValueNear(int position, double fraction) const;

 private:
  int Mapped(double value) const;

  const TChartAxis* axis_;
  bool horizontal_;
  int shift_;
  bool linear_ = false;  // a plain, non-empty range: the inline path applies
  long long origin_ = 0;  // the pixel of the minimum
  long long sign_ = 1;    // which way the pixels run from there
  double minimum_ = 0;
  double scale_ = 0;  // pixels per unit of value, counted from the origin
};

}  // namespace tokiwa
