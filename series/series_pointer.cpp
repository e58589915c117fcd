#include "series/series_pointer.h"

#include <array>
#include <string>

#include "chart/axis_panel.h"
#include "chart/chart_exceptions.h"
#include "runtime/geometry.h"
#include "runtime/messages.h"
#include "series/custom_series.h"

namespace tokiwa {

TSeriesPointer::TSeriesPointer(TCustomSeries* owner) : owner_(owner) {
  pen_.OnChange = ReportAsOwnChange();
  brush_.OnChange = ReportAsOwnChange();
}

void TSeriesPointer::SetSize(int& field, int v) {
  if (v < 1) throw ChartException(std::string(msg::PointerSize));
  Set(field, v);
}

void TSeriesPointer::SetHorizSize(int v) { SetSize(horizSize_, v); }
void TSeriesPointer::SetVertSize(int v) { SetSize(vertSize_, v); }

void TSeriesPointer::PreparePointerCanvas(TColor colour) {
  if (!owner_ || !owner_->ParentChart()) return;
  Canvas& canvas = owner_->ParentChart()->DrawCanvas();
  if (pen_.Visible()) {
    canvas.Pen().AssignPen(pen_);
    if (pen_.Color() == ColorDefault) canvas.Pen().SetColor(colour);
  } else {
    canvas.Pen().SetStyle(TPenStyle::psClear);
  }
  canvas.Brush().AssignBrush(brush_);
  if (brush_.Color() == ColorDefault) canvas.Brush().SetColor(colour);
}

TSeriesPointer::Colouring TSeriesPointer::PieceColouring() const {
  Colouring colouring;
  colouring.brushFollows = brush_.Color() == ColorDefault;
  colouring.brush = brush_.Color();
  if (pen_.Visible()) {
    colouring.penFollows = pen_.Color() == ColorDefault;
    colouring.pen = pen_.Color();
  } else if (owner_ && owner_->ParentChart()) {
    colouring.penFollows = false;
    colouring.pen = owner_->ParentChart()->DrawCanvas().Pen().Color();
  }
  return colouring;
}

void TSeriesPointer::DrawPointer(int x, int y, TSeriesPointerStyle style, TColor colour, int halfWidth,
                                 int halfHeight) {
  Draw(x, y, style, colour, halfWidth, halfHeight, draw3D_);
}

void TSeriesPointer::DrawFlatPointer(int x, int y, TSeriesPointerStyle style, TColor colour, int halfWidth,
                                     int halfHeight) {
  Draw(x, y, style, colour, halfWidth, halfHeight, false);
}

void TSeriesPointer::Draw(int x, int y, TSeriesPointerStyle style, TColor colour, int halfWidth, int halfHeight,
                          bool faces) {
  if (!owner_ || !owner_->ParentChart()) return;
  TCustomAxisPanel& chart = *owner_->ParentChart();
  Canvas& canvas = chart.DrawCanvas();
  const TRect box = PointerRectangle(x, y, halfWidth, halfHeight);
  const int left = box.Left, top = box.Top, right1 = box.Right, bottom1 = box.Bottom;
  const int right = OnCanvas(Px(x) + halfWidth);
  const int bottom = OnCanvas(Px(y) + halfHeight);

  auto cross = [&] {
    canvas.Pen().SetColor(colour);
    chart.DrawVertLine(x, top, bottom1);
    chart.DrawHorizLine(left, right1, y);
  };
  auto diagonalCross = [&] {
    canvas.Pen().SetColor(colour);
    chart.DrawLine(left, top, right1, bottom1);
    chart.DrawLine(right1, top, left, bottom1);
  };

  switch (style) {
    case TSeriesPointerStyle::psRectangle: {
      chart.DrawRectangle(box);
      if (faces && chart.SlotDepthX() > 0) {
        const int dX = chart.SlotDepthX();
        const int dY = chart.SlotDepthY();
        const int backLeft = OnCanvas(Px(left) + dX);
        const int backRight = OnCanvas(Px(right) + dX);
        const int backTop = OnCanvas(Px(top) - dY);
        const int backBottom = OnCanvas(Px(bottom) - dY);
        const std::array<TPoint, 4> topFace{{{left, top}, {backLeft, backTop}, {backRight, backTop}, {right, top}}};
        chart.DrawPolygon(topFace);
        const std::array<TPoint, 4> rightFace{
            {{right, top}, {backRight, backTop}, {backRight, backBottom}, {right, bottom}}};
        chart.DrawPolygon(rightFace);
      }
      break;
    }
    case TSeriesPointerStyle::psCircle:
      canvas.Ellipse(left, top, right, bottom);
      break;
    case TSeriesPointerStyle::psTriangle: {
      const std::array<TPoint, 3> p{{{left, bottom}, {right, bottom}, {x, top}}};
      chart.DrawPolygon(p);
      break;
    }
    case TSeriesPointerStyle::psDownTriangle: {
      const std::array<TPoint, 3> p{{{left, top}, {right, top}, {x, bottom}}};
      chart.DrawPolygon(p);
      break;
    }
    case TSeriesPointerStyle::psCross:
      cross();
      break;
    case TSeriesPointerStyle::psDiagCross:
      diagonalCross();
      break;
    case TSeriesPointerStyle::psStar:
      cross();
      diagonalCross();
      break;
    case TSeriesPointerStyle::psDiamond: {
      const std::array<TPoint, 4> p{{{left, y}, {x, top}, {right, y}, {x, bottom}}};
      chart.DrawPolygon(p);
      break;
    }
    case TSeriesPointerStyle::psSmallDot:
      canvas.SetPixel(x, y, colour);
      break;
  }
}

void TSeriesPointer::Assign(const TPersistent& source) {
  auto p = dynamic_cast<const TSeriesPointer*>(&source);
  if (!p) {
    TPersistent::Assign(source);
    return;
  }
  // Copied field by field so that the owner repaints once per effective change.
  Set(horizSize_, p->horizSize_);
  Set(vertSize_, p->vertSize_);
  Set(draw3D_, p->draw3D_);
  Set(style_, p->style_);
  pen_.Assign(p->pen_);
  brush_.Assign(p->brush_);
  Set(visible_, p->visible_);
  Set(inflateMargins_, p->inflateMargins_);
}

}  // namespace tokiwa
