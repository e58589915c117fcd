// The timeline scan on real grids loaded from log files: end rows, rows and
// colours, hiding, show-all, markers, names, dates, start order, and a scan
// that stops; then the builder that fills the chart from it.
#include <gtest/gtest.h>

#include "runtime/messages.h"
#include "support/recording_host.h"
#include "tests/timeline/timeline_test_support.h"
#include "timeline/timeline_builder.h"

namespace tokiwa::testing {
namespace {

constexpr TColor kWhite = 0x00FFFFFF, kAqua = 0x00FFFF00, kBlue = 0x00FF0000;

const std::string kDay = "2024/04/15";
LogLine System(const std::string& time) { return {"vvv", kDay, time, "", ""}; }
LogLine Shutdown(const std::string& time) { return {"###", kDay, time, "", ""}; }
LogLine Start(const std::string& time, const std::string& file, const std::string& folder = "C:\\Tools") {
  return {"C", kDay, time, file, folder};
}
LogLine End(const std::string& time, const std::string& file, const std::string& folder = "C:\\Tools") {
  return {"E", kDay, time, file, folder};
}

TEST(TimelineScan, SystemRunAndProgramRunWithTheirEnds) {
  TimelineLog log;
  log.Load({System("8:00:00"), Start("8:10:00", "a.exe"), End("8:20:00", "a.exe"), Shutdown("9:00:00")});
  const TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  const auto& bars = scan.Bars;
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].Start, At(8, 0));
  EXPECT_EQ(bars[0].End, At(9, 0));
  EXPECT_EQ(bars[0].Row, 1);
  EXPECT_EQ(scan.LabelOf(bars[0]), "system");
  EXPECT_EQ(bars[0].Colour, kWhite);
  EXPECT_EQ(bars[1].Start, At(8, 10));
  EXPECT_EQ(bars[1].End, At(8, 20));
  EXPECT_EQ(bars[1].Row, 2);
  EXPECT_EQ(scan.LabelOf(bars[1]), "C:\\Tools\\a.exe");
  EXPECT_EQ(bars[1].Colour, kAqua);
}

TEST(TimelineScan, ANewSystemRunEndsTheOpenRunsAtTheRowBeforeIt) {
  TimelineLog log;
  log.Load({System("8:00:00"), Start("8:10:00", "a.exe"), System("9:00:00"), Start("9:10:00", "a.exe")});
  const TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  const auto& bars = scan.Bars;
  ASSERT_EQ(bars.size(), 4u);
  // In start order: system, a, system, a.
  EXPECT_EQ(bars[0].End, At(8, 10));  // the first C(a) row, just before the second vvv
  EXPECT_EQ(bars[1].Start, At(8, 10));
  EXPECT_EQ(bars[1].End, At(8, 10));  // ends at its own row
  EXPECT_EQ(bars[2].Start, At(9, 0));
  EXPECT_EQ(bars[2].End, At(9, 10));  // the last row
  EXPECT_EQ(bars[3].Start, At(9, 10));
  EXPECT_EQ(bars[3].End, At(9, 10));
  EXPECT_EQ(bars[1].Row, 2);
  EXPECT_EQ(bars[3].Row, 2);
}

TEST(TimelineScan, RunsWithoutAnEndLastToTheLastRow) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe"), Start("8:30:00", "b.exe"), {"x", kDay, "9:45:00", "", ""}});
  TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  auto bars = scan.Bars;
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].End, At(9, 45));
  EXPECT_EQ(bars[1].End, At(9, 45));

  log.Load({Start("8:00:00", "a.exe")});
  scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  bars = scan.Bars;
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].Start, bars[0].End);

  log.Load({Start("8:00:00", "a.exe"), System("9:00:00")});
  scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  bars = scan.Bars;
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].End, At(8, 0));  // the row before the vvv
  EXPECT_EQ(bars[1].Start, bars[1].End);  // a vvv on the last row ends there
}

TEST(TimelineScan, AnEndRowOfAnotherProgramIsPassedOver) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe"), End("8:10:00", "b.exe"), End("8:20:00", "a.exe")});
  const TimelineScan scan = log.Scan();
  ASSERT_EQ(scan.Bars.size(), 1u);
  EXPECT_EQ(scan.Bars[0].End, At(8, 20));
}

TEST(TimelineScan, OneEndRowEndsEveryEarlierRunOfItsProgram) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe"), Start("8:10:00", "a.exe"), End("8:20:00", "a.exe")});
  const TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  const auto& bars = scan.Bars;
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].End, At(8, 20));
  EXPECT_EQ(bars[1].End, At(8, 20));
  EXPECT_EQ(bars[0].Row, 2);
  EXPECT_EQ(bars[1].Row, 2);
}

TEST(TimelineScan, EndRowsCompareKeysExactlyWhileRowsAndHidingIgnoreCase) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe", "C:\\Tools"), End("8:10:00", "a.exe", "C:\\TOOLS"),
            Start("8:20:00", "A.EXE", "c:\\tools"), Start("8:30:00", "b.exe"), Shutdown("9:00:00")});
  TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  auto bars = scan.Bars;
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[0].End, At(9, 0));  // the differently cased E row did not end it
  EXPECT_EQ(bars[1].Row, 2);         // A.EXE in c:\tools shares a's row
  EXPECT_EQ(scan.LabelOf(bars[1]), "c:\\tools\\A.EXE");
  EXPECT_EQ(bars[2].Row, 3);

  scan = log.Scan({"C:\\TOOLS\\A.exe"});
  bars = scan.Bars;
  ASSERT_EQ(bars.size(), 1u);  // both spellings hidden
  EXPECT_EQ(scan.LabelOf(bars[0]), "C:\\Tools\\b.exe");
  EXPECT_EQ(bars[0].Row, 2);  // and b moves up a row
  EXPECT_EQ(bars[0].Colour, kAqua);
}

TEST(TimelineScan, ParenthesisedSuffixesShareARowButKeepTheirLabels) {
  TimelineLog log;
  log.Load({Start("8:00:00", "メモ.exe (1)"), Start("8:10:00", "メモ.exe (2)"), Start("8:20:00", "メモ.exe"),
            Shutdown("9:00:00")});
  TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  auto bars = scan.Bars;
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(scan.LabelOf(bars[0]), "C:\\Tools\\メモ.exe (1)");
  EXPECT_EQ(scan.LabelOf(bars[1]), "C:\\Tools\\メモ.exe (2)");
  EXPECT_EQ(bars[0].Row, 2);
  EXPECT_EQ(bars[1].Row, 2);
  EXPECT_EQ(bars[2].Row, 3);  // without the suffix (and its blank) it is another name

  scan = log.Scan({"C:\\Tools\\メモ.exe "});
  bars = scan.Bars;
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(scan.LabelOf(bars[0]), "C:\\Tools\\メモ.exe");

  EXPECT_EQ(log.Scan({"C:\\Tools\\メモ.exe"}).Bars.size(), 2u);
}

TEST(TimelineScan, ShowAllDrawsHiddenProgramsInTheirPlace) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe"), Start("8:10:00", "b.exe"), Shutdown("9:00:00")});
  const TimelineScan scan = log.Scan({"c:\\tools\\a.exe"}, true);
  const auto& bars = scan.Bars;
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].Row, 2);
  EXPECT_EQ(bars[1].Row, 3);
  EXPECT_EQ(bars[1].Colour, kBlue);
}

TEST(TimelineScan, MarkersAreTrimmedButCaseSensitive) {
  TimelineLog log;
  log.Load({{" vvv\t", kDay, "8:00:00", "", ""},
            {"  C ", kDay, "8:10:00", "a.exe", "C:\\Tools"},
            {"S", kDay, "8:15:00", "b.exe", "C:\\Tools"},
            {" E", kDay, "8:20:00", "a.exe", "C:\\Tools"},
            {"VVV", kDay, "8:30:00", "", ""},
            {"c", kDay, "8:40:00", "c.exe", "C:\\Tools"},
            {"e", kDay, "8:45:00", "b.exe", "C:\\Tools"},
            {"### ", kDay, "9:00:00", "", ""}});
  const TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  const auto& bars = scan.Bars;
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[0].End, At(9, 0));  // VVV opened nothing and ended nothing
  EXPECT_EQ(bars[1].End, At(8, 20));
  EXPECT_EQ(scan.LabelOf(bars[2]), "C:\\Tools\\b.exe");
  EXPECT_EQ(bars[2].End, At(9, 0));  // "e" is no end row
}

TEST(TimelineScan, RowsWrapAroundThePaletteEveryEightPrograms) {
  TimelineLog log;
  std::vector<LogLine> lines;
  for (int p = 0; p < 9; ++p) lines.push_back(Start("8:0" + std::to_string(p) + ":00", "p" + std::to_string(p)));
  log.Load(lines);
  const TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  const auto& bars = scan.Bars;
  ASSERT_EQ(bars.size(), 9u);
  for (int p = 0; p < 9; ++p) {
    EXPECT_EQ(bars[static_cast<std::size_t>(p)].Row, p + 2);
    EXPECT_EQ(bars[static_cast<std::size_t>(p)].Colour, kBarColors[static_cast<std::size_t>((p + 2) % 8)]);
  }
  EXPECT_EQ(bars[8].Colour, kAqua);  // row 10, like row 2
}

TEST(TimelineScan, DatesInTheLogsOwnForms) {
  TimelineLog log;
  log.Load({{"C", "03/4/15", "8:00", "a.exe", "C:\\Tools"},
            {"E", "4/15", " 9:30:15", "a.exe", "C:\\Tools"}});
  const TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  const auto& bars = scan.Bars;
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].Start, EncodeDate(2003, 4, 15) + EncodeTime(8, 0, 0, 0));
  EXPECT_EQ(bars[0].End, EncodeDate(2024, 4, 15) + EncodeTime(9, 30, 15, 0));  // the current year
}

TEST(TimelineScan, BarsComeInStartOrderWithEqualStartsInRowOrder) {
  // A clock set back: the second day's log lies before the first's.
  TimelineLog log;
  log.Load({System("9:00:00"), Start("9:30:00", "a.exe"), Shutdown("10:00:00"), System("8:00:00"),
            Start("9:30:00", "b.exe"), Start("8:00:00", "c.exe"), Shutdown("9:45:00")});
  const TimelineScan scan = log.Scan();
  ASSERT_FALSE(scan.Stopped);
  std::vector<std::pair<double, std::string>> order;
  for (const TimelineBar& bar : scan.Bars) order.emplace_back(bar.Start, scan.LabelOf(bar));
  EXPECT_EQ(order, (std::vector<std::pair<double, std::string>>{{At(8, 0), "system"},
                                                                {At(8, 0), "C:\\Tools\\c.exe"},
                                                                {At(9, 0), "system"},
                                                                {At(9, 30), "C:\\Tools\\a.exe"},
                                                                {At(9, 30), "C:\\Tools\\b.exe"}}));
  EXPECT_EQ(scan.Bars[1].End, At(9, 45));
  EXPECT_EQ(scan.Bars[4].Row, 3);  // rows still follow the log's order
}

TEST(TimelineScan, AnUnreadableRowStopsTheScanAndKeepsTheBarsBeforeIt) {
  TimelineLog log;
  log.Load({System("8:00:00"), Start("8:10:00", "a.exe"), {"C", "2024/13/15", "8:20:00", "b.exe", "C:\\Tools"},
            Start("8:30:00", "c.exe"), Shutdown("9:00:00")});
  const TimelineScan scan = log.Scan();
  ASSERT_TRUE(scan.Stopped);
  EXPECT_EQ(scan.Stopped->Row, 3);
  EXPECT_EQ(scan.Stopped->Message, FormatText(msg::InvalidDateTime, {Arg("2024/13/15 8:20:00")}));
  ASSERT_EQ(scan.Bars.size(), 2u);
  EXPECT_EQ(scan.LabelOf(scan.Bars[0]), "system");
  EXPECT_EQ(scan.LabelOf(scan.Bars[1]), "C:\\Tools\\a.exe");
}

TEST(TimelineScan, AnUnreadableEndRowStopsTheRunThatNeedsIt) {
  TimelineLog log;
  log.Load({Start("8:10:00", "a.exe"), {"E", kDay, "25:00:00", "a.exe", "C:\\Tools"}});
  const TimelineScan scan = log.Scan();
  ASSERT_TRUE(scan.Stopped);
  EXPECT_EQ(scan.Stopped->Row, 2);
  EXPECT_EQ(scan.Stopped->Message, FormatText(msg::InvalidDateTime, {Arg(kDay + " 25:00:00")}));
  EXPECT_TRUE(scan.Bars.empty());
}

TEST(TimelineScan, HiddenRowsAreNeverRead) {
  TimelineLog log;
  log.Load({{"C", "not a date", "", "a.exe", "C:\\Tools"}, Start("8:10:00", "b.exe")});
  const TimelineScan hiding = log.Scan({"C:\\Tools\\a.exe"});
  EXPECT_FALSE(hiding.Stopped);
  EXPECT_EQ(hiding.Bars.size(), 1u);
  EXPECT_TRUE(log.Scan().Stopped);
}

TEST(TimelineBuilder, FillsTheSeriesWithTheScanAndRaisesTheRowThatStoppedIt) {
  TimelineLog log;
  log.Load({System("9:00:00"), Start("9:10:00", "a.exe"), Start("8:50:00", "b.exe"), Shutdown("9:20:00"),
            {"C", kDay, "8:61:00", "c.exe", "C:\\Tools"}});
  const TimelineScan scan = log.Scan();
  ASSERT_TRUE(scan.Stopped);
  EXPECT_EQ(log.Build(), scan.Stopped->Message);
  EXPECT_TRUE(reference::SameBars(reference::ScanOf(log.Series()), scan));
  EXPECT_EQ(log.Series().PointCount(), 3);
}

TEST(TimelineBuilder, ResetsZoomAndFootAndClearsTheOldBars) {
  TimelineLog log;
  log.Load({Start("8:10:00", "a.exe"), Shutdown("9:00:00")});
  ASSERT_FALSE(log.Build());
  RecordingHost host;
  TChart& chart = log.Chart();
  chart.SetHost(&host);
  chart.SetBounds(0, 0, 600, 400);
  chart.Paint();
  const TRect plot = chart.PlotRect();
  chart.MouseDown(TMouseButton::mbLeft, ssLeft, plot.Left + 20, plot.Top + 20);
  chart.MouseMove(ssLeft, plot.Left + 120, plot.Top + 120);
  chart.MouseUp(TMouseButton::mbLeft, 0, plot.Left + 120, plot.Top + 120);
  ASSERT_TRUE(chart.ZoomApplied());
  ASSERT_FALSE(chart.BottomAxis().Automatic());
  chart.Foot().Text() = {"[ﾌｧｲﾙ名] x", "[実行期間] y"};

  log.Load({});
  ASSERT_FALSE(log.Build());
  EXPECT_EQ(log.Series().PointCount(), 0);
  EXPECT_FALSE(chart.ZoomApplied());
  EXPECT_TRUE(chart.BottomAxis().Automatic());
  EXPECT_EQ(chart.Foot().Text(), (std::vector<std::string>{"[ﾌｧｲﾙ名]", "\u3000"}));
  chart.SetHost(nullptr);
}

TEST(NormalizeName, CutsTheLastParenthesisedSuffix) {
  EXPECT_EQ(NormalizeName("C:\\a\\x.exe (2)"), "C:\\a\\x.exe ");
  EXPECT_EQ(NormalizeName("x (1) (2)"), "x (1) ");
  EXPECT_EQ(NormalizeName("a(b)"), "a");
  EXPECT_EQ(NormalizeName("a()"), "a");
  EXPECT_EQ(NormalizeName("(ab)"), "(ab)");  // the first character is never taken
  EXPECT_EQ(NormalizeName("ab)"), "ab)");
  EXPECT_EQ(NormalizeName("a)"), "a)");
  EXPECT_EQ(NormalizeName(")"), ")");
  EXPECT_EQ(NormalizeName("x (1"), "x (1");
  EXPECT_EQ(NormalizeName(""), "");
  EXPECT_EQ(NormalizeName("表計算(2023)"), "表計算");
}

TEST(TrimMarker, RemovesBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(TrimMarker(" \t\r vvv \x01"), "vvv");
  EXPECT_EQ(TrimMarker("C C"), "C C");
  EXPECT_EQ(TrimMarker("\x7F"), "\x7F");
  EXPECT_EQ(TrimMarker("   "), "");
}

}  // namespace
}  // namespace tokiwa::testing
