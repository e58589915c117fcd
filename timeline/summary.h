#pragma once
// Totals per program over the runs a timeline shows: how often each program
// ran, for how long, and when. Programs are the chart's rows (runs whose
// names differ only in case or in a trailing "(...)" count as one), so hidden
// programs are left out exactly when the chart leaves them out.
#include <string>
#include <vector>

#include "runtime/date_time.h"
#include "timeline/timeline_scan.h"

namespace tokiwa {

struct ProgramTotals {
  // The program's name as the chart's row knows it, split at its last "\".
  std::string File;
  std::string Folder;
  int Row = 0;
  int Runs = 0;
  // Time during which at least one of its runs was going (overlapping runs
  // count once), and its longest run, in whole seconds.
  long long TotalSeconds = 0;
  long long LongestSeconds = 0;
  TDateTime FirstStart = 0;
  TDateTime LastEnd = 0;
  // Some run's end is not in the log (see RunEnd).
  bool EndInferred = false;
};

// One entry per program row of the scan, in row order. A run that ends
// before it starts counts as a run of no length.
std::vector<ProgramTotals> SummarizePrograms(const TimelineScan& scan);

}  // namespace tokiwa
