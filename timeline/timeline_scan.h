#pragma once
// Reads the rows of a launch log, as loaded into a string grid, as runs: a
// "vvv" row opens a system run (row 1), a "C" or "S" row a program run (rows 2
// and up, one per program in order of first shown run). A run ends at the
// first later row that ends it: "###" ends everything, the next "vvv" ends at
// the row before it, and an "E" row with exactly the same program key ends
// that program's runs; without one, the log's last row.
//
// Several logs shown at once lie one after another in the grid; each is
// scanned on its own rows, so no run is ended by a row of another log, while
// the rows of the chart are shared by program across them.
//
// The result is plain data, so --export writes it without a chart and the
// builder fills the Gantt series from it. The rows are read once into their
// facts (timeline/row_facts.h), the end rows found in one backward pass over
// those and the bars put in start order by one sort, so a log of a million
// rows, of runs that never end or of times that run backwards costs
// O(n log n).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/colour.h"
#include "runtime/date_time.h"
#include "runtime/locale.h"
#include "runtime/string_grid.h"
#include "runtime/string_list.h"
#include "timeline/row_facts.h"
#include "timeline/timeline_bars.h"

namespace tokiwa {

// The chart's rows: the system's runs, then one row per program.
inline constexpr int kSystemRow = 1;
inline constexpr int kFirstProgramRow = 2;

// The bar palette, chosen by row number modulo 8.
inline constexpr std::array<TColor, 8> kBarColors = {
    0x0000FFFF,  // yellow
    0x00FFFFFF,  // white: system runs (row 1)
    0x00FFFF00,  // aqua: the first program (row 2)
    0x00FF0000,  // blue
    0x00C0C0C0,  // silver
    0x0000FF00,  // lime
    0x00FF00FF,  // fuchsia
    0x000000FF,  // red
};

// The grid rows of one log.
struct LogRows {
  int First = 0;
  int Count = 0;
};

struct TimelineSource {
  const TStringGrid* Grid = nullptr;
  // The logs in the grid, in order; none: every data row is one log.
  std::vector<LogRows> Logs;
  // Normalised names not drawn unless ShowAll (case-insensitive).
  const TStringList* HiddenNames = nullptr;
  bool ShowAll = false;
  std::array<TColor, 8> BarColors = kBarColors;
  // How the rows' date and time texts are read; two-digit years and dates
  // without a year fall in CurrentYear's century and year.
  FormatSettings Settings = JapaneseFormatSettings();
  int CurrentYear = 0;  // 0: the local clock's year, read once per scan
};

// The row whose date and time could not be read, and the conversion error's
// message naming its text.
struct UnreadableRow {
  int Row = 0;
  std::string Message;
};

struct TimelineScan {
  // In the order a Gantt series holds them: by start, equal starts in the
  // order of the rows that open them (what adding them one by one gives).
  TimelineBars Bars;
  // "system", then the program keys (folder + "\" + file name) of the log.
  std::vector<std::string> Labels;
  // By program row from row 2 up: the label of the run that opened the row.
  std::vector<int> RowLabels;
  // A row that stopped the scan of its log; Bars then holds the runs that log
  // opened before the run that needed it. With several logs the others are
  // scanned all the same, and this is the first such row.
  std::optional<UnreadableRow> Stopped;

  const std::string& LabelOf(const TimelineBar& bar) const { return Labels[static_cast<std::size_t>(bar.Label)]; }
};

TimelineScan ScanTimeline(const TimelineSource& source);

// The same from the facts of the rows, read elsewhere (source.Grid may be
// null; source.Logs then names the rows of each log).
TimelineScan ScanRowFacts(const RowFacts& facts, const TimelineSource& source);

// The program name used for hiding and for row assignment: a text ending in
// ")" loses everything from its last "(" on, unless that "(" is the first
// character.
std::string NormalizeName(std::string_view name);

// The marker of a row: its column 0 without leading and trailing characters
// up to 0x20.
std::string_view TrimMarker(std::string_view text);

// For every row from the grid's first data row on, the row its run ends at, or
// -1 for rows that open no run.
std::vector<int> FindEndRows(const TStringGrid& grid);

}  // namespace tokiwa
