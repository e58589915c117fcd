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

// A growing block of raw memory for the decoded text. Decoding writes straight
// into it, and growing it moves no bytes: blocks this large are mapped memory,
// which realloc remaps. Capacity never written to costs address space, not
// memory.
class TextBuffer {
 public:
  TextBuffer() = default;
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;
  ~TextBuffer() { std::free(data_); }

  // Makes room for extra more bytes.
  void MakeRoom(std::size_t extra) {
    const std::size_t needed = size_ + extra;
    if (needed <= capacity_) return;
    Resize(std::max(needed, capacity_ + capacity_ / 2));
  }
  char* End() { return data_ + size_; }
  void SetEnd(char* end) { size_ = static_cast<std::size_t>(end - data_); }
  std::size_t Size() const { return size_; }

  // Hands the text over, trimmed to its size.
  std::shared_ptr<const char> Release() {
    Resize(size_);
    char* data = std::exchange(data_, nullptr);
    capacity_ = 0;
    return std::shared_ptr<const char>(data, [](const char* p) { std::free(const_cast<char*>(p)); });
  }

 private:
  void Resize(std::size_t capacity) {
    capacity = std::max<std::size_t>(capacity, 1);  // an empty text still has an address
    void* grown = std::realloc(data_, capacity);
    if (!grown) throw std::bad_alloc();
    data_ = static_cast<char*>(grown);
    capacity_ = capacity;
    AdviseHugePages(data_, capacity_);
  }

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Decodes the file into UTF-8 as it is read, up to its first NUL.
class TextSink : public ReadSink {
 public:
  TextBuffer text;

  void Begin(std::uint64_t size) override {
    // Double-byte text grows by half; more than that grows the buffer.
    text.MakeRoom(static_cast<std::size_t>(size + size / 2 + 64));
  }
  bool Consume(std::string_view piece) override {
    const void* nul = std::memchr(piece.data(), '\0', piece.size());
    if (nul) piece = piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - piece.data()));
    Decode(piece, nul != nullptr);
    ended_ = nul != nullptr;
    return !ended_;
  }
  void End() override {
    if (!ended_) Decode({}, true);
  }

 private:
  void Decode(std::string_view piece, bool last) {
    text.MakeRoom(Cp932Decoder::MaxDecodedSize(piece.size()));
    text.SetEnd(decoder_.DecodeTo(piece, text.End(), last));
  }

  Cp932Decoder decoder_;
  bool ended_ = false;
};

struct DecodedText {
  std::shared_ptr<const char> data;
  std::string_view text;
};

DecodedText ReadText(const std::string& fileName) {
  TextSink sink;
  ThrowIfFailed(ReadFileExclusive(fileName, kMaxGridFileBytes, sink), fileName, kMaxGridFileBytes);
  const std::size_t size = sink.text.Size();
  DecodedText result;
  result.data = sink.text.Release();
  result.text = std::string_view(result.data.get(), size);
  return result;
}

struct TextShape {
  std::uint64_t lines = 0;
  std::uint64_t maxDelimiters = 0;
};

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

// The text in two parts cut just after a line feed near its middle. A line
// feed always ends a line (a carriage return before it belongs to the same
// ending), so each part scans into exactly the lines the whole text gives.
// A text without such a line feed stays whole in the first part.
struct TextHalves {
  std::string_view first;
  std::string_view second;
};

TextHalves CutAtLineStart(std::string_view text) {
  const std::size_t lf = text.find('\n', text.size() / 2);
  if (lf == std::string_view::npos || lf + 1 == text.size()) return {text, {}};
  return {text.substr(0, lf + 1), text.substr(lf + 1)};
}

// Below this size a second thread costs more than it saves.
constexpr std::size_t kParallelTextBytes = std::size_t{1} << 20;

// Runs work on the two halves, the second on its own thread when the text is
// large; work must not throw.
template <typename Work>
void ForBothHalves(const TextHalves& halves, Work work) {
  if (halves.first.size() + halves.second.size() < kParallelTextBytes) {
    work(halves.first, 0);
    work(halves.second, 1);
    return;
  }
  std::jthread second([&] { work(halves.second, 1); });
  work(halves.first, 0);
}

// Writes the cells of the lines of part, one row each from firstRow, up to
// (not including) endRow.
void FillRows(std::string_view base, std::string_view part, std::string_view delimiter, bool strip,
              int cols, int firstRow, int endRow, TCellSpan* spans) {
  LineScanner lines(part);
  std::string_view line;
  for (int r = firstRow; r < endRow && lines.Next(line); ++r)
    SplitFields(base, line, delimiter, strip, cols, spans + static_cast<std::size_t>(r) * cols);
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
  TStringGrid* grid = targetGrid_;
  if (!grid) return;
  const DecodedText decoded = ReadText(fileName);
  const std::string_view text = decoded.text;

  // Work out the grid's shape before touching it, so that a file beyond the
  // limits leaves the grid as it was.
  const TextHalves halves = CutAtLineStart(text);
  TextShape parts[2];
  ForBothHalves(halves, [&](std::string_view part, int i) { parts[i] = Measure(part, delimiter, stretch_); });
  TextShape shape;
  shape.lines = parts[0].lines + parts[1].lines;
  shape.maxDelimiters = std::max(parts[0].maxDelimiters, parts[1].maxDelimiters);
  const std::uint64_t fixed = static_cast<std::uint64_t>(grid->FixedRows());
  const std::uint64_t listLines = fixed + shape.lines;  // fixed rows get empty lines
  std::uint64_t rowCount = static_cast<std::uint64_t>(grid->RowCount());
  std::uint64_t colCount = static_cast<std::uint64_t>(grid->ColCount());
  if (stretch_) {
    if (shape.maxDelimiters + 1 > static_cast<std::uint64_t>(kMaxGridColumns))
      FailLimit(msg::TooManyColumns, fileName, kMaxGridColumns);
    rowCount = std::max<std::uint64_t>(listLines, 1);
    colCount = shape.maxDelimiters + 1;
  }
  const std::uint64_t rowsToFill = std::min(rowCount, listLines);
  if (rowCount * colCount > kMaxGridCells || rowsToFill * colCount > kMaxGridCells)
    FailLimit(msg::TooManyCells, fileName, kMaxGridCells);
  const std::uint64_t maxRows = MaxGridRows(text.size(), colCount);
  if (rowCount > maxRows) FailLimit(msg::TooManyRows, fileName, maxRows);

  // Second pass: every cell of the filled rows as a span into the text. Rows
  // past the lines (the fixed rows' share) stay empty.
  const int cols = static_cast<int>(colCount);
  const int rows = static_cast<int>(rowsToFill);
  std::vector<TCellSpan> spans;
  spans.reserve(rowsToFill * colCount);
  AdviseHugePages(spans.data(), spans.capacity() * sizeof(TCellSpan));
  spans.resize(rowsToFill * colCount);
  const auto firstFilled = static_cast<std::int64_t>(std::min(fixed, rowsToFill));
  const std::int64_t secondFirst = firstFilled + static_cast<std::int64_t>(parts[0].lines);
  const int starts[2] = {static_cast<int>(firstFilled), static_cast<int>(std::min<std::int64_t>(secondFirst, rows))};
  ForBothHalves(halves, [&](std::string_view part, int i) {
    FillRows(text, part, delimiter, stripQuotes, cols, starts[i], rows, spans.data());
  });

  UpdateScope update(grid);
  if (stretch_) {
    ClearGrid();
    grid->SetRowCount(static_cast<int>(rowCount));
    grid->SetColCount(cols);
  }
  grid->AssignCells(decoded.data, text.size(), std::move(spans), rows, cols);
}

}  // namespace tokiwa
