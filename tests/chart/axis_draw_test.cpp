// Axis layout and drawing on the recording canvas: reserved bands, value labels
// (numeric, date-time, calendar-stepped), custom and point labels, ticks, minor
// ticks, grid lines, the axis line and the click test.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
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

// Where value labels start, and ticks with and without label texts.
TEST_F(NumericBottomAxis, ValueLabelsStartTicksAndRanges) {
  struct Row {
    const char* what;
    std::function<void()> setup;
    std::vector<std::string> texts;
    size_t ticks;
  };
  const Row rows[] = {
      {"first label rounded down to a step", [&] { c.SetRange(axis, 0, 95); },
       {"80", "60", "40", "20", "0"}, 5},
      {"first label on the maximum",
       [&] {
         axis.SetRoundFirstLabel(false);
         c.SetRange(axis, 0, 95);
       },
       {"95", "75", "55", "35", "15"}, 5},
      {"ticks drawn before the labels", [&] { axis.SetTickOnLabelsOnly(false); },
       {"100", "80", "60", "40", "20", "0"}, 6},
      {"ticks without label texts",
       [&] {
         axis.SetTickOnLabelsOnly(false);
         axis.SetLabels(false);
       },
       {}, 6},
      {"no texts, no ticks without labels", [&] { axis.SetLabels(false); }, {}, 0},
      {"a negative range draws only the line",
       [&] {
         c.AddSeries(false).AppendPoint(50, 1, "");
         axis.SetMinimum(-20);
         axis.SetMaximum(-10);
         axis.SetAutomaticMinimum(true);
         axis.ComputeAutoRange();
       },
       {}, 0},
  };
  for (const Row& row : rows) {
    SetUp();
    axis.SetRoundFirstLabel(true);
    axis.SetTickOnLabelsOnly(true);
    axis.SetLabels(true);
    row.setup();
    c.Canvas().Clear();
    axis.DrawAxis(true);
    EXPECT_EQ(c.Canvas().Texts(), row.texts) << row.what;
    EXPECT_EQ(LinesBetween(c, kLineY + 1, kLineY + 5).size(), row.ticks) << row.what;
    EXPECT_EQ(c.Canvas().LastOf(CanvasCall::LineTo)->to, (TPoint{520, kLineY})) << row.what;  // the axis line
  }
}

// Mark texts come from the first series on the axis, point labels from the
// first one that has labels.
TEST(AxisDraw, MarkAndTextLabelsChooseTheirSeries) {
  AxisChart c;
  TChartSeries& values = c.AddSeries(false);
  values.Marks().SetStyle(TSeriesMarksStyle::smsValue);
  values.AppendPoint(20, 7, "");
  values.AppendPoint(60, 8, "");
  TChartSeries& labelled = c.AddSeries(false);
  labelled.AppendPoint(40, 1, "b");
  TChartAxis& axis = c.chart.BottomAxis();
  c.SetRange(axis, 0, 100);
  axis.SetLabelStyle(TAxisLabelStyle::talMark);
  axis.DrawAxis(true);
  EXPECT_EQ(c.Canvas().Texts(), (std::vector<std::string>{"7", "8"}));
  c.Canvas().Clear();
  axis.SetLabelStyle(TAxisLabelStyle::talText);
  axis.DrawAxis(true);
  EXPECT_EQ(c.Canvas().Texts(), (std::vector<std::string>{"b"}));
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
  double spacing = 10;
  c.chart.OnGetNextAxisLabel = [&](TChartAxis*, int index, double& value, bool& stop) {
    ++calls;
    value = index * spacing;
    stop = false;
  };
  axis.DrawAxis(true);
  EXPECT_EQ(calls, 1001);
  EXPECT_EQ(c.Canvas().Count(CanvasCall::TextOut), 1001);

  // A value past the range ends the labels.
  c.SetRange(axis, 0, 100);
  c.Canvas().Clear();
  calls = 0;
  spacing = 30;
  axis.DrawAxis(true);
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(c.Canvas().Texts(), (std::vector<std::string>{"0", "30", "60", "90"}));

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
  // One pixel per unit from x = 20; five-letter labels take 35 + 7 pixels, half 21.
  for (double x : {10.0, 52.0, 93.0, 94.0}) s.AppendPoint(x, 1, "AAA" + std::to_string(static_cast<int>(x)));
  TChartAxis& axis = c.chart.BottomAxis();
  axis.SetLabelStyle(TAxisLabelStyle::talText);
  c.SetRange(axis, 0, 500);
  axis.DrawAxis(true);
  // 52 exactly touches 10 and is drawn; 93 would overlap 52 by one pixel; 94 touches it.
  EXPECT_EQ(c.Canvas().Texts(), (std::vector<std::string>{"AAA10", "AAA52", "AAA94"}));
  EXPECT_EQ(LinesBetween(c, kLineY + 1, kLineY + 5).size(), 3u);  // ticks only at drawn labels
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

// Labels and titles on every side at every kind of angle, flat and in 3D:
// the alignment, the shift by half a line and the depth offset of the far sides.
TEST(AxisLayout, TextPlacementBySideAndAngle) {
  using H = TextHAlign;
  using V = TextVAlign;
  struct Row {
    int angle;
    std::pair<H, V> place[4];  // bottom, top, left, right
    int shiftX, shiftY;  // in half lines: x on horizontal axes, y on vertical ones
  };
  const Row rows[] = {
      {0, {{H::Center, V::Top}, {H::Center, V::Bottom}, {H::Right, V::Top}, {H::Left, V::Top}}, 0, -1},
      {90, {{H::Right, V::Top}, {H::Left, V::Top}, {H::Center, V::Bottom}, {H::Center, V::Top}}, -1, 0},
      {180, {{H::Center, V::Bottom}, {H::Center, V::Top}, {H::Left, V::Top}, {H::Right, V::Top}}, 0, 1},
      {270, {{H::Left, V::Top}, {H::Right, V::Top}, {H::Center, V::Top}, {H::Center, V::Bottom}}, 1, 0},
      {45, {{H::Left, V::Top}, {H::Left, V::Top}, {H::Left, V::Top}, {H::Left, V::Top}}, 0, 0},
  };
  constexpr int kHalfLine = 8;  // lines 16 high
  for (bool view3D : {false, true}) {
    for (const Row& row : rows) {
      AxisChart c;
      c.Canvas().CharHeight = 2 * kHalfLine;
      c.chart.SetView3D(view3D);
      c.chart.SetView3DWalls(false);
      c.chart.ComputeDepth();
      ASSERT_EQ(c.chart.DepthX() > 0, view3D);
      TChartAxis* axes[4] = {&c.chart.BottomAxis(), &c.chart.TopAxis(), &c.chart.LeftAxis(), &c.chart.RightAxis()};
      for (int side = 0; side < 4; ++side) {
        TChartAxis& axis = *axes[side];
        const bool horizontal = side < 2;
        axis.SetLabelStyle(TAxisLabelStyle::talValue);
        axis.SetIncrement(50);
        axis.SetLabelsSeparation(0);
        axis.SetLabelsAngle(row.angle);
        axis.Title().SetCaption("T");
        axis.Title().SetAngle(row.angle);
        c.SetRange(axis, 0, 100);
        TRect r = c.chart.PlotRect();
        axis.ComputeReservedSize(r);
        c.Canvas().Clear();
        axis.DrawAxis(true);
        const bool farSide = side == 1 || side == 3;
        const TPoint depth = farSide ? TPoint{c.chart.DepthX(), -c.chart.DepthY()} : TPoint{0, 0};
        const TPoint shift = horizontal ? TPoint{row.shiftX * kHalfLine, 0} : TPoint{0, row.shiftY * kHalfLine};
        const int p = axis.ValueToPosition(50);
        const TPoint labelAt = horizontal ? TPoint{p, axis.LabelsPosition()} : TPoint{axis.LabelsPosition(), p};
        const TPoint titleAt = horizontal ? TPoint{c.chart.PlotCenterX(), axis.TitlePosition()}
                                          : TPoint{axis.TitlePosition(), c.chart.PlotCenterY()};
        const std::string where = "side " + std::to_string(side) + ", angle " + std::to_string(row.angle) +
                                  (view3D ? ", 3D" : ", flat");
        for (auto [text, at] : {std::pair{"50", labelAt}, std::pair{"T", titleAt}}) {
          const RecordedCall* call = c.Canvas().FindText(text);
          ASSERT_NE(call, nullptr) << where;
          EXPECT_EQ(call->from, (TPoint{at.X + shift.X + depth.X, at.Y + shift.Y + depth.Y})) << text << ", " << where;
          EXPECT_EQ(std::pair(call->state.halign, call->state.valign), row.place[side]) << text << ", " << where;
          EXPECT_EQ(call->state.fontAngle, row.angle) << where;
        }
        EXPECT_EQ(c.Canvas().State().halign, H::Left) << where;  // reset afterwards
      }
    }
  }
}

// One label inside the range (at 50 of 0..100) on each side, flat and in 3D:
// its outer tick, its inner tick, its grid line (3D grids start with a solid
// segment to the back plane) and the axis line.
TEST(AxisDraw, TicksGridAndAxisLineOnEverySide) {
  struct Segment {
    TPoint from, to;
    TPenStyle style = TPenStyle::psSolid;
  };
  for (bool view3D : {false, true}) {
    AxisChart c;
    c.chart.SetView3D(view3D);
    c.chart.SetView3DWalls(false);
    c.chart.ComputeDepth();
    const int dx = c.chart.DepthX(), dy = c.chart.DepthY();
    const TRect& plot = c.chart.PlotRect();
    const int L = plot.Left, T = plot.Top, R = plot.Right, B = plot.Bottom;
    TChartAxis* axes[4] = {&c.chart.BottomAxis(), &c.chart.TopAxis(), &c.chart.LeftAxis(), &c.chart.RightAxis()};
    for (int side = 0; side < 4; ++side) {
      TChartAxis& axis = *axes[side];
      axis.SetLabelStyle(TAxisLabelStyle::talValue);
      axis.SetIncrement(50);
      axis.SetLabelsSeparation(0);
      axis.SetMinorTickCount(0);
      axis.TicksInner().SetVisible(true);
      axis.SetTickInnerLength(3);
      c.SetRange(axis, 0, 100);
      c.Canvas().Clear();
      axis.DrawAxis(true);
      const int p = axis.ValueToPosition(50);
      const int edges[4] = {B, T, L, R};  // the plot's edge on each side
      const int line = edges[side];
      const int depthLine = side == 1 ? T - dy : side == 3 ? R + dx : line;
      const auto dot = TPenStyle::psDot;
      std::vector<Segment> expected;
      switch (side) {
        case 0:
          expected = {{{p, line + 1}, {p, line + 5}}, {{p, line - 1}, {p, line - 4}}, {{L, line}, {R, line}}};
          if (view3D)
            expected.insert(expected.end(), {{{p, line - 1}, {p + dx, line - dy - 1}},
                                             {{p + dx, line - dy - 1}, {p + dx, T - dy}, dot}});
          else
            expected.push_back({{p, line - 1}, {p, T}, dot});
          break;
        case 1:
          expected = {{{p + dx, line - 1 - dy}, {p + dx, line - 5 - dy}},
                      {{p + dx, line + 1 - dy}, {p + dx, line + 4 - dy}},
                      {{L + dx, depthLine}, {R + dx, depthLine}},
                      view3D ? Segment{{p + dx, depthLine}, {p + dx, B - dy}, dot} : Segment{{p, line + 1}, {p, B}, dot}};
          break;
        case 2:
          expected = {{{line - 1, p}, {line - 5, p}}, {{line + 1, p}, {line + 4, p}}, {{line, T + 1}, {line, B}}};
          if (view3D)
            expected.insert(expected.end(), {{{line + 1, p}, {line + dx + 1, p - dy}},
                                             {{line + dx + 1, p - dy}, {R + dx - 1, p - dy}, dot}});
          else
            expected.push_back({{line + 1, p}, {R, p}, dot});
          break;
        case 3:
          expected = {{{line + dx + 1, p - dy}, {line + dx + 5, p - dy}},
                      {{line + dx - 1, p - dy}, {line + dx - 4, p - dy}},
                      {{depthLine, T - dy + 1}, {depthLine, B - dy}},
                      view3D ? Segment{{depthLine, p - dy}, {L + dx, p - dy}, dot} : Segment{{line - 1, p}, {L, p}, dot}};
          break;
      }
      const auto lines = c.Lines();
      for (const Segment& e : expected) {
        const bool found = std::any_of(lines.begin(), lines.end(), [&](const RecordedCall& l) {
          return l.from == e.from && l.to == e.to && l.state.penStyle == e.style;
        });
        EXPECT_TRUE(found) << "side " << side << (view3D ? " 3D" : " flat") << ": (" << e.from.X << "," << e.from.Y
                           << ")-(" << e.to.X << "," << e.to.Y << ")";
      }
    }
  }
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

// The test measures from the line as drawn in depth, strictly inside the tolerance.
TEST(AxisClick, ToleranceAroundTheLineInDepth) {
  AxisChart c;
  c.chart.SetView3D(true);
  c.chart.SetView3DWalls(false);
  c.chart.ComputeDepth();
  ASSERT_EQ(EngineSettings().ClickTolerance, 12);
  for (TChartAxis* axis : {&c.chart.BottomAxis(), &c.chart.TopAxis(), &c.chart.LeftAxis(), &c.chart.RightAxis()}) {
    axis->DrawAxis(true);
    const int line = axis->DepthLinePosition();
    const TRect& plot = c.chart.PlotRect();
    auto at = [&](int across, int along) {
      return axis->IsHorizontal() ? axis->IsClickOnAxis(along, line + across)
                                  : axis->IsClickOnAxis(line + across, along);
    };
    const int inside = 100, end = axis->IsHorizontal() ? plot.Right : plot.Bottom;
    EXPECT_TRUE(at(11, inside) && at(-11, inside) && at(0, end));
    EXPECT_FALSE(at(12, inside) || at(-12, inside) || at(0, end + 1));
    axis->SetVisible(false);
    EXPECT_FALSE(at(0, inside));
  }
}

}  // namespace
}  // namespace tokiwa
