#include "runtime/colour.h"

#include <algorithm>

namespace tokiwa {

TColor ColorToRGB(TColor c) {
  if ((c & 0x80000000u) == 0) return c;
  // The classic scheme of the launcher's desktop, indexed by system colour number.
  static constexpr TColor kSystem[] = {
      0xC8C8C8, 0xA56E3A, 0x6A240A, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
      0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x6A240A, 0xFFFFFF, 0xC0C0C0,
      0x808080, 0x808080, 0x000000, 0x000000, 0xFFFFFF, 0x404040, 0xC0C0C0, 0x000000,
      0xE1FFFF, 0xC0C0C0, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xF0F0F0};
  unsigned index = c & 0xFF;
  if (index < sizeof(kSystem) / sizeof(kSystem[0])) return kSystem[index];
  return 0;
}

TColor DarkenColor(TColor c, int amount) {
  const TColor rgb = ColorToRGB(c);
  auto darken = [amount](int component) {
    return static_cast<std::uint8_t>(std::clamp(static_cast<long long>(component) - amount, 0LL, 255LL));
  };
  return RGBColor(darken(RedOf(rgb)), darken(GreenOf(rgb)), darken(BlueOf(rgb)));
}

}  // namespace tokiwa
