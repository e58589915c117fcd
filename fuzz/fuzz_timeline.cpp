// Reads arbitrary bytes as a launch log, scans it, fills the timeline chart
// and paints it once on a recording canvas. The bars must be exactly those of
// a plain scan-forward reading of the same rows, the chart must hold them as
// scanned, and the paint must not fail.
// A first byte below 4 picks the options (bit 0: show all; bit 1: hide the
// first program, named in lower case); any other first byte is log text.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "gridio/string_grid_io.h"
#include "runtime/date_time.h"
#include "runtime/exceptions.h"
#include "support/recording_host.h"
#include "tests/timeline/timeline_reference.h"
#include "timeline/chart_config.h"
#include "timeline/launch_log.h"
#include "timeline/timeline_builder.h"

namespace {

using namespace tokiwa;

using fuzz::Check;
using fuzz::MemoryFile;

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// Hides the first program run, by a name that differs in case.
void HideFirstProgram(const TStringGrid& grid, TStringList& hidden) {
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
    const std::string_view m = TrimMarker(grid.CellView(0, row));
    if (m == "C" || m == "S") {
      hidden.Add(Lower(NormalizeName(reference::ProgramKey(grid, row))));
      return;
    }
  }
}

// Rows, colours and the system row hold whatever the log says.
void CheckBars(const TGanttSeries& series, int programRows) {
  for (int i = 0; i < series.PointCount(); ++i) {
    const double y = series.YValues().ValueAt(i);
    Check(y == std::floor(y) && y >= 1 && y <= programRows + 1);
    Check((y == 1) == (series.PointLabel(i) == "system"));
    Check(series.PointColor(i) == kBarColors[static_cast<std::size_t>(static_cast<int>(y) % 8)]);
    if (i > 0) Check(series.StartValues().ValueAt(i - 1) <= series.StartValues().ValueAt(i));
  }
}

// When the log's times never go backwards, no run ends before it starts.
void CheckRunsGoForward(const TStringGrid& grid, const TimelineSource& source, const TGanttSeries& series) {
  double last = -1e300;
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
    TDateTime t;
    if (!TryStrToDateTime(grid.Cells(1, row) + " " + grid.Cells(2, row), t, source.Settings, source.CurrentYear))
      continue;
    if (t < last) return;
    last = t;
  }
  for (int i = 0; i < series.PointCount(); ++i)
    Check(series.StartValues().ValueAt(i) <= series.EndValues().ValueAt(i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  unsigned options = 0;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!bytes.empty() && data[0] < 4) {
    options = data[0];
    bytes.remove_prefix(1);
  }

  TComponent owner(nullptr);
  const TimelineChart chart = CreateTimelineChart(&owner);
  TStringGrid grid;
  TStringGridIO io;
  PrepareLogGrid(grid, io);
  try {
    LoadLaunchLog(io, MemoryFile(bytes));
  } catch (const Exception&) {
    return 0;  // beyond the loader's limits
  }

  TStringList hidden;
  if (options & 2) HideFirstProgram(grid, hidden);
  TimelineSource source;
  source.Grid = &grid;
  source.HiddenNames = &hidden;
  source.ShowAll = (options & 1) != 0;
  source.CurrentYear = 2024;
  const TimelineScan scan = ScanTimeline(source);
  FillSeries(*chart.Series1, scan);

  // The reference scans forward from every run: keep it to small logs.
  if (grid.RowCount() <= 3000) {
    Check(reference::SameScan(scan, reference::Scan(source)), "scan");
  }
  Check(reference::SameBars(reference::ScanOf(*chart.Series1), scan), "series");
  CheckBars(*chart.Series1, grid.RowCount());
  if (!scan.Stopped) CheckRunsGoForward(grid, source, *chart.Series1);

  RecordingHost host;
  chart.Chart1->SetHost(&host);
  chart.Chart1->SetBounds(0, 0, 800, 500);
  try {
    chart.Chart1->Paint();
  } catch (const Exception&) {
    std::abort();  // the timeline's chart must always paint
  }
  chart.Chart1->SetHost(nullptr);
  return 0;
}
