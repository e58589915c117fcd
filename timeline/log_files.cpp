#include "timeline/log_files.h"

#include <algorithm>
#include <optional>

#include "gridio/delimited_text.h"
#include "runtime/delimited_line.h"
#include "runtime/date_time_text.h"
#include "runtime/messages.h"
#include "timeline/launch_log.h"

namespace tokiwa {

namespace {

// The date and time of the first line that has one.
std::optional<TDateTime> FirstDate(std::string_view text, const FormatSettings& settings, int year) {
  // Marker, date, time and the rest: the date and time fall in the same
  // fields as in the grid, however many columns it has.
  const TLineSplit split{std::string(kLogDelimiter), true, 4};
  LineScanner lines(text);
  std::string_view line;
  std::string stamp;
  while (lines.Next(line)) {
    stamp.assign(FieldOfLine(line, split, 1));
    stamp += ' ';
    stamp.append(FieldOfLine(line, split, 2));
    TDateTime value = 0;
    if (TryStrToDateTime(stamp, value, settings, year)) return value;
  }
  return std::nullopt;
}

std::vector<int> OrderByFirstDate(const GridTexts& texts) {
  const FormatSettings settings = JapaneseFormatSettings();
  const int year = CurrentYear();
  std::vector<std::optional<TDateTime>> dates;
  for (const FileText& file : texts.Files) dates.push_back(FirstDate(file.Text, settings, year));
  return OrderOfLogs(dates);
}

// The log whose rows hold the grid row, or -1.
int LogAtRow(const std::vector<LoadedLog>& logs, int row) {
  for (std::size_t i = 0; i < logs.size(); ++i)
    if (row >= logs[i].Rows.First && row < logs[i].Rows.First + logs[i].Rows.Count) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::vector<int> OrderOfLogs(const std::vector<std::optional<TDateTime>>& firstDates) {
  std::vector<int> order(firstDates.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&firstDates](int a, int b) {
    const auto& da = firstDates[static_cast<std::size_t>(a)];
    const auto& db = firstDates[static_cast<std::size_t>(b)];
    if (!da || !db) return da.has_value() && !db.has_value();
    return *da < *db;
  });
  return order;
}

std::vector<LoadedLog> LoadLaunchLogs(TStringGridIO& io, const std::vector<std::string>& paths) {
  TStringGrid* grid = io.TargetGrid();
  if (!grid || paths.empty()) return {};
  ResetLogGrid(*grid);
  const GridTexts texts = ReadGridTexts(paths);
  const std::vector<int> order = OrderByFirstDate(texts);
  const std::vector<int> lines = io.LoadGridTexts(texts, order, kLogDelimiter, true);
  WriteHeaderCaptions(*grid);

  std::vector<LoadedLog> logs;
  int row = grid->FixedRows();
  for (std::size_t i = 0; i < order.size(); ++i) {
    const FileText& file = texts.Files[static_cast<std::size_t>(order[i])];
    logs.push_back({file.Name, {row, lines[i]}, file.Read});
    row += lines[i];
  }
  return logs;
}

std::vector<LogRows> RowsOf(const std::vector<LoadedLog>& logs) {
  std::vector<LogRows> rows;
  rows.reserve(logs.size());
  for (const LoadedLog& log : logs) rows.push_back(log.Rows);
  return rows;
}

std::string UnreadableRowMessage(const std::vector<LoadedLog>& logs, const UnreadableRow& row) {
  const int log = logs.size() > 1 ? LogAtRow(logs, row.Row) : -1;
  if (log < 0) return row.Message;
  return FormatText(msg::MessageOfLog, {Arg(logs[static_cast<std::size_t>(log)].Path), Arg(row.Message)});
}

TimelineScan ScanLogs(const TimelineSource& source, const std::vector<LoadedLog>& logs) {
  TimelineScan scan = ScanTimeline(source);
  if (scan.Stopped) scan.Stopped->Message = UnreadableRowMessage(logs, *scan.Stopped);
  return scan;
}

}  // namespace tokiwa
