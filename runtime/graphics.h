#pragma once
// Pens, brushes and fonts of the class library: plain settings with a change
// notification, copied into a canvas before drawing.
#include <cstdint>
#include <string>

#include "runtime/colour.h"
#include "runtime/component.h"
#include "runtime/property.h"

namespace tokiwa {

enum class TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode : std::uint8_t { pmCopy, pmNotXor, pmXor, pmNot };
enum class TBrushStyle : std::uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

inline bool IsHatch(TBrushStyle s) { return s != TBrushStyle::bsSolid && s != TBrushStyle::bsClear; }

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int ANSI_CHARSET = 0;
inline constexpr int SHIFTJIS_CHARSET = 128;

// Base of the graphic objects: pens, brushes, fonts and pictures report their
// changes to whoever owns them.
class TGraphicsObject : public TChangeNotifier {};

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  TPenStyle Style() const { return style_; }
  int Width() const { return width_; }
  TPenMode Mode() const { return mode_; }
  void SetColor(TColor c) { Set(color_, c); }
  void SetStyle(TPenStyle s) { Set(style_, s); }
  void SetWidth(int w) { Set(width_, w < 1 ? 1 : w); }
  void SetMode(TPenMode m) { Set(mode_, m); }
  void Assign(const TPersistent& source) override;
  // Assign from what is known to be a pen: drawing copies one per shape.
  void AssignPen(const TPen& source);

 private:
  TColor color_ = clBlack;
  TPenStyle style_ = TPenStyle::psSolid;
  int width_ = 1;
  TPenMode mode_ = TPenMode::pmCopy;
};

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  TBrushStyle Style() const { return style_; }
  void SetColor(TColor c) { Set(color_, c); }
  void SetStyle(TBrushStyle s) { Set(style_, s); }
  void Assign(const TPersistent& source) override;
  void AssignBrush(const TBrush& source);

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
};

// A font by family name and height. A negative height is a character height in
// pixels, a positive one a cell height; Size is points at PixelsPerInch.
class TFont : public TGraphicsObject {
 public:
  const std::string& Name() const { return name_; }
  int Height() const { return height_; }
  int Size() const;
  TColor Color() const { return color_; }
  TFontStyles Style() const { return style_; }
  int Charset() const { return charset_; }
  int PixelsPerInch() const { return ppi_; }
  // Rotation in degrees, counter-clockwise; only the canvas' font uses it.
  int Angle() const { return angle_; }

  void SetName(const std::string& n) { Set(name_, n); }
  void SetHeight(int h) { Set(height_, h); }
  void SetSize(int points);
  void SetColor(TColor c) { Set(color_, c); }
  void SetStyle(TFontStyles s) { Set(style_, s); }
  void SetCharset(int c) { Set(charset_, c); }
  void SetPixelsPerInch(int ppi) { ppi_ = ppi > 0 ? ppi : 96; }
  void SetAngle(int degrees) { Set(angle_, degrees); }
  // Pixel height of a character, whatever the sign convention of Height.
  int PixelHeight() const { return height_ < 0 ? -height_ : height_; }
  void Assign(const TPersistent& source) override;

 private:
  std::string name_ = "MS UI Gothic";
  int height_ = -12;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  int charset_ = DEFAULT_CHARSET;
  int ppi_ = 96;
  int angle_ = 0;
};

// The platform's multiply-divide: a * b / c with a 64-bit intermediate, rounded
// to nearest (halves away from zero); -1 when c is 0.
int MulDiv(int a, int b, int c);

}  // namespace tokiwa
