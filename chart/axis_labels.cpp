// The labels an axis draws: value labels stepping down from the top of the
// range (with calendar stepping for date-time axes), labels chosen by the
// application's handler, and the series' point labels with the overlap test.
#include <algorithm>
#include <cmath>

#include "chart/axis.h"
#include "chart/axis_panel.h"
#include "chart/series.h"
#include "runtime/date_time.h"
#include "runtime/safe_math.h"

namespace tokiwa {

namespace {

constexpr int kHalfMonthStep = 18;
constexpr int kYearStep = 24;
// Value labels are drawn only when fewer steps than this fit in the range.
constexpr double kMostValueLabels = 10000;
constexpr double kMostStepsFromZero = 2147483647.0;
// A custom label handler is called at most this many times per axis.
constexpr int kMostCustomLabels = 1001;
// Safety bound for a stepping loop; the checks above keep real loops far below it.
constexpr int kMostLabelRounds = 100000;
constexpr double kCustomLabelSlack = 0.0000001;

bool IsCalendarStep(int k) { return k >= kHalfMonthStep && k <= kYearStep; }

bool DateOfValue(double v, int& year, int& month, int& day) {
  DateTimeParts parts;
  if (!TryDecodeDateTime(v, parts)) return false;
  year = parts.Year;
  month = parts.Month;
  day = parts.Day;
  return true;
}

}  // namespace

double TChartAxis::CalendarAlign(double x, int k) const {
  if (x <= 2.0) return x;
  int year, month, day;
  if (!DateOfValue(x, year, month, day)) return x;
  if (k == kHalfMonthStep) day = day < 15 ? 1 : 15;
  else if (k > kHalfMonthStep && k < kYearStep) day = 1;
  else if (k == kYearStep) day = month = 1;
  TDateTime date;
  return TryEncodeDate(year, month, day, date) ? date : x;
}

double TChartAxis::StepBackLabelValue(double v, double step, int k) const {
  if (!(exactDateTime_ && cachedUsesDateTime_ && IsCalendarStep(k))) return v - step;
  int year, month, day;
  if (!DateOfValue(v, year, month, day)) return v - step;
  if (k == kHalfMonthStep) {
    if (day > 15) {
      day = 15;
    } else if (day > 1) {
      day = 1;
    } else {
      day = 15;
      if (--month < 1) {
        month = 12;
        --year;
      }
    }
  } else if (k == kYearStep) {
    --year;
    // 29 February of a leap year steps back to the last day of February.
    day = std::min(day, DaysInMonth(year, month));
  } else {
    static constexpr int kMonthsBack[5] = {1, 2, 3, 4, 6};
    const int n = kMonthsBack[k - kHalfMonthStep - 1];
    if (n < month) {
      month -= n;
    } else {
      --year;
      month += 12 - n;
    }
    day = 1;
  }
  TDateTime date;
  return TryEncodeDate(year, month, day, date) ? date : v - step;
}

double TChartAxis::FirstLabelValue(double step, int k) const {
  if (cachedUsesDateTime_ && exactDateTime_) {
    if (step < 1 && !IsCalendarStep(k)) {
      // Steps under a day count from midnight of the top value's day, so that
      // the hours after that midnight get labels too.
      const double midnight = std::floor(currentMaximum_);
      return midnight + std::trunc((currentMaximum_ - midnight) / step) * step;
    }
    return CalendarAlign(currentMaximum_, k);
  }
  if (currentMinimum_ != currentMaximum_ && roundFirstLabel_) return std::trunc(currentMaximum_ / step) * step;
  return currentMaximum_;
}

void TChartAxis::DrawValueLabels(double step, int k, Placement& m) {
  if (!(std::fabs(currentMaximum_ / step) < kMostStepsFromZero) || !(std::fabs(currentRange_ / step) < kMostValueLabels))
    return;
  double v = FirstLabelValue(step, k);
  const bool onAxis = labelsOnAxis_;
  int rounds = 0;
  while ((onAxis ? v > currentMaximum_ : v >= currentMaximum_) && ++rounds < kMostLabelRounds)
    v = StepBackLabelValue(v, step, k);
  rounds = 0;
  while ((onAxis ? v >= currentMinimum_ : v > currentMinimum_) && ++rounds < kMostLabelRounds) {
    DrawValueLabel(v, m);
    v = StepBackLabelValue(v, step, k);
  }
}

void TChartAxis::DrawValueLabel(double value, Placement& m) {
  const int p = ValueToPosition(value);
  if (!tickOnLabelsOnly_) TicksAndGrid(p, value, m);
  if (labels_) PlaceLabel(FormatAxisLabel(value), p, value, false, m);
}

void TChartAxis::DrawCustomLabels(double step, int k, Placement& m) {
  const TAxisOnGetNextLabel handler = ParentChart()->OnGetNextAxisLabel;
  double v = currentMinimum_;
  bool stop = true;
  for (int index = 0; index < kMostCustomLabels; ++index) {
    handler(this, index, v, stop);
    if (stop) {
      if (index == 0) DrawValueLabels(step, k, m);
      return;
    }
    if (!(v >= currentMinimum_ - kCustomLabelSlack && v <= currentMaximum_ + kCustomLabelSlack)) return;
    DrawValueLabel(v, m);
  }
}

void TChartAxis::DrawPointLabels(TChartSeries* series, bool marks, Placement& m) {
  if (!series) return;
  TCustomAxisPanel* chart = ParentChart();
  series->ComputeShownRange();
  const int first = series->FirstShownIndex(), last = series->LastShownIndex();
  if (first == -1 || last < first) return;
  for (int i = first; i <= last; ++i) {
    const double v = isHorizontal_ ? series->PointX(i) : series->PointY(i);
    if (!(v >= currentMinimum_ && v <= currentMaximum_)) continue;
    const int p = ValueToPosition(v);
    if (!tickOnLabelsOnly_) TicksAndGrid(p, v, m);
    if (!labels_) continue;
    std::string text = marks ? series->MarkText(i) : series->PointLabel(i);
    if (chart->OnGetAxisLabel) {
      auto handler = chart->OnGetAxisLabel;
      handler(this, series, i, text);
    }
    PlaceLabel(text, p, v, labelsSeparation_ != 0 && m.lastLabelPos != -1, m);
  }
}

void TChartAxis::PlaceLabel(const std::string& text, int p, double value, bool overlapTest, Placement& m) {
  TCustomAxisPanel* chart = ParentChart();
  const bool upright = labelsAngle_ == 90 || labelsAngle_ == 270;
  long long e = isHorizontal_ != upright ? chart->TextWidthOf(text) : chart->CharHeight();
  e += ClampToInt64(std::trunc(static_cast<double>(e) * 0.02 * labelsSeparation_));
  const long long half = e / 2;
  bool fits = true;
  if (overlapTest) {
    const long long last = m.lastLabelPos, lastHalf = m.lastHalfExtent;
    fits = p >= last ? last + lastHalf <= p - half : last - lastHalf >= p + half;
  }
  m.lastHalfExtent = Px(half);
  if (!fits) return;
  if (tickOnLabelsOnly_) TicksAndGrid(p, value, m);
  DrawLabelText(text, p);
  m.lastLabelPos = p;
}

void TChartAxis::DrawLabelText(const std::string& text, int p) {
  TCustomAxisPanel* chart = ParentChart();
  chart->ApplyFont(LabelsFont());
  Canvas& canvas = chart->DrawCanvas();
  canvas.Brush().SetColor(chart->Color());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  Px x = isHorizontal_ ? p : labelsPosition_;
  Px y = isHorizontal_ ? labelsPosition_ : p;
  if (isFarSide_) {
    x += chart->DepthX();
    y -= chart->DepthY();
  }
  DrawPlacedText(x, y, text, labelsAngle_);
}

}  // namespace tokiwa
