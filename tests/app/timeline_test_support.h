#pragma once
// Launch logs written as files, loaded through the grid loader as the window
// loads them, and built into a timeline chart configured as the window's.
#include <optional>
#include <string>
#include <vector>

#include "app/chart_config.h"
#include "app/launch_log.h"
#include "app/timeline_builder.h"
#include "runtime/date_time.h"
#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "support/temp_dir.h"

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

struct Bar {
  double start = 0, end = 0;
  int row = 0;
  std::string label;
  TColor colour = 0;
};

inline std::vector<Bar> BarsOf(const TGanttSeries& s) {
  std::vector<Bar> bars;
  for (int i = 0; i < s.PointCount(); ++i)
    bars.push_back({s.StartValues().ValueAt(i), s.EndValues().ValueAt(i), static_cast<int>(s.YValues().ValueAt(i)),
                    s.PointLabel(i), s.PointColor(i)});
  return bars;
}

// A time of 2024-04-15 given as "h:mm:ss".
inline double At(int h, int m, int s = 0) { return EncodeDate(2024, 4, 15) + EncodeTime(h, m, s, 0); }

class TimelineLog {
 public:
  TimelineLog() : chart_(CreateTimelineChart(&owner_)) { PrepareLogGrid(grid_, io_); }

  // Writes the lines to a file and loads it as the window does.
  void Load(const std::vector<LogLine>& lines) {
    const std::string path = dir_.File("launch.log");
    WriteBytes(path, LogBytes(lines));
    LoadLaunchLog(io_, path);
  }

  // Builds; answers the conversion message when a row stopped the build.
  std::optional<std::string> Build(const std::vector<std::string>& hiddenNames = {}, bool showAll = false) {
    hidden_.Clear();
    for (const std::string& name : hiddenNames) hidden_.Add(name);
    TimelineSource source;
    source.Grid = &grid_;
    source.HiddenNames = &hidden_;
    source.ShowAll = showAll;
    source.CurrentYear = 2024;
    try {
      BuildTimeline(*chart_.Chart1, *chart_.Series1, source);
    } catch (const EConvertError& e) {
      return std::string(e.what());
    }
    return std::nullopt;
  }

  std::vector<Bar> Bars() const { return BarsOf(*chart_.Series1); }
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
