// The timeline builder on real grids loaded from log files: end rows, rows and
// colours, hiding, show-all, markers, names, dates, and a build that stops.
#include <gtest/gtest.h>

#include "app/timeline_builder.h"
#include "chart/recording_host.h"
#include "runtime/messages.h"
#include "tests/app/timeline_test_support.h"

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

TEST(TimelineBuilder, SystemRunAndProgramRunWithTheirEnds) {
  TimelineLog log;
  log.Load({System("8:00:00"), Start("8:10:00", "a.exe"), End("8:20:00", "a.exe"), Shutdown("9:00:00")});
  ASSERT_FALSE(log.Build());
  const auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].start, At(8, 0));
  EXPECT_EQ(bars[0].end, At(9, 0));
  EXPECT_EQ(bars[0].row, 1);
  EXPECT_EQ(bars[0].label, "system");
  EXPECT_EQ(bars[0].colour, kWhite);
  EXPECT_EQ(bars[1].start, At(8, 10));
  EXPECT_EQ(bars[1].end, At(8, 20));
  EXPECT_EQ(bars[1].row, 2);
  EXPECT_EQ(bars[1].label, "C:\\Tools\\a.exe");
  EXPECT_EQ(bars[1].colour, kAqua);
}

TEST(TimelineBuilder, ANewSystemRunEndsTheOpenRunsAtTheRowBeforeIt) {
  TimelineLog log;
  log.Load({System("8:00:00"), Start("8:10:00", "a.exe"), System("9:00:00"), Start("9:10:00", "a.exe")});
  ASSERT_FALSE(log.Build());
  const auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 4u);
  // In start order: system, a, system, a.
  EXPECT_EQ(bars[0].end, At(8, 10));  // the first C(a) row, just before the second vvv
  EXPECT_EQ(bars[1].start, At(8, 10));
  EXPECT_EQ(bars[1].end, At(8, 10));  // ends at its own row
  EXPECT_EQ(bars[2].start, At(9, 0));
  EXPECT_EQ(bars[2].end, At(9, 10));  // the last row
  EXPECT_EQ(bars[3].start, At(9, 10));
  EXPECT_EQ(bars[3].end, At(9, 10));
  EXPECT_EQ(bars[1].row, 2);
  EXPECT_EQ(bars[3].row, 2);
}

TEST(TimelineBuilder, RunsWithoutAnEndLastToTheLastRow) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe"), Start("8:30:00", "b.exe"), {"x", kDay, "9:45:00", "", ""}});
  ASSERT_FALSE(log.Build());
  auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].end, At(9, 45));
  EXPECT_EQ(bars[1].end, At(9, 45));

  log.Load({Start("8:00:00", "a.exe")});
  ASSERT_FALSE(log.Build());
  bars = log.Bars();
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].start, bars[0].end);

  log.Load({Start("8:00:00", "a.exe"), System("9:00:00")});
  ASSERT_FALSE(log.Build());
  bars = log.Bars();
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].end, At(8, 0));  // the row before the vvv
  EXPECT_EQ(bars[1].start, bars[1].end);  // a vvv on the last row ends there
}

TEST(TimelineBuilder, AnEndRowOfAnotherProgramIsPassedOver) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe"), End("8:10:00", "b.exe"), End("8:20:00", "a.exe")});
  ASSERT_FALSE(log.Build());
  ASSERT_EQ(log.Bars().size(), 1u);
  EXPECT_EQ(log.Bars()[0].end, At(8, 20));
}

TEST(TimelineBuilder, OneEndRowEndsEveryEarlierRunOfItsProgram) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe"), Start("8:10:00", "a.exe"), End("8:20:00", "a.exe")});
  ASSERT_FALSE(log.Build());
  const auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].end, At(8, 20));
  EXPECT_EQ(bars[1].end, At(8, 20));
  EXPECT_EQ(bars[0].row, 2);
  EXPECT_EQ(bars[1].row, 2);
}

TEST(TimelineBuilder, EndRowsCompareKeysExactlyWhileRowsAndHidingIgnoreCase) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe", "C:\\Tools"), End("8:10:00", "a.exe", "C:\\TOOLS"),
            Start("8:20:00", "A.EXE", "c:\\tools"), Start("8:30:00", "b.exe"), Shutdown("9:00:00")});
  ASSERT_FALSE(log.Build());
  auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[0].end, At(9, 0));  // the differently cased E row did not end it
  EXPECT_EQ(bars[1].row, 2);         // A.EXE in c:\tools shares a's row
  EXPECT_EQ(bars[1].label, "c:\\tools\\A.EXE");
  EXPECT_EQ(bars[2].row, 3);

  ASSERT_FALSE(log.Build({"C:\\TOOLS\\A.exe"}));
  bars = log.Bars();
  ASSERT_EQ(bars.size(), 1u);  // both spellings hidden
  EXPECT_EQ(bars[0].label, "C:\\Tools\\b.exe");
  EXPECT_EQ(bars[0].row, 2);  // and b moves up a row
  EXPECT_EQ(bars[0].colour, kAqua);
}

TEST(TimelineBuilder, ParenthesisedSuffixesShareARowButKeepTheirLabels) {
  TimelineLog log;
  log.Load({Start("8:00:00", "メモ.exe (1)"), Start("8:10:00", "メモ.exe (2)"), Start("8:20:00", "メモ.exe"),
            Shutdown("9:00:00")});
  ASSERT_FALSE(log.Build());
  auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[0].label, "C:\\Tools\\メモ.exe (1)");
  EXPECT_EQ(bars[1].label, "C:\\Tools\\メモ.exe (2)");
  EXPECT_EQ(bars[0].row, 2);
  EXPECT_EQ(bars[1].row, 2);
  EXPECT_EQ(bars[2].row, 3);  // without the suffix (and its blank) it is another name

  ASSERT_FALSE(log.Build({"C:\\Tools\\メモ.exe "}));
  bars = log.Bars();
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].label, "C:\\Tools\\メモ.exe");

  ASSERT_FALSE(log.Build({"C:\\Tools\\メモ.exe"}));
  EXPECT_EQ(log.Bars().size(), 2u);
}

TEST(TimelineBuilder, ShowAllDrawsHiddenProgramsInTheirPlace) {
  TimelineLog log;
  log.Load({Start("8:00:00", "a.exe"), Start("8:10:00", "b.exe"), Shutdown("9:00:00")});
  ASSERT_FALSE(log.Build({"c:\\tools\\a.exe"}, true));
  const auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].row, 2);
  EXPECT_EQ(bars[1].row, 3);
  EXPECT_EQ(bars[1].colour, kBlue);
}

TEST(TimelineBuilder, MarkersAreTrimmedButCaseSensitive) {
  TimelineLog log;
  log.Load({{" vvv\t", kDay, "8:00:00", "", ""},
            {"  C ", kDay, "8:10:00", "a.exe", "C:\\Tools"},
            {"S", kDay, "8:15:00", "b.exe", "C:\\Tools"},
            {" E", kDay, "8:20:00", "a.exe", "C:\\Tools"},
            {"VVV", kDay, "8:30:00", "", ""},
            {"c", kDay, "8:40:00", "c.exe", "C:\\Tools"},
            {"e", kDay, "8:45:00", "b.exe", "C:\\Tools"},
            {"### ", kDay, "9:00:00", "", ""}});
  ASSERT_FALSE(log.Build());
  const auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(bars[0].end, At(9, 0));  // VVV opened nothing and ended nothing
  EXPECT_EQ(bars[1].end, At(8, 20));
  EXPECT_EQ(bars[2].label, "C:\\Tools\\b.exe");
  EXPECT_EQ(bars[2].end, At(9, 0));  // "e" is no end row
}

TEST(TimelineBuilder, RowsWrapAroundThePaletteEveryEightPrograms) {
  TimelineLog log;
  std::vector<LogLine> lines;
  for (int p = 0; p < 9; ++p) lines.push_back(Start("8:0" + std::to_string(p) + ":00", "p" + std::to_string(p)));
  log.Load(lines);
  ASSERT_FALSE(log.Build());
  const auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 9u);
  for (int p = 0; p < 9; ++p) {
    EXPECT_EQ(bars[static_cast<std::size_t>(p)].row, p + 2);
    EXPECT_EQ(bars[static_cast<std::size_t>(p)].colour, kBarColors[static_cast<std::size_t>((p + 2) % 8)]);
  }
  EXPECT_EQ(bars[8].colour, kAqua);  // row 10, like row 2
}

TEST(TimelineBuilder, DatesInTheLogsOwnForms) {
  TimelineLog log;
  log.Load({{"C", "03/4/15", "8:00", "a.exe", "C:\\Tools"},
            {"E", "4/15", " 9:30:15", "a.exe", "C:\\Tools"}});
  ASSERT_FALSE(log.Build());
  const auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].start, EncodeDate(2003, 4, 15) + EncodeTime(8, 0, 0, 0));
  EXPECT_EQ(bars[0].end, EncodeDate(2024, 4, 15) + EncodeTime(9, 30, 15, 0));  // the current year
}

TEST(TimelineBuilder, AnUnreadableRowStopsTheBuildAndKeepsTheBarsBeforeIt) {
  TimelineLog log;
  log.Load({System("8:00:00"), Start("8:10:00", "a.exe"), {"C", "2024/13/15", "8:20:00", "b.exe", "C:\\Tools"},
            Start("8:30:00", "c.exe"), Shutdown("9:00:00")});
  const auto error = log.Build();
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, FormatText(msg::InvalidDateTime, {Arg("2024/13/15 8:20:00")}));
  const auto bars = log.Bars();
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].label, "system");
  EXPECT_EQ(bars[1].label, "C:\\Tools\\a.exe");
}

TEST(TimelineBuilder, AnUnreadableEndRowStopsTheRunThatNeedsIt) {
  TimelineLog log;
  log.Load({Start("8:10:00", "a.exe"), {"E", kDay, "25:00:00", "a.exe", "C:\\Tools"}});
  const auto error = log.Build();
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, FormatText(msg::InvalidDateTime, {Arg(kDay + " 25:00:00")}));
  EXPECT_TRUE(log.Bars().empty());
}

TEST(TimelineBuilder, HiddenRowsAreNeverRead) {
  TimelineLog log;
  log.Load({{"C", "not a date", "", "a.exe", "C:\\Tools"}, Start("8:10:00", "b.exe")});
  EXPECT_FALSE(log.Build({"C:\\Tools\\a.exe"}));
  EXPECT_EQ(log.Bars().size(), 1u);
  EXPECT_TRUE(log.Build());
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
  EXPECT_TRUE(log.Bars().empty());
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
