#include "timeline/log_timeline.h"

#include "timeline/log_files.h"
#include "timeline/log_stream.h"
#include "timeline/timeline_builder.h"

namespace tokiwa {

TimelineScan ScanLogFiles(const std::vector<std::string>& logFiles, const TStringList& hiddenNames, bool showAll) {
  TimelineSource source;
  source.HiddenNames = &hiddenNames;
  source.ShowAll = showAll;
  const StreamedLogs logs = StreamLaunchLogs(logFiles, {source.Settings, CurrentYear()});
  source.Logs = RowsOf(logs.Logs);
  TimelineScan scan = ScanRowFacts(logs.Facts, source);
  if (scan.Stopped) scan.Stopped->Message = UnreadableRowMessage(logs.Logs, *scan.Stopped);
  return scan;
}

LogTimeline::LogTimeline() : chart_(CreateTimelineChart(&owner_)) {}

std::optional<std::string> LogTimeline::Load(const std::vector<std::string>& logFiles,
                                             const TStringList& hiddenNames, bool showAll) {
  const TimelineScan scan = ScanLogFiles(logFiles, hiddenNames, showAll);
  ShowTimeline(*chart_.Chart1, *chart_.Series1, scan);
  if (scan.Stopped) return scan.Stopped->Message;
  return std::nullopt;
}

}  // namespace tokiwa
