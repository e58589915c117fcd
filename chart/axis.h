#pragma once
// An axis: the value range of one side of the plot, the value-to-pixel mapping,
// label steps and texts, the room it reserves and its drawing.
#include <cstdint>
#include <functional>
#include <string>

#include "chart/chart_pens.h"
#include "chart/font_object.h"
#include "runtime/geometry.h"

namespace tokiwa {

class TChartAxis;
class TChartSeries;

enum class TAxisLabelStyle : std::uint8_t { talAuto, talNone, talValue, talMark, talText };

using TAxisOnGetLabel = std::function<void(TChartAxis* Sender, TChartSeries* Series, int ValueIndex,
                                           std::string& LabelText)>;
using TAxisOnGetNextLabel = std::function<void(TChartAxis* Sender, int LabelIndex, double& LabelValue,
                                               bool& Stop)>;

// Ranges narrower than this are widened by SetAxisRange.
inline constexpr double kMinimumAxisWidth = 0.001;

// Date-time label steps in days; index 25 stands for "no standard step".
inline constexpr int kStandardStepCount = 25;
extern const double StandardTimeSteps[kStandardStepCount];
double NextNumericStep(double step);
double NextStandardStep(double step);
int StandardStepIndex(double step);
// The locale's short date format for ranges of more than one day, else its short time format.
std::string DefaultDateTimeFormat(double range);

class TChartAxisTitle : public TChartFontObject {
 public:
  TChartAxisTitle(TCustomAxisPanel* chart, TChartAxis* axis);
  TChartAxis* Axis() const { return axis_; }
  int Angle() const { return angle_; }
  void SetAngle(int angle);  // 0..360, 360 stored as 0
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { Set(caption_, c); }
  void Assign(const TPersistent& source) override;

 private:
  friend class TChartAxis;
  TChartAxis* axis_;
  int angle_ = 0;
  std::string caption_;
};

class TChartAxis : public TChartFontObject {
 public:
  TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool farSide);
  ~TChartAxis() override;

  bool IsHorizontal() const { return isHorizontal_; }
  bool IsFarSide() const { return isFarSide_; }

  // --- published properties ---
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  bool Automatic() const { return automatic_; }
  void SetAutomatic(bool v);
  bool AutomaticMinimum() const { return automaticMinimum_; }
  void SetAutomaticMinimum(bool v);
  bool AutomaticMaximum() const { return automaticMaximum_; }
  void SetAutomaticMaximum(bool v);
  double Minimum() const { return minimum_; }
  void SetMinimum(double v);
  double Maximum() const { return maximum_; }
  void SetMaximum(double v);
  double Increment() const { return increment_; }
  void SetIncrement(double v);
  bool Logarithmic() const { return logarithmic_; }
  void SetLogarithmic(bool v);
  bool Inverted() const { return inverted_; }
  void SetInverted(bool v) { Set(inverted_, v); }
  bool Labels() const { return labels_; }
  void SetLabels(bool v) { Set(labels_, v); }
  int LabelsAngle() const { return labelsAngle_; }
  void SetLabelsAngle(int angle);
  TFont& LabelsFont() { return Font(); }
  const TFont& LabelsFont() const { return Font(); }
  void SetLabelsFont(const TFont& f) { SetFont(f); }
  bool LabelsOnAxis() const { return labelsOnAxis_; }
  void SetLabelsOnAxis(bool v) { Set(labelsOnAxis_, v); }
  int LabelsSeparation() const { return labelsSeparation_; }
  void SetLabelsSeparation(int v);
  int LabelsSize() const { return labelsSize_; }
  void SetLabelsSize(int v) { Set(labelsSize_, v); }
  TAxisLabelStyle LabelStyle() const { return labelStyle_; }
  void SetLabelStyle(TAxisLabelStyle s) { Set(labelStyle_, s); }
  const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
  void SetAxisValuesFormat(const std::string& f) { Set(axisValuesFormat_, f); }
  const std::string& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(const std::string& f) { Set(dateTimeFormat_, f); }
  bool ExactDateTime() const { return exactDateTime_; }
  void SetExactDateTime(bool v) { Set(exactDateTime_, v); }
  bool RoundFirstLabel() const { return roundFirstLabel_; }
  void SetRoundFirstLabel(bool v) { Set(roundFirstLabel_, v); }
  bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
  void SetTickOnLabelsOnly(bool v) { Set(tickOnLabelsOnly_, v); }
  TChartAxisPen& Axis() { return axisPen_; }
  TChartTickPen& Ticks() { return ticks_; }
  int TickLength() const { return tickLength_; }
  void SetTickLength(int v) { Set(tickLength_, v); }
  TChartTickPen& TicksInner() { return ticksInner_; }
  int TickInnerLength() const { return tickInnerLength_; }
  void SetTickInnerLength(int v) { Set(tickInnerLength_, v); }
  TChartTickPen& MinorTicks() { return minorTicks_; }
  int MinorTickLength() const { return minorTickLength_; }
  void SetMinorTickLength(int v) { Set(minorTickLength_, v); }
  int MinorTickCount() const { return minorTickCount_; }
  void SetMinorTickCount(int v) { Set(minorTickCount_, v); }
  TChartGridPen& Grid() { return grid_; }
  TChartAxisTitle& Title() { return title_; }
  const TChartAxisTitle& Title() const { return title_; }
  int TitleSize() const { return titleSize_; }
  void SetTitleSize(int v) { Set(titleSize_, v); }

  // --- range state (valid from ComputeAutoRange to the end of a paint) ---
  double CurrentMinimum() const { return currentMinimum_; }
  double CurrentMaximum() const { return currentMaximum_; }
  double CurrentRange() const { return currentRange_; }
  bool CachedUsesDateTime() const { return cachedUsesDateTime_; }
  int LinePosition() const { return linePosition_; }
  int DepthLinePosition() const { return depthLinePosition_; }
  int LabelsPosition() const { return labelsPosition_; }
  int TitlePosition() const { return titlePosition_; }

  // --- conversions and label texts ---
  int ValueToPosition(double value) const;
  int HorizontalPosition(double value) const;  // the horizontal mapping, whatever the axis' direction
  int VerticalPosition(double value) const;
  double PositionToValue(int pixel) const;
  std::string FormatAxisLabel(double value);
  bool UsesDateTime() const;
  TAxisLabelStyle ResolvedLabelStyle() const;
  double ComputeLabelStep();
  int WidestLabelWidth();

  // --- range operations ---
  void ComputeAutoRange();
  void SetAxisRange(double aMin, double aMax);
  void FitSeriesMargins(int left, int top, int right, int bottom);

  // --- layout and drawing ---
  void ComputeReservedSize(TRect& rect);
  void DrawAxis(bool recomputeLine);
  bool IsClickOnAxis(int x, int y) const;

  void Assign(const TPersistent& source) override;

 private:
  enum class Side : std::uint8_t { Bottom, Top, Left, Right };
  // Label placement memory for one DrawAxis call.
  struct Placement {
    int lastLabelPos = -1;
    int lastHalfExtent = 0;
    int lastTickPos = -1;
  };
  Side AxisSide() const;
  bool IsLoading() const;
  int MapValue(double value, bool horizontal) const;
  double NumericStep(int maxLabels) const;
  double DateTimeStep(int maxLabels) const;
  int LabelExtentAlongAxis(double value);
  int Reserve(TRect& rect, const TFont& font, int angle, const std::string* titleText, int fixedSize);
  void ShrinkSide(TRect& rect, int amount) const;
  int StepIndex(double step) const;
  void DrawValueLabels(double step, int k, Placement& m);
  void DrawCustomLabels(double step, int k, Placement& m);
  void DrawPointLabels(TChartSeries* series, bool marks, Placement& m);
  void DrawValueLabel(double value, Placement& m);
  double FirstLabelValue(double step, int k) const;
  double CalendarAlign(double x, int k) const;
  double StepBackLabelValue(double v, double step, int k) const;
  void PlaceLabel(const std::string& text, int p, double value, bool overlapTest, Placement& m);
  void DrawLabelText(const std::string& text, int p);
  void DrawPlacedText(int x, int y, const std::string& text, int angle);
  void TicksAndGrid(int p, double value, Placement& m);
  void DrawMinorTicks(int p, int lastTick);
  void DrawTick(int p, int offset, int length);
  void DrawGridLine(int p);
  void DrawTitle();
  void DrawAxisLine(int wallSize);

  bool isHorizontal_;
  bool isFarSide_;
  bool visible_ = true;
  bool automatic_ = true;
  bool automaticMinimum_ = true;
  bool automaticMaximum_ = true;
  double minimum_ = 0;
  double maximum_ = 0;
  double increment_ = 0;
  bool logarithmic_ = false;
  bool inverted_ = false;
  bool labels_ = true;
  int labelsAngle_ = 0;
  bool labelsOnAxis_ = true;
  int labelsSeparation_ = 10;
  int labelsSize_ = 0;
  TAxisLabelStyle labelStyle_ = TAxisLabelStyle::talAuto;
  std::string axisValuesFormat_;
  std::string dateTimeFormat_;
  bool exactDateTime_ = true;
  bool roundFirstLabel_ = true;
  bool tickOnLabelsOnly_ = true;
  TChartAxisPen axisPen_;
  TChartTickPen ticks_;
  int tickLength_ = 4;
  TChartTickPen ticksInner_;
  int tickInnerLength_ = 0;
  TChartTickPen minorTicks_;
  int minorTickLength_ = 2;
  int minorTickCount_ = 3;
  TChartGridPen grid_;
  TChartAxisTitle title_;
  int titleSize_ = 0;

  double currentMinimum_ = 0;
  double currentMaximum_ = 0;
  double currentRange_ = 0;
  bool cachedUsesDateTime_ = false;
  int linePosition_ = 0;
  int depthLinePosition_ = 0;
  int labelsPosition_ = 0;
  int titlePosition_ = 0;
};

}  // namespace tokiwa
