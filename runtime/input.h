#pragma once
// Mouse buttons, shift states and cursor codes of the class library.
#include <cstdint>

namespace tokiwa {

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : std::uint8_t {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = std::uint8_t;

inline bool HasAll(TShiftState state, TShiftState required) { return (state & required) == required; }

using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crHandPoint = -21;
// The engine's hand cursor, registered under this number at start-up.
inline constexpr TCursor crChartHand = 2020;

}  // namespace tokiwa
