// Splitting a line (one walk along it for a one-byte delimiter, counting its
// delimiters or not) must give exactly the fields that reading each column on
// its own gives, and the count of the loaders' CountDelimiters.
#include "runtime/delimited_line.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tokiwa {
namespace {

TEST(SplitLineCounting, GivesThePlainSplitAndTheWholeLinesCount) {
  const char* const pieces[] = {",", ",", "a", "\"", "::", ":", "bc", ",,", "\xAC", "longer field"};
  std::mt19937 rng(4);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    for (int n = static_cast<int>(rng() % 16); n > 0; --n) line += pieces[rng() % std::size(pieces)];
    const TLineSplit split{rng() % 3 ? "," : "::", rng() % 2 == 0, 1 + static_cast<int>(rng() % 7)};
    const int count = 1 + static_cast<int>(rng() % static_cast<unsigned>(split.Cols));
    std::string_view counted[8], plain[8];
    const std::size_t delimiters = SplitLineCounting(line, split, counted, count);
    SplitLine(line, split, plain, count);
    ASSERT_EQ(delimiters, CountDelimiters(line, split.Delimiter, SIZE_MAX)) << line << " cols " << split.Cols;
    for (int c = 0; c < count; ++c) {
      ASSERT_EQ(counted[c], FieldOfLine(line, split, c)) << line << " col " << c;
      ASSERT_EQ(plain[c], counted[c]) << line << " col " << c;
    }
  }
}

}  // namespace
}  // namespace tokiwa
