// Several logs on one time axis: the files' order, runs paired only within
// their own file, rows shared by program across the files; and the totals
// per program drawn from such a scan.
#include <gtest/gtest.h>

#include "tests/timeline/timeline_test_support.h"
#include "timeline/log_files.h"
#include "timeline/summary.h"

namespace tokiwa::testing {
namespace {

LogLine Line(const std::string& marker, const std::string& date, const std::string& time,
             const std::string& file = "", const std::string& folder = "") {
  return {marker, date, time, file, folder.empty() && !file.empty() ? "C:\\T" : folder};
}

double On(int day, int h, int m) { return EncodeDate(2024, 4, day) + EncodeTime(h, m, 0, 0); }

// Files written to a folder and loaded together, as a selection of several.
class LogSet {
 public:
  LogSet() { PrepareLogGrid(grid_, io_); }

  std::string Write(const std::string& name, const std::vector<LogLine>& lines) {
    const std::string path = dir_.File(name);
    WriteBytes(path, LogBytes(lines));
    return path;
  }
  void Load(const std::vector<std::string>& paths) { logs = LoadLaunchLogs(io_, paths); }
  TimelineScan Scan(const std::vector<std::string>& hiddenNames = {}, bool showAll = false) {
    hidden_.Clear();
    for (const std::string& name : hiddenNames) hidden_.Add(name);
    TimelineSource source;
    source.Grid = &grid_;
    source.Logs = RowsOf(logs);
    source.HiddenNames = &hidden_;
    source.ShowAll = showAll;
    source.CurrentYear = 2024;
    return ScanTimeline(source);
  }
  const TStringGrid& Grid() const { return grid_; }

  std::vector<LoadedLog> logs;

 private:
  TempDir dir_;
  TStringGrid grid_;
  TStringGridIO io_;
  TStringList hidden_;
};

TEST(LogFiles, RunsEndWithinTheirFileAndShareRowsAcrossFiles) {
  LogSet set;
  // Day 1 stops with the system and a.exe still running; day 2 ends a.exe
  // before starting it again.
  const std::string day1 = set.Write("day1.log", {Line("vvv", "2024/04/15", "8:00:00"),
                                                  Line("C", "2024/04/15", "8:10:00", "a.exe"),
                                                  Line("C", "2024/04/15", "8:20:00", "b.exe"),
                                                  Line("E", "2024/04/15", "8:30:00", "b.exe")});
  const std::string day2 = set.Write("day2.log", {Line("vvv", "2024/04/16", "9:00:00"),
                                                  Line("C", "2024/04/16", "9:05:00", "c.exe"),
                                                  Line("E", "2024/04/16", "9:10:00", "a.exe"),
                                                  Line("C", "2024/04/16", "9:20:00", "a.exe"),
                                                  Line("###", "2024/04/16", "10:00:00")});
  // A file without a readable date goes last, whatever the order given.
  const std::string notes = set.Write("notes.log", {{"x", "today", "", "", ""}});
  set.Load({notes, day2, day1});
  ASSERT_EQ(set.logs.size(), 3u);
  EXPECT_EQ(set.logs[0].Path, day1);
  EXPECT_EQ(set.logs[1].Path, day2);
  EXPECT_EQ(set.logs[2].Path, notes);
  EXPECT_EQ(set.logs[1].Rows.First, 5);
  EXPECT_EQ(set.Grid().Cells(1, 1), "2024/04/15");  // the grid shows day 1 first
  EXPECT_EQ(set.Grid().Cells(1, 5), "2024/04/16");
  EXPECT_EQ(set.Grid().RowCount(), 11);

  const TimelineScan scan = set.Scan();
  ASSERT_FALSE(scan.Stopped);
  struct Expected {
    double start, end;
    int row;
    RunEnd ended;
  };
  const Expected expected[] = {
      {On(15, 8, 0), On(15, 8, 30), 1, RunEnd::reLastRow},     // not day 2's "###"
      {On(15, 8, 10), On(15, 8, 30), 2, RunEnd::reLastRow},    // not day 2's E(a)
      {On(15, 8, 20), On(15, 8, 30), 3, RunEnd::reEndRow},
      {On(16, 9, 0), On(16, 10, 0), 1, RunEnd::reEndRow},
      {On(16, 9, 5), On(16, 10, 0), 4, RunEnd::reShutdown},
      {On(16, 9, 20), On(16, 10, 0), 2, RunEnd::reShutdown},  // a keeps its row from day 1
  };
  ASSERT_EQ(scan.Bars.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(scan.Bars[i].Start, expected[i].start) << i;
    EXPECT_EQ(scan.Bars[i].End, expected[i].end) << i;
    EXPECT_EQ(scan.Bars[i].Row, expected[i].row) << i;
    EXPECT_EQ(scan.Bars[i].Ended, expected[i].ended) << i;
  }
}

TEST(LogFiles, AnUnreadableRowStopsOnlyItsOwnFile) {
  LogSet set;
  const std::string bad = set.Write("bad.log", {Line("C", "2024/04/15", "8:00:00", "a.exe"),
                                                Line("C", "2024/04/15", "nine", "b.exe")});
  const std::string good = set.Write("good.log", {Line("C", "2024/04/16", "8:00:00", "c.exe")});
  set.Load({bad, good});
  const TimelineScan scan = set.Scan();
  ASSERT_TRUE(scan.Stopped);
  EXPECT_EQ(scan.Stopped->Row, 2);
  ASSERT_EQ(scan.Bars.size(), 1u);  // a.exe ends at the bad row; c.exe is still read
  EXPECT_EQ(scan.LabelOf(scan.Bars[0]), "C:\\T\\c.exe");
  EXPECT_EQ(UnreadableRowMessage(set.logs, *scan.Stopped),
            bad + ": " + FormatText(msg::InvalidDateTime, {Arg("2024/04/15 nine")}));
}

TEST(ProgramTotals, CountRunsOnceWhereTheyOverlapAndFollowHidingAndShowAll) {
  LogSet set;
  const std::string day = set.Write(
      "day.log", {Line("vvv", "2024/04/15", "8:00:00"), Line("C", "2024/04/15", "8:00:00", "a.exe"),
                  Line("C", "2024/04/15", "8:30:00", "a.exe"), Line("E", "2024/04/15", "9:00:00", "a.exe"),
                  Line("C", "2024/04/15", "9:10:00", "b.exe (1)"), Line("C", "2024/04/15", "9:20:00", "b.exe (2)"),
                  Line("E", "2024/04/15", "9:30:00", "b.exe (1)"), Line("C", "2024/04/15", "9:40:00", "c.exe"),
                  Line("E", "2024/04/15", "9:50:00", "c.exe"), Line("C", "2024/04/15", "9:55:00", "d.exe"),
                  Line("E", "2024/04/15", "9:45:00", "d.exe"), Line("###", "2024/04/15", "10:00:00")});
  set.Load({day});

  std::vector<ProgramTotals> totals = SummarizePrograms(set.Scan({"c:\\t\\C.EXE"}));
  ASSERT_EQ(totals.size(), 3u);
  EXPECT_EQ(totals[0].File, "a.exe");
  EXPECT_EQ(totals[0].Folder, "C:\\T");
  EXPECT_EQ(totals[0].Runs, 2);
  EXPECT_EQ(totals[0].TotalSeconds, 3600);  // 8:00-9:00 and 8:30-9:00 overlap
  EXPECT_EQ(totals[0].LongestSeconds, 3600);
  EXPECT_FALSE(totals[0].EndInferred);
  // Both suffixes are one program; (2) lasts to the shutdown.
  EXPECT_EQ(totals[1].File, "b.exe ");
  EXPECT_EQ(totals[1].Runs, 2);
  EXPECT_EQ(totals[1].TotalSeconds, 50 * 60);
  EXPECT_EQ(totals[1].LongestSeconds, 40 * 60);
  EXPECT_EQ(totals[1].FirstStart, On(15, 9, 10));
  EXPECT_EQ(totals[1].LastEnd, On(15, 10, 0));
  EXPECT_TRUE(totals[1].EndInferred);
  // d ends before it starts: a run of no length.
  EXPECT_EQ(totals[2].File, "d.exe");
  EXPECT_EQ(totals[2].Runs, 1);
  EXPECT_EQ(totals[2].TotalSeconds, 0);
  EXPECT_EQ(totals[2].LongestSeconds, 0);

  totals = SummarizePrograms(set.Scan({"c:\\t\\C.EXE"}, true));  // F4
  ASSERT_EQ(totals.size(), 4u);
  EXPECT_EQ(totals[2].File, "c.exe");
  EXPECT_EQ(totals[2].TotalSeconds, 600);
}

}  // namespace
}  // namespace tokiwa::testing
