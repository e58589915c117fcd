// Label steps: the date-time step table, the step searches and the label
// extent they are based on.
#include <algorithm>
#include <cmath>

#include "chart/axis.h"
#include "chart/axis_panel.h"
#include "runtime/safe_math.h"

namespace tokiwa {

namespace {

constexpr double kSecond = 1.0 / 86400;
constexpr double kMinute = 1.0 / 1440;
constexpr double kHour = 1.0 / 24;
constexpr double kSmallestNumericStep = 0.00001;
// The date-time search never starts with more steps than this in the range.
constexpr double kMostDateTimeSteps = 1000000;
// Safety bound for the searches: doubling from the smallest step reaches
// infinity well within this many rounds.
constexpr int kMostSearchRounds = 4096;

}  // namespace

const double StandardTimeSteps[kStandardStepCount] = {
    kSecond,      5 * kSecond,  10 * kSecond, 15 * kSecond, 30 * kSecond,
    kMinute,      5 * kMinute,  10 * kMinute, 15 * kMinute, 30 * kMinute,
    kHour,        2 * kHour,    0.25,         0.5,          1,
    2,            3,            7,            15,           30,
    60,           90,           120,          182,          365};

double NextNumericStep(double step) {
  if (step < 1) return step * 2;
  if (step == 1) return 2;
  if (step < 5) return 5;
  if (step == 5) return 10;
  if (step == 10) return 50;
  if (step == 50) return 100;
  if (step == 100) return 200;
  if (step == 200) return 500;
  if (step == 500) return 1000;
  if (step == 1000) return 5000;
  return step * 2;
}

double NextStandardStep(double step) {
  for (int i = kStandardStepCount - 2; i >= 0; --i)
    if (step >= StandardTimeSteps[i]) return StandardTimeSteps[i + 1];
  return StandardTimeSteps[0];
}

int StandardStepIndex(double step) {
  for (int i = kStandardStepCount - 1; i >= 0; --i)
    if (std::fabs(StandardTimeSteps[i] - step) < kSecond) return i;
  return kStandardStepCount;
}

double TChartAxis::NumericStep(int maxLabels) const {
  double step = increment_ > 0 ? increment_ : (std::fabs(currentRange_) >= 1 ? 1 : kSmallestNumericStep);
  if (maxLabels > 0 && labelsSeparation_ > 0) {
    for (int round = 0; round < kMostSearchRounds; ++round) {
      double q = currentRange_ / step;
      if (std::fabs(q) >= 2147483647.0 || RoundHalfEven(q) > maxLabels) {
        step = NextNumericStep(step);
        continue;
      }
      break;
    }
  }
  return std::max(step, kSmallestNumericStep);
}

double TChartAxis::DateTimeStep(int maxLabels) const {
  double step = std::max(StandardTimeSteps[0], increment_);
  if (step > 0 && maxLabels > 0) {
    if (currentRange_ / step > kMostDateTimeSteps) step = currentRange_ / kMostDateTimeSteps;
    for (int round = 0; round < kMostSearchRounds; ++round) {
      if (RoundHalfEven(currentRange_ / step) <= maxLabels) break;
      step = step >= StandardTimeSteps[kStandardStepCount - 1] ? 2 * step : NextStandardStep(step);
    }
  }
  return std::max(StandardTimeSteps[0], step);
}

int TChartAxis::LabelExtentAlongAxis(double value) {
  TCustomAxisPanel* chart = ParentChart();
  bool flat = labelsAngle_ == 0 || labelsAngle_ == 180;
  if (isHorizontal_ == flat) return chart->TextWidthOf(FormatAxisLabel(value));
  return chart->CharHeight();
}

double TChartAxis::ComputeLabelStep() {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return cachedUsesDateTime_ ? StandardTimeSteps[0] : kSmallestNumericStep;
  int size = std::max(LabelExtentAlongAxis(currentMaximum_), LabelExtentAlongAxis(currentMinimum_));
  int span = isHorizontal_ ? chart->PlotWidth() : chart->PlotHeight();
  if (labelsSeparation_ > 0) size = Px(size) + RoundHalfEven(labelsSeparation_ * 0.01 * size);
  int count = size > 0 ? RoundHalfEven(static_cast<double>(span) / size) : 1;
  if (count > 0) return cachedUsesDateTime_ ? DateTimeStep(count) : NumericStep(count);
  return cachedUsesDateTime_ ? StandardTimeSteps[0] : kSmallestNumericStep;
}

int TChartAxis::StepIndex(double step) const {
  if (!(cachedUsesDateTime_ && exactDateTime_)) return kStandardStepCount;
  int k = StandardStepIndex(increment_);
  if (k != kStandardStepCount)
    while (k < kStandardStepCount - 1 && step > StandardTimeSteps[k]) ++k;
  return k;
}

}  // namespace tokiwa
