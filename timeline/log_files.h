#pragma once
// Several launch logs shown as one: loaded into the grid one after another,
// in the order of their first dated line, each log on rows of its own so its
// runs are paired within it (TimelineSource::Logs).
#include <optional>
#include <string>
#include <vector>

#include "gridio/grid_text.h"
#include "gridio/string_grid_io.h"
#include "timeline/timeline_scan.h"

namespace tokiwa {

struct LoadedLog {
  std::string Path;
  LogRows Rows;       // its lines in the grid
  FileReadState Read; // how much of the file the rows hold (only loads into a grid say)
};

// The order logs are shown in, given the date and time of each one's first
// line that has one: by that, files without any last, ties in the order given.
std::vector<int> OrderOfLogs(const std::vector<std::optional<TDateTime>>& firstDates);

// Resets io's grid as LoadLaunchLog does and loads the files into it (one
// file loads exactly as LoadLaunchLog loads it). Files come in the order of
// the date and time of their first line that has one; files without any, and
// files of equal first dates, keep the order given. Raises the first failing
// file's error, leaving the grid reset.
std::vector<LoadedLog> LoadLaunchLogs(TStringGridIO& io, const std::vector<std::string>& paths);

// The rows of each log, for TimelineSource::Logs.
std::vector<LogRows> RowsOf(const std::vector<LoadedLog>& logs);

// The message of a row that stopped a scan; with several logs it names the
// log the row belongs to.
std::string UnreadableRowMessage(const std::vector<LoadedLog>& logs, const UnreadableRow& row);

// Scans the grid the logs were loaded into; the stopping row's message is
// UnreadableRowMessage's.
TimelineScan ScanLogs(const TimelineSource& source, const std::vector<LoadedLog>& logs);

}  // namespace tokiwa
