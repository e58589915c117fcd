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
  if (spanRows_ > rowCount_) {
    spanRows_ = rowCount_;
    spans_.resize(static_cast<std::size_t>(spanRows_) * static_cast<std::size_t>(spanStride_));
    spans_.shrink_to_fit();
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
  for (const TCellSpan& s : spans_) kept += s.length;
  if (kept * 2 + 4096 > textSize_) return;
  auto compact = std::make_shared<std::string>();
  compact->reserve(kept);
  for (TCellSpan& s : spans_) {
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
  if (row >= spanRows_ || col >= spanCols_) return {};
  const TCellSpan span = spans_[static_cast<std::size_t>(row) * spanStride_ + col];
  return std::string_view(text_.get() + span.offset, span.length);
}

void TStringGrid::SetCells(int col, int row, std::string text) {
  if (!Inside(col, row)) return;
  if (text.empty() && (row >= spanRows_ || col >= spanCols_)) overrides_.erase(Key(col, row));
  else overrides_[Key(col, row)] = std::move(text);
  CellsChanged(row, row);
}

void TStringGrid::ClearRow(int row) {
  if (row < 0 || row >= rowCount_) return;
  overrides_.erase(overrides_.lower_bound(Key(0, row)), overrides_.lower_bound(Key(0, row + 1)));
  if (row < spanRows_) {
    auto first = spans_.begin() + static_cast<std::ptrdiff_t>(row) * spanStride_;
    std::fill(first, first + spanCols_, TCellSpan{});
  }
  CellsChanged(row, row);
}

void TStringGrid::ClearCells() {
  overrides_.clear();
  text_.reset();
  textSize_ = 0;
  spans_.clear();
  spans_.shrink_to_fit();
  spanRows_ = spanCols_ = spanStride_ = 0;
  CellsChanged(0, rowCount_ - 1);
}

void TStringGrid::AssignCells(std::shared_ptr<const std::string> text, std::vector<TCellSpan> spans,
                              int rows, int cols) {
  if (!text) throw std::invalid_argument("TStringGrid::AssignCells: no text");
  const std::size_t size = text->size();
  AssignCells(std::shared_ptr<const char>(text, text->data()), size, std::move(spans), rows, cols);
}

void TStringGrid::AssignCells(std::shared_ptr<const char> text, std::size_t size, std::vector<TCellSpan> spans,
                              int rows, int cols) {
  if (!text || rows < 0 || rows > rowCount_ || cols != colCount_ ||
      spans.size() != static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols))
    throw std::invalid_argument("TStringGrid::AssignCells: spans do not fit the grid");
  if (size > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("TStringGrid::AssignCells: text too large");
  for (const TCellSpan& s : spans)
    if (s.offset > size || s.length > size - s.offset)
      throw std::invalid_argument("TStringGrid::AssignCells: span outside the text");

  const int keptRows = std::max(rows, spanRows_);
  if (spanRows_ > rows) KeepOldRowsBelow(rows, cols, text, size, spans);
  overrides_.erase(overrides_.begin(), overrides_.lower_bound(Key(0, rows)));
  text_ = std::move(text);
  textSize_ = size;
  spans_ = std::move(spans);
  spanRows_ = keptRows;
  spanCols_ = spanStride_ = cols;
  LayoutChanged();
}

// The new block covers only the top rows; the rows below it keep their texts,
// which are copied after the new text so one buffer serves the whole grid.
void TStringGrid::KeepOldRowsBelow(int rows, int cols, std::shared_ptr<const char>& text, std::size_t& size,
                                   std::vector<TCellSpan>& spans) const {
  auto merged = std::make_shared<std::string>(text.get(), size);
  spans.reserve(static_cast<std::size_t>(spanRows_) * static_cast<std::size_t>(cols));
  for (int r = rows; r < spanRows_; ++r) {
    for (int c = 0; c < cols; ++c) {
      TCellSpan span;
      if (c < spanCols_) {
        const TCellSpan old = spans_[static_cast<std::size_t>(r) * spanStride_ + c];
        span = {static_cast<std::uint32_t>(merged->size()), old.length};
        merged->append(text_.get() + old.offset, old.length);
      }
      spans.push_back(span);
    }
  }
  if (merged->size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("TStringGrid::AssignCells: text too large");
  size = merged->size();
  text = std::shared_ptr<const char>(merged, merged->data());
}

void TStringGrid::ReplaceRows(int first, int removed, std::string_view text, const std::vector<TCellSpan>& spans,
                              int inserted) {
  const int cols = colCount_;
  if (first < 0 || removed < 0 || inserted < 0 || removed > rowCount_ - first ||
      rowCount_ - removed + inserted < 1 ||
      spans.size() != static_cast<std::size_t>(inserted) * static_cast<std::size_t>(cols))
    throw std::invalid_argument("TStringGrid::ReplaceRows: rows do not fit the grid");
  for (const TCellSpan& s : spans)
    if (s.offset > text.size() || s.length > text.size() - s.offset)
      throw std::invalid_argument("TStringGrid::ReplaceRows: span outside the text");
  if (textSize_ + text.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("TStringGrid::ReplaceRows: text too large");

  // One buffer serves the grid: the old text, then the new.
  auto merged = std::make_shared<std::string>();
  merged->reserve(textSize_ + text.size());
  if (text_) merged->append(text_.get(), textSize_);
  merged->append(text);
  const auto shift = static_cast<std::uint32_t>(textSize_);

  const int above = std::min(first, spanRows_);
  const int below = std::max(spanRows_ - (first + removed), 0);
  const int rows = first + inserted + below;
  std::vector<TCellSpan> out(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  const int keptCols = std::min(spanCols_, cols);
  const auto copyOld = [&](int from, int to, int count) {
    for (int r = 0; r < count; ++r)
      for (int c = 0; c < keptCols; ++c)
        out[static_cast<std::size_t>(to + r) * cols + c] = spans_[static_cast<std::size_t>(from + r) * spanStride_ + c];
  };
  copyOld(0, 0, above);
  for (std::size_t i = 0; i < spans.size(); ++i)
    out[static_cast<std::size_t>(first) * cols + i] = {spans[i].offset + shift, spans[i].length};
  copyOld(first + removed, first + inserted, below);

  ShiftOverrides(first, removed, inserted);
  SetText(std::move(merged));
  spans_ = std::move(out);
  spanRows_ = rows;
  spanCols_ = spanStride_ = cols;
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
  spans_ = std::move(source.spans_);
  spanRows_ = std::exchange(source.spanRows_, 0);
  spanCols_ = std::exchange(source.spanCols_, 0);
  spanStride_ = std::exchange(source.spanStride_, 0);
  overrides_ = std::move(source.overrides_);
  source.spans_.clear();
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
