#include "runtime/string_grid.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

namespace tokiwa {

TStringGrid::TStringGrid() : colWidths_(static_cast<std::size_t>(colCount_), defaultColWidth_) {}

void TStringGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  if (count == rowCount_) return;
  rowCount_ = count;
  fixedRows_ = std::min(fixedRows_, rowCount_ - 1);
  DropCellsOutside();
  LayoutChanged();
}

void TStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == colCount_) return;
  colCount_ = count;
  fixedCols_ = std::min(fixedCols_, colCount_ - 1);
  colWidths_.resize(static_cast<std::size_t>(colCount_), defaultColWidth_);
  DropCellsOutside();
  LayoutChanged();
}

void TStringGrid::SetFixedRows(int count) {
  count = std::clamp(count, 0, rowCount_ - 1);
  if (count == fixedRows_) return;
  fixedRows_ = count;
  LayoutChanged();
}

void TStringGrid::SetFixedCols(int count) {
  count = std::clamp(count, 0, colCount_ - 1);
  if (count == fixedCols_) return;
  fixedCols_ = count;
  LayoutChanged();
}

// Forgets every text outside the current size.
void TStringGrid::DropCellsOutside() {
  if (SpanRows() > rowCount_) {
    lines_.resize(static_cast<std::size_t>(rowCount_));
    lines_.shrink_to_fit();
    CompactText();
  }
  spanCols_ = std::min(spanCols_, colCount_);
  overrides_.erase(overrides_.lower_bound(Key(0, rowCount_)), overrides_.end());
  for (auto it = overrides_.begin(); it != overrides_.end();) {
    if (static_cast<int>(it->first & 0xFFFFFFFFu) >= colCount_) it = overrides_.erase(it);
    else ++it;
  }
}

// After the grid shrank, copies the texts still shown into a buffer of their
// own, so a large load's buffer is not kept alive for a few rows.
void TStringGrid::CompactText() {
  if (!text_) return;
  std::size_t kept = 0;
  for (const TCellSpan& s : lines_) kept += s.length;
  if (kept * 2 + 4096 > textSize_) return;
  auto compact = std::make_shared<std::string>();
  compact->reserve(kept);
  for (TCellSpan& s : lines_) {
    const std::uint32_t offset = static_cast<std::uint32_t>(compact->size());
    compact->append(text_.get() + s.offset, s.length);
    s.offset = offset;
  }
  SetText(std::move(compact));
}

void TStringGrid::SetText(std::shared_ptr<const std::string> text) {
  textSize_ = text->size();
  // Shares the string's ownership while pointing at its characters.
  text_ = std::shared_ptr<const char>(text, text->data());
}

std::string_view TStringGrid::CellView(int col, int row) const {
  if (!Inside(col, row)) return {};
  if (!overrides_.empty()) {
    const auto it = overrides_.find(Key(col, row));
    if (it != overrides_.end()) return it->second;
  }
  if (row >= SpanRows() || col >= spanCols_) return {};
  const TCellSpan line = lines_[static_cast<std::size_t>(row)];
  return FieldOfLine(std::string_view(text_.get() + line.offset, line.length), split_, col);
}

void TStringGrid::RowView(int row, std::string_view* cells, int count) const {
  const bool written = !overrides_.empty() && overrides_.lower_bound(Key(0, row)) != overrides_.lower_bound(Key(0, row + 1));
  if (written || row < 0 || row >= SpanRows()) {
    for (int c = 0; c < count; ++c) cells[c] = CellView(c, row);
    return;
  }
  const TCellSpan line = lines_[static_cast<std::size_t>(row)];
  const int split = std::clamp(std::min(spanCols_, colCount_), 0, count);
  SplitLine(std::string_view(text_.get() + line.offset, line.length), split_, cells, split);
  std::fill(cells + split, cells + count, std::string_view());
}

void TStringGrid::SetCells(int col, int row, std::string text) {
  if (!Inside(col, row)) return;
  if (text.empty() && (row >= SpanRows() || col >= spanCols_)) overrides_.erase(Key(col, row));
  else overrides_[Key(col, row)] = std::move(text);
  CellsChanged(row, row);
}

void TStringGrid::ClearRow(int row) {
  if (row < 0 || row >= rowCount_) return;
  overrides_.erase(overrides_.lower_bound(Key(0, row)), overrides_.lower_bound(Key(0, row + 1)));
  if (row < SpanRows()) lines_[static_cast<std::size_t>(row)] = TCellSpan{};
  CellsChanged(row, row);
}

void TStringGrid::ClearCells() {
  overrides_.clear();
  text_.reset();
  textSize_ = 0;
  lines_.clear();
  lines_.shrink_to_fit();
  spanCols_ = 0;
  CellsChanged(0, rowCount_ - 1);
}

void TStringGrid::AssignLines(std::shared_ptr<const std::string> text, std::vector<TCellSpan> lines,
                              TLineSplit split) {
  if (!text) throw std::invalid_argument("TStringGrid::AssignLines: no text");
  const std::size_t size = text->size();
  AssignLines(std::shared_ptr<const char>(text, text->data()), size, std::move(lines), std::move(split));
}

namespace {

void CheckSpans(const std::vector<TCellSpan>& spans, std::size_t size, const char* what) {
  for (const TCellSpan& s : spans)
    if (s.offset > size || s.length > size - s.offset) throw std::invalid_argument(what);
}

}  // namespace

void TStringGrid::AssignLines(std::shared_ptr<const char> text, std::size_t size, std::vector<TCellSpan> lines,
                              TLineSplit split) {
  if (!text || lines.size() > static_cast<std::size_t>(rowCount_) || split.Cols != colCount_)
    throw std::invalid_argument("TStringGrid::AssignLines: lines do not fit the grid");
  if (size > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("TStringGrid::AssignLines: text too large");
  CheckSpans(lines, size, "TStringGrid::AssignLines: span outside the text");

  const int rows = static_cast<int>(lines.size());
  if (SpanRows() > rows) {
    if (SplitsLike(split)) KeepOldRowsBelow(text, size, lines);
    else MoveLinesToOverrides(rows);
  }
  overrides_.erase(overrides_.begin(), overrides_.lower_bound(Key(0, rows)));
  text_ = std::move(text);
  textSize_ = size;
  lines_ = std::move(lines);
  spanCols_ = split.Cols;
  split_ = std::move(split);
  LayoutChanged();
}

// The rows from fromRow on are split another way than new lines will be:
// their cells become texts of their own (without replacing written ones).
void TStringGrid::MoveLinesToOverrides(int fromRow) {
  for (int r = fromRow; r < SpanRows(); ++r)
    for (int c = 0; c < spanCols_; ++c) {
      const TCellSpan line = lines_[static_cast<std::size_t>(r)];
      const std::string_view cell = FieldOfLine(std::string_view(text_.get() + line.offset, line.length), split_, c);
      if (!cell.empty()) overrides_.emplace(Key(c, r), std::string(cell));
    }
  lines_.resize(static_cast<std::size_t>(std::min(fromRow, SpanRows())));
}

// The new lines cover only the top rows; the rows below keep their lines,
// which are copied after the new text so one buffer serves the whole grid.
void TStringGrid::KeepOldRowsBelow(std::shared_ptr<const char>& text, std::size_t& size,
                                   std::vector<TCellSpan>& lines) const {
  auto merged = std::make_shared<std::string>(text.get(), size);
  for (std::size_t r = lines.size(); r < lines_.size(); ++r) {
    lines.push_back({static_cast<std::uint32_t>(merged->size()), lines_[r].length});
    merged->append(text_.get() + lines_[r].offset, lines_[r].length);
  }
  if (merged->size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("TStringGrid::AssignLines: text too large");
  size = merged->size();
  text = std::shared_ptr<const char>(merged, merged->data());
}

void TStringGrid::ReplaceRows(int first, int removed, std::string_view text, const std::vector<TCellSpan>& lines,
                              const TLineSplit& split) {
  const int inserted = static_cast<int>(lines.size());
  if (first < 0 || removed < 0 || removed > rowCount_ - first || rowCount_ - removed + inserted < 1 ||
      split.Cols != colCount_)
    throw std::invalid_argument("TStringGrid::ReplaceRows: rows do not fit the grid");
  CheckSpans(lines, text.size(), "TStringGrid::ReplaceRows: span outside the text");
  if (textSize_ + text.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("TStringGrid::ReplaceRows: text too large");
  if (!SplitsLike(split)) MoveLinesToOverrides(0);

  // One buffer serves the grid: the old text, then the new.
  auto merged = std::make_shared<std::string>();
  merged->reserve(textSize_ + text.size());
  if (text_) merged->append(text_.get(), textSize_);
  merged->append(text);
  const auto shift = static_cast<std::uint32_t>(textSize_);

  const int above = std::min(first, SpanRows());
  const int below = std::max(SpanRows() - (first + removed), 0);
  std::vector<TCellSpan> out(static_cast<std::size_t>(first + inserted + below));
  const auto old = lines_.begin();
  std::copy(old, old + above, out.begin());
  for (std::size_t i = 0; i < lines.size(); ++i)
    out[static_cast<std::size_t>(first) + i] = {lines[i].offset + shift, lines[i].length};
  std::copy(old + (first + removed), old + (first + removed + below), out.begin() + (first + inserted));

  ShiftOverrides(first, removed, inserted);
  SetText(std::move(merged));
  lines_ = std::move(out);
  split_ = split;
  spanCols_ = split.Cols;
  rowCount_ += inserted - removed;
  fixedRows_ = std::min(fixedRows_, rowCount_ - 1);
  ++changeCount_;
  if (updateDepth_ > 0) pendingLayout_ = true;
  else if (OnRowsReplaced) OnRowsReplaced(first, removed, inserted);
  else if (OnLayoutChanged) OnLayoutChanged();
}

// Texts written cell by cell follow their rows.
void TStringGrid::ShiftOverrides(int from, int removed, int inserted) {
  if (overrides_.empty()) return;
  std::map<std::uint64_t, std::string> shifted;
  for (auto& [key, text] : overrides_) {
    const int row = static_cast<int>(key >> 32);
    const int col = static_cast<int>(key & 0xFFFFFFFFu);
    if (row < from) shifted.emplace(key, std::move(text));
    else if (row >= from + removed) shifted.emplace(Key(col, row - removed + inserted), std::move(text));
  }
  overrides_ = std::move(shifted);
}

void TStringGrid::AdoptCells(TStringGrid& source) {
  rowCount_ = source.rowCount_;
  colCount_ = source.colCount_;
  fixedRows_ = source.fixedRows_;
  fixedCols_ = source.fixedCols_;
  colWidths_.resize(static_cast<std::size_t>(colCount_), defaultColWidth_);
  text_ = std::move(source.text_);
  textSize_ = std::exchange(source.textSize_, 0);
  lines_ = std::move(source.lines_);
  split_ = source.split_;
  spanCols_ = std::exchange(source.spanCols_, 0);
  overrides_ = std::move(source.overrides_);
  source.lines_.clear();
  source.overrides_.clear();
  LayoutChanged();
}

int TStringGrid::ColWidths(int col) const {
  if (col < 0 || col >= colCount_) return defaultColWidth_;
  return colWidths_[static_cast<std::size_t>(col)];
}

void TStringGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= colCount_) return;
  width = std::max(width, 0);
  if (colWidths_[static_cast<std::size_t>(col)] == width) return;
  colWidths_[static_cast<std::size_t>(col)] = width;
  LayoutChanged();
}

void TStringGrid::SetDefaultColWidth(int width) {
  width = std::max(width, 0);
  defaultColWidth_ = width;
  std::fill(colWidths_.begin(), colWidths_.end(), width);
  LayoutChanged();
}

void TStringGrid::SetDefaultRowHeight(int height) {
  height = std::max(height, 0);
  if (height == defaultRowHeight_) return;
  defaultRowHeight_ = height;
  LayoutChanged();
}

void TStringGrid::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0 || !pendingLayout_) return;
  pendingLayout_ = false;
  if (OnLayoutChanged) OnLayoutChanged();
}

void TStringGrid::CellsChanged(int firstRow, int lastRow) {
  ++changeCount_;
  if (updateDepth_ > 0) pendingLayout_ = true;
  else if (OnCellsChanged) OnCellsChanged(firstRow, lastRow);
}

void TStringGrid::LayoutChanged() {
  ++changeCount_;
  if (updateDepth_ > 0) pendingLayout_ = true;
  else if (OnLayoutChanged) OnLayoutChanged();
}

}  // namespace tokiwa
