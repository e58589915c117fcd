#pragma once
// The timeline as its rules read, step by step: every run looks for its end
// row by scanning forward, names are searched in string lists one by one,
// every date-time text is converted where it is used, and every bar is
// inserted where a Gantt series puts it. Slow (quadratic) but plainly right;
// the fast scan is checked against it by tests and by the fuzz target.
#include <optional>
#include <string>
#include <vector>

#include "runtime/date_time_text.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "runtime/string_grid.h"
#include "runtime/string_list.h"
#include "series/gantt_series.h"
#include "timeline/timeline_scan.h"

namespace tokiwa::reference {

inline std::string Marker(const TStringGrid& grid, int row) {
  return std::string(TrimMarker(grid.CellView(0, row)));
}

inline std::string ProgramKey(const TStringGrid& grid, int row) {
  return grid.Cells(4, row) + "\\" + grid.Cells(3, row);
}

inline int SystemEndRow(const TStringGrid& grid, int i) {
  for (int j = i + 1; j < grid.RowCount(); ++j) {
    const std::string m = Marker(grid, j);
    if (m == "###") return j;
    if (m == "vvv") return j - 1;
  }
  return grid.RowCount() - 1;
}

inline int RunEndRow(const TStringGrid& grid, int i) {
  const std::string key = ProgramKey(grid, i);
  for (int j = i + 1; j < grid.RowCount(); ++j) {
    const std::string m = Marker(grid, j);
    if (m == "E" && ProgramKey(grid, j) == key) return j;
    if (m == "###") return j;
    if (m == "vvv") return j - 1;
  }
  return grid.RowCount() - 1;
}

// How the run opened at row i finds its end, read the same way.
inline RunEnd HowRunEnds(const TStringGrid& grid, int i) {
  const bool system = Marker(grid, i) == "vvv";
  const std::string key = ProgramKey(grid, i);
  for (int j = i + 1; j < grid.RowCount(); ++j) {
    const std::string m = Marker(grid, j);
    if (!system && m == "E" && ProgramKey(grid, j) == key) return RunEnd::reEndRow;
    if (m == "###") return system ? RunEnd::reEndRow : RunEnd::reShutdown;
    if (m == "vvv") return RunEnd::reNextStart;
  }
  return RunEnd::reLastRow;
}

// As FindEndRows: by row, -1 for rows that open no run.
inline std::vector<int> EndRows(const TStringGrid& grid) {
  std::vector<int> ends(static_cast<std::size_t>(grid.RowCount()), -1);
  for (int i = grid.FixedRows(); i < grid.RowCount(); ++i) {
    const std::string m = Marker(grid, i);
    if (m == "vvv") ends[static_cast<std::size_t>(i)] = SystemEndRow(grid, i);
    if (m == "C" || m == "S") ends[static_cast<std::size_t>(i)] = RunEndRow(grid, i);
  }
  return ends;
}

// Adds the bar with its own label where adding it to a Gantt series puts it:
// after every bar whose start is not later.
inline void AddInStartOrder(TimelineScan& scan, TimelineBar bar, const std::string& label) {
  bar.Label = static_cast<int>(scan.Labels.size());
  scan.Labels.push_back(label);
  std::size_t at = scan.Bars.size();
  while (at > 0 && scan.Bars[at - 1].Start > bar.Start) --at;
  scan.Bars.insert(at, bar);
}

// Reads the row's date and time into value, or records it as the row that
// stopped the scan.
inline bool ReadRow(const TStringGrid& grid, int row, const TimelineSource& source, TimelineScan& scan,
                    TDateTime& value) {
  try {
    value = StrToDateTime(grid.Cells(1, row) + " " + grid.Cells(2, row), source.Settings, source.CurrentYear);
    return true;
  } catch (const EConvertError& e) {
    scan.Stopped = UnreadableRow{row, e.what()};
    return false;
  }
}

// source.CurrentYear must be set.
inline TimelineScan Scan(const TimelineSource& source) {
  TimelineScan scan;
  const TStringGrid& grid = *source.Grid;
  TStringList order;
  for (int i = grid.FixedRows(); i < grid.RowCount(); ++i) {
    const std::string m = Marker(grid, i);
    TDateTime start = 0, end = 0;
    if (m == "vvv") {
      if (!ReadRow(grid, i, source, scan, start) || !ReadRow(grid, SystemEndRow(grid, i), source, scan, end)) break;
      AddInStartOrder(scan, {start, end, 1, source.BarColors[1], 0, HowRunEnds(grid, i)},
                      std::string(msg::SystemRunLabel));
    } else if (m == "C" || m == "S") {
      const std::string key = ProgramKey(grid, i);
      const std::string name = NormalizeName(key);
      if (!source.ShowAll && source.HiddenNames && source.HiddenNames->IndexOf(name) >= 0) continue;
      if (!ReadRow(grid, i, source, scan, start) || !ReadRow(grid, RunEndRow(grid, i), source, scan, end)) break;
      if (order.IndexOf(name) < 0) {
        order.Add(name);
        scan.RowLabels.push_back(static_cast<int>(scan.Labels.size()));
      }
      const int y = order.IndexOf(name) + 2;
      AddInStartOrder(scan, {start, end, y, source.BarColors[static_cast<std::size_t>(y % 8)], 0, HowRunEnds(grid, i)},
                      key);
    }
  }
  return scan;
}

// A Gantt series read back as a scan, one label per bar.
inline TimelineScan ScanOf(const TGanttSeries& s) {
  TimelineScan scan;
  for (int i = 0; i < s.PointCount(); ++i) {
    scan.Bars.push_back({s.StartValues().ValueAt(i), s.EndValues().ValueAt(i),
                         static_cast<int>(s.YValues().ValueAt(i)), s.PointColor(i), i});
    scan.Labels.push_back(s.PointLabel(i));
  }
  return scan;
}

// The same bars in the same order, labels compared by their texts.
inline bool SameBars(const TimelineScan& a, const TimelineScan& b) {
  if (a.Bars.size() != b.Bars.size()) return false;
  for (std::size_t i = 0; i < a.Bars.size(); ++i) {
    const TimelineBar &x = a.Bars[i], &y = b.Bars[i];
    if (x.Start != y.Start || x.End != y.End || x.Row != y.Row || x.Colour != y.Colour ||
        a.LabelOf(x) != b.LabelOf(y))
      return false;
  }
  return true;
}

// The same bars ending the same way, the same row names, stopped at the same
// row with the same message.
inline bool SameScan(const TimelineScan& a, const TimelineScan& b) {
  if (a.Stopped.has_value() != b.Stopped.has_value()) return false;
  if (a.Stopped && (a.Stopped->Row != b.Stopped->Row || a.Stopped->Message != b.Stopped->Message)) return false;
  if (!SameBars(a, b) || a.RowLabels.size() != b.RowLabels.size()) return false;
  for (std::size_t i = 0; i < a.Bars.size(); ++i)
    if (a.Bars[i].Ended != b.Bars[i].Ended) return false;
  for (std::size_t i = 0; i < a.RowLabels.size(); ++i)
    if (a.Labels[static_cast<std::size_t>(a.RowLabels[i])] != b.Labels[static_cast<std::size_t>(b.RowLabels[i])])
      return false;
  return true;
}

}  // namespace tokiwa::reference
