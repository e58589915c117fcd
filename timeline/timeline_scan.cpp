#include "timeline/timeline_scan.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "runtime/date_time_text.h"
#include "runtime/exceptions.h"
#include "runtime/memory_hints.h"
#include "runtime/messages.h"
#include "runtime/text_compare.h"

namespace tokiwa {

namespace {

constexpr int kNoRow = INT_MAX;  // "not found" that loses every minimum
constexpr int kSystemLabel = 0;
constexpr int kFirstKeyLabel = 1;  // the program keys follow the system's label

enum class RowKind : std::uint8_t { Other, SystemStart, SystemEnd, RunStart, RunEnd };

RowKind KindOf(std::string_view marker) {
  if (marker == "vvv") return RowKind::SystemStart;
  if (marker == "###") return RowKind::SystemEnd;
  if (marker == "C" || marker == "S") return RowKind::RunStart;
  if (marker == "E") return RowKind::RunEnd;
  return RowKind::Other;
}

// Lets the maps be searched with a string_view, so looking up a row's key
// costs no allocation.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using TextMap = std::unordered_map<std::string, int, TextHash, std::equal_to<>>;

// The cells a row is read by: marker, date, time, file name and folder.
constexpr int kMarkerCell = 0, kDateCell = 1, kTimeCell = 2, kNameCell = 3, kFolderCell = 4;
using RowCells = std::array<std::string_view, kFolderCell + 1>;

// Folder + "\" + file name, exactly as the cells hold them.
void ProgramKeyOf(const RowCells& cells, std::string& key) {
  key.assign(cells[kFolderCell]);
  key += '\\';
  key += cells[kNameCell];
}

// A run's end row and how it was found: the first of a row that ends the run
// at itself ("###", or the program's own "E"), or the next "vvv", which ends
// it at the row before.
struct EndOfRun {
  int row;
  RunEnd how;
};

EndOfRun EndRow(int closing, RunEnd closingHow, int nextSystemStart, int lastRow) {
  if (nextSystemStart < closing) return {nextSystemStart - 1, RunEnd::reNextStart};
  if (closing != kNoRow) return {closing, closingHow};
  return {lastRow, RunEnd::reLastRow};
}

// What one pass from each log's last row up learns about every row.
struct LogScan {
  std::vector<RowKind> kinds;        // by row
  std::vector<int> keyIds;           // by row; -1 unless a run starts or ends there
  std::vector<int> endRows;          // by row; -1 unless a run starts there
  std::vector<RunEnd> ends;          // by row, where a run starts
  std::vector<std::string> keys;     // program keys by id, shared by the logs
};

// The logs' row ranges, kept inside the grid's data rows.
std::vector<LogRows> RangesOf(const TStringGrid& grid, const std::vector<LogRows>& logs) {
  const int first = grid.FixedRows(), end = grid.RowCount();
  if (logs.empty()) return {LogRows{first, end - first}};
  std::vector<LogRows> ranges;
  ranges.reserve(logs.size());
  for (const LogRows& log : logs) {
    const int from = std::clamp(log.First, first, end);
    ranges.push_back({from, std::clamp(log.First + log.Count, from, end) - from});
  }
  return ranges;
}

class LogScanner {
 public:
  explicit LogScanner(const TStringGrid& grid) : grid_(grid) {
    const auto n = static_cast<std::size_t>(grid.RowCount());
    AssignAdvised(scan_.kinds, n, RowKind::Other);
    AssignAdvised(scan_.keyIds, n, -1);
    AssignAdvised(scan_.endRows, n, -1);
    AssignAdvised(scan_.ends, n, RunEnd::reEndRow);
  }

  // Pairs the runs of one log: nothing outside its rows ends them.
  void Scan(LogRows log) {
    const int lastRow = log.First + log.Count - 1;
    std::fill(nextRunEnd_.begin(), nextRunEnd_.end(), kNoRow);
    int nextSystemStart = kNoRow, nextSystemEnd = kNoRow;
    for (int row = lastRow; row >= log.First; --row) {
      const auto r = static_cast<std::size_t>(row);
      grid_.RowView(row, cells_.data(), static_cast<int>(cells_.size()));
      const RowKind kind = KindOf(TrimMarker(cells_[kMarkerCell]));
      scan_.kinds[r] = kind;
      const int id = kind == RowKind::RunStart || kind == RowKind::RunEnd ? KeyId() : -1;
      scan_.keyIds[r] = id;
      EndOfRun end{-1, RunEnd::reEndRow};
      switch (kind) {
        case RowKind::SystemStart:
          end = EndRow(nextSystemEnd, RunEnd::reEndRow, nextSystemStart, lastRow);
          nextSystemStart = row;
          break;
        case RowKind::SystemEnd:
          nextSystemEnd = row;
          break;
        case RowKind::RunStart: {
          const int ownEnd = nextRunEnd_[static_cast<std::size_t>(id)];
          end = ownEnd < nextSystemEnd ? EndRow(ownEnd, RunEnd::reEndRow, nextSystemStart, lastRow)
                                       : EndRow(nextSystemEnd, RunEnd::reShutdown, nextSystemStart, lastRow);
          break;
        }
        case RowKind::RunEnd:
          nextRunEnd_[static_cast<std::size_t>(id)] = row;
          break;
        case RowKind::Other:
          break;
      }
      scan_.endRows[r] = end.row;
      scan_.ends[r] = end.how;
    }
  }

  LogScan Take() { return std::move(scan_); }

 private:
  int KeyId() {
    ProgramKeyOf(cells_, key_);
    auto found = ids_.find(std::string_view(key_));
    if (found == ids_.end()) {
      found = ids_.emplace(key_, static_cast<int>(scan_.keys.size())).first;
      scan_.keys.push_back(key_);
      nextRunEnd_.push_back(kNoRow);
    }
    return found->second;
  }

  const TStringGrid& grid_;
  LogScan scan_;
  TextMap ids_;
  std::vector<int> nextRunEnd_;  // by key id: the nearest "E" row below
  std::string key_;
  RowCells cells_;
};

LogScan ScanLogs(const TStringGrid& grid, const std::vector<LogRows>& ranges) {
  LogScanner scanner(grid);
  for (const LogRows& range : ranges) scanner.Scan(range);
  return scanner.Take();
}

// The most bars a scan can make: one per row that opens a run.
int RunCount(const LogScan& scan) {
  int runs = 0;
  for (const RowKind kind : scan.kinds) runs += kind == RowKind::SystemStart || kind == RowKind::RunStart;
  return runs;
}

// The date and time of every row, parsed once per scan. Parse() fills them
// all; At() hands them out, and a row that is not a date and time stops the
// scan only when a run needs it, as it would reading the rows one by one.
class RowTimes {
 public:
  RowTimes(const TStringGrid& grid, const FormatSettings& settings, int currentYear)
      : grid_(grid), settings_(settings), currentYear_(currentYear),
        rows_(static_cast<std::size_t>(grid.RowCount())) {
    AssignAdvised(values_, rows_, TDateTime{});
    AssignAdvised(valid_, rows_, std::uint8_t{0});
  }

  // Reads only the grid, so it may run beside other readers of it. Rows it
  // does not reach (it can only run out of memory) are parsed by At().
  void Parse() noexcept {
    try {
      std::string text;
      for (int row = grid_.FixedRows(); row < grid_.RowCount(); ++row) {
        const auto r = static_cast<std::size_t>(row);
        valid_[r] = TryStrToDateTime(TextOf(row, text), values_[r], settings_, currentYear_);
      }
    } catch (...) {
    }
  }

  // Nothing when the row's text is not a date and time.
  std::optional<TDateTime> At(int row) const {
    const auto r = static_cast<std::size_t>(row);
    if (valid_[r]) return values_[r];
    std::string text;
    TDateTime value = 0;
    if (TryStrToDateTime(TextOf(row, text), value, settings_, currentYear_)) return value;
    return std::nullopt;
  }

  // The conversion error of a row that is not a date and time.
  std::string ErrorAt(int row) const {
    std::string text;
    try {
      StrToDateTime(TextOf(row, text), settings_, currentYear_);
    } catch (const EConvertError& e) {
      return e.what();
    }
    return {};
  }

 private:
  const std::string& TextOf(int row, std::string& text) const {
    std::string_view cells[kTimeCell + 1];
    grid_.RowView(row, cells, kTimeCell + 1);
    text.assign(cells[kDateCell]);
    text += ' ';
    text += cells[kTimeCell];
    return text;
  }

  const TStringGrid& grid_;
  const FormatSettings& settings_;
  int currentYear_;
  std::size_t rows_;
  std::vector<TDateTime> values_;
  std::vector<std::uint8_t> valid_;
};

// Row assignment and hiding, decided once per program key.
class ProgramRows {
 public:
  ProgramRows(const TimelineSource& source, const std::vector<std::string>& keys)
      : keys_(keys), decided_(keys.size(), false), hidden_(keys.size(), false),
        rowOf_(keys.size(), 0), folded_(keys.size()) {
    if (!source.ShowAll && source.HiddenNames) {
      for (int i = 0; i < source.HiddenNames->Count(); ++i)
        hiddenNames_.insert(CaseFoldKey((*source.HiddenNames)[i]));
    }
  }

  bool Hidden(int id) {
    Decide(id);
    return hidden_[static_cast<std::size_t>(id)];
  }

  // The row of the program; its first call for a name appends the name to the
  // program order, and the key's label to the row labels.
  int Row(int id) {
    Decide(id);
    const auto i = static_cast<std::size_t>(id);
    int& row = rowOf_[i];
    if (row == 0) {
      const auto [it, added] = order_.emplace(folded_[i], static_cast<int>(order_.size()));
      if (added) rowLabels_.push_back(id + kFirstKeyLabel);
      row = it->second + kFirstProgramRow;
    }
    return row;
  }

  std::vector<int> TakeRowLabels() { return std::move(rowLabels_); }

 private:
  void Decide(int id) {
    const auto i = static_cast<std::size_t>(id);
    if (decided_[i]) return;
    decided_[i] = true;
    folded_[i] = CaseFoldKey(NormalizeName(keys_[i]));
    hidden_[i] = hiddenNames_.count(folded_[i]) > 0;
  }

  const std::vector<std::string>& keys_;
  std::vector<bool> decided_;
  std::vector<bool> hidden_;
  std::vector<int> rowOf_;                       // 0 until the first shown run
  std::vector<std::string> folded_;              // normalised, case-folded names by key id
  std::unordered_set<std::string> hiddenNames_;  // case-folded
  std::unordered_map<std::string, int> order_;   // case-folded name -> position
  std::vector<int> rowLabels_;                   // by position in order_
};

// A Gantt series puts each new bar after every bar whose start is not later:
// on the bars in row order that is a stable sort by start. Logs usually run
// forward, and then there is nothing to move.
void SortByStart(std::vector<TimelineBar>& bars) {
  const auto earlier = [](const TimelineBar& a, const TimelineBar& b) { return a.Start < b.Start; };
  if (!std::is_sorted(bars.begin(), bars.end(), earlier)) std::stable_sort(bars.begin(), bars.end(), earlier);
}

// The bars of one log's runs, in row order; stops at the first run whose
// start or end row is not a date and time, answering that row.
std::optional<UnreadableRow> AddBars(LogRows range, const LogScan& scan, const RowTimes& times,
                                     ProgramRows& programs, const std::array<TColor, 8>& colours,
                                     std::vector<TimelineBar>& bars) {
  for (int row = range.First; row < range.First + range.Count; ++row) {
    const auto r = static_cast<std::size_t>(row);
    const RowKind kind = scan.kinds[r];
    if (kind != RowKind::SystemStart && kind != RowKind::RunStart) continue;
    const int id = scan.keyIds[r];
    if (kind == RowKind::RunStart && programs.Hidden(id)) continue;
    const std::optional<TDateTime> start = times.At(row);
    const std::optional<TDateTime> end = start ? times.At(scan.endRows[r]) : std::nullopt;
    if (!end) {
      const int unreadable = start ? scan.endRows[r] : row;
      return UnreadableRow{unreadable, times.ErrorAt(unreadable)};
    }
    const int y = kind == RowKind::SystemStart ? kSystemRow : programs.Row(id);
    const int label = kind == RowKind::SystemStart ? kSystemLabel : id + kFirstKeyLabel;
    bars.push_back({*start, *end, y, colours[static_cast<std::size_t>(y % 8)], label, scan.ends[r]});
  }
  return std::nullopt;
}

}  // namespace

std::string_view TrimMarker(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

std::string NormalizeName(std::string_view name) {
  const std::size_t n = name.size();
  if (n < 3 || name.back() != ')') return std::string(name);
  // 0-based positions n-2 down to 1: never the first character.
  for (std::size_t j = n - 2; j >= 1; --j)
    if (name[j] == '(') return std::string(name.substr(0, j));
  return std::string(name);
}

std::vector<int> FindEndRows(const TStringGrid& grid) { return ScanLogs(grid, RangesOf(grid, {})).endRows; }

TimelineScan ScanTimeline(const TimelineSource& source) {
  TimelineScan result;
  if (!source.Grid) return result;
  const TStringGrid& grid = *source.Grid;
  const std::vector<LogRows> ranges = RangesOf(grid, source.Logs);

  // The dates are parsed on a second thread while this one scans the markers
  // and names: on a large log the two take about as long.
  RowTimes times(grid, source.Settings, source.CurrentYear != 0 ? source.CurrentYear : CurrentYear());
  LogScan scan;
  {
    std::jthread parser([&times] { times.Parse(); });
    scan = ScanLogs(grid, ranges);
  }
  ReserveAdvised(result.Bars, static_cast<std::size_t>(RunCount(scan)));
  ProgramRows programs(source, scan.keys);
  for (const LogRows& range : ranges) {
    if (auto stopped = AddBars(range, scan, times, programs, source.BarColors, result.Bars);
        stopped && !result.Stopped)
      result.Stopped = std::move(stopped);
  }
  result.RowLabels = programs.TakeRowLabels();
  result.Labels.reserve(scan.keys.size() + kFirstKeyLabel);
  result.Labels.emplace_back(msg::SystemRunLabel);
  std::move(scan.keys.begin(), scan.keys.end(), std::back_inserter(result.Labels));
  SortByStart(result.Bars);
  return result;
}

}  // namespace tokiwa
