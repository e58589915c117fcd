#pragma once
// Following launch logs that the launcher keeps writing: what each shown log
// gained since it was read is taken into the grid without reading the file
// again. Only complete lines are taken; a last line still being written (no
// line end yet) waits for the next read. A log that was truncated, replaced
// or rewritten cannot be followed this way and must be read again whole.
#include <vector>

#include "gridio/string_grid_io.h"
#include "timeline/log_files.h"

namespace tokiwa {

enum class LogGrowth {
  lgNone,       // no log gained a complete line
  lgAppended,   // lines were added to the grid
  lgRewritten,  // a log must be read again whole (the grid may hold lines added before it was found)
};

// Appended text beyond this is read again whole, off the window's thread.
inline constexpr std::uint64_t kMaxAppendedBytes = std::uint64_t{4} << 20;

// For each log, adds its new complete lines after its rows (in place of a last
// row that was half-written) and moves the rows of the logs after it. A log
// that cannot be opened just now (gone, or locked by its writer) keeps its
// rows and is looked at again next time.
LogGrowth TakeAppendedLines(TStringGridIO& io, std::vector<LoadedLog>& logs);

}  // namespace tokiwa
