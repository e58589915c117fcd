#include "timeline/log_timeline.h"

#include "timeline/launch_log.h"
#include "timeline/log_files.h"
#include "timeline/timeline_builder.h"

namespace tokiwa {

namespace {

TimelineSource SourceOf(const TStringGrid& grid, const std::vector<LoadedLog>& logs,
                        const TStringList& hiddenNames, bool showAll) {
  TimelineSource source;
  source.Grid = &grid;
  source.Logs = RowsOf(logs);
  source.HiddenNames = &hiddenNames;
  source.ShowAll = showAll;
  return source;
}

}  // namespace

TimelineScan ScanLogFiles(const std::vector<std::string>& logFiles, const TStringList& hiddenNames, bool showAll) {
  TStringGrid grid;
  TStringGridIO io;
  PrepareLogGrid(grid, io);
  const std::vector<LoadedLog> logs = LoadLaunchLogs(io, logFiles);
  TimelineScan scan = ScanTimeline(SourceOf(grid, logs, hiddenNames, showAll));
  if (scan.Stopped) scan.Stopped->Message = UnreadableRowMessage(logs, *scan.Stopped);
  return scan;
}

LogTimeline::LogTimeline() : chart_(CreateTimelineChart(&owner_)) { PrepareLogGrid(grid_, io_); }

std::optional<std::string> LogTimeline::Load(const std::vector<std::string>& logFiles,
                                             const TStringList& hiddenNames, bool showAll) {
  const std::vector<LoadedLog> logs = LoadLaunchLogs(io_, logFiles);
  const TimelineScan scan = ScanTimeline(SourceOf(grid_, logs, hiddenNames, showAll));
  ShowTimeline(*chart_.Chart1, *chart_.Series1, scan);
  if (scan.Stopped) return UnreadableRowMessage(logs, *scan.Stopped);
  return std::nullopt;
}

}  // namespace tokiwa
