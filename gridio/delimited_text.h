#pragma once
// The pieces of delimited-text parsing the grid text loader is made of.
#include <cstddef>
#include <string_view>

#include "runtime/delimited_line.h"  // CountDelimiters, for the loaders


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


}  // namespace tokiwa
