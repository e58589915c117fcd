#include "chart/axis.h"

namespace tokiwa {

const double StandardTimeSteps[kStandardStepCount] = {};
double NextNumericStep(double step) { return step * 2; }
double NextStandardStep(double step) { return step * 2; }
int StandardStepIndex(double) { return kStandardStepCount; }

TChartAxisTitle::TChartAxisTitle(TCustomAxisPanel* chart, TChartAxis* axis) : TChartFontObject(chart), axis_(axis) {}
void TChartAxisTitle::SetAngle(int angle) { angle_ = angle; }
void TChartAxisTitle::Assign(const TPersistent& source) { TChartFontObject::Assign(source); }

TChartAxis::TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool farSide)
    : TChartFontObject(chart), isHorizontal_(horizontal), isFarSide_(farSide), title_(chart, this) {}
TChartAxis::~TChartAxis() = default;

void TChartAxis::SetAutomatic(bool v) { automatic_ = v; }
void TChartAxis::SetAutomaticMinimum(bool v) { automaticMinimum_ = v; }
void TChartAxis::SetAutomaticMaximum(bool v) { automaticMaximum_ = v; }
void TChartAxis::SetMinimum(double v) { minimum_ = v; }
void TChartAxis::SetMaximum(double v) { maximum_ = v; }
void TChartAxis::SetIncrement(double v) { increment_ = v; }
void TChartAxis::SetLogarithmic(bool v) { logarithmic_ = v; }
void TChartAxis::SetLabelsAngle(int angle) { labelsAngle_ = angle; }
void TChartAxis::SetLabelsSeparation(int v) { labelsSeparation_ = v; }

int TChartAxis::ValueToPosition(double) const { return 0; }
int TChartAxis::HorizontalPosition(double) const { return 0; }
int TChartAxis::VerticalPosition(double) const { return 0; }
double TChartAxis::PositionToValue(int) const { return 0; }
std::string TChartAxis::FormatAxisLabel(double) { return {}; }
bool TChartAxis::UsesDateTime() const { return false; }
TAxisLabelStyle TChartAxis::ResolvedLabelStyle() const { return TAxisLabelStyle::talNone; }
double TChartAxis::ComputeLabelStep() { return 1; }
int TChartAxis::WidestLabelWidth() { return 0; }
void TChartAxis::ComputeAutoRange() {}
void TChartAxis::SetAxisRange(double, double) {}
void TChartAxis::FitSeriesMargins(int, int, int, int) {}
void TChartAxis::Assign(const TPersistent& source) { TChartFontObject::Assign(source); }

}  // namespace tokiwa
