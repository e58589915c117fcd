#pragma once
// A chart on a recording host, set up to test one axis on its own: flat (no
// walls or depth), an explicit plot rectangle and series made on demand.
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/series.h"
#include "runtime/date_time.h"
#include "support/recording_host.h"

namespace tokiwa::axis_test {

struct AxisChart {
  RecordingHost host;
  TChart chart{nullptr};
  std::vector<std::unique_ptr<TChartSeries>> series;

  AxisChart() {
    chart.SetHost(&host);
    chart.SetView3D(false);
    SetPlot({20, 10, 520, 210});
  }
  ~AxisChart() {
    for (auto& s : series) s->SetParentChart(nullptr);
  }

  void SetPlot(TRect r) {
    chart.PlotRect() = r;
    chart.RecalcPlotSize();
  }
  // A series on the bottom and left axes with date-time or plain X values.
  TChartSeries& AddSeries(bool dateTimeX) {
    series.push_back(std::make_unique<TChartSeries>(nullptr));
    TChartSeries& s = *series.back();
    s.XValues().SetDateTime(dateTimeX);
    s.SetParentChart(&chart);
    return s;
  }
  // Explicit range, applied as the next paint would.
  void SetRange(TChartAxis& axis, double lo, double hi) {
    axis.SetAxisRange(lo, hi);
    axis.ComputeAutoRange();
  }
  // Refreshes the axis' cached date-time flag the way a paint does (through
  // ComputeReservedSize, on a copy of the plot rectangle).
  void RefreshDateTimeFlag(TChartAxis& axis) {
    TRect r = chart.PlotRect();
    axis.ComputeReservedSize(r);
  }
  RecordingCanvas& Canvas() { return host.Window; }
  std::vector<RecordedCall> Lines() const { return host.Window.CallsOf(CanvasCall::LineTo); }
};

inline double Minutes(double m) { return m / 1440.0; }

}  // namespace tokiwa::axis_test
