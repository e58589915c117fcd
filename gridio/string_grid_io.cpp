#include "gridio/string_grid_io.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "gridio/delimited_text.h"
#include "gridio/exclusive_read.h"
#include "runtime/encoding.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"

namespace tokiwa {

namespace {

[[noreturn]] void Fail(std::string_view format, const std::string& fileName) {
  throw EFOpenError(FormatText(format, {Arg(fileName)}));
}

[[noreturn]] void FailLimit(std::string_view format, const std::string& fileName,
                            std::uint64_t limit) {
  throw EFOpenError(FormatText(format, {Arg(fileName), Arg(static_cast<long long>(limit))}));
}

// Decodes the file into UTF-8 as it is read, up to its first NUL.
class TextSink : public ReadSink {
 public:
  std::shared_ptr<std::string> text = std::make_shared<std::string>();

  void Begin(std::uint64_t size) override {
    // Double-byte text grows by half; more than that regrows the buffer.
    // Capacity never written to costs address space, not memory.
    text->reserve(static_cast<std::size_t>(size + size / 2 + 64));
  }
  bool Consume(std::string_view piece) override {
    const void* nul = std::memchr(piece.data(), '\0', piece.size());
    if (!nul) {
      decoder_.Decode(piece, *text, false);
      return true;
    }
    piece = piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - piece.data()));
    decoder_.Decode(piece, *text, true);
    ended_ = true;
    return false;
  }
  void End() override {
    if (!ended_) decoder_.Decode({}, *text, true);
  }

 private:
  Cp932Decoder decoder_;
  bool ended_ = false;
};

std::shared_ptr<std::string> ReadText(const std::string& fileName) {
  TextSink sink;
  switch (ReadFileExclusive(fileName, kMaxGridFileBytes, sink)) {
    case ReadOutcome::roOk: break;
    case ReadOutcome::roCannotOpen: Fail(msg::FileOpenError, fileName);
    case ReadOutcome::roNotRegular: Fail(msg::NotRegularFile, fileName);
    case ReadOutcome::roReadError: Fail(msg::FileReadError, fileName);
    case ReadOutcome::roTooLarge: FailLimit(msg::FileTooLarge, fileName, kMaxGridFileBytes >> 20);
  }
  return std::move(sink.text);
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
  std::shared_ptr<std::string> text = ReadText(fileName);

  // Work out the grid's shape before touching it, so that a file beyond the
  // limits leaves the grid as it was.
  const TextShape shape = Measure(*text, delimiter, stretch_);
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

  // Second pass: every cell of the filled rows as a span into the text.
  const int cols = static_cast<int>(colCount);
  const int rows = static_cast<int>(rowsToFill);
  std::vector<TCellSpan> spans(rowsToFill * colCount);
  LineScanner lines(*text);
  std::string_view line;
  for (int r = static_cast<int>(std::min(fixed, rowsToFill)); r < rows && lines.Next(line); ++r)
    SplitFields(*text, line, delimiter, stripQuotes, cols,
                spans.data() + static_cast<std::size_t>(r) * colCount);

  UpdateScope update(grid);
  if (stretch_) {
    ClearGrid();
    grid->SetRowCount(static_cast<int>(rowCount));
    grid->SetColCount(cols);
  }
  grid->AssignCells(std::move(text), std::move(spans), rows, cols);
}

}  // namespace tokiwa
