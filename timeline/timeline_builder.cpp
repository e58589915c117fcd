#include "timeline/timeline_builder.h"

#include <utility>
#include <vector>

#include "chart/chart.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "series/gantt_series.h"

namespace tokiwa {

namespace {

void AddOneByOne(TGanttSeries& series, const TimelineScan& scan) {
  series.ReservePoints(static_cast<int>(scan.Bars.size()));
  for (const TimelineBar bar : scan.Bars) series.AddBar(bar.Start, bar.End, bar.Row, scan.LabelOf(bar), bar.Colour);
}

void ResetView(TCustomChart& chart) {
  chart.CancelZoom();
  chart.Foot().SetText(EmptyFootLines());
}

}  // namespace

// The series takes copies of the scan's lists where it can take them whole.
void FillSeries(TGanttSeries& series, const TimelineScan& scan) {
  const TimelineBars& bars = scan.Bars;
  if (!series.AddBarsAtOnce(std::vector(bars.Starts), std::vector(bars.Ends), std::vector(bars.Rows),
                            std::vector(bars.Colours), bars.Labels, scan.Labels))
    AddOneByOne(series, scan);
}

void FillSeries(TGanttSeries& series, TimelineScan&& scan) {
  TimelineBars& bars = scan.Bars;
  if (series.AddBarsAtOnce(std::move(bars.Starts), std::move(bars.Ends), std::move(bars.Rows),
                           std::move(bars.Colours), bars.Labels, scan.Labels)) {
    bars = {};
    return;
  }
  AddOneByOne(series, scan);
}

void BuildTimeline(TCustomChart& chart, TGanttSeries& series, const TimelineSource& source) {
  const TimelineScan scan = ScanTimeline(source);
  ShowTimeline(chart, series, scan);
  if (scan.Stopped) throw EConvertError(scan.Stopped->Message);
}

void ShowTimeline(TCustomChart& chart, TGanttSeries& series, const TimelineScan& scan) {
  ResetView(chart);
  RefillSeries(series, scan);
}

void ShowTimeline(TCustomChart& chart, TGanttSeries& series, TimelineScan&& scan) {
  ResetView(chart);
  series.RemoveAllPoints();
  FillSeries(series, std::move(scan));
}

void RefillSeries(TGanttSeries& series, const TimelineScan& scan) {
  series.RemoveAllPoints();
  FillSeries(series, scan);
}

std::vector<std::string> EmptyFootLines() {
  return {std::string(msg::FootFileName), std::string(msg::IdeographicSpace)};
}

}  // namespace tokiwa
