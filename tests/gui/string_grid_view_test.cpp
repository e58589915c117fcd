// The grid view over the string grid data.
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "gui/string_grid_view.h"

namespace tokiwa {
namespace {

// Fills rows x cols cells of grid from one shared buffer, cell (c, r) reading
// "r:c" for the first columns and "" for the rest.
void FillBulk(TStringGrid& grid, int rows, int cols) {
  auto text = std::make_shared<std::string>();
  std::vector<TCellSpan> lines;
  for (int r = 0; r < rows; ++r) {
    const std::string line = std::to_string(r) + ":0," + std::to_string(r) + ":1";
    lines.push_back({static_cast<std::uint32_t>(text->size()), static_cast<std::uint32_t>(line.size())});
    *text += line;
  }
  grid.AssignLines(text, std::move(lines), {",", false, cols});
}

class GridViewTest : public ::testing::Test {
 protected:
  GridViewTest() {
    view.resize(400, 200);
    view.setFrameShape(QFrame::NoFrame);
    TStringGrid& grid = view.Grid();
    grid.SetColCount(3);
    grid.SetRowCount(4);
    grid.SetFixedCols(0);
    grid.SetFixedRows(1);
    grid.SetDefaultRowHeight(20);
    grid.SetColWidths(0, 43);
    grid.SetColWidths(1, 94);
    grid.SetColWidths(2, 92);
    grid.SetCells(1, 0, "head");
    grid.SetCells(1, 2, "cell");
  }
  void Show() {
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  }
  TStringGridView view;
  TStringGridModel& model() { return *view.GridModel(); }
};

TEST_F(GridViewTest, FirstRowIsTheHeaderTheRestAreRows) {
  EXPECT_EQ(model().rowCount(), 3);
  EXPECT_EQ(model().columnCount(), 3);
  EXPECT_EQ(model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "head");
  EXPECT_EQ(model().data(model().index(1, 1), Qt::DisplayRole).toString(), "cell");
  EXPECT_FALSE(model().flags(model().index(1, 1)) & Qt::ItemIsEditable);

  // Without fixed rows there is no header and every grid row is a row.
  view.Grid().SetFixedRows(0);
  EXPECT_EQ(model().rowCount(), 4);
  EXPECT_EQ(model().data(model().index(0, 1), Qt::DisplayRole).toString(), "head");
  EXPECT_TRUE(view.horizontalHeader()->isHidden());
}

TEST_F(GridViewTest, CellsAreReadWhenAsked) {
  // No copy is made up front: a later change shows through without a reset.
  view.Grid().SetCells(2, 3, "late");
  EXPECT_EQ(model().data(model().index(2, 2), Qt::DisplayRole).toString(), "late");
  view.Grid().SetRowCount(6);
  EXPECT_EQ(model().rowCount(), 5);
}

TEST_F(GridViewTest, MillionRowsAreShownFromTheBulkBuffer) {
  constexpr int kRows = 1000000;
  view.Grid().SetRowCount(kRows);
  FillBulk(view.Grid(), kRows, 3);
  EXPECT_EQ(model().rowCount(), kRows - 1);
  EXPECT_EQ(model().data(model().index(kRows - 2, 1), Qt::DisplayRole).toString(),
            QString("%1:1").arg(kRows - 1));
  Show();
  view.scrollToBottom();
  QCoreApplication::processEvents();
  const QModelIndex bottom = view.indexAt(QPoint(5, view.viewport()->height() - 3));
  EXPECT_EQ(bottom.row(), kRows - 2);
}

TEST_F(GridViewTest, ColumnWidthsFollowTheGridBothWays) {
  Show();
  QHeaderView* header = view.horizontalHeader();
  // Sections carry the one-pixel grid line on top of the grid's widths.
  EXPECT_EQ(header->sectionSize(1), 94 + kGridLineWidth);
  view.Grid().SetColWidths(1, 150);
  EXPECT_EQ(header->sectionSize(1), 150 + kGridLineWidth);
  // A drag on the header border writes the width back.
  header->resizeSection(2, 61);
  EXPECT_EQ(view.Grid().ColWidths(2), 60);
  // A new column gets the grid's default width.
  view.Grid().SetColCount(4);
  EXPECT_EQ(header->sectionSize(3), view.Grid().DefaultColWidth() + kGridLineWidth);
  EXPECT_EQ(header->sectionSize(2), 61);
}

TEST_F(GridViewTest, RowsAndHeaderAreOneGridRowHigh) {
  Show();
  EXPECT_EQ(view.horizontalHeader()->height(), 20 + kGridLineWidth);
  EXPECT_EQ(view.rowHeight(0), 20 + kGridLineWidth);
}

TEST_F(GridViewTest, PointsMapToGridCellsAndBack) {
  Show();
  for (int row : {0, 1, 2}) {
    for (int col : {0, 1, 2}) {
      const QRect rect = view.CellRect(col, row);
      ASSERT_FALSE(rect.isEmpty()) << col << "," << row;
      EXPECT_EQ(rect.width(), view.Grid().ColWidths(col));
      const TStringGridView::Cell cell = view.MouseCoord(rect.center());
      EXPECT_EQ(cell.col, col);
      EXPECT_EQ(cell.row, row);
    }
  }
  // The header row sits at the top of the widget, column 1 right after column 0.
  EXPECT_EQ(view.CellRect(0, 0).top(), 0);
  EXPECT_EQ(view.CellRect(1, 0).left(), view.CellRect(0, 0).left() + 43 + kGridLineWidth);
  // Beyond the last column there is no cell.
  EXPECT_EQ(view.MouseCoord(QPoint(390, 5)).col, -1);
  EXPECT_TRUE(view.CellRect(5, 0).isEmpty());
}

TEST_F(GridViewTest, DoubleClickOnHeaderBorderReportsAndKeepsTheWidth) {
  Show();
  int doubleClicks = 0;
  view.OnDblClick = [&] { ++doubleClicks; };
  const QRect first = view.CellRect(0, 0);
  // The border between columns 0 and 1: Qt would fit the column here.
  QTest::mouseDClick(view.horizontalHeader()->viewport(), Qt::LeftButton, {},
                     QPoint(first.right() + 1, first.center().y()));
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(view.Grid().ColWidths(0), 43);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(doubleClicks, 2);
}

TEST_F(GridViewTest, TextIsClippedNotElided) {
  EXPECT_EQ(view.textElideMode(), Qt::ElideNone);
  EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(view.selectionMode(), QAbstractItemView::ContiguousSelection);
}

// A cell of megabytes is laid out only as far as a screen can show it; the
// grid keeps the whole text. The cut never splits a character.
TEST_F(GridViewTest, AHugeCellIsShownCutAndKeepsItsText) {
  const std::string huge = std::string(kMaxShownCellBytes - 1, 'a') + "表" + std::string(10 << 20, 'b');
  view.Grid().SetCells(1, 2, huge);
  const QString shown = model().data(model().index(1, 1), Qt::DisplayRole).toString();
  EXPECT_EQ(shown, QString(static_cast<qsizetype>(kMaxShownCellBytes - 1), u'a') + QChar(0x2026));
  EXPECT_EQ(view.Grid().Cells(1, 2), huge);
}

}  // namespace
}  // namespace tokiwa
