#pragma once
// A chart on a recording host laid out by hand, for tests of the mouse
// handling: a 400 × 400 plot at (100, 100) with the bottom and left axes
// spanning 0..100 (4 pixels per unit), 2D, and series whose points sit in
// rectangles the test chooses.
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/series.h"
#include "support/recording_host.h"

namespace tokiwa::mouse_test {

// A series whose point i is hit inside HitRects[i].
class BoxSeries : public TChartSeries {
 public:
  explicit BoxSeries(TComponent* owner) : TChartSeries(owner) {}
  std::vector<TRect> HitRects;
  int PointAtPixel(int x, int y) override {
    for (int i = 0; i < static_cast<int>(HitRects.size()); ++i)
      if (HitRects[i].Contains(x, y)) return i;
    return -1;
  }
  void MouseMoved(TShiftState, int, int) override { ++moves; }
  void MouseReleased(TMouseButton, TShiftState, int, int) override { ++releases; }
  int moves = 0;
  int releases = 0;
};

struct MouseChart {
  RecordingHost host;
  TComponent form{nullptr};  // owns the chart and the series
  TChart* chart = new TChart(&form);
  BoxSeries* series = nullptr;

  static constexpr TRect kPlot{100, 100, 500, 500};

  MouseChart() {
    chart->SetHost(&host);
    chart->SetBounds(0, 0, 600, 600);
    chart->SetView3D(false);
    series = AddSeries();
    series->AppendPoint(0, 0, "");
    series->AppendPoint(100, 100, "");
    chart->PanelBounds() = {0, 0, 600, 600};
    chart->PlotRect() = kPlot;
    chart->RecalcPlotSize();
    Layout();
  }

  BoxSeries* AddSeries() {
    auto* s = new BoxSeries(&form);
    s->SetParentChart(chart);
    return s;
  }

  // What a paint does to the ranges: recompute them from the settings, so that
  // pixel-to-value conversions use the current ones.
  void Layout() {
    for (TChartAxis* a : {&chart->LeftAxis(), &chart->RightAxis(), &chart->TopAxis(), &chart->BottomAxis()})
      a->ComputeAutoRange();
  }

  void Drag(TMouseButton button, TPoint from, TPoint to) {
    const TShiftState held = button == TMouseButton::mbLeft ? ssLeft : ssRight;
    chart->MouseDown(button, held, from.X, from.Y);
    chart->MouseMove(held, to.X, to.Y);
    chart->MouseUp(button, 0, to.X, to.Y);
  }

  // Rubber-band rectangles drawn on the window so far.
  std::vector<RecordedCall> Frames() const {
    std::vector<RecordedCall> frames;
    for (const RecordedCall& c : host.Window.CallsOf(CanvasCall::Rectangle))
      if (c.state.penMode == TPenMode::pmNotXor) frames.push_back(c);
    return frames;
  }
};

}  // namespace tokiwa::mouse_test
