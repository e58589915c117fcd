#include "timeline/bar_details.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "runtime/format.h"
#include "runtime/messages.h"
#include "series/gantt_series.h"

namespace tokiwa {

namespace {

constexpr double kSecondsPerDay = 86400;

// Date and time always, also at midnight, where the foot shows the date alone.
std::string DateAndTime(TDateTime value, const FormatSettings& settings) {
  return FormatDateTime("ddddd tt", value, settings);
}

std::string_view EndNote(RunEnd how) {
  switch (how) {
    case RunEnd::reShutdown: return msg::EndedAtShutdown;
    case RunEnd::reNextStart: return msg::EndedBeforeNextStart;
    case RunEnd::reLastRow: return msg::EndedWithLog;
    case RunEnd::reEndRow: break;
  }
  return {};
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

TimelineDetails DetailsOf(const TimelineScan& scan) {
  TimelineDetails details;
  details.Ends.reserve(scan.Bars.size());
  for (const TimelineBar& bar : scan.Bars) details.Ends.push_back(bar.Ended);
  details.RowNames.reserve(scan.RowLabels.size() + 1);
  details.RowNames.emplace_back(msg::SystemRowName);
  for (const int label : scan.RowLabels) details.RowNames.push_back(RowNameOf(scan.Labels[static_cast<std::size_t>(label)]));
  return details;
}

std::string RowNameOf(std::string_view programKey) {
  const std::string name = NormalizeName(programKey);
  const std::string_view whole = TrimRight(name);
  const std::size_t slash = whole.rfind('\\');
  const std::string_view file = slash == std::string_view::npos ? whole : whole.substr(slash + 1);
  return std::string(file.empty() ? whole : file);
}

std::string DurationText(std::int64_t seconds) {
  const std::uint64_t total = seconds < 0 ? 0 - static_cast<std::uint64_t>(seconds) : static_cast<std::uint64_t>(seconds);
  char text[48];
  std::snprintf(text, sizeof text, "%s%" PRIu64 ":%02d:%02d", seconds < 0 ? "-" : "", total / 3600,
                static_cast<int>(total / 60 % 60), static_cast<int>(total % 60));
  return text;
}

std::string RunLengthText(TDateTime start, TDateTime end) {
  const double seconds = std::round((end - start) * kSecondsPerDay);
  if (!std::isfinite(seconds)) return {};
  return DurationText(static_cast<std::int64_t>(seconds));
}

std::string BarDetailsText(const TGanttSeries& series, int index, RunEnd how, const FormatSettings& settings) {
  const TDateTime start = series.StartValues().ValueAt(index);
  const TDateTime end = series.EndValues().ValueAt(index);
  std::string text;
  if (series.YValues().ValueAt(index) == kSystemRow) {
    text += msg::SystemRowName;
  } else {
    const std::string& key = series.PointLabel(index);
    const std::size_t slash = key.rfind('\\');
    text += slash == std::string::npos ? key : key.substr(slash + 1);
    text += '\n';
    text += slash == std::string::npos ? std::string() : key.substr(0, slash);
  }
  text += '\n';
  text += msg::DetailStart;
  text += DateAndTime(start, settings);
  text += '\n';
  text += msg::DetailEnd;
  text += DateAndTime(end, settings);
  text += '\n';
  text += msg::DetailLength;
  text += RunLengthText(start, end);
  const std::string_view note = EndNote(how);
  if (!note.empty()) {
    text += '\n';
    text += note;
  }
  return text;
}

}  // namespace tokiwa
