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

// A text of fewer than most pieces picked at random, split at one of the
// delimiters into one to seven columns, quotes stripped or not, count of them read.
struct RandomSplit {
  std::string text;
  TLineSplit split;
  int count = 1;
};

template <std::size_t N, std::size_t D>
RandomSplit DrawSplit(std::mt19937& rng, const char* const (&pieces)[N], unsigned most,
                      const char* const (&delimiters)[D]) {
  RandomSplit drawn;
  for (unsigned n = rng() % most; n > 0; --n) drawn.text += pieces[rng() % N];
  drawn.split.Delimiter = delimiters[rng() % D];
  drawn.split.StripQuotes = rng() % 2 == 0;
  drawn.split.Cols = 1 + static_cast<int>(rng() % 7);
  drawn.count = 1 + static_cast<int>(rng() % static_cast<unsigned>(drawn.split.Cols));
  return drawn;
}

TEST(SplitLineCounting, GivesThePlainSplitAndTheWholeLinesCount) {
  const char* const pieces[] = {",", ",", "a", "\"", "::", ":", "bc", ",,", "\xAC", "longer field"};
  const char* const delimiters[] = {",", ",", "::"};
  std::mt19937 rng(4);
  for (int round = 0; round < 20000; ++round) {
    const auto [line, split, count] = DrawSplit(rng, pieces, 16, delimiters);
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
  const char* const delimiters[] = {",", ",", ";;", "\t", "\n"};
  std::mt19937 rng(9);
  for (int round = 0; round < 3000; ++round) {
    const auto [text, split, count] = DrawSplit(rng, pieces, 60, delimiters);
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
