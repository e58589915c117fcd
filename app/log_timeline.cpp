#include "app/log_timeline.h"

#include "app/launch_log.h"
#include "app/settings.h"
#include "app/timeline_builder.h"
#include "runtime/exceptions.h"

namespace tokiwa {

LogTimeline::LogTimeline() : chart_(CreateTimelineChart(&owner_)) { PrepareLogGrid(grid_, io_); }

std::optional<std::string> LogTimeline::Load(const std::string& logFile, const TStringList& hiddenNames,
                                             bool showAll) {
  LoadLaunchLog(io_, logFile);
  TimelineSource source;
  source.Grid = &grid_;
  source.HiddenNames = &hiddenNames;
  source.ShowAll = showAll;
  source.BarColors = kBarColors;
  try {
    BuildTimeline(*chart_.Chart1, *chart_.Series1, source);
  } catch (const EConvertError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

TStringList ReadHiddenNames(const std::string& path, bool mustExist) {
  TStringList names;
  if (mustExist) names.LoadFromFile(path);
  else LoadHiddenNames(names, path);
  return names;
}

}  // namespace tokiwa
