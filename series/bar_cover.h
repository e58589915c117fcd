#pragma once
// What later bars paint over, so that an earlier bar need not be drawn there.
// Bars are offered in reverse drawing order; per row of pixels the cover keeps
// one stretch of columns that the bars offered so far paint. That is exact
// when every bar paints each pixel of its columns opaquely and all bars of a
// row share one vertical extent: a later bar then overwrites every pixel an
// earlier one leaves in those columns, whatever is drawn in between.
#include <functional>
#include <utility>
#include <vector>

namespace tokiwa {

class BarCover {
 public:
  // For a column c, a value whose column is c or right of it (fromValue), or
  // c or left of it (toValue), under a mapping of values to columns that
  // never decreases; an infinity of the wrong sign when none is known.
  using ValueOfColumn = std::function<double(int)>;

  // Forgets every bar; rows from firstRow to lastRow (inclusive) can be offered.
  void Reset(int firstRow, int lastRow, ValueOfColumn fromValue, ValueOfColumn toValue);
  bool HasRow(int row) const { return row >= first_ && row - first_ < static_cast<int>(rows_.size()); }

  // A bar painting the columns [left, right) of a row, drawn before every bar
  // offered so far: answers the columns of it that none of them paints, as
  // one stretch (empty when none; the whole bar when they would be two), and
  // counts the bar's columns as painted.
  std::pair<int, int> Uncovered(int row, int left, int right);

  // The same question asked of values, before a bar's columns are worked out:
  // whether a bar that paints from its start's column to at most one past its
  // end's lies within the painted columns. It answers no until a bar offered
  // to Uncovered fell wholly inside the row's stretch: where bars seldom
  // overlap, working out the stretch's edge values costs more than it spares.
  bool Covers(int row, double start, double end) const;

 private:
  struct Stretch {
    int left = 0;
    int right = 0;  // empty while left == right
    // Starts from fromValue on map at or right of left, ends up to toValue
    // left of right. Not a number until worked out.
    double fromValue = 0;
    double toValue = 0;
  };
  void Set(Stretch& stretch, int left, int right) const;
  void WorkOutEdgeValues(Stretch& stretch) const;

  int first_ = 0;
  std::vector<Stretch> rows_;
  ValueOfColumn fromValue_, toValue_;
};

}  // namespace tokiwa
