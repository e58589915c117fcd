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
  return ScanLogs(SourceOf(grid, logs, hiddenNames, showAll), logs);
}

LogTimeline::LogTimeline() : chart_(CreateTimelineChart(&owner_)) { PrepareLogGrid(grid_, io_); }

std::optional<std::string> LogTimeline::Load(const std::vector<std::string>& logFiles,
                                             const TStringList& hiddenNames, bool showAll) {
  const std::vector<LoadedLog> logs = LoadLaunchLogs(io_, logFiles);
  const TimelineScan scan = ScanLogs(SourceOf(grid_, logs, hiddenNames, showAll), logs);
  ShowTimeline(*chart_.Chart1, *chart_.Series1, scan);
  if (scan.Stopped) return scan.Stopped->Message;
  return std::nullopt;
}

}  // namespace tokiwa
