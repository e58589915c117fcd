#pragma once
// Launch logs written as files, loaded through the grid loader as the window
// loads them, then scanned, or built into a timeline chart configured as the
// window's.
#include <optional>
#include <string>
#include <vector>

#include "runtime/date_time.h"
#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "support/temp_dir.h"
#include "tests/timeline/timeline_reference.h"
#include "timeline/chart_config.h"
#include "timeline/launch_log.h"
#include "timeline/timeline_builder.h"

namespace tokiwa::testing {

// One line of a launch log: marker, date, time, file name, folder.
struct LogLine {
  std::string marker, date, time, file, folder;
};

// CP932 text with CR LF line ends, as the launcher writes it.
inline std::string LogBytes(const std::vector<LogLine>& lines) {
  std::string text;
  for (const LogLine& l : lines) text += l.marker + "," + l.date + "," + l.time + "," + l.file + "," + l.folder + "\r\n";
  return Utf8ToCp932(text);
}

// A time of 2024-04-15 given as "h:mm:ss".
inline double At(int h, int m, int s = 0) { return EncodeDate(2024, 4, 15) + EncodeTime(h, m, s, 0); }

class TimelineLog {
 public:
  TimelineLog() : chart_(CreateTimelineChart(&owner_)) { PrepareLogGrid(grid_, io_); }

  // Writes the lines to a file and loads it as the window does.
  void Load(const std::vector<LogLine>& lines) {
    WriteBytes(Path(), LogBytes(lines));
    LoadFile(Path());
  }
  std::string Path() const { return dir_.File("launch.log"); }
  void LoadFile(const std::string& path) { LoadLaunchLog(io_, path); }

  TimelineScan Scan(const std::vector<std::string>& hiddenNames = {}, bool showAll = false) {
    return ScanTimeline(Source(hiddenNames, showAll));
  }

  // Builds the chart; answers the conversion message when a row stopped it.
  std::optional<std::string> Build(const std::vector<std::string>& hiddenNames = {}, bool showAll = false) {
    try {
      BuildTimeline(*chart_.Chart1, *chart_.Series1, Source(hiddenNames, showAll));
    } catch (const EConvertError& e) {
      return std::string(e.what());
    }
    return std::nullopt;
  }

  // What the scan reads the log's dates in.
  TimelineSource Source(const std::vector<std::string>& hiddenNames = {}, bool showAll = false) {
    hidden_.Clear();
    for (const std::string& name : hiddenNames) hidden_.Add(name);
    TimelineSource source;
    source.Grid = &grid_;
    source.HiddenNames = &hidden_;
    source.ShowAll = showAll;
    source.CurrentYear = 2024;
    return source;
  }

  TChart& Chart() { return *chart_.Chart1; }
  TGanttSeries& Series() { return *chart_.Series1; }
  TStringGrid& Grid() { return grid_; }

 private:
  TempDir dir_;
  TComponent owner_{nullptr};
  TimelineChart chart_;
  TStringGrid grid_;
  TStringGridIO io_;
  TStringList hidden_;
};

}  // namespace tokiwa::testing
