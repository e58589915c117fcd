#pragma once
// Pixel arithmetic of the series drawing code. Screen positions come from the
// axes as ints that may lie far outside the window (zoomed-in charts); sums and
// differences of them are done in 64 bits and clamped to a range the canvas can
// take, so that no intermediate overflows.
#include <climits>

namespace tokiwa::series_coords {

// Far beyond any window, small enough that differences of two such values fit in int.
inline constexpr long long kLimit = 1LL << 28;

inline int Clamp(long long v) {
  if (v > kLimit) return static_cast<int>(kLimit);
  if (v < -kLimit) return static_cast<int>(-kLimit);
  return static_cast<int>(v);
}

// Clamps like Clamp but keeps the parity of v, so that a span measured from a
// clamped end divides by two the same way as the true span.
inline int ClampKeepParity(long long v) {
  if (v > kLimit) return static_cast<int>(kLimit - ((v - kLimit) & 1));
  if (v < -kLimit) return static_cast<int>(-kLimit - ((-kLimit - v) & 1));
  return static_cast<int>(v);
}

inline int Add(int a, long long b) { return Clamp(static_cast<long long>(a) + b); }

// (to - from) div 2, truncating toward zero, without overflow.
inline long long HalfSpan(int from, int to) {
  return (static_cast<long long>(to) - static_cast<long long>(from)) / 2;
}

// The middle of a and b, truncating toward zero, without overflow.
inline int Mid(int a, int b) { return static_cast<int>((static_cast<long long>(a) + b) / 2); }

inline long long Abs(int a, int b) {
  long long d = static_cast<long long>(a) - static_cast<long long>(b);
  return d < 0 ? -d : d;
}

}  // namespace tokiwa::series_coords
