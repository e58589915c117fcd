#pragma once
// Integer screen geometry; rectangles have exclusive right and bottom edges.
//
// Pixel arithmetic is written as geometry on Px: Px(r.Top) - dy + 1. The sum
// is exact in 64 bits and clamped to the int range once, where it becomes an
// int again (stored in a rectangle or handed to a drawing call), so layouts fed
// extreme settings (huge margins, frame widths, zoomed-in axes) stay defined
// and keep their sense of direction. Positions the series hand to the canvas
// are clamped to OnCanvas's smaller range, so that differences of them fit in
// an int.
#include <algorithm>
#include <climits>
#include <concepts>

namespace tokiwa {

// A pixel coordinate or length in layout arithmetic. Meant for sums of a few
// int-sized terms, which 64 bits hold exactly.
class Px {
 public:
  constexpr Px(int v) : v_(v) {}
  constexpr explicit Px(long long v) : v_(v) {}
  constexpr operator int() const { return static_cast<int>(std::clamp<long long>(v_, INT_MIN, INT_MAX)); }

  friend constexpr Px operator+(Px a, Px b) { return Px(a.v_ + b.v_); }
  friend constexpr Px operator-(Px a, Px b) { return Px(a.v_ - b.v_); }
  // Integer operands match these exactly, so they win over int's own operators.
  template <std::integral T>
  friend constexpr Px operator+(Px a, T b) { return Px(a.v_ + static_cast<long long>(b)); }
  template <std::integral T>
  friend constexpr Px operator+(T a, Px b) { return Px(static_cast<long long>(a) + b.v_); }
  template <std::integral T>
  friend constexpr Px operator-(Px a, T b) { return Px(a.v_ - static_cast<long long>(b)); }
  template <std::integral T>
  friend constexpr Px operator-(T a, Px b) { return Px(static_cast<long long>(a) - b.v_); }
  constexpr Px operator-() const { return Px(-v_); }
  template <std::integral T>
  constexpr Px& operator+=(T b) { return *this = *this + b; }
  template <std::integral T>
  constexpr Px& operator-=(T b) { return *this = *this - b; }

  // Clamps the exact value, not the int it would become (see OnCanvas below).
  friend constexpr int OnCanvas(Px v);

 private:
  long long v_;
};

// (a + b) div 2, truncating toward zero, for any two ints: the centre of a span.
constexpr int Mid(int a, int b) { return static_cast<int>((static_cast<long long>(a) + b) / 2); }

// from + (to - from) div 2, for any two ints: half a length measured from one
// end. It rounds toward from where Mid rounds toward zero.
constexpr int Halfway(int from, int to) {
  return static_cast<int>(from + (static_cast<long long>(to) - from) / 2);
}

// |a - b| for any two ints.
constexpr long long Distance(int a, int b) {
  const long long d = static_cast<long long>(a) - b;
  return d < 0 ? -d : d;
}

// Far beyond any window, small enough that differences of two such positions fit in an int.
inline constexpr int kCanvasLimit = 1 << 28;

// A position as the series hand it to the canvas: within +-kCanvasLimit.
constexpr int OnCanvas(long long v) {
  if (v > kCanvasLimit) return kCanvasLimit;
  if (v < -kCanvasLimit) return -kCanvasLimit;
  return static_cast<int>(v);
}
constexpr int OnCanvas(Px v) { return OnCanvas(v.v_); }

// OnCanvas keeping the parity of v, so that a span measured from a clamped end
// halves the same way as the true span.
constexpr int OnCanvasKeepParity(long long v) {
  if (v > kCanvasLimit) return static_cast<int>(kCanvasLimit - ((v - kCanvasLimit) & 1));
  if (v < -kCanvasLimit) return static_cast<int>(-kCanvasLimit - ((-kCanvasLimit - v) & 1));
  return static_cast<int>(v);
}

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  // The platform's point-in-rectangle test: right and bottom edges excluded.
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
  bool Contains(const TRect& r) const {
    return r.Left >= Left && r.Top >= Top && r.Right <= Right && r.Bottom <= Bottom;
  }
  void Offset(int dx, int dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
  void Inflate(int dx, int dy) { Left -= dx; Right += dx; Top -= dy; Bottom += dy; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// The platform's rectangle intersection: an empty result is all zeros.
inline bool IntersectRect(TRect& out, const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) {
    out = TRect{};
    return false;
  }
  out = r;
  return true;
}

}  // namespace tokiwa
