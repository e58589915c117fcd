// Axis layout and drawing on the recording canvas: reserved bands, value labels
// (numeric, date-time, calendar-stepped), custom and point labels, ticks, minor
// ticks, grid lines, the axis line and the click test.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>
#include <set>
#include <string>
#include <vector>

#include "axis_test_support.h"
#include "chart/axis.h"
#include "chart/engine_settings.h"

namespace tokiwa {
namespace {

using axis_test::AxisChart;
using axis_test::Minutes;

// Plot 20..520 x 10..210, so the bottom axis line lies at y = 210.
constexpr int kLineY = 210;

std::vector<RecordedCall> LinesBetween(const AxisChart& c, int y0, int y1) {
  std::vector<RecordedCall> out;
  for (const auto& l : c.Lines())
    if (l.from.Y == y0 && l.to.Y == y1 && l.from.X == l.to.X) out.push_back(l);
  return out;
}

std::string TwoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

struct ViewerBottomAxis : ::testing::Test {
  AxisChart c;
  TChartAxis& axis = c.chart.BottomAxis();
  void SetUp() override {
    c.AddSeries(true);
    axis.SetDateTimeFormat("m/dd h:mm");
    axis.SetIncrement(8.101851851851852e-05);
    axis.SetLabelsAngle(270);
    axis.SetLabelStyle(TAxisLabelStyle::talValue);
    axis.SetMinorTickCount(0);
    axis.SetExactDateTime(false);
  }
  void Draw(double lo, double hi) {
    c.SetRange(axis, lo, hi);
    TRect bands = c.chart.PlotRect();
    axis.ComputeReservedSize(bands);
    c.Canvas().Clear();
    axis.DrawAxis(true);
  }
  // The labels every 5 minutes from `top` minutes down to `bottom` minutes of 6 December.
  static std::vector<std::string> FiveMinuteLabels(int top, int bottom) {
    std::vector<std::string> out;
    for (int m = top; m >= bottom; m -= 5) {
      int day = m >= 1440 ? 7 : 6, mm = m % 1440;
      out.push_back("12/" + TwoDigits(day) + " " + std::to_string(mm / 60) + ":" + TwoDigits(mm % 60));
    }
    return out;
  }
};

TEST_F(ViewerBottomAxis, WorkedExampleTwoHoursOnFiveHundredPixels) {
  const double start = EncodeDate(2024, 12, 6) + Minutes(9 * 60 + 2.5);
  Draw(start, start + 2.0 / 24);
  EXPECT_EQ(c.Canvas().Texts(), FiveMinuteLabels(11 * 60, 9 * 60 + 5));
  const auto texts = c.Canvas().CallsOf(CanvasCall::TextOut);
  for (const auto& t : texts) {
    const int h = std::stoi(t.text.substr(6, t.text.find(':') - 6)), m = std::stoi(t.text.substr(t.text.find(':') + 1));
    const double offset = h * 60 + m - (9 * 60 + 2.5);
    const int p = 20 + static_cast<int>(std::nearbyint(500 * offset / 120));
    EXPECT_EQ(t.from.X, p + 15 / 2) << t.text;
    EXPECT_EQ(t.from.Y, axis.LabelsPosition());
    EXPECT_EQ(t.state.fontAngle, 270);
    EXPECT_EQ(t.state.halign, TextHAlign::Left);
    EXPECT_EQ(t.state.valign, TextVAlign::Top);
  }
  // One tick under each label (offset 1, length 4), no minor ticks.
  EXPECT_EQ(LinesBetween(c, kLineY + 1, kLineY + 5).size(), texts.size());
  EXPECT_TRUE(LinesBetween(c, kLineY + 1, kLineY + 3).empty());
  const RecordedCall* line = c.Canvas().LastOf(CanvasCall::LineTo);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->from, (TPoint{20, kLineY}));
  EXPECT_EQ(line->to, (TPoint{520, kLineY}));
  EXPECT_EQ(line->state.penWidth, 2);
}

TEST_F(ViewerBottomAxis, ExactDateTimeWithSubDayStepsLabelsBothSidesOfMidnight) {
  axis.SetExactDateTime(true);
  axis.SetIncrement(0);
  const double start = EncodeDate(2024, 12, 6) + Minutes(23 * 60 + 2.5);
  Draw(start, start + 2.0 / 24);
  EXPECT_EQ(c.Canvas().Texts(), FiveMinuteLabels(1440 + 60, 23 * 60 + 5));
}

TEST_F(ViewerBottomAxis, ExactDateTimeMonthlyLabelsFallOnTheFirst) {
  axis.SetExactDateTime(true);
  axis.SetIncrement(30);
  axis.SetDateTimeFormat("yyyy/mm/dd");
  Draw(EncodeDate(2022, 1, 10), EncodeDate(2024, 1, 10));
  std::vector<std::string> expected;
  for (int y = 2024, m = 1; y > 2022 || m >= 2;) {
    expected.push_back(std::to_string(y) + "/" + TwoDigits(m) + "/01");
    if (--m == 0) {
      m = 12;
      --y;
    }
  }
  EXPECT_EQ(expected.size(), 24u);
  EXPECT_EQ(c.Canvas().Texts(), expected);
}

TEST_F(ViewerBottomAxis, HalfMonthStepsLabelTheFirstAndTheFifteenth) {
  axis.SetExactDateTime(true);
  axis.SetIncrement(15);
  axis.SetDateTimeFormat("mm/dd");
  Draw(EncodeDate(2024, 1, 3), EncodeDate(2024, 4, 20));
  EXPECT_EQ(c.Canvas().Texts(),
            (std::vector<std::string>{"04/15", "04/01", "03/15", "03/01", "02/15", "02/01", "01/15"}));
}

TEST(AxisDraw, WithoutSeriesOnlyTheAxisLineIsDrawn) {
  AxisChart c;
  TChartAxis& axis = c.chart.BottomAxis();
  axis.ComputeAutoRange();
  axis.DrawAxis(true);
  EXPECT_EQ(c.Canvas().Count(CanvasCall::TextOut), 0);
  ASSERT_EQ(c.Canvas().Count(CanvasCall::LineTo), 1);
  EXPECT_EQ(c.Canvas().LastOf(CanvasCall::LineTo)->from, (TPoint{20, kLineY}));
}

// A numeric bottom axis 0..100 labelled every 20 (100 pixels apart).
struct NumericBottomAxis : ::testing::Test {
  AxisChart c;
  TChartAxis& axis = c.chart.BottomAxis();
  void SetUp() override {
    axis.SetLabelStyle(TAxisLabelStyle::talValue);
    axis.SetLabelsSeparation(0);
    axis.SetIncrement(20);
    axis.SetMinorTickCount(0);
    c.SetRange(axis, 0, 100);
  }
  std::vector<RecordedCall> GridLines() const {
    std::vector<RecordedCall> out;
    for (const auto& l : c.Lines())
      if (l.state.penStyle == TPenStyle::psDot) out.push_back(l);
    return out;
  }
};

TEST_F(NumericBottomAxis, LabelsOnTheEndsAndGridOnlyInside) {
  axis.DrawAxis(true);
  EXPECT_EQ(c.Canvas().Texts(), (std::vector<std::string>{"100", "80", "60", "40", "20", "0"}));
  std::set<int> gridX;
  for (const auto& g : GridLines()) {
    EXPECT_EQ(g.from.Y, kLineY - 1);
    EXPECT_EQ(g.to.Y, 10);
    EXPECT_EQ(g.state.penColor, clGray);
    gridX.insert(g.from.X);
  }
  EXPECT_EQ(gridX, (std::set<int>{120, 220, 320, 420}));

  c.Canvas().Clear();
  axis.SetLabelsOnAxis(false);
  axis.DrawAxis(true);
  EXPECT_EQ(c.Canvas().Texts(), (std::vector<std::string>{"80", "60", "40", "20"}));
  EXPECT_EQ(GridLines().size(), 4u);
}

TEST_F(NumericBottomAxis, MinorTicksSplitEachGapFromTheSecondTickOn) {
  axis.SetMinorTickCount(3);
  axis.DrawAxis(true);
  std::set<int> minorX;
  for (const auto& t : LinesBetween(c, kLineY + 1, kLineY + 3)) minorX.insert(t.from.X);
  std::set<int> expected;
  for (int tick = 120; tick <= 520; tick += 100)
    for (int i = 1; i <= 3; ++i) expected.insert(tick - 25 * i);
  EXPECT_EQ(minorX, expected);
}

TEST_F(NumericBottomAxis, TooManyStepsDrawNoLabels) {
  axis.SetIncrement(0);
  c.SetRange(axis, 0, 100000);  // step 1: 100000 steps
  axis.DrawAxis(true);
  EXPECT_EQ(c.Canvas().Count(CanvasCall::TextOut), 0);
  axis.SetIncrement(1);
  c.SetRange(axis, 3e9, 3e9 + 50);  // 3e9 steps from zero
  axis.DrawAxis(true);
  EXPECT_EQ(c.Canvas().Count(CanvasCall::TextOut), 0);
}

TEST_F(NumericBottomAxis, CustomLabelsStopAfterAThousandAndOneCalls) {
  c.SetRange(axis, 0, 1e9);
  int calls = 0;
  c.chart.OnGetNextAxisLabel = [&](TChartAxis*, int index, double& value, bool& stop) {
    ++calls;
    value = index * 10.0;
    stop = false;
  };
  axis.DrawAxis(true);
  EXPECT_EQ(calls, 1001);
  EXPECT_EQ(c.Canvas().Count(CanvasCall::TextOut), 1001);

  // Stopping at the first call falls back to the value labels.
  c.SetRange(axis, 0, 100);
  c.Canvas().Clear();
  c.chart.OnGetNextAxisLabel = [&](TChartAxis*, int, double&, bool&) {};
  axis.DrawAxis(true);
  EXPECT_EQ(c.Canvas().Count(CanvasCall::TextOut), 6);
}

TEST(AxisDraw, PointLabelsThatWouldOverlapAreSkipped) {
  AxisChart c;
  TChartSeries& s = c.AddSeries(false);
  for (double x : {10.0, 11.0, 30.0, 60.0}) s.AppendPoint(x, 1, "AAA" + std::to_string(static_cast<int>(x)));
  TChartAxis& axis = c.chart.BottomAxis();
  axis.SetLabelStyle(TAxisLabelStyle::talText);
  c.SetRange(axis, 0, 100);
  axis.DrawAxis(true);
  // "AAA11" at 75 pixels overlaps "AAA10" at 70 (half extents of 21 each).
  EXPECT_EQ(c.Canvas().Texts(), (std::vector<std::string>{"AAA10", "AAA30", "AAA60"}));
  EXPECT_EQ(LinesBetween(c, kLineY + 1, kLineY + 5).size(), 3u);
}

TEST(AxisDraw, LabelOverlapIsMeasuredInTheLabelsFontAfterATitle) {
  AxisChart c;
  TChartSeries& s = c.AddSeries(false);
  s.AppendPoint(10, 1, "a");
  s.AppendPoint(14, 1, "b");  // 20 pixels further
  TChartAxis& axis = c.chart.BottomAxis();
  axis.SetLabelStyle(TAxisLabelStyle::talText);
  axis.SetLabelsAngle(90);  // extent = line height: 15 + 3 = 18 in the labels' font
  axis.Title().SetCaption("Title");
  axis.Title().Font().SetHeight(-40);  // 43 + 8 in the title's font
  c.SetRange(axis, 0, 100);
  axis.DrawAxis(true);
  const auto texts = c.Canvas().Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "b"), 1);
}

TEST_F(ViewerBottomAxis, CalendarSteppingBeyondTheCalendarDoesNotRaise) {
  axis.SetExactDateTime(true);
  axis.SetIncrement(30);
  EXPECT_NO_THROW(Draw(3e6, 3e6 + 730));
  EXPECT_GT(c.Canvas().Count(CanvasCall::TextOut), 0);
}

TEST(AxisLayout, BandsAreTakenFromTheOutsideIn) {
  AxisChart c;
  TChartAxis& bottom = c.chart.BottomAxis();
  bottom.Title().SetCaption("Time");
  TRect r = c.chart.PlotRect();
  bottom.ComputeReservedSize(r);
  EXPECT_EQ(bottom.TitlePosition(), 195);   // title line height 15
  EXPECT_EQ(bottom.LabelsPosition(), 180);  // flat labels: one line
  EXPECT_EQ(r.Bottom, 174);                 // axis pen 2 + tick 4
  EXPECT_EQ(r.Top, 10);

  TChartAxis& left = c.chart.LeftAxis();
  left.SetLabelStyle(TAxisLabelStyle::talValue);
  c.SetRange(left, 0, 100);
  r = c.chart.PlotRect();
  left.ComputeReservedSize(r);
  // Step 10 (12 lines of 17 fit in 200): "100" and a space, 7 pixels each.
  EXPECT_EQ(left.LabelsPosition(), 20 + 28);
  EXPECT_EQ(r.Left, 20 + 28 + 6);
  left.SetLabelsSize(40);
  r = c.chart.PlotRect();
  left.ComputeReservedSize(r);
  EXPECT_EQ(left.LabelsPosition(), 60);
}

TEST(AxisLayout, TextPlacementOnVerticalAxes) {
  AxisChart c;
  TChartAxis& left = c.chart.LeftAxis();
  left.SetLabelStyle(TAxisLabelStyle::talValue);
  left.SetIncrement(50);
  left.SetLabelsSeparation(0);
  left.Title().SetCaption("Y");
  c.SetRange(left, 0, 100);
  TRect r = c.chart.PlotRect();
  left.ComputeReservedSize(r);
  left.DrawAxis(true);
  const RecordedCall* label = c.Canvas().FindText("50");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->from, (TPoint{left.LabelsPosition(), 110 - 15 / 2}));
  EXPECT_EQ(label->state.halign, TextHAlign::Right);
  EXPECT_EQ(label->state.valign, TextVAlign::Top);
  const RecordedCall* title = c.Canvas().FindText("Y");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->from, (TPoint{left.TitlePosition(), c.chart.PlotCenterY()}));
  EXPECT_EQ(title->state.fontAngle, 90);
  EXPECT_EQ(title->state.halign, TextHAlign::Center);
  EXPECT_EQ(title->state.valign, TextVAlign::Bottom);
  EXPECT_EQ(c.Canvas().State().halign, TextHAlign::Left);  // reset afterwards

  TChartAxis& right = c.chart.RightAxis();
  right.SetLabelStyle(TAxisLabelStyle::talValue);
  right.SetIncrement(50);
  right.SetLabelsSeparation(0);
  right.SetLabelsAngle(180);
  c.SetRange(right, 0, 100);
  r = c.chart.PlotRect();
  right.ComputeReservedSize(r);
  c.Canvas().Clear();
  right.DrawAxis(true);
  label = c.Canvas().FindText("50");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->from, (TPoint{right.LabelsPosition(), 110 + 15 / 2}));
  EXPECT_EQ(label->state.halign, TextHAlign::Right);
}

TEST_F(NumericBottomAxis, GridLinesIn3DStartWithASolidSegment) {
  c.chart.SetView3D(true);
  c.chart.SetView3DWalls(false);
  c.chart.SetTopDepthSlot(0);
  c.chart.ComputeDepth();
  const int dx = c.chart.DepthX(), dy = c.chart.DepthY();
  ASSERT_GT(dx, 0);
  axis.DrawAxis(true);
  const auto lines = c.Lines();
  auto solid = std::find_if(lines.begin(), lines.end(), [](const RecordedCall& l) {
    return l.from == TPoint{120, kLineY - 1};
  });
  ASSERT_NE(solid, lines.end());
  EXPECT_EQ(solid->to, (TPoint{120 + dx, kLineY - dy - 1}));
  EXPECT_EQ(solid->state.penStyle, TPenStyle::psSolid);
  ASSERT_NE(solid + 1, lines.end());
  EXPECT_EQ((solid + 1)->to, (TPoint{120 + dx, 10 - dy}));
  EXPECT_EQ((solid + 1)->state.penStyle, TPenStyle::psDot);
}

TEST(AxisDraw, ExtremeSettingsNeitherRaiseNorOverflow) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::pair<double, double> ranges[] = {{0, 1e308},  {-1e308, 1e308}, {-inf, inf}, {nan, 5},
                                              {1, 1 + 1e-12}, {-5, -1},     {3e6, 3.1e6}, {0, 1e-300}};
  for (bool dateTime : {false, true}) {
    AxisChart c;
    TChartSeries& s = c.AddSeries(dateTime);
    s.AppendPoint(1, 1, "label");
    for (TChartAxis* axis : {&c.chart.BottomAxis(), &c.chart.TopAxis(), &c.chart.LeftAxis(), &c.chart.RightAxis()}) {
      axis->SetMinorTickCount(INT_MAX);
      axis->SetTickLength(INT_MAX);
      axis->SetTickInnerLength(INT_MIN);
      axis->SetLabelsSeparation(INT_MAX);
      axis->SetLabelsAngle(45);
      axis->SetTickOnLabelsOnly(false);
      axis->Title().SetCaption("t");
      for (auto style : {TAxisLabelStyle::talValue, TAxisLabelStyle::talText, TAxisLabelStyle::talMark}) {
        axis->SetLabelStyle(style);
        for (double increment : {0.0, 15.0, 1e300}) {
          axis->SetIncrement(increment);
          for (auto [lo, hi] : ranges) {
            axis->SetAxisRange(lo, hi);
            axis->ComputeAutoRange();
            TRect r = c.chart.PlotRect();
            EXPECT_NO_THROW(axis->ComputeReservedSize(r));
            EXPECT_NO_THROW(axis->FitSeriesMargins(INT_MAX, INT_MAX, INT_MAX, INT_MAX));
            EXPECT_NO_THROW(axis->DrawAxis(true));
            c.Canvas().Clear();
          }
        }
      }
    }
  }
}

TEST(AxisClick, ToleranceAroundTheLine) {
  AxisChart c;
  TChartAxis& bottom = c.chart.BottomAxis();
  bottom.DrawAxis(true);
  ASSERT_EQ(EngineSettings().ClickTolerance, 12);
  EXPECT_TRUE(bottom.IsClickOnAxis(100, kLineY + 11));
  EXPECT_TRUE(bottom.IsClickOnAxis(100, kLineY - 11));
  EXPECT_FALSE(bottom.IsClickOnAxis(100, kLineY + 12));
  EXPECT_FALSE(bottom.IsClickOnAxis(100, kLineY - 12));
  EXPECT_TRUE(bottom.IsClickOnAxis(520, kLineY));
  EXPECT_FALSE(bottom.IsClickOnAxis(521, kLineY));
  bottom.SetVisible(false);
  EXPECT_FALSE(bottom.IsClickOnAxis(100, kLineY));
}

}  // namespace
}  // namespace tokiwa
