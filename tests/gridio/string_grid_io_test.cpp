#include "gridio/string_grid_io.h"

#include <gtest/gtest.h>

#include "gridio/grid_load_test_util.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "support/temp_dir.h"

namespace tokiwa {
namespace {

using testing::GridRows;
using testing::Rows;
using testing::TempDir;
using testing::ViewerGrid;
using testing::WriteBytes;

TEST(UnquoteField, RemovesOneEnclosingPairOnly) {
  EXPECT_EQ(TStringGridIO::UnquoteField(true, "\"abc\""), "abc");
  EXPECT_EQ(TStringGridIO::UnquoteField(true, "\"\""), "");
  EXPECT_EQ(TStringGridIO::UnquoteField(true, "\""), "\"");
  EXPECT_EQ(TStringGridIO::UnquoteField(true, "\"abc"), "\"abc");
  EXPECT_EQ(TStringGridIO::UnquoteField(true, "\"\"\"\""), "\"\"");
  EXPECT_EQ(TStringGridIO::UnquoteField(true, " \"a\""), " \"a\"");
  EXPECT_EQ(TStringGridIO::UnquoteField(false, "\"abc\""), "\"abc\"");
  EXPECT_EQ(TStringGridIO::UnquoteField(true, ""), "");
}

class LoadGrid : public ::testing::Test {
 protected:
  std::string Log(std::string_view bytes) {
    const std::string path = dir_.File("log" + std::to_string(++files_) + ".csv");
    WriteBytes(path, bytes);
    return path;
  }
  TempDir dir_;
  int files_ = 0;
};

TEST_F(LoadGrid, StretchSizesTheGridToTheFile) {
  ViewerGrid v;
  v.io.LoadGrid(Log("a,b,c,d,e\r\n1,2,3,4,5\r\nv, w ,x,y,z\r\n"), ",", true);
  EXPECT_EQ(v.grid.RowCount(), 4);
  EXPECT_EQ(v.grid.ColCount(), 5);
  EXPECT_EQ(v.grid.FixedRows(), 1);
  EXPECT_EQ(GridRows(v.grid), (Rows{{"", "", "", "", ""},
                                    {"a", "b", "c", "d", "e"},
                                    {"1", "2", "3", "4", "5"},
                                    {"v", " w ", "x", "y", "z"}}));
}

TEST_F(LoadGrid, ShortLinesFillColumnsFromTheLeft) {
  ViewerGrid v;
  v.io.LoadGrid(Log("C,2023/04/01,9:00:00,a.exe,C:\\bin\\\r\nE,2023/04/01\r\nlonely\r\n"), ",", true);
  EXPECT_EQ(GridRows(v.grid), (Rows{{"", "", "", "", ""},
                                    {"C", "2023/04/01", "9:00:00", "a.exe", "C:\\bin\\"},
                                    {"E", "2023/04/01", "", "", ""},
                                    {"lonely", "", "", "", ""}}));
}

TEST_F(LoadGrid, WithoutStretchTheGridKeepsItsShape) {
  TStringGrid grid;  // 5 x 5, one fixed row
  for (int r = 0; r < 5; ++r) grid.SetCells(0, r, "old" + std::to_string(r));
  grid.SetColCount(3);
  TStringGridIO io;
  io.SetTargetGrid(&grid);
  io.LoadGrid(Log("a,b,c,d,e\r\nf\r\n"), ",", true);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.ColCount(), 3);
  EXPECT_EQ(GridRows(grid), (Rows{{"", "", ""},          // the fixed row gets empty texts
                                  {"a", "b", "c,d,e"},   // the last column takes the rest
                                  {"f", "", ""},
                                  {"old3", "", ""},
                                  {"old4", "", ""}}));

  grid.SetRowCount(2);
  io.LoadGrid(Log("x\r\ny\r\nz\r\n"), ",", true);  // lines beyond RowCount are not shown
  EXPECT_EQ(GridRows(grid), (Rows{{"", "", ""}, {"x", "", ""}}));
}

// Over a megabyte, so that the loader reads the text's two halves on two
// threads. Leading lines of four lengths move the middle across every kind of
// line end.
TEST_F(LoadGrid, LargeFilesLoadLineByLineWhateverTheLineEnds) {
  const char* const ends[] = {"\r\n", "\n", "\r", "\r\r\n"};
  const std::vector<std::string> empty(6);
  for (const std::size_t lead : {0, 30, 60, 90}) {
    std::string text = std::string(lead, 'p') + "\r\n";
    Rows expected{empty, {std::string(lead, 'p'), "", "", "", "", ""}};
    for (int i = 0; text.size() < (std::size_t{5} << 18); ++i) {
      const std::string first = "r" + std::to_string(i);
      text += first + ",a,\"b\"" + ends[i % 4];
      expected.push_back({first, "a", "b", "", "", ""});
      if (i % 4 == 3) expected.push_back(empty);  // CR, then CR LF: an empty line between
    }
    text += "w,1,2,3,4,5";  // the widest line comes last, without an ending
    expected.push_back({"w", "1", "2", "3", "4", "5"});
    const std::string path = Log(text);

    ViewerGrid v;
    v.io.LoadGrid(path, ",", true);
    EXPECT_EQ(GridRows(v.grid), expected) << "lead " << lead;

    // Without Stretch the grid's rows end somewhere in the second half.
    TStringGrid grid;
    grid.SetColCount(6);
    grid.SetRowCount(static_cast<int>(expected.size() * 3 / 4));
    TStringGridIO io;
    io.SetTargetGrid(&grid);
    io.LoadGrid(path, ",", true);
    expected.resize(expected.size() * 3 / 4);
    EXPECT_EQ(GridRows(grid), expected) << "lead " << lead;
  }
}

TEST_F(LoadGrid, MultiCharacterAndEmptyDelimiters) {
  ViewerGrid v;
  v.io.LoadGrid(Log("a::b:c::::d\r\n"), "::", false);
  EXPECT_EQ(GridRows(v.grid), (Rows{{"", "", "", ""}, {"a", "b:c", "", "d"}}));
  v.io.LoadGrid(Log("a,b\r\nc\r\n"), "", false);
  EXPECT_EQ(GridRows(v.grid), (Rows{{""}, {"a,b"}, {"c"}}));
}

TEST_F(LoadGrid, SplitsDecodedTextSoTrailBytesAreNotDelimiters) {
  // 表 is 0x95 0x5C in CP932: its trail byte is the backslash.
  ViewerGrid v;
  v.io.LoadGrid(Log("C:\\\x95\x5C\\x\r\n"), "\\", false);
  EXPECT_EQ(GridRows(v.grid), (Rows{{"", "", ""}, {"C:", "表", "x"}}));
}

TEST_F(LoadGrid, QuotesStayWithoutStripping) {
  ViewerGrid v;
  v.io.LoadGrid(Log("\"a\",\"\"\r\n"), ",", false);
  EXPECT_EQ(GridRows(v.grid), (Rows{{"", ""}, {"\"a\"", "\"\""}}));
}

TEST_F(LoadGrid, EmptyFileWithoutFixedRows) {
  ViewerGrid v;
  v.grid.SetFixedRows(0);
  v.grid.SetCells(0, 0, "stale");
  v.io.LoadGrid(Log(""), ",", true);
  EXPECT_EQ(v.grid.RowCount(), 1);
  EXPECT_EQ(v.grid.ColCount(), 1);
  EXPECT_EQ(v.grid.Cells(0, 0), "");
}

TEST_F(LoadGrid, ReloadReplacesTheOldContentsAndHeaderCaptionsStay) {
  ViewerGrid v;
  v.io.LoadGrid(Log("a,b,c\r\nd,e,f\r\ng,h,i\r\n"), ",", true);
  v.grid.SetCells(1, 0, " 日付");
  v.grid.SetRowCount(2);
  v.grid.SetFixedRows(1);
  v.io.LoadGrid(Log("x,y\r\n"), ",", true);
  EXPECT_EQ(GridRows(v.grid), (Rows{{"", ""}, {"x", "y"}}));
  v.grid.SetCells(1, 0, " 日付");
  EXPECT_EQ(v.grid.Cells(1, 0), " 日付");
  EXPECT_EQ(v.grid.Cells(1, 1), "y");
}

TEST_F(LoadGrid, OneLayoutChangePerLoad) {
  ViewerGrid v;
  int layouts = 0, cells = 0;
  v.grid.OnLayoutChanged = [&] { ++layouts; };
  v.grid.OnCellsChanged = [&](int, int) { ++cells; };
  v.io.LoadGrid(Log("a,b\r\nc,d\r\n"), ",", true);
  EXPECT_EQ(layouts, 1);
  EXPECT_EQ(cells, 0);
}

TEST_F(LoadGrid, MissingFileRaisesBeforeTheGridIsTouched) {
  ViewerGrid v;
  v.grid.SetCells(2, 1, "kept");
  const std::string missing = dir_.File("missing.csv");
  try {
    v.io.LoadGrid(missing, ",", true);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), FormatText(msg::FileOpenError, {Arg(missing)}));
  }
  EXPECT_EQ(v.grid.RowCount(), 2);
  EXPECT_EQ(v.grid.Cells(2, 1), "kept");
}

TEST_F(LoadGrid, NoTargetGridDoesNothing) {
  TStringGridIO io;
  EXPECT_NO_THROW(io.LoadGrid(dir_.File("missing.csv"), ",", true));
  EXPECT_NO_THROW(io.ClearGrid());
}

TEST_F(LoadGrid, ClearGridKeepsSizeAndEmptiesTheFixedRow) {
  ViewerGrid v;
  v.io.LoadGrid(Log("a,b\r\nc,d\r\n"), ",", true);
  v.grid.SetCells(0, 0, "header");
  v.io.ClearGrid();
  EXPECT_EQ(v.grid.RowCount(), 3);
  EXPECT_EQ(v.grid.ColCount(), 2);
  EXPECT_EQ(GridRows(v.grid), (Rows{{"", ""}, {"", ""}, {"", ""}}));
}

}  // namespace
}  // namespace tokiwa
