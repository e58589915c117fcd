#include "app/summary_mode.h"

namespace tokiwa {

void WriteSummaryCsv(const std::vector<ProgramTotals>& programs, std::ostream& out) {
  out << kSummaryCsvHeader << '\n';
  for (const ProgramTotals& p : programs) {
    out << CsvQuoted(p.File) << ',' << CsvQuoted(p.Folder) << ',' << p.Runs << ',' << p.TotalSeconds << ','
        << p.LongestSeconds << ',' << CsvDateTime(p.FirstStart) << ',' << CsvDateTime(p.LastEnd) << ','
        << (p.EndInferred ? 1 : 0) << '\n';
  }
}

int RunSummary(const TimelineJob& job, std::ostream& out, const Reporter& report) {
  return RunScanOutput(job, out, report, [](const TimelineScan& scan, std::ostream& stream) {
    WriteSummaryCsv(SummarizePrograms(scan), stream);
  });
}

}  // namespace tokiwa
