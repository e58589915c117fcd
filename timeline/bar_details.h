#pragma once
// What the window tells about the bars beyond drawing them: the details of a
// bar shown on hover, and the name beside each row.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/date_time.h"
#include "runtime/locale.h"
#include "timeline/timeline_scan.h"

namespace tokiwa {

class TGanttSeries;

// What a build keeps beside the series: how each bar's end was found, in the
// series' order, and the name of each row, row 1 first.
struct TimelineDetails {
  std::vector<RunEnd> Ends;
  std::vector<std::string> RowNames;
};
TimelineDetails DetailsOf(const TimelineScan& scan);

// The name beside a program's row: the file name of its key without the
// "(...)" suffix that makes runs one program (the whole key when the file
// name is empty).
std::string RowNameOf(std::string_view programKey);

// h:mm:ss, the hours going on past a day; a run that ends before it starts
// (a clock set back) is shown with a minus sign.
std::string RunLengthText(TDateTime start, TDateTime end);
// Seconds as h:mm:ss; hours run past 24 (a week is "168:00:00").
std::string DurationText(std::int64_t seconds);

// The details of a bar, one per line: the program's file name and folder (the
// system row's name for a system run), start and end as date and time, the
// length, and how the end was found when the log has no end line for it.
std::string BarDetailsText(const TGanttSeries& series, int index, RunEnd how,
                           const FormatSettings& settings = JapaneseFormatSettings());

}  // namespace tokiwa
