#pragma once
// The timeline as its rules read, step by step: every run looks for its end
// row by scanning forward, names are searched in string lists one by one, and
// every date-time text is converted where it is used. Slow (quadratic) but
// plainly right; the fast builder is checked against it by tests and by the
// fuzz target.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/timeline_builder.h"
#include "runtime/date_time_text.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "runtime/string_grid.h"
#include "runtime/string_list.h"
#include "series/gantt_series.h"

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

inline TDateTime RowDateTime(const TStringGrid& grid, int row, const TimelineSource& source) {
  return StrToDateTime(grid.Cells(1, row) + " " + grid.Cells(2, row), source.Settings, source.CurrentYear);
}

// Adds the bars to series (cleared first); answers the conversion message
// that stopped the build, if any. source.CurrentYear must be set.
inline std::optional<std::string> BuildBars(const TimelineSource& source, TGanttSeries& series) {
  series.RemoveAllPoints();
  const TStringGrid& grid = *source.Grid;
  TStringList order;
  try {
    for (int i = grid.FixedRows(); i < grid.RowCount(); ++i) {
      const std::string m = Marker(grid, i);
      if (m == "vvv") {
        const TDateTime start = RowDateTime(grid, i, source);
        const TDateTime end = RowDateTime(grid, SystemEndRow(grid, i), source);
        series.AddBar(start, end, 1, std::string(msg::SystemRunLabel), source.BarColors[1]);
      } else if (m == "C" || m == "S") {
        const std::string key = ProgramKey(grid, i);
        const std::string name = NormalizeName(key);
        if (!source.ShowAll && source.HiddenNames && source.HiddenNames->IndexOf(name) >= 0) continue;
        const TDateTime start = RowDateTime(grid, i, source);
        const TDateTime end = RowDateTime(grid, RunEndRow(grid, i), source);
        if (order.IndexOf(name) < 0) order.Add(name);
        const int y = order.IndexOf(name) + 2;
        series.AddBar(start, end, y, key, source.BarColors[static_cast<std::size_t>(y % 8)]);
      }
    }
  } catch (const EConvertError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

}  // namespace tokiwa::reference
