#include "timeline/timeline_scan.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "runtime/memory_hints.h"
#include "runtime/messages.h"
#include "runtime/text_compare.h"

namespace tokiwa {

namespace {

constexpr int kNoRow = INT_MAX;  // "not found" that loses every minimum
constexpr int kSystemLabel = 0;
constexpr int kFirstKeyLabel = 1;  // the program keys follow the system's label

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

// Where each run ends, found in one pass from each log's last row up.
struct RunEnds {
  std::vector<int> endRows;  // by row; -1 unless a run starts there
  std::vector<RunEnd> ends;  // by row, where a run starts
};

// The logs' row ranges, kept inside the rows from firstRow to endRow.
std::vector<LogRows> RangesOf(int firstRow, int endRow, const std::vector<LogRows>& logs) {
  if (logs.empty()) return {LogRows{firstRow, endRow - firstRow}};
  std::vector<LogRows> ranges;
  ranges.reserve(logs.size());
  for (const LogRows& log : logs) {
    const int from = std::clamp(log.First, firstRow, endRow);
    ranges.push_back({from, std::clamp(log.First + log.Count, from, endRow) - from});
  }
  return ranges;
}

class RunPairer {
 public:
  explicit RunPairer(const RowFacts& facts) : facts_(facts), nextRunEnd_(facts.Keys.size(), kNoRow) {
    const auto n = static_cast<std::size_t>(facts.Rows());
    AssignAdvised(result_.endRows, n, -1);
    AssignAdvised(result_.ends, n, RunEnd::reEndRow);
  }

  // Pairs the runs of one log: nothing outside its rows ends them.
  void Pair(LogRows log) {
    const int lastRow = log.First + log.Count - 1;
    std::fill(nextRunEnd_.begin(), nextRunEnd_.end(), kNoRow);
    int nextSystemStart = kNoRow, nextSystemEnd = kNoRow;
    for (int row = lastRow; row >= log.First; --row) {
      const auto r = static_cast<std::size_t>(row);
      const int id = facts_.KeyIds[r];
      EndOfRun end{-1, RunEnd::reEndRow};
      switch (facts_.Kinds[r]) {
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
      result_.endRows[r] = end.row;
      result_.ends[r] = end.how;
    }
  }

  RunEnds Take() { return std::move(result_); }

 private:
  const RowFacts& facts_;
  RunEnds result_;
  std::vector<int> nextRunEnd_;  // by key id: the nearest "E" row below
};

RunEnds PairRuns(const RowFacts& facts, const std::vector<LogRows>& ranges) {
  RunPairer pairer(facts);
  for (const LogRows& range : ranges) pairer.Pair(range);
  return pairer.Take();
}

// The most bars a scan can make: one per row that opens a run.
std::size_t RunCount(const RowFacts& facts) {
  std::size_t runs = 0;
  for (const RowKind kind : facts.Kinds) runs += kind == RowKind::SystemStart || kind == RowKind::RunStart;
  return runs;
}

// Row assignment and hiding, decided once per program key.
class ProgramRows {
 public:
  ProgramRows(const TimelineSource& source, const std::vector<std::string>& keys)
      : hidden_(keys.size(), false), rowOf_(keys.size(), 0) {
    std::unordered_set<std::string> hiddenNames;  // case-folded
    if (!source.ShowAll && source.HiddenNames) {
      for (int i = 0; i < source.HiddenNames->Count(); ++i)
        hiddenNames.insert(CaseFoldKey((*source.HiddenNames)[i]));
    }
    // A log names a few dozen programs: each key is decided up front rather
    // than checked for on each of its runs.
    folded_.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
      folded_.push_back(CaseFoldKey(NormalizeName(keys[i])));
      hidden_[i] = hiddenNames.count(folded_[i]) > 0;
    }
  }

  bool Hidden(int id) const { return hidden_[static_cast<std::size_t>(id)] != 0; }

  // The row of the program; its first call for a name appends the name to the
  // program order, and the key's label to the row labels.
  int Row(int id) {
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
  std::vector<std::uint8_t> hidden_;
  std::vector<int> rowOf_;                      // 0 until the first shown run
  std::vector<std::string> folded_;             // normalised, case-folded names by key id
  std::unordered_map<std::string, int> order_;  // case-folded name -> position
  std::vector<int> rowLabels_;                  // by position in order_
};

// The bars of one log's runs, in row order; stops at the first run whose
// start or end row is not a date and time, answering that row.
std::optional<UnreadableRow> AddBars(LogRows range, const RowFacts& facts, const RunEnds& runEnds,
                                     ProgramRows& programs, const std::array<TColor, 8>& colours,
                                     TimelineBars& bars) {
  for (int row = range.First; row < range.First + range.Count; ++row) {
    const auto r = static_cast<std::size_t>(row);
    const RowKind kind = facts.Kinds[r];
    if (kind != RowKind::SystemStart && kind != RowKind::RunStart) continue;
    const int id = facts.KeyIds[r];
    if (kind == RowKind::RunStart && programs.Hidden(id)) continue;
    const auto endRow = static_cast<std::size_t>(runEnds.endRows[r]);
    if (!facts.TimeValid[r] || !facts.TimeValid[endRow]) {
      const int unreadable = facts.TimeValid[r] ? runEnds.endRows[r] : row;
      return UnreadableRow{unreadable, facts.ErrorAt(unreadable)};
    }
    const int y = kind == RowKind::SystemStart ? kSystemRow : programs.Row(id);
    const int label = kind == RowKind::SystemStart ? kSystemLabel : id + kFirstKeyLabel;
    bars.push_back({facts.Times[r], facts.Times[endRow], y, colours[static_cast<std::size_t>(y % 8)], label,
                    runEnds.ends[r]});
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

StampReader StampReaderOf(const TimelineSource& source) {
  return {source.Settings, source.CurrentYear != 0 ? source.CurrentYear : CurrentYear()};
}

std::vector<int> FindEndRows(const TStringGrid& grid) {
  const RowFacts facts = FactsOfGrid(grid, StampReaderOf({}));
  return PairRuns(facts, RangesOf(grid.FixedRows(), grid.RowCount(), {})).endRows;
}

TimelineScan ScanRowFacts(const RowFacts& facts, const TimelineSource& source) {
  const int firstRow = source.Grid ? std::min(source.Grid->FixedRows(), facts.Rows()) : 0;
  const std::vector<LogRows> ranges = RangesOf(firstRow, facts.Rows(), source.Logs);
  TimelineScan result;
  {
    const RunEnds runEnds = PairRuns(facts, ranges);
    result.Bars.reserve(RunCount(facts));
    ProgramRows programs(source, facts.Keys);
    for (const LogRows& range : ranges) {
      if (auto stopped = AddBars(range, facts, runEnds, programs, source.BarColors, result.Bars);
          stopped && !result.Stopped)
        result.Stopped = std::move(stopped);
    }
    result.RowLabels = programs.TakeRowLabels();
  }
  result.Labels.reserve(facts.Keys.size() + kFirstKeyLabel);
  result.Labels.emplace_back(msg::SystemRunLabel);
  result.Labels.insert(result.Labels.end(), facts.Keys.begin(), facts.Keys.end());
  // A Gantt series puts each new bar after every bar whose start is not
  // later: on the bars in row order that is a stable sort by start.
  result.Bars.SortByStart();
  return result;
}

TimelineScan ScanTimeline(const TimelineSource& source) {
  if (!source.Grid) return {};
  return ScanRowFacts(FactsOfGrid(*source.Grid, StampReaderOf(source)), source);
}

}  // namespace tokiwa
