#pragma once
// TStringGridIO: reads a delimited text file into a string grid, one file line
// per row and one field per column, and empties the grid again.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gridio/grid_text.h"
#include "runtime/component.h"
#include "runtime/string_grid.h"

namespace tokiwa {

// Limits on what a load accepts; beyond them the load fails with its own message
// and the grid is left untouched.
inline constexpr std::uint64_t kMaxGridFileBytes = std::uint64_t{1} << 30;  // 1 GiB
inline constexpr int kMaxGridColumns = 1024;
inline constexpr std::uint64_t kMaxGridCells = std::uint64_t{1} << 27;     // 1 GiB of spans
// Memory per row beside the text: a span per cell (the grid keeps less), plus
// what a reader of the grid keeps per row (the timeline build's tables). A file of very short
// lines would need many times its size in rows; the rows' share may reach
// kMaxRowMemoryMultiple times the text, or kRowMemoryAllowance for any file.
inline constexpr std::uint64_t kRowReaderBytes = 24;
inline constexpr std::uint64_t kMaxRowMemoryMultiple = 3;
inline constexpr std::uint64_t kRowMemoryAllowance = std::uint64_t{64} << 20;

// The most rows of cols columns a text of textBytes may fill.
std::uint64_t MaxGridRows(std::uint64_t textBytes, std::uint64_t cols);

// A text's number of lines and the most delimiters on one of them.
struct TextShape {
  std::uint64_t lines = 0;
  std::uint64_t maxDelimiters = 0;

  void Add(const TextShape& other);
};

// The rows and columns a grid ends with.
struct GridSize {
  std::uint64_t rows = 0;
  std::uint64_t cols = 0;
};

// The size a load of text of this shape and textBytes (decoded) gives grid,
// stretched to it or not; raises the limit errors of LoadGrid naming fileName.
GridSize FitGridSize(const TStringGrid& grid, bool stretch, const TextShape& shape, std::uint64_t textBytes,
                     const std::string& fileName);

class TStringGridIO : public TComponent {
 public:
  explicit TStringGridIO(TComponent* owner = nullptr);

  // The grid to fill; not owned. Without one every operation does nothing.
  TStringGrid* TargetGrid() const { return targetGrid_; }
  void SetTargetGrid(TStringGrid* grid) { targetGrid_ = grid; }
  // When true, a load clears the grid and sizes it to the file.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch) { stretch_ = stretch; }

  // Fills TargetGrid from the CP932 file. The file is opened exclusively (a
  // file locked by another process is refused); failures raise before the
  // grid is touched:
  //  - cannot open, or locked: EFOpenError, msg::FileOpenError;
  //  - a folder, FIFO, device or other non-regular file: EFOpenError,
  //    msg::NotRegularFile;
  //  - a read error: EFOpenError, msg::FileReadError;
  //  - larger than kMaxGridFileBytes: EFOpenError, msg::FileTooLarge;
  //  - more columns than kMaxGridColumns (with Stretch): EFOpenError,
  //    msg::TooManyColumns;
  //  - more cells to fill than kMaxGridCells: EFOpenError, msg::TooManyCells;
  //  - more rows than MaxGridRows: EFOpenError, msg::TooManyRows.
  // Each line's fields fill the columns from the left; columns past a line's
  // last field stay empty, and the last column takes the rest of the line,
  // further delimiters included. An empty delimiter never matches.
  void LoadGrid(const std::string& fileName, std::string_view delimiter, bool stripQuotes);

  // The same for texts already read: the lines of texts.Files[order[0]], then
  // those of order[1], and so on, each file's lines on rows of their own.
  // Answers each file's line count, in that order. Limits are those of
  // LoadGrid over the whole; their messages name the last file.
  std::vector<int> LoadGridTexts(const GridTexts& texts, const std::vector<int>& order,
                                 std::string_view delimiter, bool stripQuotes);

  // Replaces removed rows from first on with the lines of CP932 bytes (split
  // as LoadGrid splits them) and answers how many rows they made; the grid
  // keeps its columns. -1, changing nothing, when a line has more fields than
  // the grid has columns.
  int ReplaceRows(int first, int removed, std::string_view bytes, std::string_view delimiter,
                   bool stripQuotes);

  // Empties every cell; RowCount and ColCount stay.
  void ClearGrid();

  // With strip on, removes one enclosing pair of double quotes from a text of at
  // least two characters; otherwise returns the text unchanged.
  static std::string UnquoteField(bool stripQuotes, std::string_view text);

 private:
  TStringGrid* targetGrid_ = nullptr;
  bool stretch_ = false;
};

}  // namespace tokiwa
