#pragma once
// Text encoding at the file boundary: files the program shares with the rest of
// the desktop (launch logs, the hidden-program list) are in the Japanese system
// code page, CP932; inside the program every string is UTF-8.
//
// CP932 (not plain Shift-JIS) is deliberate: it keeps 0x5C a backslash, so
// Windows paths survive, and maps 0x81 0x60 to U+FF5E as Windows does.
#include <cstddef>
#include <string>
#include <string_view>

namespace tokiwa {

// Decodes CP932 bytes to UTF-8 without losing any: Utf8ToCp932 gives the
// same bytes back. A byte that cannot start a character, a lead byte not
// followed by a valid trail byte, the two bytes of an unassigned pair, and
// the two bytes of a duplicate pair (one whose character encodes to another
// pair) each become an escaped byte, a private-use character U+F740..U+F7FF
// (kEscapedByteBase + the byte), and decoding resumes after them (so a lead
// byte right before ',', CR, LF or the end keeps that byte). An unassigned
// pair with an ASCII trail byte escapes the lead byte alone, the trail being
// decoded on its own. NUL bytes are decoded like any other ASCII byte.
// Those private-use characters are outside CP932's own user-defined area
// (U+E000..U+E757).
std::string Cp932ToUtf8(std::string_view bytes);

// Appends the decoded text to out (same rules as Cp932ToUtf8).
void AppendCp932AsUtf8(std::string_view bytes, std::string& out);

// Decodes a CP932 text that arrives in pieces, with the same result as decoding
// it whole: a lead byte ending one piece waits for the next.
class Cp932Decoder {
 public:
  // Appends the decoded piece to out; last marks the final piece.
  void Decode(std::string_view bytes, std::string& out, bool last);

  // The most bytes DecodeTo writes for a piece of size bytes: three per byte
  // (a byte held back from the previous piece included), and room for the
  // whole words the ASCII runs are copied in.
  static constexpr std::size_t MaxDecodedSize(std::size_t size) { return 3 * size + 3 + 8; }
  // Writes the decoded piece at out, which must have room for
  // MaxDecodedSize(bytes.size()) bytes, and returns the end of the text.
  char* DecodeTo(std::string_view bytes, char* out, bool last);

 private:
  bool pendingLead_ = false;
  unsigned char lead_ = 0;
};

// Encodes UTF-8 text to CP932. An escaped byte is written as that byte; a
// character without a CP932 form, and a byte that is not part of a valid UTF-8
// sequence, is written as '?'.
std::string Utf8ToCp932(std::string_view text);

// Escaped bytes stand for themselves in the private-use area from here.
inline constexpr char32_t kEscapedByteBase = 0xF700;
// Only bytes from 0x40 up are ever escaped (ASCII ones as a duplicate pair's
// trail byte); the characters below stand for nothing.
inline constexpr bool IsEscapedByte(char32_t cp) { return cp >= kEscapedByteBase + 0x40 && cp <= kEscapedByteBase + 0xFF; }

bool HasEscapedBytes(std::string_view text);

// Decoded text as it is shown: every run of escaped bytes appears as the
// replacement character U+FFFD (one per unusable byte, or per unassigned
// pair), except that a duplicate pair shows its character. Text without
// escapes comes back unchanged.
std::string Cp932DisplayText(std::string_view text);

// The Unicode replacement character in UTF-8, as produced by decoding.
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

}  // namespace tokiwa
