#pragma once
// Loading the series' pens into the chart canvas.
#include "chart/chart_pens.h"
#include "runtime/canvas.h"

namespace tokiwa {

// Loads a chart pen into the canvas; an invisible pen draws as no pen.
inline void UseChartPen(Canvas& canvas, const TChartPen& pen) {
  if (pen.Visible()) {
    canvas.Pen().Assign(pen);
  } else {
    canvas.Pen().SetStyle(TPenStyle::psClear);
  }
}

}  // namespace tokiwa
