// What the chart draws around the data: background, gradient, back image,
// bevels, title and foot, walls.
#include <algorithm>

#include "chart/chart.h"
#include "chart/legend.h"
#include "runtime/geometry.h"
#include "runtime/safe_math.h"

namespace tokiwa {

std::unique_ptr<TCustomChartLegend> TCustomChart::CreateLegendObject() {
  return std::make_unique<TChartLegend>(this);
}

// --- panel background ---

void TCustomChart::DrawPanelBack(const TRect& rect) {
  FillBackground(rect);
  if (!backImage_->Empty() && !backImageInside_) DrawBackImage(rect);
  Canvas& canvas = DrawCanvas();
  canvas.Pen().SetStyle(TPenStyle::psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetMode(TPenMode::pmCopy);
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  TRect r = rect;
  DrawBevels(r);
}

void TCustomChart::FillBackground(const TRect& rect) {
  const TChartGradient& g = *gradient_;
  if (g.Visible()) {
    const TGradientDirection d = g.Direction();
    const bool startFirst = d == TGradientDirection::gdTopBottom || d == TGradientDirection::gdLeftRight;
    const bool horizontal = d == TGradientDirection::gdLeftRight || d == TGradientDirection::gdRightLeft;
    FillGradient(DrawCanvas(), rect, startFirst ? g.StartColor() : g.EndColor(),
                 startFirst ? g.EndColor() : g.StartColor(), horizontal);
    return;
  }
  Canvas& canvas = DrawCanvas();
  canvas.Brush().SetColor(ColorToRGB(Color()));
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.FillRect(rect);
}

void TCustomChart::DrawBackImage(const TRect& rect) {
  const Image* image = backImage_->Graphic();
  if (!image) return;
  Canvas& canvas = DrawCanvas();
  if (backImageMode_ == TChartBackImageMode::pbmStretch) {
    canvas.StretchDraw(rect, *image);
    return;
  }
  ClipToRect(rect);
  const int w = image->Width(), h = image->Height();
  if (backImageMode_ == TChartBackImageMode::pbmTile) {
    if (w > 0 && h > 0) {
      // 64-bit offsets: the last step may pass the int range on huge pictures.
      for (long long y = 0; y < rect.Height(); y += h)
        for (long long x = 0; x < rect.Width(); x += w)
          canvas.Draw(rect.Left + static_cast<int>(x), rect.Top + static_cast<int>(y), *image);
    }
  } else {
    FillBackground(rect);
    canvas.Draw(rect.Left + Div(rect.Width() - w, 2), rect.Top + Div(rect.Height() - h, 2), *image);
  }
  RemoveClip();
}

namespace {

// One bevel or border frame of the given width, drawn from the outside in: the
// top and left edges in one colour, the bottom and right in the other. The
// rectangle shrinks by the width.
void Frame3D(Canvas& canvas, TRect& r, TColor topLeft, TColor bottomRight, int width) {
  canvas.Pen().SetWidth(1);
  --r.Bottom;
  --r.Right;
  for (; width > 0; --width) {
    // Frames wider than the panel collapse it; the rest would draw nothing new.
    if (r.Left > r.Right || r.Top > r.Bottom) {
      r = {Px(r.Left) + width, Px(r.Top) + width, Px(r.Right) - width, Px(r.Bottom) - width};
      break;
    }
    const TPoint upper[3] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
    canvas.Pen().SetColor(topLeft);
    canvas.Polyline(upper);
    const TPoint lower[3] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
    canvas.Pen().SetColor(bottomRight);
    canvas.Polyline(lower);
    r.Inflate(-1, -1);
  }
  ++r.Bottom;
  ++r.Right;
}

void Bevel(Canvas& canvas, TRect& r, TBevelCut cut, int width) {
  if (cut == TBevelCut::bvNone) return;
  const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
  if (cut == TBevelCut::bvLowered)
    Frame3D(canvas, r, shadow, highlight, width);
  else
    Frame3D(canvas, r, highlight, shadow, width);
}

}  // namespace

void TCustomChart::DrawBevels(TRect& r) {
  Canvas& canvas = DrawCanvas();
  Bevel(canvas, r, BevelOuter(), BevelWidth());
  if (BorderWidth() > 0) {
    const TColor colour = ColorToRGB(Color());
    Frame3D(canvas, r, colour, colour, BorderWidth());
  }
  Bevel(canvas, r, BevelInner(), BevelWidth());
}

// --- titles and legend ---

void TCustomChart::PlaceTitlesAndLegend() {
  auto* legend = dynamic_cast<TChartLegend*>(&Legend());
  const bool withLegend = legend && legend->Visible() && ActiveSeriesCount() > 0;
  const TLegendAlignment side = Legend().Alignment();
  const bool legendFirst = side == TLegendAlignment::laLeft || side == TLegendAlignment::laRight;
  if (withLegend && legendFirst) legend->DrawLegend();
  if (title_->Visible()) DrawTitleBlock(*title_, true);
  if (foot_->Visible()) DrawTitleBlock(*foot_, false);
  if (withLegend && !legendFirst) legend->DrawLegend();
}

namespace {

int LineX(TAlignment alignment, int left, int right, int width) {
  switch (alignment) {
    case TAlignment::taLeftJustify: return left;
    case TAlignment::taRightJustify: return Px(right) - width;
    case TAlignment::taCenter: break;
  }
  return Px(Mid(left, right)) - width / 2;
}

}  // namespace

void TCustomChart::DrawTitleBlock(TChartTitle& title, bool atTop) {
  Canvas& canvas = DrawCanvas();
  TRect& plot = PlotRect();
  ApplyFont(title.Font());
  const int h = CharHeight();
  const std::vector<std::string>& lines = title.Text();
  const int n = static_cast<int>(lines.size());

  canvas.Brush().Assign(title.Brush());
  if (title.Brush().Color() == ColorDefault) canvas.Brush().SetStyle(TBrushStyle::bsClear);
  const bool framed = title.Frame().Visible() && title.Frame().Color() != ColorDefault;
  const int fw = framed ? title.Frame().Width() : 0;

  const int left = Px(plot.Left) + fw, right = Px(plot.Right) - fw;
  const int top = atTop ? Px(plot.Top) + fw : Px(plot.Bottom) - fw + 5;
  const int bottom = atTop ? Px(top) - 5 : Px(plot.Bottom) - fw;
  TRect& block = title.TitleRect();
  block = {left, top, right, bottom};
  int pw = 0;
  if (framed) {
    canvas.Pen().Assign(title.Frame());
    pw = canvas.Pen().Width();
  }
  const int pad = Px(pw) + pw;
  const int linesHeight = ClampToInt(static_cast<double>(n) * h);
  if (atTop)
    block.Bottom = Px(top) + linesHeight;
  else
    block.Top = Px(bottom) - linesHeight;
  block = {Px(block.Left) - pw, Px(block.Top) - pw, Px(block.Right) + pw, Px(block.Bottom) + pw};

  if (framed && title.AdjustFrame()) {
    int widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, TextWidthOf(line));
    const int w = Px(widest) + pad;
    switch (title.Alignment()) {
      case TAlignment::taLeftJustify: block.Right = Px(block.Left) + w; break;
      case TAlignment::taRightJustify: block.Left = Px(block.Right) - w; break;
      case TAlignment::taCenter: {
        const Px c = Mid(block.Left, block.Right);
        block.Left = c - w / 2 - pad;
        block.Right = c + w / 2 + pad;
        break;
      }
    }
  }
  if (framed) DrawRectangle(block);
  canvas.SetBkMode(BkMode::Transparent);

  // The top block grows downward from its top; the foot stacks upward from its
  // bottom, so its last line sits on the bottom edge.
  Px edge = atTop ? top : bottom;
  if (atTop) {
    for (const std::string& line : lines) {
      DrawTextAt(LineX(title.Alignment(), left, right, TextWidthOf(line)), edge, line);
      edge += h;
    }
  } else {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
      edge -= h;
      DrawTextAt(LineX(title.Alignment(), left, right, TextWidthOf(*it)), edge, *it);
    }
  }
  if (framed) edge = atTop ? edge + pad : edge - pad;
  // Lines are followed by a gap; a block without lines shows nothing and takes
  // only its frame, so an empty title does not push the plot down.
  const int gap = n > 0 ? 5 : 0;
  if (atTop)
    plot.Top = edge + gap;
  else
    plot.Bottom = edge - gap;
  RecalcPlotSize();
}

// --- plot back and walls ---

void TCustomChart::DrawPlotBack() {
  if (!backImage_->Empty() && backImageInside_) DrawBackImage(PlotFrameRect());
  TCustomAxisPanel::DrawPlotBack();
}

int TCustomChart::WallSize(const TChartAxis* axis) const {
  if (!View3D() || !View3DWalls()) return 0;
  if (axis == &LeftAxis()) return leftWall_->Size();
  if (axis == &BottomAxis()) return bottomWall_->Size();
  return 0;
}

void TCustomChart::PrepareWallPen(TChartWall& wall) {
  Canvas& canvas = DrawCanvas();
  if (wall.Pen().Visible())
    canvas.Pen().Assign(wall.Pen());
  else
    canvas.Pen().SetStyle(TPenStyle::psClear);
  if (wall.Color() != ColorDefault || wall.Brush().Style() != TBrushStyle::bsSolid)
    SetFillBrush(canvas, wall.Color(), wall.Brush().Style(), wall.Brush().Color());
  else
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
}

void TCustomChart::DrawWalls() {
  const TRect p = PlotRect();
  // Margins are unchecked, so the plot may lie anywhere: Px sums saturate.
  const Px L = p.Left, T = p.Top, R = p.Right, B = p.Bottom;
  const int dx = DepthX(), dy = DepthY();

  PrepareWallPen(*leftWall_);
  const TPoint left[4] = {{L + dx, T - dy}, {L + dx, B - dy}, {L, B + 1}, {L, T}};
  DrawPolygon(left);
  if (const int s = leftWall_->Size(); s > 0) {
    DrawRectangle({L - s, T, L + 1, B + 1});  // the wall's front edge
    const TPoint topFace[4] = {{L + dx, T - dy}, {L + dx - s, T - dy}, {L - s, T}, {L, T}};
    DrawPolygon(topFace);
  }

  PrepareWallPen(*bottomWall_);
  const Px y = B - dy - 1;
  const TPoint bottom[4] = {{L + dx, y}, {R + dx, y}, {R, B}, {L, B}};
  DrawPolygon(bottom);
  if (const int s = bottomWall_->Size(); s > 0) {
    DrawRectangle({L - WallSize(&LeftAxis()), B, R, B + s + 1});
    const TPoint rightFace[4] = {{R + dx, y}, {R + dx, y + s}, {R - 1, B + s}, {R - 1, B}};
    DrawPolygon(rightFace);
  }
}

}  // namespace tokiwa
