// A scan's bars are kept list by list but read, added and ordered as bars:
// every field of a bar stays with it, and ordering by start keeps bars of
// equal starts in the order they were added, as a Gantt series would.
#include "timeline/timeline_bars.h"

#include <gtest/gtest.h>

#include <vector>

namespace tokiwa {
namespace {

TimelineBar Bar(double start, int label) {
  return {start, start + 1, label % 3 + 2, static_cast<TColor>(0x10 * label), label,
          label % 2 ? RunEnd::reShutdown : RunEnd::reEndRow};
}

void ExpectBars(const TimelineBars& bars, const std::vector<TimelineBar>& expected) {
  ASSERT_EQ(bars.size(), expected.size());
  std::size_t i = 0;
  for (const TimelineBar bar : bars) {
    const TimelineBar& e = expected[i++];
    EXPECT_TRUE(bar.Start == e.Start && bar.End == e.End && bar.Row == e.Row && bar.Colour == e.Colour &&
                bar.Label == e.Label && bar.Ended == e.Ended)
        << "bar " << i - 1;
  }
}

TEST(TimelineBars, KeepEachBarWholeWhenInsertedAndOrderedByStart) {
  struct Case {
    std::vector<double> starts;  // bar k's label is k
    std::vector<int> sorted;     // labels by start
  };
  std::vector<Case> cases = {
      {{1, 2, 3}, {0, 1, 2}},
      {{3, 2, 1}, {2, 1, 0}},
      {{2, 1, 2, 1, 2}, {1, 3, 0, 2, 4}},  // equal starts keep their order
      {{5}, {0}},
      {{}, {}},
  };
  // Enough bars that a sort stops sorting small stretches by insertion.
  Case many;
  for (int k = 0; k < 60; ++k) many.starts.push_back((k * 7) % 3);
  for (int start = 0; start < 3; ++start)
    for (int k = 0; k < 60; ++k)
      if (many.starts[static_cast<std::size_t>(k)] == start) many.sorted.push_back(k);
  cases.push_back(many);
  for (const Case& c : cases) {
    TimelineBars bars;
    std::vector<TimelineBar> added;
    for (std::size_t k = 0; k < c.starts.size(); ++k) {
      added.push_back(Bar(c.starts[k], static_cast<int>(k)));
      bars.push_back(added.back());
    }
    ExpectBars(bars, added);
    bars.SortByStart();
    std::vector<TimelineBar> sorted;
    for (const int label : c.sorted) sorted.push_back(added[static_cast<std::size_t>(label)]);
    ExpectBars(bars, sorted);
    // A bar inserted in the middle moves the later ones, fields and all.
    if (!sorted.empty()) {
      bars.insert(1, Bar(-1, 9));
      sorted.insert(sorted.begin() + 1, Bar(-1, 9));
      ExpectBars(bars, sorted);
    }
  }
}

}  // namespace
}  // namespace tokiwa
