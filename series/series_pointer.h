#pragma once
// The point marker of the point, line and area series (and the bar of the
// Gantt series): its shape, half sizes, pen and brush.
#include <cstdint>

#include "chart/chart_pens.h"
#include "runtime/canvas.h"
#include "runtime/colour.h"
#include "runtime/component.h"
#include "runtime/geometry.h"

namespace tokiwa {

class TCustomSeries;

// The rectangle marker centred at (x, y), 2 halfWidth + 1 by 2 halfHeight + 1
// pixels, as the canvas takes it (right and bottom excluded).
inline TRect PointerRectangle(int x, int y, int halfWidth, int halfHeight) {
  const int right = OnCanvas(Px(x) + halfWidth);
  const int bottom = OnCanvas(Px(y) + halfHeight);
  return {OnCanvas(Px(x) - halfWidth), OnCanvas(Px(y) - halfHeight), OnCanvas(Px(right) + 1),
          OnCanvas(Px(bottom) + 1)};
}

enum class TSeriesPointerStyle : std::uint8_t {
  psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar, psDiamond, psSmallDot
};

// Its setters, pen and brush report changes through OnChange; the series repaints.
class TSeriesPointer : public TChangeNotifier {
 public:
  // The owner supplies the chart to draw on.
  explicit TSeriesPointer(TCustomSeries* owner);
  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  TCustomSeries* Owner() const { return owner_; }

  int HorizSize() const { return horizSize_; }
  // Sizes below 1 raise ChartException and keep the old value.
  void SetHorizSize(int v);
  int VertSize() const { return vertSize_; }
  void SetVertSize(int v);
  bool Draw3D() const { return draw3D_; }
  void SetDraw3D(bool v) { Set(draw3D_, v); }
  TSeriesPointerStyle Style() const { return style_; }
  void SetStyle(TSeriesPointerStyle s) { Set(style_, s); }
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  void SetPen(const TChartPen& p) { pen_.Assign(p); }
  // ColorDefault in the brush stands for the point's colour.
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }
  void SetBrush(const TBrush& b) { brush_.Assign(b); }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Set(visible_, v); }
  bool InflateMargins() const { return inflateMargins_; }
  void SetInflateMargins(bool v) { Set(inflateMargins_, v); }

  // Loads the pointer's pen and brush into the chart canvas for a point of this colour.
  void PreparePointerCanvas(TColor colour);
  // The pen and brush colours PreparePointerCanvas gives a point of some
  // colour, taken once for many rectangles: each either the point's colour
  // or a fixed one (without a pen, the canvas' pen keeps its own).
  struct Colouring {
    bool penFollows = true, brushFollows = true;
    TColor pen = clBlack, brush = clWhite;
    ColouredRect Of(const TRect& r, TColor colour) const {
      return {r, penFollows ? colour : pen, brushFollows ? colour : brush};
    }
  };
  Colouring PieceColouring() const;
  // One marker centred at (x, y) with the current canvas pen and brush.
  void DrawPointer(int x, int y, TSeriesPointerStyle style, TColor colour, int halfWidth, int halfHeight);
  // The same with the 3D faces of rectangles switched off (legend symbols).
  void DrawFlatPointer(int x, int y, TSeriesPointerStyle style, TColor colour, int halfWidth, int halfHeight);

  void Assign(const TPersistent& source) override;
  std::string ClassName() const override { return "TSeriesPointer"; }

 private:
  void SetSize(int& field, int v);
  void Draw(int x, int y, TSeriesPointerStyle style, TColor colour, int halfWidth, int halfHeight, bool faces);

  TCustomSeries* owner_;
  int horizSize_ = 4;
  int vertSize_ = 4;
  bool draw3D_ = true;
  TSeriesPointerStyle style_ = TSeriesPointerStyle::psRectangle;
  TChartPen pen_;
  TChartBrush brush_;
  bool visible_ = true;
  bool inflateMargins_ = true;
};

}  // namespace tokiwa
