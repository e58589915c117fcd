#pragma once
// Reads fuzz input bytes as a stream of choices. Past the end every read gives
// zero, so a program of calls simply stops varying; callers stop at Empty().
// Numbers lean on the values that break arithmetic: NaN, infinities, the ends of
// the double and int ranges, and the small values real data use. Each read is
// sequenced, so that every compiler takes the same path through an input.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace fuzz {

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  // A value in 0..count-1.
  int Pick(int count) { return count <= 1 ? 0 : Byte() % count; }

  bool Bool() { return Byte() & 1; }

  std::uint32_t U32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
    return v;
  }

  // An integer: mostly small, sometimes an end of the range or any bits.
  int Int() {
    switch (Pick(8)) {
      case 0: return INT_MAX;
      case 1: return INT_MIN;
      case 2: return static_cast<int>(U32());
      case 3: return Byte() * 64;
      default: return static_cast<std::int8_t>(Byte());
    }
  }

  // An integer in lo..hi, for counts the harness must keep small.
  int IntIn(int lo, int hi) {
    const long long span = static_cast<long long>(hi) - lo + 1;
    return static_cast<int>(lo + static_cast<long long>(U32() % static_cast<std::uint64_t>(span)));
  }

  double Double() {
    switch (Pick(16)) {
      case 0: return std::numeric_limits<double>::quiet_NaN();
      case 1: return std::numeric_limits<double>::infinity();
      case 2: return -std::numeric_limits<double>::infinity();
      case 3: return std::numeric_limits<double>::max();
      case 4: return -std::numeric_limits<double>::max();
      case 5: return std::numeric_limits<double>::min();
      case 6: return std::numeric_limits<double>::denorm_min();
      case 7: return -0.0;
      case 8: return Bool() ? 1e300 : -1e300;
      case 9: return 2147483648.0;
      case 10: return -2147483649.0;
      case 11: {
        const std::uint64_t high = U32();
        const std::uint64_t bits = (high << 32) | U32();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
      }
      case 12: {  // date-time values around 2000
        const int day = Byte();
        return 36526 + day + Byte() / 256.0;
      }
      case 13: return Byte() / 16.0;
      default: return static_cast<std::int8_t>(Byte());
    }
  }

  // A short text: a format or label from a list, or raw bytes (maybe not UTF-8).
  std::string Text() {
    static const char* const kTexts[] = {
        "", "0", "#,##0.###", "0.00E+00", "##0.## %", "yyyy/mm/dd", "hh:nn:ss", "dddd mmmm",
        "c", "'", "\"", "#.#;-#.#;zero", "ＭＳ Ｐ明朝", "E+", "%s %d", "000000000000000000000000",
    };
    const int pick = Pick(20);
    if (pick < 16) return kTexts[pick];
    std::string s;
    for (int n = Pick(17); n > 0; --n) s += static_cast<char>(Byte());
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace fuzz
