#include "runtime/text_compare.h"

#include "runtime/utf8.h"

namespace tokiwa {

namespace {

// Bytes that are not valid UTF-8 become values above the Unicode range, so they
// equal only the same byte.
constexpr char32_t kRawByte = 0x110000;

char32_t Fold(char32_t cp) {
  if (cp >= U'A' && cp <= U'Z') return cp + 0x20;
  if (cp >= 0xFF21 && cp <= 0xFF3A) return cp + 0x20;
  return cp;
}

char32_t Next(std::string_view s, std::size_t& pos) {
  char32_t cp;
  const std::size_t len = utf8::Decode(s, pos, cp);
  if (len == 0) return kRawByte + static_cast<unsigned char>(s[pos++]);
  pos += len;
  return Fold(cp);
}

}  // namespace

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (Next(a, i) != Next(b, j)) return false;
  }
  return i == a.size() && j == b.size();
}

// Folded characters are written back as UTF-8; a byte that is not UTF-8 is
// written as 0xFF followed by the byte (0xFF never occurs in UTF-8), so the key
// cannot be mistaken for another text's characters.
std::string CaseFoldKey(std::string_view text) {
  std::string key;
  key.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t cp;
    const std::size_t len = utf8::Decode(text, pos, cp);
    if (len == 0) {
      key += '\xFF';
      key += text[pos++];
      continue;
    }
    pos += len;
    utf8::Append(Fold(cp), key);
  }
  return key;
}

}  // namespace tokiwa
