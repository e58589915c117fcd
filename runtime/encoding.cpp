#include "runtime/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "runtime/utf8.h"

namespace tokiwa {

namespace {

// CP932 structure: lead bytes 81-9F and E0-FC take a trail byte 40-7E or 80-FC;
// A1-DF are half-width katakana; 80, A0 and FD-FF are not characters.
constexpr int kLeadCount = 60;
constexpr int kTrailCount = 188;

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
int LeadIndex(unsigned char b) { return b <= 0x9F ? b - 0x81 : b - 0xE0 + 31; }
int TrailIndex(unsigned char b) { return b < 0x7F ? b - 0x40 : b - 0x41; }

// A BMP character's UTF-8 bytes in the low bytes (first byte lowest), their
// count in the top byte.
std::uint32_t PackedUtf8(std::uint32_t cp) {
  if (cp < 0x80) return cp | 1u << 24;
  if (cp < 0x800) return (0xC0 | (cp >> 6)) | (0x80 | (cp & 0x3F)) << 8 | 2u << 24;
  return (0xE0 | (cp >> 12)) | (0x80 | ((cp >> 6) & 0x3F)) << 8 | (0x80 | (cp & 0x3F)) << 16 | 3u << 24;
}

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (ok()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts one whole character; false when the converter rejects it.
  bool Convert(const char* in, std::size_t inSize, char* out, std::size_t& outSize) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    char* dst = out;
    std::size_t left = outSize;
    if (iconv(cd_, &src, &inSize, &dst, &left) == static_cast<std::size_t>(-1) || inSize != 0)
      return false;
    outSize -= left;
    return true;
  }

 private:
  iconv_t cd_;
};

// Every double-byte pair decoded once by iconv, so decoding a log is a table
// lookup per character instead of a converter call. 0 marks an unassigned pair.
// A pair is exact when its character encodes back to the same pair; CP932 has
// duplicate codes (NEC and IBM rows) of which only one form comes back.
struct PairTable {
  std::array<std::uint16_t, kLeadCount * kTrailCount> codes{};
  std::array<bool, kLeadCount * kTrailCount> exact{};
  // The UTF-8 bytes of an exact pair's character, length in the top byte; 0
  // otherwise. Log text is mostly such pairs between ASCII runs.
  std::array<std::uint32_t, kLeadCount * kTrailCount> utf8{};

  static int Index(unsigned char lead, unsigned char trail) { return LeadIndex(lead) * kTrailCount + TrailIndex(trail); }

  PairTable() {
    IconvHandle decode("UTF-32LE", "CP932");
    IconvHandle encode("CP932", "UTF-32LE");
    if (!decode.ok() || !encode.ok()) return;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLead(static_cast<unsigned char>(lead))) continue;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrail(static_cast<unsigned char>(trail))) continue;
        const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        char out[8];
        std::size_t outSize = sizeof out;
        if (!decode.Convert(in, 2, out, outSize) || outSize != 4) continue;
        std::uint32_t cp;
        std::memcpy(&cp, out, 4);
        if (cp == 0 || cp > 0xFFFF) continue;
        const int index = Index(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
        codes[index] = static_cast<std::uint16_t>(cp);
        char back[8];
        std::size_t backSize = sizeof back;
        exact[index] = encode.Convert(out, 4, back, backSize) && backSize == 2 && std::memcmp(back, in, 2) == 0;
        if (exact[index]) utf8[index] = PackedUtf8(cp);
      }
    }
  }
};

const PairTable& Pairs() {
  static const PairTable table;
  return table;
}

// The CP932 form of every BMP character, as iconv encodes it (its choice
// among the duplicated NEC and IBM characters included): the byte, or lead
// and trail as high and low byte; 0 where there is none.
struct FormTable {
  std::vector<std::uint16_t> codes = std::vector<std::uint16_t>(0x10000);

  FormTable() {
    IconvHandle cd("CP932", "UTF-32LE");
    if (!cd.ok()) return;
    for (std::uint32_t cp = 0x80; cp <= 0xFFFF; ++cp) {
      if (cp >= 0xD800 && cp <= 0xDFFF) continue;
      const char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8), 0, 0};
      unsigned char out[8];
      std::size_t outSize = sizeof out;
      if (!cd.Convert(in, 4, reinterpret_cast<char*>(out), outSize)) continue;
      if (outSize == 1 && out[0] >= 0x80) codes[cp] = out[0];
      else if (outSize == 2) codes[cp] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
    }
  }
};

const FormTable& Forms() {
  static const FormTable table;
  return table;
}

// Writes a BMP character as UTF-8 and returns the end of what it wrote.
char* PutUtf8(std::uint32_t cp, char* out) {
  if (cp < 0x80) {
    *out = static_cast<char>(cp);
    return out + 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return out + 2;
  }
  out[0] = static_cast<char>(0xE0 | (cp >> 12));
  out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out[2] = static_cast<char>(0x80 | (cp & 0x3F));
  return out + 3;
}

char* PutReplacement(char* out) {
  std::memcpy(out, kReplacementUtf8.data(), kReplacementUtf8.size());
  return out + kReplacementUtf8.size();
}

char* PutEscape(unsigned char byte, char* out) { return PutUtf8(kEscapedByteBase + byte, out); }

// How a byte sequence that is not an exact character comes out: escaped byte
// by byte when the text is kept, as the replacement character (or the pair's
// character) when it is shown.
enum class Mode { kKeep, kShow };

// Decodes the non-ASCII character at p[0] (n bytes available, n >= 1) to out
// and returns how many bytes it took.
std::size_t DecodeOne(const PairTable& pairs, const unsigned char* p, std::size_t n, char*& out, Mode mode) {
  const unsigned char b = p[0];
  if (b >= 0xA1 && b <= 0xDF) {
    out = PutUtf8(0xFF61u + (b - 0xA1u), out);
    return 1;
  }
  if (IsLead(b) && n > 1 && IsTrail(p[1])) {
    const int index = PairTable::Index(b, p[1]);
    const std::uint16_t cp = pairs.codes[index];
    if (cp && (pairs.exact[index] || mode == Mode::kShow)) {
      out = PutUtf8(cp, out);
      return 2;
    }
    // An ASCII trail byte of an unassigned pair is more use as itself.
    const std::size_t taken = !cp && p[1] < 0x80 ? 1 : 2;
    if (mode == Mode::kShow) {
      out = PutReplacement(out);
    } else {
      for (std::size_t i = 0; i < taken; ++i) out = PutEscape(p[i], out);
    }
    return taken;
  }
  out = mode == Mode::kShow ? PutReplacement(out) : PutEscape(b, out);
  return 1;
}

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Copies the ASCII bytes from p[i] on, sixteen or eight at a time where it
// can: each block is stored whole (the output has room for it) and i moves
// past its ASCII bytes only.
void CopyAscii(const unsigned char* p, std::size_t n, std::size_t& i, char*& out) {
#if defined(__SSE2__)
  while (i + 16 <= n) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
    const auto high = static_cast<unsigned>(_mm_movemask_epi8(v));
    const std::size_t ascii = high == 0 ? 16 : static_cast<std::size_t>(std::countr_zero(high));
    i += ascii;
    out += ascii;
    if (high != 0) return;
  }
#endif
  while (i + 8 <= n) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    std::memcpy(out, &w, 8);
    const std::uint64_t high = w & kHighBits;
    const std::size_t ascii = high == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(high) >> 3);
    i += ascii;
    out += ascii;
    if (high != 0) return;
  }
  while (i < n && p[i] < 0x80) *out++ = static_cast<char>(p[i++]);
}

}  // namespace

char* Cp932Decoder::DecodeTo(std::string_view bytes, char* out, bool last) {
  const PairTable& pairs = Pairs();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  if (pendingLead_ && n > 0) {
    // The lead byte held back from the previous piece meets its trail.
    const unsigned char pair[2] = {lead_, p[0]};
    pendingLead_ = false;
    i = DecodeOne(pairs, pair, 2, out, Mode::kKeep) - 1;
  }
  while (i < n) {
    if (p[i] < 0x80) {
      CopyAscii(p, n, i, out);
      continue;
    }
    if (i + 1 < n && IsLead(p[i]) && IsTrail(p[i + 1])) {
      // The output has room for three bytes however many are used.
      if (const std::uint32_t utf8 = pairs.utf8[PairTable::Index(p[i], p[i + 1])]) {
        out[0] = static_cast<char>(utf8);
        out[1] = static_cast<char>(utf8 >> 8);
        out[2] = static_cast<char>(utf8 >> 16);
        out += utf8 >> 24;
        i += 2;
        continue;
      }
    }
    // A lead byte ending the piece may find its trail in the next one.
    if (!last && i + 1 == n && IsLead(p[i])) {
      pendingLead_ = true;
      lead_ = p[i];
      return out;
    }
    i += DecodeOne(pairs, p + i, n - i, out, Mode::kKeep);
  }
  if (last && pendingLead_) {
    out = PutEscape(lead_, out);
    pendingLead_ = false;
  }
  return out;
}

void Cp932Decoder::Decode(std::string_view bytes, std::string& out, bool last) {
  const std::size_t size = out.size();
  out.resize(size + MaxDecodedSize(bytes.size()));
  char* end = DecodeTo(bytes, out.data() + size, last);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

void AppendCp932AsUtf8(std::string_view bytes, std::string& out) {
  Cp932Decoder decoder;
  decoder.Decode(bytes, out, true);
}

std::string Cp932ToUtf8(std::string_view bytes) {
  std::string out;
  AppendCp932AsUtf8(bytes, out);
  return out;
}

std::string Utf8ToCp932(std::string_view text) {
  const auto& forms = Forms().codes;
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    char32_t cp;
    const std::size_t len = utf8::Decode(text, i, cp);
    if (len && IsEscapedByte(cp)) {
      out += static_cast<char>(cp - kEscapedByteBase);
      i += len;
      continue;
    }
    const std::uint16_t form = len && cp <= 0xFFFF ? forms[cp] : 0;
    if (form > 0xFF) out += static_cast<char>(form >> 8);
    out += form ? static_cast<char>(form & 0xFF) : '?';
    i += len ? len : 1;
  }
  return out;
}

bool HasEscapedBytes(std::string_view text) {
  // Every escape is EF 9D..9F xx in UTF-8.
  for (std::size_t at = text.find('\xEF'); at != std::string_view::npos; at = text.find('\xEF', at + 1)) {
    const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
    if (next >= 0x9D && next <= 0x9F) return true;
  }
  return false;
}

std::string Cp932DisplayText(std::string_view text) {
  std::string out;
  if (!HasEscapedBytes(text)) {
    out = text;
    return out;
  }
  out.reserve(text.size());
  std::string raw;
  const auto flushRaw = [&] {
    if (raw.empty()) return;
    const PairTable& pairs = Pairs();
    const auto* p = reinterpret_cast<const unsigned char*>(raw.data());
    const std::size_t start = out.size();
    out.resize(start + 3 * raw.size());
    char* end = out.data() + start;
    for (std::size_t i = 0; i < raw.size();) {
      if (p[i] < 0x80) *end++ = static_cast<char>(p[i++]);
      else i += DecodeOne(pairs, p + i, raw.size() - i, end, Mode::kShow);
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
    raw.clear();
  };
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t cp;
    const std::size_t len = static_cast<unsigned char>(text[i]) == 0xEF ? utf8::Decode(text, i, cp) : 0;
    if (len && IsEscapedByte(cp)) {
      raw += static_cast<char>(cp - kEscapedByteBase);
      i += len;
      continue;
    }
    flushRaw();
    out += text[i++];
  }
  flushRaw();
  return out;
}

}  // namespace tokiwa
