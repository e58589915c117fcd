#pragma once
// The drawing surface the chart engine draws on: a device-context-like canvas
// with a current pen, brush and font, a text alignment and background mode, and
// the primitives the engine needs. Rectangles exclude their right and bottom
// edges; LineTo excludes its end point.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "runtime/colour.h"
#include "runtime/geometry.h"
#include "runtime/graphics.h"

namespace tokiwa {

enum class TextHAlign : std::uint8_t { Left, Center, Right };
enum class TextVAlign : std::uint8_t { Top, Bottom };
enum class BkMode : std::uint8_t { Transparent, Opaque };

// One rectangle of a batch, with the colours the pen and brush take for it.
struct ColouredRect {
  TRect rect;
  TColor pen = clBlack;
  TColor brush = clWhite;
};

// A picture the canvas can draw (the chart's background image, a back buffer).
class Image {
 public:
  virtual ~Image() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Current drawing state; the primitives read it when they draw.
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }
  const TPen& Pen() const { return pen_; }
  const TBrush& Brush() const { return brush_; }
  const TFont& Font() const { return font_; }
  void SetTextAlign(TextHAlign h, TextVAlign v) { halign_ = h; valign_ = v; }
  TextHAlign HAlign() const { return halign_; }
  TextVAlign VAlign() const { return valign_; }
  void SetBkMode(BkMode mode) { bkMode_ = mode; }
  BkMode GetBkMode() const { return bkMode_; }
  void SetBkColor(TColor c) { bkColor_ = c; }
  TColor BkColor() const { return bkColor_; }
  // Text fills its background only in opaque mode with a brush to show: on the
  // original platform selecting a clear brush also makes text transparent.
  bool TextBackgroundOpaque() const {
    return bkMode_ == BkMode::Opaque && brush_.Style() != TBrushStyle::bsClear;
  }
  TPoint PenPos() const { return penPos_; }
  virtual int PixelsPerInch() const { return 96; }

  // Outline with the pen (unless clear), fill with the brush (unless clear).
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  // Rectangle for each in turn, the pen and brush in its colours and
  // otherwise as they are; they keep the last one's colours. A surface may
  // draw many at once faster than one by one.
  virtual void Rectangles(std::span<const ColouredRect> rects) {
    for (const ColouredRect& r : rects) {
      pen_.SetColor(r.pen);
      brush_.SetColor(r.brush);
      Rectangle(r.rect);
    }
  }
  // Fill with the brush only, no outline (the platform's pattern fill).
  virtual void FillRect(const TRect& r) = 0;
  void MoveTo(int x, int y) { penPos_ = {x, y}; }
  // Line from the pen position to (x, y), end point excluded; moves the pen there.
  virtual void LineTo(int x, int y) = 0;
  virtual void Polygon(std::span<const TPoint> points) = 0;
  virtual void Polyline(std::span<const TPoint> points) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // Pie and arc of the ellipse in the bounding box, counter-clockwise from the
  // radial through (x1, y1) to the radial through (x2, y2).
  virtual void Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) = 0;
  virtual void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) = 0;
  virtual void SetPixel(int x, int y, TColor colour) = 0;

  // Text at the reference point given by the alignment, in the current font
  // (rotated by its Angle), over the background colour when the mode is opaque.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual TSize TextExtent(std::string_view text) = 0;
  int TextWidth(std::string_view text) { return TextExtent(text).Width; }
  int TextHeight(std::string_view text) { return TextExtent(text).Height; }

  // Clipping replaces the current region; RemoveClip allows the whole surface.
  virtual void ClipRect(const TRect& r) = 0;
  virtual void ClipPolygon(std::span<const TPoint> points) = 0;  // odd-even filling
  virtual void RemoveClip() = 0;

  virtual void Draw(int x, int y, const Image& image) = 0;
  virtual void StretchDraw(const TRect& r, const Image& image) = 0;

 protected:
  void SetPenPos(TPoint p) { penPos_ = p; }

 private:
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TextHAlign halign_ = TextHAlign::Left;
  TextVAlign valign_ = TextVAlign::Top;
  BkMode bkMode_ = BkMode::Opaque;
  TColor bkColor_ = clWhite;
  TPoint penPos_;
};

// An off-screen image with a canvas of its own (the chart's back buffer).
class Bitmap : public Image {
 public:
  virtual Canvas& GetCanvas() = 0;
  virtual void SetSize(int width, int height) = 0;
  virtual bool Monochrome() const = 0;
};

}  // namespace tokiwa
