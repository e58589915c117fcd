// The scan's one-pass end-row search, hashed name lookups and one sort into
// start order against the plain scan-forward reading, on many random logs;
// and the command-line modes' reading without a grid against the window's.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "runtime/text_compare.h"
#include "tests/timeline/timeline_reference.h"
#include "tests/timeline/timeline_test_support.h"
#include "timeline/log_files.h"
#include "timeline/log_timeline.h"

namespace tokiwa::testing {
namespace {

// Few programs, spelt in several cases and with suffixes, so that rows,
// hiding and exact end matching all meet.
const char* const kFiles[] = {"a.exe", "A.EXE", "a.exe (1)", "a.exe (2)", "b.exe", "ｂ.exe", "Ｂ.exe", "c(x)"};
const char* const kFolders[] = {"C:\\T", "c:\\t", "D:\\"};
const char* const kMarkers[] = {"vvv", "###", "C", "S", "E", "E", "E", " C ", "x", "e", "VVV", "C"};

std::vector<LogLine> RandomLog(std::mt19937& rng, int lines, const std::string& day = "2024/04/15") {
  std::vector<LogLine> log;
  int seconds = 8 * 3600;
  for (int i = 0; i < lines; ++i) {
    seconds += static_cast<int>(rng() % 600) - (rng() % 10 == 0 ? 900 : 0);  // sometimes backwards
    seconds = std::clamp(seconds, 0, 86399);
    const std::string time = std::to_string(seconds / 3600) + ":" + std::to_string(seconds / 60 % 60) + ":" +
                             std::to_string(seconds % 60);
    const std::string date = rng() % 150 == 0 ? "2024/02/30" : day;  // rarely unreadable
    log.push_back({kMarkers[rng() % std::size(kMarkers)], date, time, kFiles[rng() % std::size(kFiles)],
                   kFolders[rng() % std::size(kFolders)]});
  }
  return log;
}

TEST(TimelineCrossCheck, EndRowsMatchTheScanForward) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    TimelineLog log;
    log.Load(RandomLog(rng, static_cast<int>(rng() % 120)));
    ASSERT_EQ(FindEndRows(log.Grid()), reference::EndRows(log.Grid())) << "round " << round;
  }
}

TEST(TimelineCrossCheck, BarsMatchTheScanForward) {
  std::mt19937 rng(11);
  int stopped = 0, withBars = 0;
  for (int round = 0; round < 300; ++round) {
    TimelineLog log;
    log.Load(RandomLog(rng, static_cast<int>(rng() % 120)));
    const bool showAll = rng() % 4 == 0;
    const std::vector<std::vector<std::string>> hidden = {{}, {"C:\\T\\A.exe "}, {"d:\\\\B.EXE", "c:\\t\\c"}};
    const TimelineSource source = log.Source(hidden[rng() % 3], showAll);
    const TimelineScan scan = ScanTimeline(source);
    ASSERT_TRUE(reference::SameScan(scan, reference::Scan(source))) << "round " << round;
    // The command-line modes read the file without a grid.
    ASSERT_TRUE(reference::SameScan(ScanLogFiles({log.Path()}, *source.HiddenNames, showAll), scan)) << "round " << round;
    stopped += scan.Stopped.has_value();
    withBars += !scan.Bars.empty();
  }
  // The random logs reach both outcomes often.
  EXPECT_GT(stopped, 20);
  EXPECT_GT(withBars, 150);
}

// Several logs scan as each would alone, with the rows numbered again in the
// order the programs first appear across the files.
TimelineScan ScanEachAlone(const std::vector<LoadedLog>& logs, const std::vector<std::string>& hiddenNames,
                           bool showAll) {
  TimelineScan merged;
  TStringList order;
  for (const LoadedLog& log : logs) {
    TimelineLog alone;
    alone.LoadFile(log.Path);
    const TimelineScan scan = reference::Scan(alone.Source(hiddenNames, showAll));
    if (scan.Stopped && !merged.Stopped) merged.Stopped = scan.Stopped;
    std::map<int, std::string> names;  // by the file's own row
    for (const TimelineBar& bar : scan.Bars)
      if (bar.Row > 1) names.emplace(bar.Row, NormalizeName(scan.LabelOf(bar)));
    for (const auto& [row, name] : names)
      if (order.IndexOf(name) < 0) order.Add(name);
    for (TimelineBar bar : scan.Bars) {
      const std::string label = scan.LabelOf(bar);
      if (bar.Row > 1) bar.Row = order.IndexOf(NormalizeName(label)) + 2;
      bar.Colour = kBarColors[static_cast<std::size_t>(bar.Row % 8)];
      reference::AddInStartOrder(merged, bar, label);
    }
  }
  return merged;
}

TEST(TimelineCrossCheck, SeveralLogsScanAsEachAloneWithSharedRows) {
  std::mt19937 rng(13);
  for (int round = 0; round < 100; ++round) {
    TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0, n = 1 + static_cast<int>(rng() % 4); i < n; ++i) {
      paths.push_back(dir.File("day" + std::to_string(i) + ".log"));
      const std::string day = "2024/04/1" + std::to_string(rng() % 10);
      WriteBytes(paths.back(), LogBytes(RandomLog(rng, static_cast<int>(rng() % 60), day)));
    }
    TStringGrid grid;
    TStringGridIO io;
    PrepareLogGrid(grid, io);
    const std::vector<LoadedLog> logs = LoadLaunchLogs(io, paths);
    const std::vector<std::string> hidden =
        rng() % 2 ? std::vector<std::string>{"C:\\T\\A.exe "} : std::vector<std::string>{};
    TimelineLog list;
    TimelineSource source = list.Source(hidden, rng() % 4 == 0);
    source.Grid = &grid;
    source.Logs = RowsOf(logs);
    ASSERT_TRUE(reference::SameScan(ScanLogFiles(paths, *source.HiddenNames, source.ShowAll), ScanLogs(source, logs)))
        << "round " << round;
    const TimelineScan scan = ScanTimeline(source);
    const TimelineScan expected = ScanEachAlone(logs, hidden, source.ShowAll);
    ASSERT_TRUE(reference::SameBars(scan, expected)) << "round " << round;
    ASSERT_EQ(scan.Stopped.has_value(), expected.Stopped.has_value()) << "round " << round;
    if (scan.Stopped) {
      EXPECT_EQ(scan.Stopped->Message, expected.Stopped->Message) << "round " << round;
    }
  }
}

// The hashed lookups rest on this: equal keys exactly for equal names.
TEST(CaseFoldKey, EqualExactlyWhenTheTextsCompareEqual) {
  const std::string pieces[] = {"a", "A", "z", "Z", "Ａ", "ａ", "ß", "É", "é", "\xC3", "\xFF", "\x80", "(", " "};
  std::mt19937 rng(3);
  const auto randomText = [&] {
    std::string s;
    for (std::size_t n = rng() % 4; n > 0; --n) s += pieces[rng() % std::size(pieces)];
    return s;
  };
  int equal = 0;
  for (int i = 0; i < 20000; ++i) {
    const std::string a = randomText(), b = randomText();
    const bool same = SameTextIgnoreCase(a, b);
    ASSERT_EQ(CaseFoldKey(a) == CaseFoldKey(b), same) << a << " / " << b;
    equal += same;
  }
  EXPECT_GT(equal, 500);
}

}  // namespace
}  // namespace tokiwa::testing
