#pragma once
// Real-to-integer conversions that never invoke undefined behaviour: NaN gives 0
// and values beyond the int range clamp to its ends. Screen coordinates come from
// doubles everywhere in the engine, so every conversion goes through these.
#include <climits>
#include <cmath>

namespace tokiwa {

inline int ClampToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

// Round to nearest, halves to the even neighbour (the platform's Round).
inline int RoundHalfEven(double v) { return ClampToInt(std::nearbyint(v)); }

// Toward zero (the platform's Trunc).
inline int TruncToInt(double v) { return ClampToInt(std::trunc(v)); }

// 64-bit variants for counts that may exceed int.
inline long long ClampToInt64(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 9.2e18) return LLONG_MAX;
  if (v <= -9.2e18) return LLONG_MIN;
  return static_cast<long long>(v);
}

// Integer division truncating toward zero (the platform's div), safe for INT_MIN / -1.
inline int Div(int a, int b) {
  if (b == 0) return 0;
  if (a == INT_MIN && b == -1) return INT_MAX;
  return a / b;
}

}  // namespace tokiwa
