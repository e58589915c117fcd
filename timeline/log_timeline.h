#pragma once
// A launch log's timeline without the window, for the command-line modes: the
// window's grid set-up and loading, its scan, and its chart configuration and
// builder.
#include <optional>
#include <string>
#include <vector>

#include "gridio/string_grid_io.h"
#include "runtime/component.h"
#include "runtime/string_grid.h"
#include "runtime/string_list.h"
#include "timeline/chart_config.h"
#include "timeline/timeline_scan.h"

namespace tokiwa {

// Loads the logs as the window does and scans them with that list and
// switch; the loader's errors propagate.
TimelineScan ScanLogFiles(const std::vector<std::string>& logFiles, const TStringList& hiddenNames, bool showAll);

// The log's chart, drawn as the window draws it.
class LogTimeline {
 public:
  LogTimeline();
  LogTimeline(const LogTimeline&) = delete;
  LogTimeline& operator=(const LogTimeline&) = delete;

  // Loads the logs into the grid (the loader's errors propagate) and builds
  // the bars. A row that cannot be converted stops its log's build: the bars
  // made before it stay, and its message is returned.
  std::optional<std::string> Load(const std::vector<std::string>& logFiles, const TStringList& hiddenNames,
                                  bool showAll);

  TChart& Chart() { return *chart_.Chart1; }
  TGanttSeries& Series() { return *chart_.Series1; }
  TStringGrid& Grid() { return grid_; }

 private:
  TComponent owner_{nullptr};
  TimelineChart chart_;
  TStringGrid grid_;
  TStringGridIO io_;
};

}  // namespace tokiwa
