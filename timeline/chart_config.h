#pragma once
// The launch timeline's chart: Chart1 with its one Gantt series Series1, set up
// as the main window's design has them. The window, the command-line modes and
// the fuzz target all build their chart here, so all of them draw alike.
#include "chart/chart.h"
#include "series/gantt_series.h"

namespace tokiwa {

struct TimelineChart {
  TChart* Chart1 = nullptr;
  TGanttSeries* Series1 = nullptr;
};

// Creates the chart and its series, both owned by owner, configured and joined.
TimelineChart CreateTimelineChart(TComponent* owner);

// The design's settings; everything not named keeps the engine's default.
void ConfigureChart1(TChart& chart);
void ConfigureSeries1(TGanttSeries& series);

}  // namespace tokiwa
