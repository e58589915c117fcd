#include "gridio/string_grid_io.h"

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <memory>
#include <new>
#include <thread>
#include <utility>
#include <vector>

#include "gridio/delimited_text.h"
#include "gridio/grid_text.h"
#include "runtime/exclusive_read.h"
#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "runtime/memory_hints.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

[[noreturn]] void FailLimit(std::string_view format, const std::string& fileName,
                            std::uint64_t limit) {
  throw EFOpenError(FormatText(format, {Arg(fileName), Arg(static_cast<long long>(limit))}));
}

// First pass: the number of lines and the most delimiters on one line.
TextShape Measure(std::string_view text, std::string_view delimiter, bool countDelimiters) {
  TextShape shape;
  LineScanner lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    ++shape.lines;
    if (countDelimiters)
      shape.maxDelimiters = std::max<std::uint64_t>(
          shape.maxDelimiters, CountDelimiters(line, delimiter, kMaxGridColumns));
  }
  return shape;
}

// A piece of one file's text that one thread measures and fills.
struct Chunk {
  Chunk(std::string_view t, int f) : text(t), file(f) {}
  std::string_view text;
  int file = 0;  // position in the load's order
  TextShape shape;
  int firstRow = 0;
};

// A single text in two parts cut just after a line feed near its middle. A
// line feed always ends a line (a carriage return before it belongs to the
// same ending), so each part scans into exactly the lines the whole text
// gives. A text without such a line feed stays whole.
void CutAtLineStart(std::string_view text, int file, std::vector<Chunk>& chunks) {
  const std::size_t lf = text.find('\n', text.size() / 2);
  if (lf == std::string_view::npos || lf + 1 == text.size()) {
    chunks.emplace_back(text, file);
    return;
  }
  chunks.emplace_back(text.substr(0, lf + 1), file);
  chunks.emplace_back(text.substr(lf + 1), file);
}

// One chunk per file; a single file is cut in two, so two threads share it.
std::vector<Chunk> ChunksOf(const GridTexts& texts, const std::vector<int>& order) {
  std::vector<Chunk> chunks;
  if (order.size() == 1) {
    CutAtLineStart(texts.Files[static_cast<std::size_t>(order[0])].Text, 0, chunks);
    return chunks;
  }
  for (std::size_t i = 0; i < order.size(); ++i)
    chunks.emplace_back(texts.Files[static_cast<std::size_t>(order[i])].Text, static_cast<int>(i));
  return chunks;
}

// Below this size a second thread costs more than it saves.
constexpr std::size_t kParallelTextBytes = std::size_t{1} << 20;

// Runs work on every chunk; the chunks from the one where half the bytes are
// reached on run on a second thread when the text is large. work must not
// throw.
template <typename Work>
void ForAllChunks(std::vector<Chunk>& chunks, Work work) {
  std::size_t total = 0;
  for (const Chunk& chunk : chunks) total += chunk.text.size();
  const auto run = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) work(chunks[i]);
  };
  if (total < kParallelTextBytes || chunks.size() < 2) {
    run(0, chunks.size());
    return;
  }
  std::size_t split = 1, seen = chunks[0].text.size();
  while (split + 1 < chunks.size() && seen + chunks[split].text.size() / 2 < total / 2)
    seen += chunks[split++].text.size();
  std::jthread second([&] { run(split, chunks.size()); });
  run(0, split);
}

// Writes the spans of the lines of part, one row each from firstRow, up to
// (not including) endRow, relative to base.
void FillLines(std::string_view base, std::string_view part, int firstRow, int endRow, TCellSpan* spans) {
  LineScanner lines(part);
  std::string_view line;
  for (int r = firstRow; r < endRow && lines.Next(line); ++r)
    spans[r] = {static_cast<std::uint32_t>(line.data() - base.data()), static_cast<std::uint32_t>(line.size())};
}

// The grid reports one layout change for the whole load.
class UpdateScope {
 public:
  explicit UpdateScope(TStringGrid* grid) : grid_(grid) { grid_->BeginUpdate(); }
  ~UpdateScope() { grid_->EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  TStringGrid* grid_;
};

}  // namespace

std::uint64_t MaxGridRows(std::uint64_t textBytes, std::uint64_t cols) {
  const std::uint64_t perRow = cols * sizeof(TCellSpan) + kRowReaderBytes;
  return (kMaxRowMemoryMultiple * textBytes + kRowMemoryAllowance) / perRow;
}

void TextShape::Add(const TextShape& other) {
  lines += other.lines;
  maxDelimiters = std::max(maxDelimiters, other.maxDelimiters);
}

GridSize FitGridSize(const TStringGrid& grid, bool stretch, const TextShape& shape, std::uint64_t textBytes,
                     const std::string& fileName) {
  const std::uint64_t fixed = static_cast<std::uint64_t>(grid.FixedRows());
  const std::uint64_t listLines = fixed + shape.lines;  // fixed rows get empty lines
  GridSize size{static_cast<std::uint64_t>(grid.RowCount()), static_cast<std::uint64_t>(grid.ColCount())};
  if (stretch) {
    if (shape.maxDelimiters + 1 > static_cast<std::uint64_t>(kMaxGridColumns))
      FailLimit(msg::TooManyColumns, fileName, kMaxGridColumns);
    size.rows = std::max<std::uint64_t>(listLines, 1);
    size.cols = shape.maxDelimiters + 1;
  }
  const std::uint64_t rowsToFill = std::min(size.rows, listLines);
  if (size.rows * size.cols > kMaxGridCells || rowsToFill * size.cols > kMaxGridCells)
    FailLimit(msg::TooManyCells, fileName, kMaxGridCells);
  const std::uint64_t maxRows = MaxGridRows(textBytes, size.cols);
  if (size.rows > maxRows) FailLimit(msg::TooManyRows, fileName, maxRows);
  return size;
}

TStringGridIO::TStringGridIO(TComponent* owner) : TComponent(owner) {}

std::string TStringGridIO::UnquoteField(bool stripQuotes, std::string_view text) {
  if (stripQuotes && text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return std::string(text.substr(1, text.size() - 2));
  return std::string(text);
}

void TStringGridIO::ClearGrid() {
  if (targetGrid_) targetGrid_->ClearCells();
}

void TStringGridIO::LoadGrid(const std::string& fileName, std::string_view delimiter,
                             bool stripQuotes) {
  if (!targetGrid_) return;
  LoadGridTexts(ReadGridTexts({fileName}), {0}, delimiter, stripQuotes);
}

std::vector<int> TStringGridIO::LoadGridTexts(const GridTexts& texts, const std::vector<int>& order,
                                              std::string_view delimiter, bool stripQuotes) {
  TStringGrid* grid = targetGrid_;
  if (!grid || order.empty()) return {};
  const std::string_view text(texts.Data.get(), texts.Size);
  // Limits name the last file, the one that went beyond them.
  const std::string& fileName = texts.Files[static_cast<std::size_t>(order.back())].Name;

  // Work out the grid's shape before touching it, so that files beyond the
  // limits leave the grid as it was.
  std::vector<Chunk> chunks = ChunksOf(texts, order);
  ForAllChunks(chunks, [&](Chunk& chunk) { chunk.shape = Measure(chunk.text, delimiter, stretch_); });
  TextShape shape;
  for (const Chunk& chunk : chunks) shape.Add(chunk.shape);
  const GridSize size = FitGridSize(*grid, stretch_, shape, text.size(), fileName);
  const std::uint64_t fixed = static_cast<std::uint64_t>(grid->FixedRows());
  const std::uint64_t rowsToFill = std::min(size.rows, fixed + shape.lines);

  // Second pass: every filled row's line as a span into the text. Rows past
  // the lines (the fixed rows' share) stay empty.
  const int cols = static_cast<int>(size.cols);
  const int rows = static_cast<int>(rowsToFill);
  std::vector<TCellSpan> spans;
  AssignAdvised(spans, rowsToFill, TCellSpan{});
  std::vector<int> linesPerFile(order.size(), 0);
  std::uint64_t nextRow = std::min(fixed, rowsToFill);
  for (Chunk& chunk : chunks) {
    chunk.firstRow = static_cast<int>(std::min<std::uint64_t>(nextRow, rowsToFill));
    nextRow += chunk.shape.lines;
    linesPerFile[static_cast<std::size_t>(chunk.file)] += static_cast<int>(chunk.shape.lines);
  }
  ForAllChunks(chunks, [&](Chunk& chunk) {
    FillLines(text, chunk.text, chunk.firstRow, rows, spans.data());
  });

  UpdateScope update(grid);
  if (stretch_) {
    ClearGrid();
    grid->SetRowCount(static_cast<int>(size.rows));
    grid->SetColCount(cols);
  }
  grid->AssignLines(texts.Data, text.size(), std::move(spans), {std::string(delimiter), stripQuotes, cols});
  return linesPerFile;
}

int TStringGridIO::ReplaceRows(int first, int removed, std::string_view bytes, std::string_view delimiter,
                               bool stripQuotes) {
  TStringGrid* grid = targetGrid_;
  if (!grid) return 0;
  std::string text;
  Cp932Decoder().Decode(bytes, text, true);
  const TextShape shape = Measure(text, delimiter, true);
  if (shape.maxDelimiters + 1 > static_cast<std::uint64_t>(grid->ColCount())) return -1;
  const int rows = static_cast<int>(shape.lines);
  std::vector<TCellSpan> spans(static_cast<std::size_t>(rows));
  FillLines(text, text, 0, rows, spans.data());
  grid->ReplaceRows(first, removed, text, spans, {std::string(delimiter), stripQuotes, grid->ColCount()});
  return rows;
}

}  // namespace tokiwa
