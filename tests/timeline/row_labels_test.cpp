// Program names beside the rows, drawn by the left axis' custom labels: only
// while shown, in the axis' labels font, the plot narrower by their band,
// long names cut, crowded rows thinned, and everything as before once hidden.
// (The window's test follows them through hiding, show-all and reloading.)
#include <gtest/gtest.h>

#include "support/recording_host.h"
#include "tests/timeline/timeline_test_support.h"
#include "timeline/bar_details.h"
#include "timeline/row_labels.h"

namespace tokiwa::testing {
namespace {

const std::string kDay = "2024/04/15";

std::vector<LogLine> Programs(const std::vector<std::string>& files) {
  std::vector<LogLine> lines = {{"vvv", kDay, "8:00:00", "", ""}};
  int minute = 1;
  for (const std::string& file : files) lines.push_back({"C", kDay, "8:" + std::to_string(10 + minute++) + ":00", file, "C:\\T"});
  lines.push_back({"###", kDay, "9:00:00", "", ""});
  return lines;
}

struct LabelledTimeline {
  TimelineLog log;
  RecordingHost host;
  RowLabels labels{log.Chart()};

  explicit LabelledTimeline(const std::vector<LogLine>& lines, int height = 400) {
    log.Chart().SetHost(&host);
    log.Chart().SetBounds(0, 0, 600, height);
    Build(lines);
  }
  ~LabelledTimeline() { log.Chart().SetHost(nullptr); }

  void Build(const std::vector<LogLine>& lines, const std::vector<std::string>& hidden = {}) {
    log.Load(lines);
    EXPECT_FALSE(log.Build(hidden));
    labels.SetNames(DetailsOf(log.Scan(hidden)).RowNames);
  }
  // The calls of this paint only.
  RecordingCanvas& Paint() {
    if (host.LastBitmap()) static_cast<RecordingCanvas&>(host.LastBitmap()->GetCanvas()).Clear();
    log.Chart().RequestRepaint();
    log.Chart().Paint();
    return static_cast<RecordingCanvas&>(host.LastBitmap()->GetCanvas());
  }
  // Texts drawn left of the plot and beside it (not the foot under it), in
  // the order drawn.
  std::vector<RecordedCall> RowTexts() {
    std::vector<RecordedCall> texts;
    RecordingCanvas& drawn = Paint();
    const TRect plot = log.Chart().PlotRect();
    for (const RecordedCall& c : drawn.CallsOf(CanvasCall::TextOut))
      if (c.from.X <= plot.Left && c.from.Y < plot.Bottom && c.state.fontName == "MS UI Gothic") texts.push_back(c);
    return texts;
  }
  static std::vector<std::string> Texts(const std::vector<RecordedCall>& calls) {
    std::vector<std::string> texts;
    for (const RecordedCall& c : calls) texts.push_back(c.text);
    return texts;
  }
};

TEST(RowLabels, NamesBesideTheirRowsOnlyWhileShownAndTheChartAsBeforeOnceHidden) {
  LabelledTimeline t(Programs({"a.exe", "bb.exe"}));
  TChart& chart = t.log.Chart();
  t.Paint();
  const TRect plain = chart.PlotRect();
  EXPECT_TRUE(t.RowTexts().empty());

  t.labels.SetVisible(true);
  const std::vector<RecordedCall> shown = t.RowTexts();
  // Upward from the system row; right-aligned against the axis.
  EXPECT_EQ(LabelledTimeline::Texts(shown), (std::vector<std::string>{"システム", "a.exe", "bb.exe"}));
  TGanttSeries& s = t.log.Series();
  for (const RecordedCall& c : shown) {
    EXPECT_EQ(c.state.halign, TextHAlign::Right);
    EXPECT_EQ(c.from.X, chart.LeftAxis().LabelsPosition());
  }
  const int rowA = s.PointScreenY(1);  // bar 1 is a.exe's run
  EXPECT_NEAR(shown[1].from.Y + chart.CharHeight() / 2, rowA, 1);
  // The plot gives the band its room: the widest name and a blank.
  EXPECT_EQ(chart.LeftAxis().LabelsSize(), 4 * 14 + 7);  // "システム" is the widest
  EXPECT_GT(chart.PlotRect().Left, plain.Left + chart.LeftAxis().LabelsSize());
  EXPECT_EQ(chart.PlotRect().Right, plain.Right);
  // The time axis keeps its own labels.
  const RecordedCall* time = t.Paint().FindText("4/15 8:30");
  ASSERT_TRUE(time);
  EXPECT_EQ(time->state.fontName, "Times New Roman");

  t.labels.SetVisible(false);
  EXPECT_TRUE(t.RowTexts().empty());
  EXPECT_EQ(chart.PlotRect(), plain);
  EXPECT_FALSE(chart.LeftAxis().Visible());
  EXPECT_EQ(chart.LeftAxis().LabelsSize(), 0);
  EXPECT_EQ(chart.LeftAxis().LabelStyle(), TAxisLabelStyle::talAuto);
  EXPECT_FALSE(chart.OnGetNextAxisLabel);
  EXPECT_FALSE(chart.OnGetAxisLabel);
}

TEST(RowLabels, LongNamesAreCutToTheWidestBand) {
  const std::string longName(40, 'x');
  LabelledTimeline t(Programs({longName + ".exe", "a.exe"}));
  t.labels.SetVisible(true);
  const std::vector<RecordedCall> shown = t.RowTexts();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(t.log.Chart().LeftAxis().LabelsSize(), RowLabels::kMaxBandWidth);
  // 7 pixels per letter, 14 for the ellipsis, within the band less a blank.
  EXPECT_EQ(shown[1].text, std::string(19, 'x') + "…");
  EXPECT_EQ(shown[2].text, "a.exe");
}

TEST(RowLabels, CrowdedRowsAreLabelledEveryFewRows) {
  std::vector<std::string> files;
  for (int i = 0; i < 40; ++i) files.push_back("p" + std::to_string(i) + ".exe");
  LabelledTimeline t(Programs(files), 200);
  t.labels.SetVisible(true);
  const std::vector<RecordedCall> shown = t.RowTexts();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_LT(shown.size(), 41u);
  // No two labels overlap, and the first is the system row's.
  for (std::size_t i = 1; i < shown.size(); ++i)
    EXPECT_GE(shown[i - 1].from.Y - shown[i].from.Y, t.log.Chart().CharHeight()) << i;
  EXPECT_EQ(shown[0].text, "システム");
}

TEST(RowLabels, ElidingKeepsWholeCharacters) {
  const auto width = [](std::string_view t) { return static_cast<int>(t.size()); };  // a byte a pixel
  EXPECT_EQ(ElideToWidth("short", 5, "~", width), "short");
  EXPECT_EQ(ElideToWidth("longer", 5, "~", width), "long~");
  // "ﾒﾓ帳" is three characters of three bytes: never cut inside one.
  EXPECT_EQ(ElideToWidth("ﾒﾓ帳.exe", 8, "~", width), "ﾒﾓ~");
  EXPECT_EQ(ElideToWidth("ﾒﾓ帳.exe", 2, "~", width), "~");
}

}  // namespace
}  // namespace tokiwa::testing
