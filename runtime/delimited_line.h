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

// The texts of columns 0..count-1 of line (count <= split.Cols), the line
// read once from the left.
void SplitLine(std::string_view line, const TLineSplit& split, std::string_view* fields, int count);

// The same, answering how many delimiters the whole line holds (as
// CountDelimiters counts them), from the same walk along it.
std::size_t SplitLineCounting(std::string_view line, const TLineSplit& split, std::string_view* fields, int count);

// Occurrences of delimiter in line, found left to right without overlapping;
// counting may stop once it exceeds limit. An empty delimiter never occurs.
std::size_t CountDelimiters(std::string_view line, std::string_view delimiter, std::size_t limit);

// The text of column col (0 <= col < split.Cols) of line.
std::string_view FieldOfLine(std::string_view line, const TLineSplit& split, int col);

}  // namespace tokiwa
