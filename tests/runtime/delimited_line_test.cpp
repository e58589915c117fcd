// Splitting a line (one walk along it for a one-byte delimiter, counting its
// delimiters or not) must give exactly the fields that reading each column on
// its own gives, and the count of the loaders' CountDelimiters.
#include "runtime/delimited_line.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tokiwa {
namespace {

// Fewer than most pieces, each picked at random.
template <std::size_t N>
std::string RandomText(std::mt19937& rng, const char* const (&pieces)[N], unsigned most) {
  std::string text;
  for (unsigned n = rng() % most; n > 0; --n) text += pieces[rng() % N];
  return text;
}

TEST(SplitLineCounting, GivesThePlainSplitAndTheWholeLinesCount) {
  const char* const pieces[] = {",", ",", "a", "\"", "::", ":", "bc", ",,", "\xAC", "longer field"};
  std::mt19937 rng(4);
  for (int round = 0; round < 20000; ++round) {
    const std::string line = RandomText(rng, pieces, 16);
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

// The lines of text, ending at CR, LF or CR LF, one character at a time.
std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0, i = 0;
  while (i < text.size()) {
    if (text[i] != '\r' && text[i] != '\n') {
      ++i;
      continue;
    }
    lines.push_back(text.substr(start, i - start));
    i += text.compare(i, 2, "\r\n") == 0 ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Texts of many lines, short and longer than the scanner's blocks, with every
// kind of line end also at block edges and at the text's end.
TEST(SplitLineScanner, SplitsEachLineAsSplitLineCountingDoes) {
  const char* const pieces[] = {",", ",", "a", "\"", "\r", "\n", "\r\n", ";;", "\xAC\x80", "a longer field, of text"};
  std::mt19937 rng(9);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomText(rng, pieces, 60);
    const char* const delimiters[] = {",", ",", ";;", "\t", "\n"};
    const TLineSplit split{delimiters[rng() % std::size(delimiters)], rng() % 2 == 0, 1 + static_cast<int>(rng() % 7)};
    const int count = 1 + static_cast<int>(rng() % static_cast<unsigned>(split.Cols));
    SplitLineScanner scanner(text, split, count);
    std::string_view fields[8], expected[8];
    std::size_t delimitersFound = 0;
    for (const std::string_view line : LinesOf(text)) {
      ASSERT_TRUE(scanner.Next(fields, delimitersFound)) << text;
      ASSERT_EQ(delimitersFound, SplitLineCounting(line, split, expected, count)) << line;
      for (int c = 0; c < count; ++c) {
        ASSERT_EQ(fields[c], expected[c]) << line << " col " << c;
        ASSERT_EQ(fields[c].data(), expected[c].data()) << line << " col " << c;
      }
    }
    ASSERT_FALSE(scanner.Next(fields, delimitersFound)) << text;
  }
}

}  // namespace
}  // namespace tokiwa
