// The scan's one-pass end-row search, hashed name lookups and one sort into
// start order against the plain scan-forward reading, on many random logs.
#include <gtest/gtest.h>

#include <random>

#include "runtime/text_compare.h"
#include "tests/timeline/timeline_reference.h"
#include "tests/timeline/timeline_test_support.h"

namespace tokiwa::testing {
namespace {

// Few programs, spelt in several cases and with suffixes, so that rows,
// hiding and exact end matching all meet.
const char* const kFiles[] = {"a.exe", "A.EXE", "a.exe (1)", "a.exe (2)", "b.exe", "ｂ.exe", "Ｂ.exe", "c(x)"};
const char* const kFolders[] = {"C:\\T", "c:\\t", "D:\\"};
const char* const kMarkers[] = {"vvv", "###", "C", "S", "E", "E", "E", " C ", "x", "e", "VVV", "C"};

std::vector<LogLine> RandomLog(std::mt19937& rng, int lines) {
  std::vector<LogLine> log;
  int seconds = 8 * 3600;
  for (int i = 0; i < lines; ++i) {
    seconds += static_cast<int>(rng() % 600) - (rng() % 10 == 0 ? 900 : 0);  // sometimes backwards
    seconds = std::clamp(seconds, 0, 86399);
    const std::string time = std::to_string(seconds / 3600) + ":" + std::to_string(seconds / 60 % 60) + ":" +
                             std::to_string(seconds % 60);
    const std::string date = rng() % 150 == 0 ? "2024/02/30" : "2024/04/15";  // rarely unreadable
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
    stopped += scan.Stopped.has_value();
    withBars += !scan.Bars.empty();
  }
  // The random logs reach both outcomes often.
  EXPECT_GT(stopped, 20);
  EXPECT_GT(withBars, 150);
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
