#include "runtime/encoding.h"

#include <gtest/gtest.h>

#include "runtime/text_compare.h"

namespace tokiwa {
namespace {

const std::string kFffd(kReplacementUtf8);

TEST(Cp932Decode, KeepsAsciiIncludingBackslashAndTilde) {
  EXPECT_EQ(Cp932ToUtf8("C:\\Tools\\a~b,1\r\n"), "C:\\Tools\\a~b,1\r\n");
}

TEST(Cp932Decode, MapsWindowsSpecificCharacters) {
  EXPECT_EQ(Cp932ToUtf8("\x81\x60"), "\uFF5E");          // full-width tilde, not wave dash
  EXPECT_EQ(Cp932ToUtf8("\x95\x5C"), "表");               // 0x5C as a trail byte
  EXPECT_EQ(Cp932ToUtf8("\x87\x40"), "\u2460");           // NEC special row
  EXPECT_EQ(Cp932ToUtf8("\xFA\x40"), "\u2170");           // IBM extension
  EXPECT_EQ(Cp932ToUtf8("\xB1\xDF\xA1"), "\uFF71\uFF9F\uFF61");  // half-width katakana
}

TEST(Cp932Decode, BytesThatAreNoCharacterBecomeReplacement) {
  EXPECT_EQ(Cp932ToUtf8("\x80" "a\xA0" "b\xFD\xFE\xFF"),
            kFffd + "a" + kFffd + "b" + kFffd + kFffd + kFffd);
}

TEST(Cp932Decode, TruncatedLeadByteKeepsTheNextByte) {
  EXPECT_EQ(Cp932ToUtf8("a\x82,b"), "a" + kFffd + ",b");
  EXPECT_EQ(Cp932ToUtf8("a\x82\rb"), "a" + kFffd + "\rb");
  EXPECT_EQ(Cp932ToUtf8("a\x82\nb"), "a" + kFffd + "\nb");
  EXPECT_EQ(Cp932ToUtf8("a\x82"), "a" + kFffd);
  EXPECT_EQ(Cp932ToUtf8(std::string_view("\x82\0", 2)), kFffd + std::string(1, '\0'));
  // Lead bytes are valid trail bytes, so a stray lead pairs with the next lead.
  EXPECT_EQ(Cp932ToUtf8("\x82\x82\xA0"), "ｂ" + kFffd);
}

TEST(Cp932Decode, UnassignedPairKeepsAnAsciiTrail) {
  EXPECT_EQ(Cp932ToUtf8("\x85\x40x"), kFffd + "@x");
  EXPECT_EQ(Cp932ToUtf8("\x85\x80x"), kFffd + "x");
}

TEST(Cp932Decode, AsciiRunsAroundWordBoundaries) {
  // Runs of 7, 8, 9 and 17 bytes around double-byte characters.
  const std::string in = "1234567\x88\x9f" "abcdefgh\x88\x9f" "ABCDEFGHI\xB1" "0123456789abcdefg";
  EXPECT_EQ(Cp932ToUtf8(in), "1234567亜abcdefgh亜ABCDEFGHI\uFF71" "0123456789abcdefg");
}

TEST(Cp932Decode, AppendKeepsWhatIsThere) {
  std::string out = "x";
  AppendCp932AsUtf8("\x88\x9f", out);
  EXPECT_EQ(out, "x亜");
}

TEST(Cp932Decoder, PiecesDecodeAsTheWhole) {
  // Every split point, including inside pairs and right after stray lead bytes.
  const std::string in = "a\x88\x9f\x82,\x95\x5C\xB1\x85\x40\x85\x80\xFF\x82";
  const std::string whole = Cp932ToUtf8(in);
  for (std::size_t cut = 0; cut <= in.size(); ++cut) {
    for (std::size_t cut2 = cut; cut2 <= in.size(); ++cut2) {
      Cp932Decoder decoder;
      std::string out;
      decoder.Decode(std::string_view(in).substr(0, cut), out, false);
      decoder.Decode(std::string_view(in).substr(cut, cut2 - cut), out, false);
      decoder.Decode(std::string_view(in).substr(cut2), out, true);
      ASSERT_EQ(out, whole) << cut << ' ' << cut2;
    }
  }
}

TEST(Cp932Decoder, LeadByteHeldBackIsReplacedAtTheEnd) {
  Cp932Decoder decoder;
  std::string out;
  decoder.Decode("x\x88", out, false);
  EXPECT_EQ(out, "x");
  decoder.Decode("", out, true);
  EXPECT_EQ(out, "x" + kFffd);
}

TEST(Cp932Encode, RoundTripsJapaneseAndPaths) {
  const std::string text = "D:\\ツール\\表計算～\\ｱｲｳ.exe";
  const std::string bytes = Utf8ToCp932(text);
  EXPECT_EQ(bytes, "D:\\\x83\x63\x81\x5B\x83\x8B\\\x95\x5C\x8C\x76\x8E\x5A\x81\x60\\\xB1\xB2\xB3.exe");
  EXPECT_EQ(Cp932ToUtf8(bytes), text);
}

TEST(Cp932Encode, CharactersWithoutCp932FormBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp932("a\U0001F600b한c"), "a?b?c");
  EXPECT_EQ(Utf8ToCp932("a\xFF" "b\xE3\x81"), "a?b??");  // invalid and truncated UTF-8
  EXPECT_EQ(Utf8ToCp932(kReplacementUtf8), "?");
}

TEST(Cp932Encode, EveryDecodedPairEncodesToTheSameCharacter) {
  int pairs = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::string text = Cp932ToUtf8(std::string_view(in, 2));
      if (text.find(kReplacementUtf8) != std::string::npos || text.size() < 2) continue;
      ++pairs;
      // Duplicates (NEC and IBM rows) may encode to the other pair; both read back alike.
      ASSERT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_GT(pairs, 7000);  // the JIS X 0208 set alone has over 6800 characters
}

TEST(SameTextIgnoreCase, FoldsAsciiAndFullWidthLatinOnly) {
  EXPECT_TRUE(SameTextIgnoreCase("Excel.EXE", "excel.exe"));
  EXPECT_TRUE(SameTextIgnoreCase("ＥＸＣＥＬ", "ｅｘｃｅｌ"));
  EXPECT_TRUE(SameTextIgnoreCase("", ""));
  EXPECT_FALSE(SameTextIgnoreCase("a", "ａ"));      // half and full width differ
  EXPECT_FALSE(SameTextIgnoreCase("É", "é"));       // only Latin letters of ASCII fold
  EXPECT_FALSE(SameTextIgnoreCase("ア", "ｱ"));
  EXPECT_FALSE(SameTextIgnoreCase("abc", "abcd"));
  EXPECT_FALSE(SameTextIgnoreCase("[", "{"));       // 0x5B and 0x7B are not letters
  EXPECT_FALSE(SameTextIgnoreCase("@", "`"));
}

TEST(SameTextIgnoreCase, InvalidBytesEqualOnlyThemselves) {
  EXPECT_TRUE(SameTextIgnoreCase("a\xFF", "A\xFF"));
  EXPECT_FALSE(SameTextIgnoreCase("a\xFF", "a\xFE"));
  EXPECT_FALSE(SameTextIgnoreCase("\xEF\xBC", "\xEF\xBC\xA1"));  // truncated vs 'Ａ'
}

}  // namespace
}  // namespace tokiwa
