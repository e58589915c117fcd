#include "timeline/log_timeline.h"

#include "runtime/exceptions.h"
#include "timeline/launch_log.h"
#include "timeline/timeline_builder.h"

namespace tokiwa {

namespace {

TimelineSource SourceOf(const TStringGrid& grid, const TStringList& hiddenNames, bool showAll) {
  TimelineSource source;
  source.Grid = &grid;
  source.HiddenNames = &hiddenNames;
  source.ShowAll = showAll;
  return source;
}

}  // namespace

TimelineScan ScanLogFile(const std::string& logFile, const TStringList& hiddenNames, bool showAll) {
  TStringGrid grid;
  TStringGridIO io;
  PrepareLogGrid(grid, io);
  LoadLaunchLog(io, logFile);
  return ScanTimeline(SourceOf(grid, hiddenNames, showAll));
}

LogTimeline::LogTimeline() : chart_(CreateTimelineChart(&owner_)) { PrepareLogGrid(grid_, io_); }

std::optional<std::string> LogTimeline::Load(const std::string& logFile, const TStringList& hiddenNames,
                                             bool showAll) {
  LoadLaunchLog(io_, logFile);
  try {
    BuildTimeline(*chart_.Chart1, *chart_.Series1, SourceOf(grid_, hiddenNames, showAll));
  } catch (const EConvertError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

}  // namespace tokiwa
