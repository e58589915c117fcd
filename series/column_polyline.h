#pragma once
// A polyline of screen points for a thin solid pen, folded per pixel column.
//
// Drawing a polyline with such a pen sets the same pixels as drawing its
// segments one by one (each without its end point). A run of consecutive
// points in one pixel column only draws vertical segments there, and together
// they cover the column from the lowest to the highest of those points; so the
// run can be replaced by its first point, its lowest and highest points before
// the last, the point before the last and the last itself, and the pixels stay
// exactly the same, whatever comes before or after. A million points across a
// chart 1,600 pixels wide become at most five per column.
//
// Pixels drawn twice are drawn once by the folded line: it is for pens that
// copy their colour, not for xor modes.
#include <span>
#include <vector>

#include "runtime/geometry.h"

namespace tokiwa {

class ColumnPolyline {
 public:
  void Clear();
  // Appends a point; one equal to the point before it is ignored.
  void Add(TPoint p);
  // The folded polyline of every point added since Clear.
  std::span<const TPoint> Finish();

 private:
  void Emit(TPoint p);
  void FlushColumn();

  std::vector<TPoint> out_;
  int count_ = 0;  // points of the current column, the last one included
  TPoint entry_;   // first point of the column
  TPoint low_, high_;  // extremes of the column's points before the last
  bool lowFirst_ = true;  // low_ came before high_
  TPoint beforeLast_;
  TPoint last_;
};

}  // namespace tokiwa
