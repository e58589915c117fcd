#include "runtime/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

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
struct PairTable {
  std::array<std::uint16_t, kLeadCount * kTrailCount> codes{};

  PairTable() {
    IconvHandle cd("UTF-32LE", "CP932");
    if (!cd.ok()) return;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLead(static_cast<unsigned char>(lead))) continue;
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrail(static_cast<unsigned char>(trail))) continue;
        const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        unsigned char out[8];
        std::size_t outSize = sizeof out;
        if (!cd.Convert(in, 2, reinterpret_cast<char*>(out), outSize) || outSize != 4) continue;
        const std::uint32_t cp = out[0] | out[1] << 8 | out[2] << 16 | std::uint32_t{out[3]} << 24;
        if (cp == 0 || cp > 0xFFFF) continue;
        codes[LeadIndex(static_cast<unsigned char>(lead)) * kTrailCount +
              TrailIndex(static_cast<unsigned char>(trail))] = static_cast<std::uint16_t>(cp);
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

// Decodes the non-ASCII character at p[0] (n bytes available, n >= 1) to out
// and returns how many bytes it took.
std::size_t DecodeOne(const PairTable& pairs, const unsigned char* p, std::size_t n, char*& out) {
  const unsigned char b = p[0];
  if (b >= 0xA1 && b <= 0xDF) {
    out = PutUtf8(0xFF61u + (b - 0xA1u), out);
    return 1;
  }
  if (IsLead(b) && n > 1 && IsTrail(p[1])) {
    const std::uint16_t cp = pairs.codes[LeadIndex(b) * kTrailCount + TrailIndex(p[1])];
    if (cp) {
      out = PutUtf8(cp, out);
      return 2;
    }
    out = PutReplacement(out);
    // An ASCII trail byte of an unassigned pair is more use as itself.
    return p[1] < 0x80 ? 1 : 2;
  }
  out = PutReplacement(out);
  return 1;
}

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

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
    i = DecodeOne(pairs, pair, 2, out) - 1;
  }
  while (i < n) {
    // ASCII eight bytes at a time: each word is stored whole (the output has
    // room) and the position moves past its ASCII bytes only.
    while (i + 8 <= n) {
      std::uint64_t w;
      std::memcpy(&w, p + i, 8);
      std::memcpy(out, &w, 8);
      const std::uint64_t high = w & kHighBits;
      if (high == 0) {
        i += 8;
        out += 8;
        continue;
      }
      const auto ascii = static_cast<std::size_t>(std::countr_zero(high) >> 3);
      i += ascii;
      out += ascii;
      break;
    }
    while (i < n && p[i] < 0x80) *out++ = static_cast<char>(p[i++]);
    if (i == n) break;
    // A lead byte ending the piece may find its trail in the next one.
    if (!last && i + 1 == n && IsLead(p[i])) {
      pendingLead_ = true;
      lead_ = p[i];
      return out;
    }
    i += DecodeOne(pairs, p + i, n - i, out);
  }
  if (last && pendingLead_) {
    out = PutReplacement(out);
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
    const std::uint16_t form = len && cp <= 0xFFFF ? forms[cp] : 0;
    if (form > 0xFF) out += static_cast<char>(form >> 8);
    out += form ? static_cast<char>(form & 0xFF) : '?';
    i += len ? len : 1;
  }
  return out;
}

}  // namespace tokiwa
