#include "timeline/timeline_builder.h"

#include "chart/chart.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "series/gantt_series.h"

namespace tokiwa {

void FillSeries(TGanttSeries& series, const TimelineScan& scan) {
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
