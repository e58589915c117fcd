// The builder's one-pass end-row search and hashed name lookups against the
// plain scan-forward reading, on many random logs.
#include <gtest/gtest.h>

#include <random>

#include "runtime/text_compare.h"
#include "tests/app/timeline_reference.h"
#include "tests/app/timeline_test_support.h"

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

bool SameBars(const std::vector<Bar>& a, const std::vector<Bar>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].start != b[i].start || a[i].end != b[i].end || a[i].row != b[i].row || a[i].label != b[i].label ||
        a[i].colour != b[i].colour)
      return false;
  }
  return true;
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
    const auto& names = hidden[rng() % 3];
    const auto error = log.Build(names, showAll);

    TStringList list;
    for (const std::string& n : names) list.Add(n);
    TimelineSource source;
    source.Grid = &log.Grid();
    source.HiddenNames = &list;
    source.ShowAll = showAll;
    source.CurrentYear = 2024;
    TComponent owner(nullptr);
    auto* expected = new TGanttSeries(&owner);
    const auto expectedError = reference::BuildBars(source, *expected);

    ASSERT_EQ(error, expectedError) << "round " << round;
    ASSERT_TRUE(SameBars(log.Bars(), BarsOf(*expected))) << "round " << round;
    stopped += error.has_value();
    withBars += !log.Bars().empty();
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
