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
  chart.CancelZoom();
  chart.Foot().SetText(EmptyFootLines());
  series.RemoveAllPoints();
  const TimelineScan scan = ScanTimeline(source);
  FillSeries(series, scan);
  if (scan.Stopped) throw EConvertError(scan.Stopped->Message);
}

std::vector<std::string> EmptyFootLines() {
  return {std::string(msg::FootFileName), std::string(msg::IdeographicSpace)};
}

}  // namespace tokiwa
