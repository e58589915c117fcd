#include "timeline/timeline_foot.h"

#include "chart/chart.h"
#include "runtime/date_time_text.h"
#include "runtime/messages.h"
#include "series/gantt_series.h"

namespace tokiwa {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, kLineBreak) == 0 ? 2 : 1);
  }
  return lines;
}

}  // namespace

std::string BarFootText(const TGanttSeries& series, int index, const FormatSettings& settings) {
  std::string text(msg::FootFileNamePrefix);
  text += series.PointLabel(index);
  text += kLineBreak;
  text += msg::FootPeriodPrefix;
  text += DateTimeToStr(series.StartValues().ValueAt(index), settings);
  text += msg::FootPeriodSeparator;
  text += DateTimeToStr(series.EndValues().ValueAt(index), settings);
  return text;
}

std::vector<std::string> RenewedFootLines() {
  return {std::string(msg::FootFileNamePrefix), std::string(msg::IdeographicSpace)};
}

bool ShowFootText(TCustomChart& chart, const std::string& text) {
  TChartTitle& foot = chart.Foot();
  // The foot's text reads as its lines, each followed by a line break.
  if (foot.TextString() == text + std::string(kLineBreak)) return false;
  foot.Text() = SplitLines(text);
  foot.RepaintChart();
  return true;
}

}  // namespace tokiwa
