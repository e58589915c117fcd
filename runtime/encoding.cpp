#include "runtime/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
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

// Length of the run of ASCII bytes starting at p, eight bytes at a time.
std::size_t AsciiRun(const unsigned char* p, std::size_t n) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    if (w & 0x8080808080808080ull) break;
  }
  while (i < n && p[i] < 0x80) ++i;
  return i;
}

// Upper bound of the decoded size: ASCII stays one byte, anything else at most
// three bytes per input byte.
std::size_t DecodedSizeBound(const unsigned char* p, std::size_t n) {
  std::size_t bound = 0;
  std::size_t i = 0;
  while (i < n) {
    const std::size_t run = AsciiRun(p + i, n - i);
    bound += run;
    i += run;
    for (; i < n && p[i] >= 0x80; ++i) bound += 3;
  }
  return bound;
}

// Makes room for extra more bytes, growing geometrically so that decoding a
// file piece by piece does not copy the text over and over.
void MakeRoom(std::string& out, std::size_t extra) {
  const std::size_t needed = out.size() + extra;
  if (needed > out.capacity()) out.reserve(std::max(needed, out.capacity() * 2));
}

// Decodes the non-ASCII character at p[0] (n bytes available, n >= 1) and
// returns how many bytes it took.
std::size_t DecodeOne(const unsigned char* p, std::size_t n, std::string& out) {
  const unsigned char b = p[0];
  if (b >= 0xA1 && b <= 0xDF) {
    utf8::Append(0xFF61 + (b - 0xA1), out);
    return 1;
  }
  if (IsLead(b) && n > 1 && IsTrail(p[1])) {
    const std::uint16_t cp = Pairs().codes[LeadIndex(b) * kTrailCount + TrailIndex(p[1])];
    if (cp) {
      utf8::Append(cp, out);
      return 2;
    }
    out += kReplacementUtf8;
    // An ASCII trail byte of an unassigned pair is more use as itself.
    return p[1] < 0x80 ? 1 : 2;
  }
  out += kReplacementUtf8;
  return 1;
}

}  // namespace

void Cp932Decoder::Decode(std::string_view bytes, std::string& out, bool last) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  MakeRoom(out, DecodedSizeBound(p, n) + (pendingLead_ ? 3 : 0));
  if (pendingLead_ && n > 0) {
    // The lead byte held back from the previous piece meets its trail.
    const unsigned char pair[2] = {lead_, p[0]};
    pendingLead_ = false;
    i = DecodeOne(pair, 2, out) - 1;
  }
  while (i < n) {
    const std::size_t run = AsciiRun(p + i, n - i);
    if (run) {
      out.append(bytes.data() + i, run);
      i += run;
      continue;
    }
    // A lead byte ending the piece may find its trail in the next one.
    if (!last && i + 1 == n && IsLead(p[i])) {
      pendingLead_ = true;
      lead_ = p[i];
      return;
    }
    i += DecodeOne(p + i, n - i, out);
  }
  if (last && pendingLead_) {
    out += kReplacementUtf8;
    pendingLead_ = false;
  }
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
