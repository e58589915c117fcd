// The word-at-a-time byte search and comparison must find, count and compare
// exactly as a plain loop does, bytes with the high bit set and the byte after
// a match included, and tell the texts that hold such bytes.
#include "runtime/byte_match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace tokiwa {
namespace {

TEST(ByteMatch, FindsAndCountsAsAPlainLoop) {
  const char alphabet[] = {',', ',', 'a', '\0', '\x2B', '\x2D', '\xAC', '\x80', '\xFF', '\x81', '\x0C'};
  std::mt19937 rng(9);
  for (int round = 0; round < 20000; ++round) {
    std::string text(rng() % 40, 'x');
    for (char& c : text) c = alphabet[rng() % sizeof(alphabet)];
    const char sought = rng() % 4 ? ',' : alphabet[rng() % sizeof(alphabet)];
    const auto plain = static_cast<std::size_t>(std::find(text.begin(), text.end(), sought) - text.begin());
    ASSERT_EQ(FindByte(text.data(), text.size(), sought), plain) << round;
    ASSERT_EQ(CountByte(text.data(), text.size(), sought),
              static_cast<std::size_t>(std::count(text.begin(), text.end(), sought)))
        << round;
    // The same text but for one byte, anywhere in it or nowhere.
    std::string other = text;
    if (!other.empty() && rng() % 2) other[rng() % other.size()] ^= static_cast<char>(1 << (rng() % 8));
    ASSERT_EQ(SameBytes(text.data(), other.data(), text.size()), text == other) << round;
    const bool high = std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    ASSERT_EQ(HasHighByte(text.data(), text.size()), high) << round;
  }
}

}  // namespace
}  // namespace tokiwa
