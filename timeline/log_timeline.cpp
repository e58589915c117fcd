#include "timeline/log_timeline.h"

#include <utility>

#include "gridio/string_grid_io.h"
#include "runtime/string_grid.h"
#include "timeline/launch_log.h"
#include "timeline/log_files.h"
#include "timeline/log_stream.h"
#include "timeline/timeline_builder.h"

namespace tokiwa {

TimelineScan ScanLogFiles(const std::vector<std::string>& logFiles, const TStringList& hiddenNames, bool showAll,
                          const std::function<void()>& read) {
  TimelineSource source;
  source.HiddenNames = &hiddenNames;
  source.ShowAll = showAll;
  const std::optional<StreamedLogs> logs = StreamLaunchLogs(logFiles, {source.Settings, CurrentYear()});
  if (!logs) {
    TStringGrid grid;
    TStringGridIO io;
    PrepareLogGrid(grid, io);
    const std::vector<LoadedLog> loaded = LoadLaunchLogs(io, logFiles);
    if (read) read();
    source.Grid = &grid;
    source.Logs = RowsOf(loaded);
    return ScanLogs(source, loaded);
  }
  if (read) read();
  source.Logs = RowsOf(logs->Logs);
  TimelineScan scan = ScanRowFacts(logs->Facts, source);
  if (scan.Stopped) scan.Stopped->Message = UnreadableRowMessage(logs->Logs, *scan.Stopped);
  return scan;
}

LogTimeline::LogTimeline() : chart_(CreateTimelineChart(&owner_)) {}

std::optional<std::string> LogTimeline::Load(const std::vector<std::string>& logFiles,
                                             const TStringList& hiddenNames, bool showAll,
                                             const std::function<void()>& read) {
  TimelineScan scan = ScanLogFiles(logFiles, hiddenNames, showAll, read);
  std::optional<std::string> stopped;
  if (scan.Stopped) stopped = scan.Stopped->Message;
  ShowTimeline(*chart_.Chart1, *chart_.Series1, std::move(scan));
  return stopped;
}

}  // namespace tokiwa
