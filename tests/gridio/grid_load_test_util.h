#pragma once
// Shared by the grid loader tests: a loader bound to a grid set up like the
// viewer's, and the texts of a grid as rows of cells.
#include <string>
#include <vector>

#include "gridio/string_grid_io.h"
#include "runtime/string_grid.h"

namespace tokiwa::testing {

using Rows = std::vector<std::vector<std::string>>;

// The viewer's grid as it stands before a load: two rows, one of them fixed.
struct ViewerGrid {
  TStringGrid grid;
  TStringGridIO io;
  ViewerGrid() {
    grid.SetColCount(5);
    grid.SetFixedCols(0);
    grid.SetRowCount(2);
    grid.SetFixedRows(1);
    io.SetTargetGrid(&grid);
    io.SetStretch(true);
  }
};

inline Rows GridRows(const TStringGrid& grid) {
  Rows rows;
  for (int r = 0; r < grid.RowCount(); ++r) {
    rows.emplace_back();
    for (int c = 0; c < grid.ColCount(); ++c) rows.back().push_back(grid.Cells(c, r));
  }
  return rows;
}

inline std::string DataFile(const std::string& name) {
  return std::string(TOKIWA_TEST_DATA_DIR) + "/gridio/" + name;
}

}  // namespace tokiwa::testing
