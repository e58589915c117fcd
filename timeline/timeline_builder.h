#pragma once
// The timeline's chart from a scan of the log: the window and --render build
// their Gantt series here.
#include <string>
#include <vector>

#include "timeline/timeline_scan.h"

namespace tokiwa {

class TCustomChart;
class TGanttSeries;

// Adds the scan's bars to series. They come in the series' own start order,
// so each one is appended at the end.
void FillSeries(TGanttSeries& series, const TimelineScan& scan);
// The same, the series taking the scan's bar lists where it can (the scan's
// bars are then left empty).
void FillSeries(TGanttSeries& series, TimelineScan&& scan);

// Undoes the chart's zoom, resets its foot and rebuilds series from the grid.
// A row whose date-time text cannot be read raises EConvertError naming that
// text; the bars built before it stay.
void BuildTimeline(TCustomChart& chart, TGanttSeries& series, const TimelineSource& source);

// The same from a scan already made; raises nothing.
void ShowTimeline(TCustomChart& chart, TGanttSeries& series, const TimelineScan& scan);
void ShowTimeline(TCustomChart& chart, TGanttSeries& series, TimelineScan&& scan);

// Replaces the bars of series with the scan's, leaving the zoom and the foot
// as they are: for logs that grew while shown.
void RefillSeries(TGanttSeries& series, const TimelineScan& scan);

// The foot's two lines as a build leaves them.
std::vector<std::string> EmptyFootLines();

}  // namespace tokiwa
