#pragma once
// Launch logs read straight into the facts of their rows, without a grid, for
// the command-line modes, which show none: a log is split a megabyte at a
// time and never held whole (only the texts kept are decoded), and a large
// one is read as two halves at once. The logs come in the order LoadLaunchLogs gives them, their
// rows are numbered as that grid would number them, and the loader's errors
// and limits are its own.
#include <optional>
#include <string>
#include <vector>

#include "timeline/log_files.h"
#include "timeline/row_facts.h"

namespace tokiwa {

struct StreamedLogs {
  RowFacts Facts;
  std::vector<LoadedLog> Logs;  // in the order shown; Read is not filled in
};

// stamps reads the rows' dates and times, also those that order the logs.
// Nothing for files of so many short lines that their rows would outgrow
// their text: the grid load then reads them (and applies its row limit,
// which depends on the decoded text's length) holding less per row.
std::optional<StreamedLogs> StreamLaunchLogs(const std::vector<std::string>& paths, const StampReader& stamps);

}  // namespace tokiwa
