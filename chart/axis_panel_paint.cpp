// The paint pipeline of the axis panel: the whole chart, in a fixed order, into
// the back buffer, then onto the target canvas.
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "chart/axis_panel.h"
#include "chart/series.h"
#include "runtime/graphics.h"
#include "runtime/safe_math.h"

namespace tokiwa {

void TCustomAxisPanel::DrawChart(Canvas& canvas, const TRect& rect) {
  Bitmap* buffer = EnsureBackBuffer(monochrome_);
  buffer->SetSize(rect.Width(), rect.Height());
  const int w = buffer->Width(), h = buffer->Height();
  PanelBounds() = {0, 0, w, h};
  TRect& plot = PlotRect();
  // Margins are unchecked percentages: keep the sums inside the int range.
  auto margin = [](int percent, int extent) {
    return ClampToInt(std::round(static_cast<double>(percent) * extent / 100.0));
  };
  plot = {margin(MarginLeft(), w), margin(MarginTop(), h), ClampToInt(static_cast<double>(w) - margin(MarginRight(), w)),
          ClampToInt(static_cast<double>(h) - margin(MarginBottom(), h))};
  const int border = BorderWidth();
  plot = {Px(plot.Left) + border, Px(plot.Top) + border, Px(plot.Right) - border, Px(plot.Bottom) - border};
  RecalcPlotSize();
  {
    // The window canvas is the drawing canvas again however drawing ends; after
    // an error the image stays stale.
    DrawCanvasScope scope(*this, buffer->GetCanvas());
    DrawAllParts(PanelBounds());
    CopyBackBuffer(canvas, rect.Left, rect.Top);
    SetImageStale(false);
  }
  // The copy covered a rubber band drawn on the window during the pipeline;
  // draw it again so the not-xor frame the mouse handling erases is really there.
  if (ZoomDrag().DragActive && &canvas == WindowCanvas()) DrawZoomFrame();
}

void TCustomAxisPanel::DrawAllParts(const TRect& rect) {
  const TColor textBackground = DrawCanvas().BkColor();
  DrawPanelBack(rect);
  DrawCanvas().Pen().SetColor(clBlack);
  PlaceTitlesAndLegend();
  AssignDepthSlots();
  FitAxes();
  ReserveSeriesMargins();
  seriesClip_ = PlotRect();
  DrawPlotBack();
  if (axisVisible_) {
    for (TChartAxis* axis : {topAxis_.get(), bottomAxis_.get(), leftAxis_.get(), rightAxis_.get()})
      if (IsAxisShown(axis)) axis->DrawAxis(true);
  }
  // A handler may change the list while series draw; walk a snapshot.
  std::vector<TChartSeries*> series(seriesList_->begin(), seriesList_->end());
  for (TChartSeries* s : series) DrawOneSeries(s);
  if (ZoomDrag().DragActive) DrawZoomFrame();
  DrawCanvas().SetBkColor(textBackground);
  if (OnAfterDraw) OnAfterDraw(this);
}

void TCustomAxisPanel::AssignDepthSlots() {
  if (view3D_) {
    SetTopDepthSlot(-1);
    for (TChartSeries* s : *seriesList_)
      if (s->Active()) s->AssignDepthSlot();
    // The first series in the list lies deepest.
    for (TChartSeries* s : *seriesList_)
      if (s->Active()) s->SetDepthSlot(TopDepthSlot() - s->DepthSlot());
  } else {
    SetTopDepthSlot(0);
    for (TChartSeries* s : *seriesList_)
      if (s->Active()) s->SetDepthSlot(0);
  }
}

void TCustomAxisPanel::FitAxes() {
  for (TChartAxis* axis : {leftAxis_.get(), rightAxis_.get(), topAxis_.get(), bottomAxis_.get()})
    axis->ComputeAutoRange();
  ComputeDepth();
  PlotRect().Right = Px(PlotRect().Right) - DepthX();
  PlotRect().Top = Px(PlotRect().Top) + DepthY();
  RecalcPlotSize();
  TRect r = PlotRect();
  for (TChartAxis* axis : {leftAxis_.get(), rightAxis_.get(), topAxis_.get(), bottomAxis_.get()}) {
    if (!IsAxisShown(axis)) continue;
    TRect t = r;
    axis->ComputeReservedSize(t);
    // An axis whose bands would leave nothing is ignored.
    TRect both;
    if (IntersectRect(both, t, r)) r = both;
  }
  PlotRect() = r;
  RecalcPlotSize();
}

void TCustomAxisPanel::ReserveSeriesMargins() {
  for (TChartAxis* axis : {topAxis_.get(), leftAxis_.get(), rightAxis_.get(), bottomAxis_.get()}) {
    int left = 0, top = 0, right = 0, bottom = 0;
    for (TChartSeries* s : *seriesList_) {
      if (!s->Active()) continue;
      int a = 0, b = 0;
      if (axis->IsHorizontal()) {
        if (s->GetHorizAxis() != axis) continue;
        s->HorizMargins(a, b);
        left = std::max(left, a);
        right = std::max(right, b);
      } else {
        if (s->GetVertAxis() != axis) continue;
        s->VertMargins(a, b);
        top = std::max(top, a);
        bottom = std::max(bottom, b);
      }
    }
    axis->FitSeriesMargins(left, top, right, bottom);
  }
}

void TCustomAxisPanel::DrawPlotBack() {
  if (frame_.Visible() || backColor_ != ColorDefault) {
    Canvas& canvas = DrawCanvas();
    if (frame_.Visible()) {
      canvas.Pen().Assign(frame_);
      if (frame_.Color() == ColorDefault)
        canvas.Pen().SetColor(ColorToRGB(Color()) == clBlack ? clWhite : clBlack);
    } else {
      canvas.Pen().SetStyle(TPenStyle::psClear);
    }
    if (backColor_ != ColorDefault) {
      canvas.Brush().SetColor(backColor_);
      canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    } else {
      canvas.Brush().SetStyle(TBrushStyle::bsClear);
    }
    DrawRectangle(PlotFrameRect());
  }
  if (view3D_ && view3DWalls_) DrawWalls();
}

void TCustomAxisPanel::ClipSeries() {
  const TRect& r = seriesClip_;
  if (view3D_) {
    const int dx = DepthX(), dy = DepthY();
    const Px L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    const TPoint region[6] = {{L + 1, B - 1}, {L + 1, T}, {L + dx, T - dy + 1},
                              {R + dx, T - dy + 1}, {R + dx, B - dy + 1}, {R, B}};
    ClipToPolygon(region);
    return;
  }
  TRect clip{Px(r.Left) + 1, Px(r.Top) + 1, r.Right, Px(r.Bottom) - 1};
  if (frame_.Visible()) {
    clip.Right = Px(clip.Right) - (frame_.Width() - 1);
    clip.Bottom = Px(clip.Bottom) - (frame_.Width() - 1);
  }
  ClipToRect(clip);
}

namespace {

bool HasShownPoints(const TChartSeries* s) { return s->FirstShownIndex() >= 0; }

}  // namespace

void TCustomAxisPanel::DrawSeriesMarks(TChartSeries* s) {
  if (!s->Marks().Visible()) return;
  const bool clip = s->Marks().Clip();
  if (clip) ClipSeries();
  s->DrawMarks();
  if (clip) RemoveClip();
}

void TCustomAxisPanel::DrawOneSeries(TChartSeries* s) {
  if (!s->Active()) return;
  std::vector<TChartSeries*> slot;
  if (view3D_) {
    for (TChartSeries* t : *seriesList_)
      if (t->Active() && t->DepthSlot() == s->DepthSlot()) slot.push_back(t);
  }
  if (slot.size() > 1) {
    // Only the first series of a shared slot draws, for all of them.
    if (slot.front() != s) return;
    DrawSharedSlot(slot);
    return;
  }
  s->ComputeShownRange();
  if (!HasShownPoints(s)) return;
  s->BeginDrawing();
  if (clipPoints_) ClipSeries();
  s->DrawPoints();
  if (clipPoints_) RemoveClip();
  DrawSeriesMarks(s);
  s->EndDrawing();
}

void TCustomAxisPanel::DrawSharedSlot(const std::vector<TChartSeries*>& slot) {
  int first = INT_MAX, last = -1;
  bool clipped = false;
  std::vector<TChartSeries*> shown;
  for (TChartSeries* t : slot) {
    t->ComputeShownRange();
    if (!HasShownPoints(t)) continue;
    first = std::min(first, t->FirstShownIndex());
    last = std::max(last, t->LastShownIndex());
    t->BeginDrawing();
    if (clipPoints_ && !clipped) {
      ClipSeries();
      clipped = true;
    }
    shown.push_back(t);
  }
  // Points of all series in the slot are interleaved index by index, so that
  // their 3D parts overlap without sorting. Only series that began drawing draw:
  // one without shown points never had BeginDrawing.
  auto drawIndex = [&](int i) {
    for (TChartSeries* t : shown)
      if (i < t->PointCount()) t->DrawPoint(i);
  };
  if (slot.front()->DrawsForward()) {
    for (int i = first; i <= last; ++i) drawIndex(i);
  } else {
    for (int i = last; i >= first; --i) drawIndex(i);
  }
  if (clipped) RemoveClip();
  for (TChartSeries* t : shown) {
    DrawSeriesMarks(t);
    t->EndDrawing();
  }
}

void TCustomAxisPanel::SetAxesRanges(double topMin, double topMax, double bottomMin, double bottomMax,
                                     double leftMin, double leftMax, double rightMin, double rightMax) {
  topAxis_->SetAxisRange(topMin, topMax);
  bottomAxis_->SetAxisRange(bottomMin, bottomMax);
  leftAxis_->SetAxisRange(leftMin, leftMax);
  rightAxis_->SetAxisRange(rightMin, rightMax);
}

void TCustomAxisPanel::ZoomToDrag() {
  TZoomPanningRecord& z = ZoomDrag();
  z.OrderCorners();
  SetAxesRanges(topAxis_->PositionToValue(z.FromX), topAxis_->PositionToValue(z.ToX),
                bottomAxis_->PositionToValue(z.FromX), bottomAxis_->PositionToValue(z.ToX),
                leftAxis_->PositionToValue(z.ToY), leftAxis_->PositionToValue(z.FromY),
                rightAxis_->PositionToValue(z.ToY), rightAxis_->PositionToValue(z.FromY));
}

}  // namespace tokiwa
