#pragma once
// How one line of delimited text splits into the cells of a grid row.
#include <cstddef>
#include <cstdint>
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

// Walks the lines of a text, a line ending at CR, LF or CR LF (a last line
// without an ending still counts), and splits each as SplitLineCounting does.
// With a one-byte delimiter the text is walked once, 64 bytes at a time, line
// ends and delimiters found together: the lines of a log are a few dozen
// bytes, and a search per line and another per field cost more than the
// bytes themselves.
class SplitLineScanner {
 public:
  // count <= split.Cols; text and split must outlive the scanner.
  SplitLineScanner(std::string_view text, const TLineSplit& split, int count);
  // Fields 0..count-1 of the next line and the delimiters it holds.
  bool Next(std::string_view* fields, std::size_t& delimiters);

 private:
  static constexpr std::size_t kBlock = 64;
  inline std::uint64_t StopsAt(std::size_t i) const;
  bool NextGeneral(std::string_view* fields, std::size_t& delimiters);
  std::size_t AfterLineEnd(std::size_t end) const;

  std::string_view text_;
  const TLineSplit& split_;
  int count_;
  int splitting_;  // the fields a delimiter ends
  bool byBlock_;   // a one-byte delimiter other than CR and LF
  bool unquote_;   // quotes are stripped and the text holds one
  char delimiter_;
  std::size_t pos_ = 0;      // where the next line starts
  std::size_t block_ = 0;    // the block being walked
  std::uint64_t stops_ = 0;  // bit i: its byte i is a delimiter or line end not yet taken
};

// Occurrences of delimiter in line, found left to right without overlapping;
// counting may stop once it exceeds limit. An empty delimiter never occurs.
std::size_t CountDelimiters(std::string_view line, std::string_view delimiter, std::size_t limit);

// The text of column col (0 <= col < split.Cols) of line.
std::string_view FieldOfLine(std::string_view line, const TLineSplit& split, int col);

}  // namespace tokiwa
