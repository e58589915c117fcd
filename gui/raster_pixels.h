#pragma once
// Thin lines and filled rectangles written straight into the pixels of a
// 32-bit image, for the canvas's primitives when it draws on one. They give
// exactly what painting the same pixels through the paint library gives (its
// raster operations on an RGB image keep the padding byte at 0xff), without a
// library call per run of pixels.
#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/geometry.h"

namespace tokiwa::raster {

// How a pen or brush pixel combines with the one under it.
enum class PixelOp : std::uint8_t { Copy, Xor, NotXor, Not };

// Rows of 0xffRRGGBB pixels; stride counts pixels from one row to the next.
struct PixelSurface {
  std::uint32_t* bits = nullptr;
  std::ptrdiff_t stride = 0;
};

// A thin pen: on pixels in one colour, the gaps of a styled pen in another
// when they are painted at all.
struct LineInk {
  std::uint32_t on = 0;
  std::uint32_t off = 0;
  bool gaps = false;
  PixelOp op = PixelOp::Copy;
};

// Fills r, which must lie inside the surface.
void FillPixels(const PixelSurface& surface, const TRect& r, std::uint32_t colour, PixelOp op);

// r's pixels (inside the surface), row after row: copied out of the surface
// or into it, or compared with those given.
void ReadPixels(const PixelSurface& surface, const TRect& r, std::uint32_t* to);
void WritePixels(const PixelSurface& surface, const TRect& r, const std::uint32_t* from);
bool PixelsAre(const PixelSurface& surface, const TRect& r, const std::uint32_t* expected);

// Draws the pixels of the line from `from` to `to` (end point excluded) inside
// bounds, which must lie inside the surface, exactly as AppendLineRuns lays
// them out. Returns the dash phase after the line, as AppendLineRuns does.
std::int64_t DrawLinePixels(const PixelSurface& surface, TPoint from, TPoint to, const TRect& bounds,
                            std::span<const int> dashes, std::int64_t phase, const LineInk& ink);

}  // namespace tokiwa::raster
