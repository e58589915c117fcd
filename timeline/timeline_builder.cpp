#include "timeline/timeline_builder.h"

#include <utility>
#include <vector>

#include "chart/chart.h"
#include "runtime/exceptions.h"
#include "runtime/memory_hints.h"
#include "runtime/messages.h"
#include "series/gantt_series.h"

namespace tokiwa {

namespace {

// The bars in the series' own lists, added at once where the series allows.
bool FillAtOnce(TGanttSeries& series, const TimelineScan& scan) {
  const std::size_t n = scan.Bars.size();
  std::vector<double> starts, ends, rows;
  std::vector<TColor> colours;
  std::vector<int> labels;
  ReserveAdvised(starts, n);
  ReserveAdvised(ends, n);
  ReserveAdvised(rows, n);
  ReserveAdvised(colours, n);
  ReserveAdvised(labels, n);
  for (const TimelineBar& bar : scan.Bars) {
    starts.push_back(bar.Start);
    ends.push_back(bar.End);
    rows.push_back(bar.Row);
    colours.push_back(bar.Colour);
    labels.push_back(bar.Label);
  }
  return series.AddBarsAtOnce(std::move(starts), std::move(ends), std::move(rows), std::move(colours), labels,
                              scan.Labels);
}

}  // namespace

void FillSeries(TGanttSeries& series, const TimelineScan& scan) {
  if (FillAtOnce(series, scan)) return;
  series.ReservePoints(static_cast<int>(scan.Bars.size()));
  for (const TimelineBar& bar : scan.Bars) series.AddBar(bar.Start, bar.End, bar.Row, scan.LabelOf(bar), bar.Colour);
}

void BuildTimeline(TCustomChart& chart, TGanttSeries& series, const TimelineSource& source) {
  const TimelineScan scan = ScanTimeline(source);
  ShowTimeline(chart, series, scan);
  if (scan.Stopped) throw EConvertError(scan.Stopped->Message);
}

void ShowTimeline(TCustomChart& chart, TGanttSeries& series, const TimelineScan& scan) {
  chart.CancelZoom();
  chart.Foot().SetText(EmptyFootLines());
  RefillSeries(series, scan);
}

void RefillSeries(TGanttSeries& series, const TimelineScan& scan) {
  series.RemoveAllPoints();
  FillSeries(series, scan);
}

std::vector<std::string> EmptyFootLines() {
  return {std::string(msg::FootFileName), std::string(msg::IdeographicSpace)};
}

}  // namespace tokiwa
