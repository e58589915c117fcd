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

// Decodes CP932 bytes to UTF-8. Never fails: a byte that cannot start a
// character, and a lead byte not followed by a valid trail byte, each become
// U+FFFD, and decoding resumes at the next byte (so a lead byte right before
// ',', CR, LF or the end keeps that byte). A well-formed but unassigned
// double-byte pair becomes one U+FFFD, except that an ASCII trail byte is kept
// and decoded on its own. NUL bytes are decoded like any other ASCII byte.
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

// Encodes UTF-8 text to CP932. A character without a CP932 form, and a byte
// that is not part of a valid UTF-8 sequence, is written as '?'.
std::string Utf8ToCp932(std::string_view text);

// The Unicode replacement character in UTF-8, as produced by decoding.
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

}  // namespace tokiwa
