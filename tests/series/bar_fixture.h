#pragma once
// A 2D plot 500 pixels wide and 100 high where x value v lies at pixel v and
// y value v at pixel 100 - v: upright bars grow upward from pixel 100, and four
// points give bars 70 pixels wide (500 x 70 % / 5 slots).
#include <vector>

#include "series/bar_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {

class BarFixture : public SeriesFixture {
 protected:
  BarFixture() {
    SetPlot({0, 0, 500, 100});
    SetRange(chart.BottomAxis(), 0, 500);
    chart.LeftAxis().SetInverted(false);
    SetRange(chart.LeftAxis(), 0, 100);
  }

  // Upright bars at x = 100, 200, 300, 400 with the given heights.
  TBarSeries* Bars(std::vector<double> heights) {
    auto* bars = Add<TBarSeries>();
    for (size_t i = 0; i < heights.size(); ++i) bars->AppendPoint(100.0 * static_cast<double>(i + 1), heights[i], "");
    return bars;
  }

  // Lying bars instead: a plot 100 pixels wide and 500 high, x value v at
  // pixel v and y value v at pixel 500 - v.
  void UseLyingPlot() {
    SetPlot({0, 0, 100, 500});
    SetRange(chart.BottomAxis(), 0, 100);
    SetRange(chart.LeftAxis(), 0, 500);
  }

  // Lying bars at y = 100, 200, ... with the given lengths.
  THorizBarSeries* Lying(std::vector<double> lengths) {
    auto* bars = Add<THorizBarSeries>();
    for (size_t i = 0; i < lengths.size(); ++i) bars->AppendPoint(lengths[i], 100.0 * static_cast<double>(i + 1), "");
    return bars;
  }

  // A drawing pass as the chart makes it, without the axes and walls.
  void PaintBars(TChartSeries& s, bool marks = false) {
    canvas().Clear();
    s.ComputeShownRange();
    s.BeginDrawing();
    s.DrawPoints();
    if (marks) s.DrawMarks();
    s.EndDrawing();
  }

  // 3D with one depth slot a tenth of the plot deep: 50 pixels right and 10 up
  // for upright bars, 10 right and 50 up for lying ones.
  void Use3D() {
    chart.SetView3D(true);
    chart.SetChart3DPercent(100);
    chart.SetTopDepthSlot(0);
    chart.ComputeDepth();
  }

  std::vector<RecordedCall> Polygons() { return canvas().CallsOf(CanvasCall::Polygon); }
};

}  // namespace tokiwa::testing
