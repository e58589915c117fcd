// The axis object: checked setters, assignment, the range operations, the
// value-to-pixel mapping and the label texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "axis_test_support.h"
#include "chart/axis.h"
#include "chart/chart_exceptions.h"
#include "runtime/format.h"
#include "runtime/messages.h"

namespace tokiwa {
namespace {

using axis_test::AxisChart;

template <class E, class F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const E& e) {
    return e.what();
  }
  return "(nothing raised)";
}

TEST(AxisSettings, TitleAnglesFollowTheSideAndChecksRefuseBadValues) {
  AxisChart c;
  EXPECT_EQ(c.chart.LeftAxis().Title().Angle(), 90);
  EXPECT_EQ(c.chart.RightAxis().Title().Angle(), 270);
  EXPECT_EQ(c.chart.BottomAxis().Title().Angle(), 0);
  EXPECT_EQ(c.chart.BottomAxis().AxisValuesFormat(), msg::DefaultValueFormat);

  TChartAxis& axis = c.chart.BottomAxis();
  axis.SetLabelsAngle(90);
  axis.SetLabelsAngle(360);
  EXPECT_EQ(axis.LabelsAngle(), 0);
  const std::string labelsMsg = FormatText(msg::AngleRange, {Arg(msg::AxisLabelsWord)});
  EXPECT_EQ(MessageOf<ChartException>([&] { axis.SetLabelsAngle(361); }), labelsMsg);
  EXPECT_EQ(MessageOf<ChartException>([&] { axis.SetLabelsAngle(-1); }), labelsMsg);
  EXPECT_EQ(axis.LabelsAngle(), 0);
  const std::string titleMsg = FormatText(msg::AngleRange, {Arg(msg::AxisTitleWord)});
  EXPECT_EQ(MessageOf<ChartException>([&] { axis.Title().SetAngle(400); }), titleMsg);
  axis.Title().SetAngle(360);
  EXPECT_EQ(axis.Title().Angle(), 0);
}

TEST(AxisSettings, RangeEndsIncrementAndSeparationAreChecked) {
  AxisChart c;
  TChartAxis& axis = c.chart.LeftAxis();
  axis.SetMaximum(5);
  EXPECT_EQ(MessageOf<AxisException>([&] { axis.SetMinimum(10); }), msg::AxisMinAboveMax);
  EXPECT_EQ(axis.Minimum(), 0);
  EXPECT_EQ(MessageOf<AxisException>([&] { axis.SetMaximum(-1); }), msg::AxisMaxBelowMin);
  EXPECT_EQ(axis.Maximum(), 5);
  EXPECT_EQ(MessageOf<AxisException>([&] { axis.SetIncrement(-0.5); }), msg::NegativeIncrement);
  EXPECT_EQ(MessageOf<AxisException>([&] { axis.SetLabelsSeparation(-1); }), msg::NegativeLabelsSeparation);
  EXPECT_EQ(axis.LabelsSeparation(), 10);
  // Stored forms may list the ends in any order.
  c.chart.SetLoading(true);
  axis.SetMinimum(10);
  EXPECT_EQ(axis.Minimum(), 10);
  c.chart.SetLoading(false);
}

TEST(AxisSettings, AutomaticFlagsAndRepaintOnlyOnChange) {
  AxisChart c;
  TChartAxis& axis = c.chart.BottomAxis();
  int before = c.host.InvalidateCount;
  axis.SetLabelsSize(0);
  axis.SetTickLength(4);
  EXPECT_EQ(c.host.InvalidateCount, before);
  axis.SetTickLength(6);
  axis.Grid().SetColor(clRed);
  EXPECT_EQ(c.host.InvalidateCount, before + 2);

  axis.SetAutomaticMinimum(false);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_TRUE(axis.AutomaticMaximum());
  axis.SetAutomatic(true);
  EXPECT_TRUE(axis.AutomaticMinimum());
  axis.SetAutomatic(false);
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  c.chart.SetLoading(true);
  axis.SetAutomatic(true);  // while loading the ends keep their own flags
  EXPECT_FALSE(axis.AutomaticMaximum());
  c.chart.SetLoading(false);
}

TEST(AxisRange, SetAxisRangeOrdersTheEndsAndKeepsAMinimumWidth) {
  AxisChart c;
  TChartAxis& axis = c.chart.BottomAxis();
  axis.SetAxisRange(5, 5);
  EXPECT_EQ(axis.Minimum(), 5);
  EXPECT_DOUBLE_EQ(axis.Maximum(), 5.001);
  axis.SetAutomatic(true);
  axis.SetAxisRange(10, 2);
  EXPECT_EQ(axis.Minimum(), 2);
  EXPECT_EQ(axis.Maximum(), 10);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  // The current range follows at the next ComputeAutoRange.
  EXPECT_EQ(axis.CurrentRange(), 0);
  axis.ComputeAutoRange();
  EXPECT_EQ(axis.CurrentRange(), 8);
}

TEST(AxisRange, WithoutSeriesEveryValueMapsToThePlotCentre) {
  AxisChart c;
  for (TChartAxis* axis : {&c.chart.BottomAxis(), &c.chart.LeftAxis()}) {
    axis->ComputeAutoRange();
    EXPECT_EQ(axis->CurrentMinimum(), 0);
    EXPECT_EQ(axis->CurrentRange(), 0);
  }
  EXPECT_EQ(c.chart.BottomAxis().ValueToPosition(123), c.chart.PlotCenterX());
  EXPECT_EQ(c.chart.LeftAxis().ValueToPosition(-7), c.chart.PlotCenterY());
  EXPECT_EQ(c.chart.BottomAxis().ResolvedLabelStyle(), TAxisLabelStyle::talNone);
  c.chart.BottomAxis().SetLabelStyle(TAxisLabelStyle::talMark);
  EXPECT_EQ(c.chart.BottomAxis().ResolvedLabelStyle(), TAxisLabelStyle::talMark);
}

TEST(AxisMapping, LinearInvertedAndBack) {
  AxisChart c;  // plot 20..520 x 10..210
  TChartAxis& bottom = c.chart.BottomAxis();
  TChartAxis& left = c.chart.LeftAxis();
  c.SetRange(bottom, 0, 100);
  c.SetRange(left, 0, 100);
  EXPECT_EQ(bottom.ValueToPosition(0), 20);
  EXPECT_EQ(bottom.ValueToPosition(25), 145);
  EXPECT_EQ(left.ValueToPosition(0), 210);
  EXPECT_EQ(left.ValueToPosition(25), 160);
  EXPECT_DOUBLE_EQ(bottom.PositionToValue(145), 25);
  EXPECT_DOUBLE_EQ(left.PositionToValue(160), 25);
  // The directional forms use the other direction's pixels with this range.
  EXPECT_EQ(bottom.VerticalPosition(25), 160);
  EXPECT_EQ(left.HorizontalPosition(25), 145);

  bottom.SetInverted(true);
  left.SetInverted(true);
  EXPECT_EQ(bottom.ValueToPosition(25), 395);
  EXPECT_EQ(left.ValueToPosition(25), 60);
  EXPECT_DOUBLE_EQ(bottom.PositionToValue(395), 25);
  EXPECT_DOUBLE_EQ(left.PositionToValue(60), 25);

  bottom.SetInverted(false);
  c.SetRange(bottom, 0, 1000);  // half a pixel per unit: halves go to the even pixel
  EXPECT_EQ(bottom.ValueToPosition(3), 22);
  EXPECT_EQ(bottom.ValueToPosition(5), 22);
}

TEST(AxisMapping, LogarithmicAndDegenerateInputs) {
  AxisChart c;
  TChartAxis& bottom = c.chart.BottomAxis();
  c.SetRange(bottom, 1, 100);
  bottom.SetLogarithmic(true);
  EXPECT_EQ(bottom.ValueToPosition(10), 270);
  EXPECT_EQ(bottom.ValueToPosition(0), 20);
  EXPECT_NEAR(bottom.PositionToValue(270), 10, 1e-9);
  bottom.SetInverted(true);  // no effect on logarithmic axes
  EXPECT_EQ(bottom.ValueToPosition(10), 270);

  bottom.SetLogarithmic(false);
  bottom.SetInverted(false);
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(bottom.ValueToPosition(1e300), INT_MAX);
  EXPECT_LT(bottom.ValueToPosition(-inf), -2000000000);
  EXPECT_EQ(bottom.ValueToPosition(std::nan("")), 20);
  c.SetPlot({20, 10, 20, 210});
  EXPECT_EQ(bottom.PositionToValue(40), 0);
}

TEST(AxisMapping, FitSeriesMarginsWidensTheCurrentRange) {
  AxisChart c;
  c.SetPlot({0, 0, 100, 100});
  TChartAxis& bottom = c.chart.BottomAxis();
  TChartAxis& left = c.chart.LeftAxis();
  c.SetRange(bottom, 0, 100);
  c.SetRange(left, 0, 100);
  bottom.FitSeriesMargins(10, 0, 10, 0);
  EXPECT_DOUBLE_EQ(bottom.CurrentMinimum(), -12.5);
  EXPECT_DOUBLE_EQ(bottom.CurrentMaximum(), 112.5);
  EXPECT_DOUBLE_EQ(bottom.CurrentRange(), 125);
  EXPECT_EQ(bottom.Maximum(), 100);
  left.FitSeriesMargins(0, 20, 0, 5);
  EXPECT_DOUBLE_EQ(left.CurrentMinimum(), -100.0 / 15);
  EXPECT_DOUBLE_EQ(left.CurrentMaximum(), 100 + 400.0 / 15);
  EXPECT_EQ(c.chart.PlotRect(), (TRect{0, 0, 100, 100}));
  EXPECT_EQ(c.chart.PlotWidth(), 100);
  // No margins: the range stays exactly as it was.
  c.SetRange(bottom, 0.1, 0.7);
  bottom.FitSeriesMargins(0, 0, 0, 0);
  EXPECT_EQ(bottom.CurrentMinimum(), 0.1);
  EXPECT_EQ(bottom.CurrentMaximum(), 0.7);
}

TEST(AxisRange, LogarithmicIsRefusedOnDateTimeAxesAndNegativeRanges) {
  AxisChart c;
  TChartSeries& s = c.AddSeries(true);
  s.AppendPoint(-5, 1, "");
  s.AppendPoint(10, 2, "");
  TChartAxis& bottom = c.chart.BottomAxis();
  EXPECT_EQ(MessageOf<AxisException>([&] { bottom.SetLogarithmic(true); }), msg::LogDateTimeAxis);
  s.XValues().SetDateTime(false);
  EXPECT_EQ(MessageOf<AxisException>([&] { bottom.SetLogarithmic(true); }), msg::LogNegativeRange);
  EXPECT_FALSE(bottom.Logarithmic());
  EXPECT_EQ(bottom.CurrentMinimum(), -5);  // recomputed by the check
  s.XValues().SetValueAt(0, 0);
  bottom.SetLogarithmic(true);  // zero is allowed
  EXPECT_TRUE(bottom.Logarithmic());
}

TEST(AxisLabels, NumberAndDateTimeTexts) {
  AxisChart c;
  TChartAxis& bottom = c.chart.BottomAxis();
  EXPECT_EQ(bottom.FormatAxisLabel(1234.5678), "1,234.568");
  EXPECT_EQ(bottom.FormatAxisLabel(2), "2");

  c.AddSeries(true);
  c.RefreshDateTimeFlag(bottom);
  const double day = EncodeDate(2024, 12, 6) + 9.0 / 24 + 5.0 / 1440;
  c.SetRange(bottom, day - 3, day);
  EXPECT_EQ(bottom.FormatAxisLabel(day), "2024/12/06");
  c.SetRange(bottom, day - 0.5, day);
  EXPECT_EQ(bottom.FormatAxisLabel(day), "9:05");
  EXPECT_EQ(bottom.FormatAxisLabel(-0.25), "");
  bottom.SetDateTimeFormat("m/dd h:mm");
  EXPECT_EQ(bottom.FormatAxisLabel(day), "12/06 9:05");

  TChartAxis* sender = nullptr;
  int index = 0;
  c.chart.OnGetAxisLabel = [&](TChartAxis* a, TChartSeries* s, int i, std::string& text) {
    sender = a;
    index = i;
    EXPECT_EQ(s, nullptr);
    text = "<" + text + ">";
  };
  EXPECT_EQ(bottom.FormatAxisLabel(day), "<12/06 9:05>");
  EXPECT_EQ(sender, &bottom);
  EXPECT_EQ(index, -1);
}

TEST(AxisLabels, WidestLabelWidthMeasuresWithoutTheLabelHandler) {
  AxisChart c;
  TChartAxis& bottom = c.chart.BottomAxis();
  bottom.SetLabelStyle(TAxisLabelStyle::talValue);
  c.SetRange(bottom, 0, 12345);
  std::vector<std::string> seen;
  c.chart.OnGetAxisLabel = [&](TChartAxis*, TChartSeries*, int, std::string& text) {
    seen.push_back(text);
    text = "a much longer label text";
  };
  // The step (which the handler does see) decides the rounded ends measured.
  c.chart.ApplyFont(bottom.LabelsFont());
  const int step = static_cast<int>(bottom.ComputeLabelStep());
  seen.clear();
  const int widest = bottom.WidestLabelWidth();
  const std::string top = FormatFloat("#,##0.###", 12345 / step * step, JapaneseFormatSettings());
  EXPECT_EQ(std::count(seen.begin(), seen.end(), top), 0);
  EXPECT_EQ(widest, c.chart.TextWidthOf(top) + c.chart.TextWidthOf(" "));
  ASSERT_TRUE(c.chart.OnGetAxisLabel);  // attached again afterwards
  EXPECT_EQ(bottom.FormatAxisLabel(1), "a much longer label text");
}

TEST(AxisSettings, AssignCopiesSettingsButNotTheRange) {
  AxisChart c;
  TChartAxis& from = c.chart.LeftAxis();
  TChartAxis& to = c.chart.RightAxis();
  from.SetAxisRange(-3, 7);
  from.SetLabelsAngle(90);
  from.SetIncrement(0.5);
  from.SetDateTimeFormat("h:mm");
  from.Title().SetCaption("t");
  from.Grid().SetColor(clRed);
  from.LabelsFont().SetHeight(-20);
  from.SetLogarithmic(false);
  from.SetExactDateTime(false);
  from.ComputeAutoRange();
  to.Assign(from);
  EXPECT_EQ(to.Minimum(), -3);
  EXPECT_EQ(to.Maximum(), 7);
  EXPECT_FALSE(to.Automatic());
  EXPECT_EQ(to.LabelsAngle(), 90);
  EXPECT_EQ(to.Increment(), 0.5);
  EXPECT_EQ(to.DateTimeFormat(), "h:mm");
  EXPECT_EQ(to.Title().Caption(), "t");
  EXPECT_EQ(to.Title().Angle(), 90);
  EXPECT_EQ(to.Grid().Color(), clRed);
  EXPECT_EQ(to.Grid().Style(), TPenStyle::psDot);
  EXPECT_EQ(to.LabelsFont().Height(), -20);
  EXPECT_FALSE(to.ExactDateTime());
  EXPECT_TRUE(to.IsFarSide());
  EXPECT_EQ(to.CurrentRange(), 0);
}

}  // namespace
}  // namespace tokiwa
