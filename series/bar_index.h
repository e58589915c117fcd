#pragma once
// An index over the extents of a Gantt series' bars, so that neither a
// repaint of a zoomed view nor the question "which bar is under the mouse"
// has to look at every bar of a log of a million rows.
//
// Both answers hold for any mapping of values to pixels that never decreases
// (a horizontal axis that is neither inverted nor logarithmic): a bar's
// pixels lie between the pixels of its lower and its higher value, so
// running maxima and minima of those values bound whole stretches of bars.
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace tokiwa {

class TChartValueList;

class BarIndex {
 public:
  // Value to pixel column; must never decrease.
  using ColumnOf = std::function<long long(double)>;
  // Value to pixel row, and whether a bar whose row is at pixel py answers
  // a pointer at pixel y.
  using RowOf = std::function<long long(double)>;

  // Binds the index to a series' lists: bar i starts at starts[i], ends at
  // ends[i] and lies on row rows[i] (values as ValueAt gives them). The index
  // follows their changes by their versions.
  BarIndex(const TChartValueList& starts, const TChartValueList& ends, const TChartValueList& rows);

  // Bars [first, last) include every bar with a pixel in the columns
  // [left, right) when drawn as a rectangle from its start's column to its
  // end's: the bars outside can be skipped. (Bars inside may still lie
  // outside the columns.)
  std::pair<int, int> BarsMeeting(long long left, long long right, const ColumnOf& column);

  // The first bar i (lowest index) with column(start) <= x <= column(end)
  // whose row pixel py satisfies |py - y| < reach, or whose start pixel is
  // exactly (x, y); -1 when there is none. startColumn is the column of a
  // start as the series clamps it for its click test. Requires the starts in
  // ascending order; Searchable() says whether they are.
  int BarAt(long long x, long long y, long long reach, const ColumnOf& startColumn, const ColumnOf& endColumn,
            const RowOf& row);
  bool Searchable();

 private:
  struct Row {
    double value = 0;
    std::vector<int> bars;          // in index order, so by start
    std::vector<double> reachesTo;  // running maximum of the bars' ends
  };

  bool Current(const std::vector<std::uint64_t>& versions) const;
  std::vector<std::uint64_t> Versions() const;
  void BuildBlocks();
  void BuildRows();
  int FirstHitInRow(const Row& row, long long x, long long y, long long py, long long reach,
                    const ColumnOf& startColumn, const ColumnOf& endColumn) const;

  const TChartValueList& starts_;
  const TChartValueList& ends_;
  const TChartValueList& rows_;

  // Bars in blocks of kBlock: the highest value of blocks 0..b, the lowest
  // of blocks b.. to the last.
  static constexpr int kBlock = 64;
  std::vector<std::uint64_t> blockVersions_;
  std::vector<double> highestUpTo_;
  std::vector<double> lowestFrom_;
  bool finite_ = true;

  std::vector<std::uint64_t> rowVersions_;
  bool ascending_ = false;
  std::vector<Row> byRow_;  // ordered by row value
};

}  // namespace tokiwa
