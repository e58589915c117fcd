#include "runtime/string_grid.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tokiwa {
namespace {

// Fills rows 0..rows-1 of grid with "r<row>c<col>" texts through one bulk
// assignment of lines, with the cells quoted when the split strips quotes.
void AssignNamed(TStringGrid& grid, int rows, const std::string& prefix = "", std::string delimiter = ",",
                 bool quoted = false) {
  auto text = std::make_shared<std::string>();
  std::vector<TCellSpan> lines;
  for (int r = 0; r < rows; ++r) {
    std::string line;
    for (int c = 0; c < grid.ColCount(); ++c) {
      const std::string cell = prefix + "r" + std::to_string(r) + "c" + std::to_string(c);
      line += (c > 0 ? delimiter : "") + (quoted ? '"' + cell + '"' : cell);
    }
    lines.push_back({static_cast<std::uint32_t>(text->size() + 1), static_cast<std::uint32_t>(line.size())});
    *text += "\n" + line;
  }
  grid.AssignLines(text, std::move(lines), {delimiter, quoted, grid.ColCount()});
}

TEST(TStringGrid, StartsWithTheLibraryDefaults) {
  TStringGrid grid;
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.FixedCols(), 1);
  EXPECT_EQ(grid.ColWidths(0), 64);
  EXPECT_EQ(grid.DefaultRowHeight(), 24);
  EXPECT_EQ(grid.Cells(0, 0), "");
}

TEST(TStringGrid, CountsBelowOneBecomeOneAndFixedCountsFollow) {
  TStringGrid grid;
  grid.SetRowCount(0);
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(grid.FixedRows(), 0);
  grid.SetRowCount(2);
  grid.SetFixedRows(1);
  grid.SetRowCount(1);  // not greater than FixedRows
  EXPECT_EQ(grid.FixedRows(), 0);
  grid.SetColCount(-4);
  EXPECT_EQ(grid.ColCount(), 1);
  EXPECT_EQ(grid.FixedCols(), 0);
  grid.SetRowCount(3);
  grid.SetFixedRows(7);
  EXPECT_EQ(grid.FixedRows(), 2);
  grid.SetFixedRows(-1);
  EXPECT_EQ(grid.FixedRows(), 0);
}

TEST(TStringGrid, CellsOutsideReadEmptyAndIgnoreWrites) {
  TStringGrid grid;
  int changes = 0;
  grid.OnCellsChanged = [&](int, int) { ++changes; };
  grid.SetCells(5, 0, "x");
  grid.SetCells(0, 5, "x");
  grid.SetCells(-1, 0, "x");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(grid.Cells(5, 0), "");
  EXPECT_EQ(grid.Cells(0, -1), "");
  grid.SetCells(4, 4, "corner");
  EXPECT_EQ(grid.Cells(4, 4), "corner");
  EXPECT_EQ(changes, 1);
}

TEST(TStringGrid, BulkCellsWithWrittenCellsOnTop) {
  TStringGrid grid;
  grid.SetRowCount(4);
  grid.SetColCount(3);
  AssignNamed(grid, 4);
  EXPECT_EQ(grid.Cells(2, 3), "r3c2");
  grid.SetCells(1, 0, " 日付");
  EXPECT_EQ(grid.CellView(1, 0), " 日付");
  EXPECT_EQ(grid.Cells(0, 0), "r0c0");
  grid.SetCells(1, 0, "");
  EXPECT_EQ(grid.Cells(1, 0), "");  // an empty text hides the loaded one
  grid.ClearRow(2);
  EXPECT_EQ(grid.Cells(0, 2), "");
  EXPECT_EQ(grid.Cells(0, 3), "r3c0");
}

TEST(TStringGrid, PartialAssignmentKeepsTheRowsBelow) {
  TStringGrid grid;
  grid.SetRowCount(4);
  grid.SetColCount(2);
  AssignNamed(grid, 4, "old");
  grid.SetCells(1, 3, "edited");
  grid.SetCells(0, 0, "header");
  AssignNamed(grid, 2, "new");
  EXPECT_EQ(grid.Cells(0, 0), "newr0c0");  // the block replaces written cells too
  EXPECT_EQ(grid.Cells(1, 1), "newr1c1");
  EXPECT_EQ(grid.Cells(0, 2), "oldr2c0");
  EXPECT_EQ(grid.Cells(0, 3), "oldr3c0");
  EXPECT_EQ(grid.Cells(1, 3), "edited");
  // Rows below lines split another way keep their cells all the same.
  AssignNamed(grid, 1, "tab", "\t", true);
  EXPECT_EQ(grid.Cells(1, 0), "tabr0c1");
  EXPECT_EQ(grid.Cells(1, 1), "newr1c1");
  EXPECT_EQ(grid.Cells(1, 2), "oldr2c1");
  EXPECT_EQ(grid.Cells(1, 3), "edited");
  grid.ReplaceRows(1, 1, "x;y", {{0, 3}}, {";", false, 2});
  EXPECT_EQ(grid.Cells(1, 0), "tabr0c1");
  EXPECT_EQ(grid.Cells(1, 1), "y");
  EXPECT_EQ(grid.Cells(0, 2), "oldr2c0");
  EXPECT_EQ(grid.Cells(1, 3), "edited");
}

TEST(TStringGrid, LinesSplitIntoCells) {
  struct Case {
    std::string line;
    TLineSplit split;
    std::vector<std::string> cells;
  };
  const Case cases[] = {
      {"a,b,c", {",", false, 3}, {"a", "b", "c"}},
      {"a,b,c,d", {",", false, 3}, {"a", "b", "c,d"}},  // the last column takes the rest
      {"a", {",", false, 3}, {"a", "", ""}},
      {"a,", {",", false, 3}, {"a", "", ""}},
      {"\"a\",\"b,c\"", {",", true, 2}, {"a", "b,c"}},
      {"\"a\",\"b\"", {",", false, 2}, {"\"a\"", "\"b\""}},
      {"\"", {",", true, 1}, {"\""}},  // one quote is no pair
      {"a::b::", {"::", false, 3}, {"a", "b", ""}},
      {"a,b", {"", false, 2}, {"a,b", ""}},  // an empty delimiter never occurs
  };
  for (const Case& c : cases) {
    std::string_view whole[3];
    SplitLine(c.line, c.split, whole, c.split.Cols);
    for (int col = 0; col < c.split.Cols; ++col) {
      EXPECT_EQ(FieldOfLine(c.line, c.split, col), c.cells[static_cast<std::size_t>(col)]) << c.line << " " << col;
      EXPECT_EQ(whole[col], c.cells[static_cast<std::size_t>(col)]) << c.line << " " << col;
    }
  }
}

TEST(TStringGrid, ShrinkingDiscardsAndGrowingShowsEmptyCells) {
  TStringGrid grid;
  grid.SetRowCount(100);
  grid.SetColCount(3);
  AssignNamed(grid, 100);
  grid.SetCells(2, 50, "w");
  grid.SetColCount(2);
  grid.SetRowCount(3);
  EXPECT_EQ(grid.Cells(1, 2), "r2c1");
  EXPECT_EQ(grid.Cells(2, 2), "");
  grid.SetColCount(3);
  grid.SetRowCount(100);
  EXPECT_EQ(grid.Cells(0, 2), "r2c0");
  EXPECT_EQ(grid.Cells(2, 2), "");
  EXPECT_EQ(grid.Cells(0, 3), "");
  EXPECT_EQ(grid.Cells(2, 50), "");
  EXPECT_EQ(grid.ColWidths(2), 64);
}

TEST(TStringGrid, ClearCellsEmptiesEverythingAndKeepsSizes) {
  TStringGrid grid;
  AssignNamed(grid, 5);
  grid.SetCells(0, 0, "x");
  grid.ClearCells();
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.ColCount(), 5);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) EXPECT_EQ(grid.Cells(c, r), "");
}

TEST(TStringGrid, AssignmentMustFitTheGrid) {
  TStringGrid grid;
  auto text = std::make_shared<std::string>("ab");
  EXPECT_THROW(grid.AssignLines(text, std::vector<TCellSpan>(1), {",", false, 4}), std::invalid_argument);
  EXPECT_THROW(grid.AssignLines(text, std::vector<TCellSpan>(6), {",", false, 5}), std::invalid_argument);
  EXPECT_THROW(grid.AssignLines(text, std::vector<TCellSpan>(1, TCellSpan{1, 2}), {",", false, 5}),
               std::invalid_argument);
  EXPECT_THROW(grid.AssignLines(std::shared_ptr<const std::string>(), {}, {",", false, 5}), std::invalid_argument);
}

TEST(TStringGrid, ColumnWidthsAndRowHeight) {
  TStringGrid grid;
  grid.SetColWidths(0, 43);
  grid.SetColWidths(9, 10);  // outside: ignored
  EXPECT_EQ(grid.ColWidths(0), 43);
  EXPECT_EQ(grid.ColWidths(9), 64);
  grid.SetColCount(7);
  EXPECT_EQ(grid.ColWidths(6), 64);
  grid.SetDefaultColWidth(50);
  EXPECT_EQ(grid.ColWidths(0), 50);
  grid.SetDefaultRowHeight(20);
  EXPECT_EQ(grid.DefaultRowHeight(), 20);
}

TEST(TStringGrid, UpdateReportsOneLayoutChange) {
  TStringGrid grid;
  int layouts = 0, cells = 0;
  grid.OnLayoutChanged = [&] { ++layouts; };
  grid.OnCellsChanged = [&](int first, int last) {
    ++cells;
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 2);
  };
  grid.SetCells(0, 2, "x");
  grid.SetRowCount(9);
  EXPECT_EQ(cells, 1);
  EXPECT_EQ(layouts, 1);

  const auto before = grid.ChangeCount();
  grid.BeginUpdate();
  grid.BeginUpdate();
  grid.SetRowCount(20);
  grid.SetCells(0, 2, "y");
  AssignNamed(grid, 20);
  grid.EndUpdate();
  EXPECT_EQ(layouts, 1);
  grid.EndUpdate();
  EXPECT_EQ(layouts, 2);
  EXPECT_EQ(cells, 1);
  EXPECT_GT(grid.ChangeCount(), before);

  grid.BeginUpdate();
  grid.EndUpdate();  // nothing changed: nothing reported
  EXPECT_EQ(layouts, 2);
}

}  // namespace
}  // namespace tokiwa
