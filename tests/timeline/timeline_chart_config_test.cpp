// The timeline chart as the window's design sets it up, and what those
// settings do once a log is drawn: label step and texts of the time axis,
// zoom limits, horizontal panning, title and foot.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "support/recording_host.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {
namespace {

TEST(TimelineChartConfig, ChartAsDesigned) {
  TComponent owner(nullptr);
  const TimelineChart made = CreateTimelineChart(&owner);
  TChart& c = *made.Chart1;
  EXPECT_EQ(c.Color(), 0x00FFF0C8u);
  EXPECT_EQ(c.BevelOuter(), TBevelCut::bvNone);
  EXPECT_EQ(c.Align(), TAlign::alClient);
  EXPECT_TRUE(c.ShowHint());
  EXPECT_EQ(c.AllowPanning(), TPanningMode::pmHorizontal);
  EXPECT_TRUE(c.AllowZoom());
  EXPECT_FALSE(c.View3D());
  EXPECT_FALSE(c.View3DWalls());
  EXPECT_EQ(c.BottomWall().Color(), clWhite);
  EXPECT_EQ(c.LeftWall().Color(), 0x0080FFFFu);

  EXPECT_EQ(c.Title().Text(), std::vector<std::string>{"プログラム起動状況"});
  EXPECT_EQ(c.Title().Font().Name(), "ＭＳ Ｐ明朝");
  EXPECT_EQ(c.Title().Font().Height(), -15);
  EXPECT_EQ(c.Title().Font().Color(), clNavy);
  EXPECT_EQ(c.Title().Font().Charset(), SHIFTJIS_CHARSET);
  EXPECT_EQ(c.Title().Alignment(), TAlignment::taCenter);
  EXPECT_EQ(c.Foot().Alignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(c.Foot().Font().Name(), "MS UI Gothic");
  EXPECT_EQ(c.Foot().Font().Height(), -15);
  EXPECT_EQ(c.Foot().Font().Color(), clMaroon);
  EXPECT_EQ(c.Foot().Text(), (std::vector<std::string>{"[ﾌｧｲﾙ名]", "\u3000"}));

  TChartAxis& time = c.BottomAxis();
  EXPECT_EQ(time.Axis().Color(), 0x00004000u);
  EXPECT_EQ(time.Axis().Width(), 1);
  EXPECT_EQ(time.DateTimeFormat(), "m/dd h:mm");
  EXPECT_EQ(time.Increment(), 8.101851851851852e-05);
  EXPECT_EQ(time.LabelsAngle(), 270);
  EXPECT_EQ(time.LabelsFont().Name(), "Times New Roman");
  EXPECT_EQ(time.LabelsFont().Charset(), ANSI_CHARSET);
  EXPECT_EQ(time.LabelsFont().Height(), -13);
  EXPECT_EQ(time.LabelsFont().Color(), clBlack);
  EXPECT_EQ(time.LabelStyle(), TAxisLabelStyle::talValue);
  EXPECT_EQ(time.MinorTickCount(), 0);
  EXPECT_FALSE(time.ExactDateTime());

  TChartAxis& rows = c.LeftAxis();
  EXPECT_EQ(rows.Grid().Color(), 0x00C08080u);
  EXPECT_EQ(rows.LabelsFont().Name(), "MS UI Gothic");
  EXPECT_EQ(rows.LabelsFont().Height(), -13);
  EXPECT_EQ(rows.TickLength(), 5);
  EXPECT_FALSE(rows.Visible());
  EXPECT_EQ(c.Legend().LegendStyle(), TLegendStyle::lsValues);
  EXPECT_FALSE(c.Legend().Visible());
}

TEST(TimelineChartConfig, SeriesAsDesigned) {
  TComponent owner(nullptr);
  const TimelineChart made = CreateTimelineChart(&owner);
  TGanttSeries& s = *made.Series1;
  EXPECT_EQ(s.ParentChart(), made.Chart1);
  EXPECT_TRUE(s.ColorEachPoint());
  EXPECT_EQ(s.SeriesColor(), clRed);
  EXPECT_FALSE(s.Marks().Visible());
  EXPECT_EQ(s.Marks().ArrowLength(), 0);
  EXPECT_EQ(s.Marks().Font().Name(), "ＭＳ Ｐ明朝");
  EXPECT_EQ(s.Marks().Font().Height(), -13);
  EXPECT_EQ(s.Pointer().Style(), TSeriesPointerStyle::psRectangle);
  EXPECT_TRUE(s.Pointer().Visible());
  EXPECT_FALSE(s.Pointer().Draw3D());
  EXPECT_TRUE(s.Pointer().InflateMargins());
  EXPECT_EQ(s.Pointer().Pen().Color(), 0x00800040u);
  EXPECT_FALSE(s.ConnectingPen().Visible());
  struct Expected {
    const TChartValueList& list;
    const char* name;
    bool dateTime;
    TChartListOrder order;
  };
  for (const Expected& e : {Expected{s.StartValues(), "Start", true, TChartListOrder::loAscending},
                            Expected{s.YValues(), "Y", false, TChartListOrder::loNone},
                            Expected{s.EndValues(), "End", true, TChartListOrder::loNone},
                            Expected{s.NextTask(), "NextTask", false, TChartListOrder::loNone}}) {
    EXPECT_EQ(e.list.Name(), e.name);
    EXPECT_EQ(e.list.DateTime(), e.dateTime) << e.name;
    EXPECT_EQ(e.list.Multiplier(), 1.0) << e.name;
    EXPECT_EQ(e.list.Order(), e.order) << e.name;
  }
}

// A chart painted on a recording host, sized so that the plot is 500 wide.
struct PaintedTimeline {
  TimelineLog log;
  RecordingHost host;

  explicit PaintedTimeline(const std::vector<LogLine>& lines) {
    log.Load(lines);
    EXPECT_FALSE(log.Build());
    log.Chart().SetHost(&host);
    int width = 600;
    for (int i = 0; i < 4 && log.Chart().PlotWidth() != 500; ++i) {
      log.Chart().SetBounds(0, 0, width, 400);
      log.Chart().Paint();
      width += 500 - log.Chart().PlotWidth();
    }
    // Keep the record of one paint only.
    Drawn().Clear();
    log.Chart().RequestRepaint();
    log.Chart().Paint();
  }
  ~PaintedTimeline() { log.Chart().SetHost(nullptr); }
  RecordingCanvas& Drawn() { return static_cast<RecordingCanvas&>(host.LastBitmap()->GetCanvas()); }
};

TEST(TimelineChartConfig, TwoHoursOnFiveHundredPixelsAreLabelledEveryFiveMinutes) {
  PaintedTimeline p({{"vvv", "2024/04/15", "8:00:00", "", ""}, {"###", "2024/04/15", "10:00:00", "", ""}});
  TChart& chart = p.log.Chart();
  ASSERT_EQ(chart.PlotWidth(), 500);
  EXPECT_NEAR(chart.BottomAxis().ComputeLabelStep(), 5.0 / 1440, 1e-12);

  const std::regex label(R"(4/15 \d{1,2}:\d{2})");
  std::vector<RecordedCall> labels;
  for (const RecordedCall& call : p.Drawn().CallsOf(CanvasCall::TextOut))
    if (std::regex_match(call.text, label)) labels.push_back(call);
  ASSERT_GE(labels.size(), 20u);
  std::vector<int> minutes;
  for (const RecordedCall& call : labels) {
    EXPECT_EQ(call.state.fontAngle, 270);
    EXPECT_EQ(call.state.fontName, "Times New Roman");
    const auto colon = call.text.find(':');
    minutes.push_back(std::stoi(call.text.substr(5, colon - 5)) * 60 + std::stoi(call.text.substr(colon + 1)));
  }
  std::sort(minutes.begin(), minutes.end());
  for (std::size_t i = 1; i < minutes.size(); ++i) EXPECT_EQ(minutes[i] - minutes[i - 1], 5);
  EXPECT_TRUE(p.Drawn().FindText("4/15 9:05"));
}

TEST(TimelineChartConfig, TheLabelStepNeverFallsBelowSevenSeconds) {
  PaintedTimeline p({{"vvv", "2024/04/15", "8:00:00", "", ""}, {"###", "2024/04/15", "8:00:03", "", ""}});
  EXPECT_GE(p.log.Chart().BottomAxis().ComputeLabelStep(), 7.0 / 86400);
}

TEST(TimelineChartConfig, ARightDragMovesOnlyTheTimeRange) {
  PaintedTimeline p({{"vvv", "2024/04/15", "8:00:00", "", ""},
                     {"C", "2024/04/15", "8:30:00", "a.exe", "C:\\"},
                     {"###", "2024/04/15", "10:00:00", "", ""}});
  TChart& chart = p.log.Chart();
  const double timeMin = chart.BottomAxis().Minimum(), rowMin = chart.LeftAxis().Minimum();
  const double rowMax = chart.LeftAxis().Maximum();
  const TRect plot = chart.PlotRect();
  const int y = (plot.Top + plot.Bottom) / 2;
  chart.MouseDown(TMouseButton::mbRight, ssRight, plot.Left + 200, y);
  chart.MouseMove(ssRight, plot.Left + 100, y + 60);
  chart.MouseUp(TMouseButton::mbRight, 0, plot.Left + 100, y + 60);
  EXPECT_GT(chart.BottomAxis().Minimum(), timeMin);
  EXPECT_EQ(chart.LeftAxis().Minimum(), rowMin);
  EXPECT_EQ(chart.LeftAxis().Maximum(), rowMax);
}

TEST(TimelineChartConfig, FootSitsLeftAlignedUnderThePlotAndTitleCentredAbove) {
  PaintedTimeline p({{"C", "2024/04/15", "8:30:00", "a.exe", "C:\\"}});
  RecordingCanvas& drawn = p.Drawn();
  const RecordedCall* title = drawn.FindText("プログラム起動状況");
  const RecordedCall* first = drawn.FindText("[ﾌｧｲﾙ名]");
  const RecordedCall* second = drawn.FindText("\u3000");
  ASSERT_TRUE(title && first && second);
  EXPECT_EQ(title->state.fontColor, clNavy);
  EXPECT_LT(title->from.Y, p.log.Chart().PlotRect().Top);
  EXPECT_EQ(first->state.fontColor, clMaroon);
  EXPECT_EQ(first->from.X, second->from.X);  // left-aligned
  EXPECT_LT(first->from.Y, second->from.Y);
  EXPECT_GT(first->from.Y, p.log.Chart().PlotRect().Bottom);
}

}  // namespace
}  // namespace tokiwa::testing
