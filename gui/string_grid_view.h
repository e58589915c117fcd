#pragma once
// The string grid on screen: a QTableView over a TStringGrid it owns. Cells are
// read from the grid only when the view paints them, so a grid of a million
// rows shows at once. Grid row 0 of a grid with fixed rows is the view's
// horizontal header; the other rows are the table's rows.
//
// Widths follow the grid's convention: ColWidths and DefaultRowHeight exclude
// the one-pixel grid line, which the view adds to each section.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>
#include <functional>
#include <memory>
#include <string_view>

#include "runtime/string_grid.h"

namespace tokiwa {

inline constexpr int kGridLineWidth = 1;

// A cell never shows more than this many bytes of its text: a line of a
// hundred megabytes would otherwise be laid out whole on every paint. No
// screen is wide enough to show more; the cell keeps its full text.
inline constexpr std::size_t kMaxShownCellBytes = 4096;

// A cell's text as the grid shows and measures it: cut to kMaxShownCellBytes
// (on a character boundary, with an ellipsis) and with undecodable bytes
// shown as the log loader always has.
QString ShownCellText(std::string_view text);

class TStringGridModel : public QAbstractTableModel {
 public:
  TStringGridModel(TStringGrid* grid, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Grid rows shown as the header: 1 when the grid has fixed rows, else 0.
  int HeaderRows() const { return headerRows_; }
  int GridRow(int modelRow) const { return modelRow + headerRows_; }

  // Follow the grid's change reports.
  void GridLayoutChanged();
  void GridCellsChanged(int firstRow, int lastRow);
  // Rows inserted or removed: the view keeps its place and selection.
  void GridRowsReplaced(int first, int removed, int inserted);

 private:
  void TakeSizes();

  TStringGrid* grid_;
  int rows_ = 0;
  int cols_ = 0;
  int headerRows_ = 0;
};

// The header row: as high as a grid row, and a double click reports to the
// grid instead of fitting the column (the viewer has its own fit rule).
class TStringGridHeader : public QHeaderView {
 public:
  explicit TStringGridHeader(QWidget* parent);
  QSize sizeHint() const override;
  std::function<void()> OnDblClick;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class TStringGridView : public QTableView {
 public:
  explicit TStringGridView(QWidget* parent = nullptr);
  ~TStringGridView() override;

  TStringGrid& Grid() { return *grid_; }
  const TStringGrid& Grid() const { return *grid_; }
  TStringGridModel* GridModel() const { return model_; }

  // A cell in grid coordinates; -1 where the point is outside the cells.
  struct Cell {
    int col = -1;
    int row = -1;
  };
  // The cell under a point in this widget's coordinates (header included).
  Cell MouseCoord(QPoint point) const;
  // A cell's rectangle in this widget's coordinates, without the grid line
  // (scrolled-away cells lie outside the widget); empty outside the grid.
  QRect CellRect(int col, int row) const;

  // Raised by a double click on a cell or on the header row.
  std::function<void()> OnDblClick;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void GridLayoutChanged();
  void ApplyLayout();
  void SectionResized(int col, int newSize);
  TStringGridHeader* Header() const;

  std::unique_ptr<TStringGrid> grid_;
  TStringGridModel* model_;
  bool applyingLayout_ = false;
};

}  // namespace tokiwa
