#pragma once
// A launch log's timeline without the window, for the command-line modes: the
// logs read as the window reads them, but straight into the facts of their
// rows (timeline/log_stream.h), since no grid is shown; then the window's scan,
// chart configuration and builder.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/component.h"
#include "runtime/string_list.h"
#include "timeline/chart_config.h"
#include "timeline/timeline_scan.h"

namespace tokiwa {

// Reads the logs as the window loads them and scans them with that list and
// switch; the loader's errors propagate. read, when given, is called once the
// files are read, before their runs are paired (which, like filling the
// series after, keeps one core busy).
TimelineScan ScanLogFiles(const std::vector<std::string>& logFiles, const TStringList& hiddenNames, bool showAll,
                          const std::function<void()>& read = {});

// The log's chart, drawn as the window draws it.
class LogTimeline {
 public:
  LogTimeline();
  LogTimeline(const LogTimeline&) = delete;
  LogTimeline& operator=(const LogTimeline&) = delete;

  // Reads the logs (the loader's errors propagate) and builds the bars. A row that cannot be converted stops its log's build: the bars
  // made before it stay, and its message is returned.
  std::optional<std::string> Load(const std::vector<std::string>& logFiles, const TStringList& hiddenNames,
                                  bool showAll, const std::function<void()>& read = {});

  TChart& Chart() { return *chart_.Chart1; }
  TGanttSeries& Series() { return *chart_.Series1; }

 private:
  TComponent owner_{nullptr};
  TimelineChart chart_;
};

}  // namespace tokiwa
