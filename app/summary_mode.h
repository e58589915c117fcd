#pragma once
// "--summary": totals per program over launch logs as CSV on standard output,
// the same table the window's totals show.
#include <ostream>
#include <string_view>
#include <vector>

#include "app/export_mode.h"
#include "timeline/summary.h"

namespace tokiwa {

inline constexpr std::string_view kSummaryCsvHeader =
    "file,folder,runs,total,longest,first_start,last_end,end_inferred";

// One line per program under kSummaryCsvHeader, in the order given; UTF-8,
// LF line ends, times as CsvDateTime, lengths in seconds, names quoted.
void WriteSummaryCsv(const std::vector<ProgramTotals>& programs, std::ostream& out);

// Runs the summary and answers the exit status, as RunExport.
int RunSummary(const TimelineJob& job, std::ostream& out, const Reporter& report);

}  // namespace tokiwa
