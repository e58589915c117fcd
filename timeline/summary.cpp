#include "timeline/summary.h"

#include <algorithm>

namespace tokiwa {

namespace {

// The union of one program's runs, taken in start order.
class RunUnion {
 public:
  void Add(long long start, long long end) {
    if (end < start) return;
    if (open_ && start <= end_) {
      end_ = std::max(end_, end);
      return;
    }
    Close();
    open_ = true;
    start_ = start;
    end_ = end;
  }
  long long Total() {
    Close();
    return total_;
  }

 private:
  void Close() {
    if (open_) total_ += end_ - start_;
    open_ = false;
  }

  bool open_ = false;
  long long start_ = 0, end_ = 0, total_ = 0;
};

void SplitName(const std::string& name, ProgramTotals& totals) {
  const std::size_t slash = name.rfind('\\');
  if (slash == std::string::npos) {
    totals.File = name;
    return;
  }
  totals.Folder = name.substr(0, slash);
  totals.File = name.substr(slash + 1);
}

}  // namespace

std::vector<ProgramTotals> SummarizePrograms(const TimelineScan& scan) {
  std::vector<ProgramTotals> totals;
  std::vector<RunUnion> unions;
  for (const TimelineBar& bar : scan.Bars) {
    if (bar.Row < kFirstProgramRow) continue;
    const auto i = static_cast<std::size_t>(bar.Row - kFirstProgramRow);
    if (i >= totals.size()) {
      totals.resize(i + 1);
      unions.resize(i + 1);
    }
    ProgramTotals& program = totals[i];
    const long long start = static_cast<long long>(SecondsOnTimeLine(bar.Start));
    const long long end = static_cast<long long>(SecondsOnTimeLine(bar.End));
    if (program.Runs == 0) {
      program.Row = bar.Row;
      SplitName(NormalizeName(scan.LabelOf(bar)), program);
      program.FirstStart = bar.Start;
      program.LastEnd = bar.End;
    }
    ++program.Runs;
    program.LongestSeconds = std::max(program.LongestSeconds, end - start);
    program.FirstStart = std::min(program.FirstStart, bar.Start);
    program.LastEnd = std::max(program.LastEnd, bar.End);
    program.EndInferred = program.EndInferred || bar.EndInferred();
    unions[i].Add(start, end);
  }
  for (std::size_t i = 0; i < totals.size(); ++i) totals[i].TotalSeconds = unions[i].Total();
  return totals;
}

}  // namespace tokiwa
