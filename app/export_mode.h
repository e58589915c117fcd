#pragma once
// "--export": the bars of launch logs as CSV on standard output, for
// scripts. The logs go through the window's loading and scan, so the bars are
// exactly those the window draws.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/date_time.h"
#include "runtime/string_list.h"
#include "timeline/timeline_scan.h"

namespace tokiwa {

// What a command-line run draws.
struct TimelineJob {
  std::vector<std::string> LogFiles;  // shown together, as a selection of several
  // Without one, the viewer's own hidden-program list (absent means empty).
  bool HasHiddenList = false;
  std::string HiddenListFile;
  bool ShowAll = false;
};

// Where a command-line mode's messages go.
using Reporter = std::function<void(const std::string& message)>;

// Exit statuses of the file modes.
inline constexpr int kExitFileError = 1;   // the log or the list cannot be read
inline constexpr int kExitBadRow = 2;      // a row stopped the build; the bars before it were written

inline constexpr std::string_view kBarsCsvHeader = "index,start,end,row,colour,label";

// The hidden names a job uses (the list's open error propagates).
TStringList JobHiddenNames(const TimelineJob& job);

// One line per bar in the scan's order (the chart's) under kBarsCsvHeader;
// UTF-8, LF line ends.
void WriteBarsCsv(const TimelineScan& scan, std::ostream& out);
// "YYYY-MM-DD HH:MM:SS", rounded to the nearest second.
std::string CsvDateTime(TDateTime value);
// The text in double quotes, inner quotes doubled.
std::string CsvQuoted(std::string_view text);

// Writes what write makes of the job's scan and answers the exit status:
// 0, kExitFileError, kExitIoError, or kExitBadRow after writing.
using ScanWriter = std::function<void(const TimelineScan& scan, std::ostream& out)>;
int RunScanOutput(const TimelineJob& job, std::ostream& out, const Reporter& report, const ScanWriter& write);

// Runs the export and answers the exit status.
int RunExport(const TimelineJob& job, std::ostream& out, const Reporter& report);

}  // namespace tokiwa
