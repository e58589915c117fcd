#pragma once
// A launch log's timeline without the window, for the command-line modes: the
// window's grid set-up and loading, its chart configuration and its builder.
#include <optional>
#include <string>

#include "app/chart_config.h"
#include "gridio/string_grid_io.h"
#include "runtime/component.h"
#include "runtime/string_grid.h"
#include "runtime/string_list.h"

namespace tokiwa {

class LogTimeline {
 public:
  LogTimeline();
  LogTimeline(const LogTimeline&) = delete;
  LogTimeline& operator=(const LogTimeline&) = delete;

  // Loads the log into the grid (the loader's errors propagate) and builds the
  // bars. A row that cannot be converted stops the build: the bars made before
  // it stay, and its message is returned.
  std::optional<std::string> Load(const std::string& logFile, const TStringList& hiddenNames, bool showAll);

  TChart& Chart() { return *chart_.Chart1; }
  TGanttSeries& Series() { return *chart_.Series1; }
  TStringGrid& Grid() { return grid_; }

 private:
  TComponent owner_{nullptr};
  TimelineChart chart_;
  TStringGrid grid_;
  TStringGridIO io_;
};

// Reads a hidden-program list file: absent is empty when optional, otherwise
// the list's open error propagates.
TStringList ReadHiddenNames(const std::string& path, bool mustExist);

}  // namespace tokiwa
