#include "app/export_mode.h"

#include <cmath>
#include <cstdio>

#include "app/app_paths.h"
#include "app/command_line.h"
#include "app/settings.h"
#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "timeline/log_timeline.h"

namespace tokiwa {

namespace {

constexpr double kSecondsPerDay = 86400;

std::string Hex(TColor colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(colour), GreenOf(colour), BlueOf(colour));
  return text;
}

}  // namespace

std::string CsvDateTime(TDateTime value) {
  const double seconds = SecondsOnTimeLine(value);
  if (!std::isfinite(seconds) || std::fabs(seconds) > 1e15) return {};
  const double day = std::floor(seconds / kSecondsPerDay);
  const auto secondOfDay = static_cast<long long>(seconds - day * kSecondsPerDay);
  DateTimeParts parts;
  if (!TryDecodeDateTime(day, parts)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02lld:%02lld:%02lld", parts.Year, parts.Month, parts.Day,
                secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  return text;
}

std::string CsvQuoted(std::string_view text) {
  std::string quoted = "\"";
  // Undecodable bytes of a name come out as the replacement character, as
  // the window shows them.
  for (char c : Cp932DisplayText(text)) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

void WriteBarsCsv(const TimelineScan& scan, std::ostream& out) {
  out << kBarsCsvHeader << '\n';
  std::size_t index = 0;
  for (const TimelineBar& bar : scan.Bars) {
    out << index++ << ',' << CsvDateTime(bar.Start) << ',' << CsvDateTime(bar.End) << ',' << bar.Row << ','
        << Hex(bar.Colour) << ',' << CsvQuoted(scan.LabelOf(bar)) << '\n';
  }
}

TStringList JobHiddenNames(const TimelineJob& job) {
  TStringList names;
  if (job.HasHiddenList) {
    names.LoadFromFile(job.HiddenListFile);
  } else {
    // Only read: an export leaves no configuration folder behind.
    LoadHiddenNames(names, ResolveAppPaths(ExecutablePath(), PathEnvironment::FromProcess()).ListFileName);
  }
  return names;
}

int RunScanOutput(const TimelineJob& job, std::ostream& out, const Reporter& report, const ScanWriter& write) {
  TimelineScan scan;
  try {
    scan = ScanLogFiles(job.LogFiles, JobHiddenNames(job), job.ShowAll);
  } catch (const Exception& e) {
    report(e.what());
    return kExitFileError;
  }
  write(scan, out);
  out.flush();
  if (!out) {
    report(FormatText(msg::WriteError, {Arg(msg::StandardOutput)}));
    return kExitIoError;
  }
  if (scan.Stopped) {
    report(scan.Stopped->Message);
    return kExitBadRow;
  }
  return 0;
}

int RunExport(const TimelineJob& job, std::ostream& out, const Reporter& report) {
  return RunScanOutput(job, out, report, WriteBarsCsv);
}

}  // namespace tokiwa
