#pragma once
// A canvas that draws nothing and records every call, for tests that assert
// exactly what the engine drew and where. Text is measured with fixed metrics
// so that layout arithmetic is predictable to the pixel:
//   width  = CharWidth per ASCII byte + WideCharWidth per other character
//            (UTF-8 code point), defaults 7 and 14;
//   height = CharHeight when it is set (> 0), else |font Height| + 3
//            (the default font, Height -12, gives 15).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/canvas.h"

namespace tokiwa {

enum class CanvasCall : std::uint8_t {
  Rectangle, FillRect, LineTo, Polygon, Polyline, Ellipse, Pie, Arc, SetPixel,
  TextOut, ClipRect, ClipPolygon, RemoveClip, Draw, StretchDraw
};

// The canvas state at the time of a call.
struct CanvasState {
  TColor penColor = clBlack;
  TPenStyle penStyle = TPenStyle::psSolid;
  int penWidth = 1;
  TPenMode penMode = TPenMode::pmCopy;
  TColor brushColor = clWhite;
  TBrushStyle brushStyle = TBrushStyle::bsSolid;
  std::string fontName;
  int fontHeight = 0;
  TColor fontColor = clBlack;
  TFontStyles fontStyle = 0;
  int fontAngle = 0;
  TextHAlign halign = TextHAlign::Left;
  TextVAlign valign = TextVAlign::Top;
  BkMode bkMode = BkMode::Opaque;
  TColor bkColor = clWhite;
};

struct RecordedCall {
  CanvasCall kind = CanvasCall::Rectangle;
  // Rectangle, FillRect, Ellipse, Pie, Arc, ClipRect, StretchDraw: the rectangle
  // as given; Draw: the image's area at its position.
  TRect rect;
  // LineTo: from the pen position to the end point; Pie, Arc: the two radial
  // points; TextOut, SetPixel, Draw: the position in `from`.
  TPoint from;
  TPoint to;
  // Polygon, Polyline, ClipPolygon.
  std::vector<TPoint> points;
  std::string text;           // TextOut
  TColor color = clBlack;     // SetPixel
  const Image* image = nullptr;  // Draw, StretchDraw
  CanvasState state;
};

class RecordingCanvas : public Canvas {
 public:
  int CharWidth = 7;
  int WideCharWidth = 14;
  int CharHeight = 0;  // 0: |font Height| + 3

  void Rectangle(int left, int top, int right, int bottom) override;
  using Canvas::Rectangle;
  void FillRect(const TRect& r) override;
  void LineTo(int x, int y) override;
  void Polygon(std::span<const TPoint> points) override;
  void Polyline(std::span<const TPoint> points) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
  void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) override;
  void SetPixel(int x, int y, TColor colour) override;
  void TextOut(int x, int y, std::string_view text) override;
  TSize TextExtent(std::string_view text) override;
  void ClipRect(const TRect& r) override;
  void ClipPolygon(std::span<const TPoint> points) override;
  void RemoveClip() override;
  void Draw(int x, int y, const Image& image) override;
  void StretchDraw(const TRect& r, const Image& image) override;

  // Queries for tests.
  const std::vector<RecordedCall>& Calls() const { return calls_; }
  std::vector<RecordedCall> CallsOf(CanvasCall kind) const;
  int Count(CanvasCall kind) const;
  const RecordedCall* LastOf(CanvasCall kind) const;  // nullptr when there is none
  std::vector<std::string> Texts() const;              // TextOut texts in order
  const RecordedCall* FindText(std::string_view text) const;  // first TextOut of it
  void Clear() { calls_.clear(); }
  // Number of calls of TextExtent (and so of TextWidth / TextHeight).
  int ExtentQueries() const { return extentQueries_; }

  CanvasState State() const;

 private:
  RecordedCall& Record(CanvasCall kind);

  std::vector<RecordedCall> calls_;
  int extentQueries_ = 0;
};

// A picture of a given size with no pixels, for drawing calls that only need
// its extent (picture fills, image copies).
class RecordingImage : public Image {
 public:
  RecordingImage(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }

 private:
  int width_;
  int height_;
};

// An off-screen image whose canvas records.
class RecordingBitmap : public Bitmap {
 public:
  RecordingBitmap(int width, int height, bool monochrome)
      : width_(width), height_(height), monochrome_(monochrome) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  Canvas& GetCanvas() override { return canvas_; }
  RecordingCanvas& Recorder() { return canvas_; }
  void SetSize(int width, int height) override {
    width_ = width;
    height_ = height;
  }
  bool Monochrome() const override { return monochrome_; }

 private:
  int width_;
  int height_;
  bool monochrome_;
  RecordingCanvas canvas_;
};

}  // namespace tokiwa
