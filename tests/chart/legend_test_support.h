#pragma once
// A chart on a recording host with the plot laid out by hand, for legend tests.
// The recording canvas measures 7 pixels per ASCII character and 15 pixels per
// line in the default chart font.
#include <string>

#include "chart/legend.h"
#include "paint_test_support.h"

namespace tokiwa::legend_test {

struct LegendChart : paint_test::PaintChart {
  // Panel 1000 × 1000; plot 800 wide and 600 high, centre x 500.
  static constexpr TRect kPlot{100, 100, 900, 700};

  LegendChart() { SetPlot(kPlot); }

  TChartLegend& Legend() { return dynamic_cast<TChartLegend&>(chart->Legend()); }

  paint_test::LoggingSeries& Titled(const std::string& title) {
    auto& s = AddSeries(title);
    s.SetTitle(title);
    return s;
  }

  // Lays the legend out and draws it on the window canvas, as the paint does.
  void Draw() {
    Window().Clear();
    Legend().DrawLegend();
  }

  std::vector<RecordedCall> Rectangles() const { return host.Window.CallsOf(CanvasCall::Rectangle); }
  std::vector<RecordedCall> Fills() const { return host.Window.CallsOf(CanvasCall::FillRect); }
};

}  // namespace tokiwa::legend_test
