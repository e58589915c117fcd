#pragma once
// The pieces of delimited-text parsing the grid text loader is made of.
#include <cstddef>
#include <string_view>


namespace tokiwa {

// Walks the lines of a text: a line ends at CR, LF or CR LF, and a last line
// without an ending still counts. Linear in the text whatever the line ends.
class LineScanner {
 public:
  explicit LineScanner(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line);

 private:
  std::size_t NextOf(char c, std::size_t& cache);

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t nextCr_ = 0;
  std::size_t nextLf_ = 0;
  bool crKnown_ = false;
  bool lfKnown_ = false;
};

// Occurrences of delimiter in line, found left to right without overlapping;
// counting stops once it exceeds limit. An empty delimiter never occurs.
std::size_t CountDelimiters(std::string_view line, std::string_view delimiter, std::size_t limit);

}  // namespace tokiwa
