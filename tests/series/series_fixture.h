#pragma once
// A chart without a window whose drawing canvas records, with a 2D plot area
// where axis values map one-to-one onto pixels: x value v at pixel v, and (the
// left axis being inverted) y value v at pixel v too, so expected coordinates
// read directly from the data.
#include <gtest/gtest.h>

#include <vector>

#include "chart/chart.h"
#include "chart/series.h"
#include "support/recording_canvas.h"
#include "support/recording_host.h"

namespace tokiwa::testing {

class SeriesFixture : public ::testing::Test {
 protected:
  SeriesFixture() {
    chart.SetHost(&host);
    chart.SetView3D(false);
    SetPlot({0, 0, 100, 100});
    SetRange(chart.BottomAxis(), 0, 100);
    SetRange(chart.LeftAxis(), 0, 100);
    chart.LeftAxis().SetInverted(true);
  }

  // The panel around it, as a whole paint sets it, bounds what can be seen.
  void SetPlot(const TRect& r) {
    chart.PanelBounds() = {r.Left - 20, r.Top - 20, r.Right + 20, r.Bottom + 20};
    chart.PlotRect() = r;
    chart.RecalcPlotSize();
  }

  static void SetRange(TChartAxis& axis, double lo, double hi) {
    axis.SetAxisRange(lo, hi);
    axis.ComputeAutoRange();
  }

  // The chart takes ownership of the series it holds.
  template <class S>
  S* Add() {
    auto* s = new S(nullptr);
    s->SetParentChart(&chart);
    return s;
  }

  // One drawing pass over a series' shown points, recorded from scratch.
  void Paint(TChartSeries& s) {
    canvas().Clear();
    s.ComputeShownRange();
    s.DrawPoints();
  }

  RecordingCanvas& canvas() { return host.Window; }

  std::vector<RecordedCall> Lines() { return canvas().CallsOf(CanvasCall::LineTo); }
  std::vector<RecordedCall> Rects() { return canvas().CallsOf(CanvasCall::Rectangle); }

  RecordingHost host;
  TChart chart{nullptr};
};

inline bool IsLine(const RecordedCall& c, TPoint from, TPoint to) { return c.from == from && c.to == to; }

}  // namespace tokiwa::testing
