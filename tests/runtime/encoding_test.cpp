#include "runtime/encoding.h"

#include <gtest/gtest.h>

#include "runtime/text_compare.h"

namespace tokiwa {
namespace {

const std::string kFffd(kReplacementUtf8);

// What the user sees of the decoded bytes.
std::string Shown(std::string_view bytes) { return Cp932DisplayText(Cp932ToUtf8(bytes)); }

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

TEST(Cp932Decode, BytesThatAreNoCharacterShowAsReplacement) {
  EXPECT_EQ(Shown("\x80" "a\xA0" "b\xFD\xFE\xFF"),
            kFffd + "a" + kFffd + "b" + kFffd + kFffd + kFffd);
}

TEST(Cp932Decode, TruncatedLeadByteKeepsTheNextByte) {
  EXPECT_EQ(Shown("a\x82,b"), "a" + kFffd + ",b");
  EXPECT_EQ(Shown("a\x82\rb"), "a" + kFffd + "\rb");
  EXPECT_EQ(Shown("a\x82\nb"), "a" + kFffd + "\nb");
  EXPECT_EQ(Shown("a\x82"), "a" + kFffd);
  EXPECT_EQ(Shown(std::string_view("\x82\0", 2)), kFffd + std::string(1, '\0'));
  // Lead bytes are valid trail bytes, so a stray lead pairs with the next lead.
  EXPECT_EQ(Shown("\x82\x82\xA0"), "ｂ" + kFffd);
}

TEST(Cp932Decode, UnassignedPairKeepsAnAsciiTrail) {
  EXPECT_EQ(Shown("\x85\x40x"), kFffd + "@x");
  EXPECT_EQ(Shown("\x85\x80x"), kFffd + "x");
}

TEST(Cp932Decode, AsciiRunsAroundWordBoundaries) {
  // Runs of 7, 8, 9, 15, 16 and 17 bytes around double-byte characters.
  const std::string in = "1234567\x88\x9f" "abcdefgh\x88\x9f" "ABCDEFGHI\xB1" "0123456789abcde\x88\x9f"
                         "0123456789abcdef\x88\x9f" "0123456789abcdefg";
  EXPECT_EQ(Cp932ToUtf8(in), "1234567亜abcdefgh亜ABCDEFGHI\uFF71" "0123456789abcde亜0123456789abcdef亜"
                             "0123456789abcdefg");
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
  EXPECT_EQ(Cp932DisplayText(out), "x" + kFffd);
  EXPECT_EQ(Utf8ToCp932(out), "x\x88");
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

// Every sequence of one or two bytes, and each pair followed by a lead byte
// at the end, encodes back to exactly its bytes.
TEST(Cp932Encode, EveryByteSequenceRoundTrips) {
  int characters = 0;
  for (int first = 0; first <= 0xFF; ++first) {
    for (int second = 0; second <= 0xFF; ++second) {
      const char in[3] = {static_cast<char>(first), static_cast<char>(second), '\x81'};
      const std::string text = Cp932ToUtf8(std::string_view(in, 2));
      ASSERT_EQ(Utf8ToCp932(text), std::string_view(in, 2)) << std::hex << first << ' ' << second;
      ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(std::string_view(in, 3))), std::string_view(in, 3));
      characters += !HasEscapedBytes(text) && text.size() > 2;
    }
  }
  EXPECT_GT(characters, 7000);  // the JIS X 0208 set alone has over 6800 characters
}

// Duplicate pairs (the NEC-selected IBM rows and their like) keep their bytes
// but show the character they stand for.
TEST(Cp932Decode, DuplicatePairsKeepTheirBytesAndShowTheirCharacter) {
  EXPECT_NE(Cp932ToUtf8("\xED\x40"), Cp932ToUtf8("\xFA\x5C"));
  EXPECT_EQ(Shown("\xED\x40"), Cp932ToUtf8("\xFA\x5C"));
  EXPECT_EQ(Shown("\x87\x90"), "\u2252");
  EXPECT_EQ(Shown("a\xED\x40\x81,b"), "a" + Cp932ToUtf8("\xFA\x5C") + kFffd + ",b");
  EXPECT_EQ(Cp932DisplayText("plain 表"), "plain 表");
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
