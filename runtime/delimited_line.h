#pragma once
// How one line of delimited text splits into the cells of a grid row.
#include <string>
#include <string_view>

namespace tokiwa {

// Fields between delimiters fill the columns from the left; the last column
// takes the rest of the line, delimiters included, and columns past the
// line's last field are empty. With StripQuotes one enclosing pair of double
// quotes is removed from each field. An empty delimiter never occurs.
struct TLineSplit {
  std::string Delimiter;
  bool StripQuotes = false;
  int Cols = 1;

  bool operator==(const TLineSplit&) const = default;
};

// Hands out the columns of a line from the left, each split once.
class FieldCursor {
 public:
  FieldCursor(std::string_view line, const TLineSplit& split) : rest_(line), split_(split) {}
  // The next column's text; empty past the last column.
  std::string_view Next();

 private:
  std::string_view rest_;
  const TLineSplit& split_;
  int col_ = 0;
  bool ended_ = false;
};

// The text of column col (0 <= col < split.Cols) of line.
std::string_view FieldOfLine(std::string_view line, const TLineSplit& split, int col);

}  // namespace tokiwa
