#pragma once
// The string grid's data: sizes, fixed rows and columns, cell texts, column
// widths. The GUI shows it through a table model; the grid text loader fills it.
//
// Logs run to millions of lines, so cells are not objects: a bulk load hands the
// grid one shared text buffer plus an (offset, length) span per line, and a
// cell is split from its line when it is read (TLineSplit). Texts written cell
// by cell afterwards (header captions, edits) live in a small override map on
// top of it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/delimited_line.h"

namespace tokiwa {

// One line's text inside a bulk-load buffer.
struct TCellSpan {
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

class TStringGrid {
 public:
  static constexpr int kDefaultColWidth = 64;
  static constexpr int kDefaultRowHeight = 24;

  TStringGrid();

  // Sizes. A count below 1 becomes 1. Lowering RowCount to FixedRows or less
  // lowers FixedRows to RowCount - 1 (ColCount and FixedCols alike). Cells
  // outside a shrunk grid are discarded, so growing again shows empty cells.
  int RowCount() const { return rowCount_; }
  void SetRowCount(int count);
  int ColCount() const { return colCount_; }
  void SetColCount(int count);
  // Fixed counts are kept within 0..count-1 of their dimension.
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int count);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int count);

  // Cell texts. Reading outside the grid gives empty text; writing outside it
  // is ignored.
  std::string Cells(int col, int row) const { return std::string(CellView(col, row)); }
  // The same text without a copy; valid until the grid next changes.
  std::string_view CellView(int col, int row) const;
  // CellView of columns 0..count-1 of one row, its line split once.
  void RowView(int row, std::string_view* cells, int count) const;
  void SetCells(int col, int row, std::string text);
  // Empties every cell of one row.
  void ClearRow(int row);
  // Empties every cell of the grid (as ClearRow on each row) and releases the
  // bulk-load buffer; sizes stay.
  void ClearCells();

  // Replaces the cells of rows 0..lines.size()-1 with the lines (spans into
  // text) split by split; there must not be more lines than RowCount, and
  // split.Cols must equal ColCount. Rows below keep their texts. Raises
  // std::length_error when text is too large for 32-bit spans.
  void AssignLines(std::shared_ptr<const std::string> text, std::vector<TCellSpan> lines, TLineSplit split);
  // The same with the text as size bytes at text (no copy is made).
  void AssignLines(std::shared_ptr<const char> text, std::size_t size, std::vector<TCellSpan> lines,
                   TLineSplit split);

  // Replaces rows first..first+removed-1 with one row per line (spans into
  // text, split by split, whose Cols must equal ColCount); the rows below
  // move up or down and keep their texts. Reports OnRowsReplaced. Raises
  // std::invalid_argument when the rows or spans do not fit, and
  // std::length_error when the texts outgrow 32-bit spans.
  void ReplaceRows(int first, int removed, std::string_view text, const std::vector<TCellSpan>& lines,
                   const TLineSplit& split);

  // Takes over source's sizes, fixed counts and texts, leaving it empty; the
  // column widths and change handlers stay this grid's own (new columns get
  // the default width). One OnLayoutChanged follows.
  void AdoptCells(TStringGrid& source);

  // Layout the GUI shows and lets the user change.
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int width);  // resets every column to it
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int height);

  // Change reporting. OnCellsChanged(firstRow, lastRow) follows changes of cell
  // texts only; OnLayoutChanged follows changes of sizes, fixed counts, widths
  // and bulk assignments, after which a view should rebuild itself. Between
  // BeginUpdate and the matching EndUpdate nothing is reported; EndUpdate
  // reports one OnLayoutChanged if anything changed.
  std::function<void(int firstRow, int lastRow)> OnCellsChanged;
  std::function<void()> OnLayoutChanged;
  // Follows ReplaceRows (instead of OnLayoutChanged), so a view can keep its
  // place; within BeginUpdate it becomes a layout change like the rest.
  std::function<void(int first, int removed, int inserted)> OnRowsReplaced;
  void BeginUpdate() { ++updateDepth_; }
  void EndUpdate();
  // Increases with every change; a view can compare it to notice one.
  std::uint64_t ChangeCount() const { return changeCount_; }

 private:
  static std::uint64_t Key(int col, int row) {
    return (static_cast<std::uint64_t>(row) << 32) | static_cast<std::uint32_t>(col);
  }
  bool Inside(int col, int row) const {
    return col >= 0 && row >= 0 && col < colCount_ && row < rowCount_;
  }
  void CellsChanged(int firstRow, int lastRow);
  void LayoutChanged();
  void DropCellsOutside();
  void CompactText();
  int SpanRows() const { return static_cast<int>(lines_.size()); }
  bool SplitsLike(const TLineSplit& split) const { return split == split_ && spanCols_ == split_.Cols; }
  void MoveLinesToOverrides(int fromRow);
  void KeepOldRowsBelow(std::shared_ptr<const char>& text, std::size_t& size, std::vector<TCellSpan>& lines) const;
  void SetText(std::shared_ptr<const std::string> text);
  void ShiftOverrides(int from, int removed, int inserted);

  int rowCount_ = 5;
  int colCount_ = 5;
  int fixedRows_ = 1;
  int fixedCols_ = 1;
  int defaultColWidth_ = kDefaultColWidth;
  int defaultRowHeight_ = kDefaultRowHeight;
  std::vector<int> colWidths_;

  // Bulk-loaded texts: one span into text_ per row from row 0, split by
  // split_; columns at or beyond spanCols_ (<= split_.Cols) are treated as
  // empty.
  std::shared_ptr<const char> text_;
  std::size_t textSize_ = 0;
  std::vector<TCellSpan> lines_;
  TLineSplit split_;
  int spanCols_ = 0;
  // Texts written cell by cell; they take precedence over the spans.
  std::map<std::uint64_t, std::string> overrides_;

  int updateDepth_ = 0;
  bool pendingLayout_ = false;
  std::uint64_t changeCount_ = 0;
};

}  // namespace tokiwa
