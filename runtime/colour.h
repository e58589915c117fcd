#pragma once
// Colour values as the launcher's platform lays them out: 00BBGGRR, low byte red.
// Values with the top bit set name a system colour (index in the low byte).
#include <cstdint>

namespace tokiwa {

using TColor = std::uint32_t;

inline constexpr TColor ColorDefault = 0x80000000u;  // no colour given (also the scroll-bar system colour)
inline constexpr TColor ColorNone = 0x1FFFFFFFu;     // the point is not drawn

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// System colours (top bit set, index in the low byte).
inline constexpr TColor clScrollBar = 0x80000000u;
inline constexpr TColor clWindow = 0x80000005u;
inline constexpr TColor clWindowText = 0x80000008u;
inline constexpr TColor clBtnFace = 0x8000000Fu;
inline constexpr TColor clBtnShadow = 0x80000010u;
inline constexpr TColor clBtnHighlight = 0x80000014u;

// Resolves a system colour code to its RGB value (classic desktop scheme);
// plain colours come back unchanged.
TColor ColorToRGB(TColor c);

inline constexpr std::uint8_t RedOf(TColor c) { return c & 0xFF; }
inline constexpr std::uint8_t GreenOf(TColor c) { return (c >> 8) & 0xFF; }
inline constexpr std::uint8_t BlueOf(TColor c) { return (c >> 16) & 0xFF; }
inline constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

// The colour resolved to RGB (system colours included) with amount taken from
// each component, none going below 0: the shaded faces of 3D bars and pies.
TColor DarkenColor(TColor c, int amount);

// The engine's default palette: 16 colours, chosen by index modulo 16.
inline constexpr TColor DefaultColorPalette[16] = {
    clRed, clGreen, clYellow, clBlue, clWhite, clGray, clFuchsia, clTeal,
    clNavy, clMaroon, clLime, clOlive, clPurple, clSilver, clAqua, clBlack};

inline TColor PaletteColor(int index) {
  int i = index % 16;
  return DefaultColorPalette[i < 0 ? i + 16 : i];
}

}  // namespace tokiwa
