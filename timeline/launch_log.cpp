#include "timeline/launch_log.h"

#include "runtime/messages.h"

namespace tokiwa {

namespace {

constexpr int kLogColumns = 5;

}  // namespace

void PrepareLogGrid(TStringGrid& grid, TStringGridIO& io) {
  grid.SetColCount(kLogColumns);
  grid.SetRowCount(2);
  grid.SetFixedCols(0);
  grid.SetFixedRows(1);
  io.SetTargetGrid(&grid);
  io.SetStretch(true);
}

void LoadLaunchLog(TStringGridIO& io, const std::string& path) {
  TStringGrid* grid = io.TargetGrid();
  if (!grid) return;
  ResetLogGrid(*grid);
  io.LoadGrid(path, kLogDelimiter, true);
  WriteHeaderCaptions(*grid);
}

void ResetLogGrid(TStringGrid& grid) {
  grid.SetRowCount(2);
  grid.SetFixedRows(1);
}

void WriteHeaderCaptions(TStringGrid& grid) {
  grid.SetCells(0, 0, "");
  grid.SetCells(1, 0, std::string(msg::HeaderDate));
  grid.SetCells(2, 0, std::string(msg::HeaderTime));
  grid.SetCells(3, 0, std::string(msg::HeaderFile));
  grid.SetCells(4, 0, std::string(msg::HeaderPath));
}

}  // namespace tokiwa
