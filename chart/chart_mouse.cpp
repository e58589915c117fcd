// The chart's own mouse handling: locating a press, handing it to the click
// events, and when nobody took it, zooming by a dragged rectangle or panning.
#include <cmath>
#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

#include "chart/chart.h"
#include "chart/engine_settings.h"
#include "chart/series.h"

namespace tokiwa {

namespace {

// Zoom and undo need a rectangle larger than this in both directions.
constexpr long long kMinZoomDrag = 16;

enum SavedAxisSlot { kSavedTop, kSavedLeft, kSavedRight, kSavedBottom };

}  // namespace

// --- locating a press ---

TChartHit TCustomChart::HitTestPoint(int x, int y) {
  TChartHit hit;
  if (Legend().Visible() && Legend().LegendBounds().Contains(x, y)) {
    hit.Kind = TChartHitKind::HitLegend;
    return hit;
  }
  // The last series is drawn on top, so it answers first.
  for (int i = SeriesCount() - 1; i >= 0; --i) {
    TChartSeries* s = SeriesAt(i);
    if (!s->Active()) continue;
    const int index = s->PointAtPixel(x, y);
    if (index == -1) continue;
    hit.Kind = TChartHitKind::HitSeries;
    hit.Series = s;
    hit.ValueIndex = index;
    return hit;
  }
  for (TChartAxis* axis : {&TopAxis(), &BottomAxis(), &LeftAxis(), &RightAxis()}) {
    if (!axis->IsClickOnAxis(x, y)) continue;
    hit.Kind = TChartHitKind::HitAxis;
    hit.Axis = axis;
    return hit;
  }
  if (Title().ContainsPoint(x, y))
    hit.Kind = TChartHitKind::HitTitle;
  else if (Foot().ContainsPoint(x, y))
    hit.Kind = TChartHitKind::HitFoot;
  else if (PlotHitRect().Contains(x, y) && ActiveSeriesCount() >= 1)
    hit.Kind = TChartHitKind::HitPlotArea;
  return hit;
}

// --- press ---

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomAxisPanel::MouseDown(button, shift, x, y);
  if (ZoomDrag().DragActive || PanDrag().DragActive) return;
  if (ClickConsumed) {
    ClickConsumed = false;
    return;
  }
  // The flag ends cleared also when a handler fails; left set, it would
  // swallow the user's next press.
  struct ClearFlag {
    bool& flag;
    ~ClearFlag() { flag = false; }
  } clear{ClickConsumed};
  DispatchPress(button, shift, x, y);
}

void TCustomChart::DispatchPress(TMouseButton button, TShiftState shift, int x, int y) {
  const TChartHit hit = HitTestPoint(x, y);
  bool handled = false;
  switch (hit.Kind) {
    case TChartHitKind::HitLegend:
      if (OnClickLegend) {
        ClickConsumed = true;
        OnClickLegend(this, button, shift, x, y);
        handled = ClickConsumed;
      }
      break;
    case TChartHitKind::HitSeries:
      handled = hit.Series->RaiseClick(hit.Series, hit.ValueIndex, button, shift, x, y);
      if (OnClickSeries) {
        ClickConsumed = true;
        OnClickSeries(this, hit.Series, hit.ValueIndex, button, shift, x, y);
        handled = ClickConsumed;
      }
      if (!handled) BeginMouseDrag(button, shift, x, y, handled);
      break;
    case TChartHitKind::HitAxis:
      if (OnClickAxis) {
        ClickConsumed = true;
        OnClickAxis(this, hit.Axis, button, shift, x, y);
        handled = ClickConsumed;
      }
      if (!handled) BeginMouseDrag(button, shift, x, y, handled);
      break;
    case TChartHitKind::HitPlotArea:
      RaiseBackgroundClick(button, shift, x, y, handled);
      if (!handled) BeginMouseDrag(button, shift, x, y, handled);
      break;
    case TChartHitKind::HitNone:
    case TChartHitKind::HitTitle:
    case TChartHitKind::HitFoot:
      break;
  }
  if (!handled) RaiseBackgroundClick(button, shift, x, y, handled);
}

void TCustomChart::RaiseBackgroundClick(TMouseButton button, TShiftState shift, int x, int y, bool& handled) {
  if (!OnClickBackground) return;
  ClickConsumed = true;
  OnClickBackground(this, button, shift, x, y);
  handled = ClickConsumed;
}

void TCustomChart::BeginMouseDrag(TMouseButton button, TShiftState shift, int x, int y, bool& handled) {
  const ChartEngineSettings& settings = EngineSettings();
  if (allowZoom_ && button == settings.ZoomMouseButton && HasAll(shift, settings.ZoomKeyState)) {
    SetCursor(crDefault);
    ZoomDrag().StartDragAt(x, y);
    DrawZoomFrame();
    handled = true;
  }
  if (allowPanning_ != TPanningMode::pmNone && button == settings.PanMouseButton &&
      HasAll(shift, settings.PanKeyState)) {
    SetCursor(crDefault);
    PanDrag().StartDragAt(x, y);
    handled = true;
  }
}

// --- move ---

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
  TCustomAxisPanel::MouseMove(shift, x, y);
  TZoomPanningRecord& zoom = ZoomDrag();
  const bool zooming = zoom.DragActive, panning = PanDrag().DragActive;
  if (zooming && (x != zoom.ToX || y != zoom.ToY)) {
    // Not-xor: drawing the old frame again erases it. Nothing is repainted.
    DrawZoomFrame();
    zoom.ToX = x;
    zoom.ToY = y;
    DrawZoomFrame();
  }
  if (panning) PanTo(x, y);
  if (!zooming && !panning) UpdateHoverCursor(shift, x, y);
}

void TCustomChart::PanTo(int x, int y) {
  TZoomPanningRecord& pan = PanDrag();
  if (!PlotHitRect().Contains(x, y)) {
    pan.DragActive = false;
    return;
  }
  if (x == pan.ToX && y == pan.ToY) return;
  // Each step is measured from the previous mouse position.
  const int fromX = pan.ToX, fromY = pan.ToY;
  pan.ToX = x;
  pan.ToY = y;
  PanByPixels(fromX, fromY, x, y);
}

// The ranges before the first zoom or pan, which undoing the zoom restores.
void TCustomChart::SaveAxesOnce() {
  if (!mustSaveAxes_) return;
  SaveAxisSettings();
  mustSaveAxes_ = false;
}

void TCustomChart::PanByPixels(int fromX, int fromY, int toX, int toY) {
  if (allowPanning_ == TPanningMode::pmNone || (fromX == toX && fromY == toY)) return;
  SaveAxesOnce();
  const bool horizontal = allowPanning_ == TPanningMode::pmHorizontal || allowPanning_ == TPanningMode::pmBoth;
  const bool vertical = allowPanning_ == TPanningMode::pmVertical || allowPanning_ == TPanningMode::pmBoth;
  bool moved = false;
  if (fromX != toX && horizontal) {
    ScrollAxisByPixels(BottomAxis(), fromX, toX);
    ScrollAxisByPixels(TopAxis(), fromX, toX);
    moved = true;
  }
  if (fromY != toY && vertical) {
    ScrollAxisByPixels(LeftAxis(), fromY, toY);
    ScrollAxisByPixels(RightAxis(), fromY, toY);
    moved = true;
  }
  if (!moved) return;
  if (OnScroll) OnScroll(this);
  RequestRepaint();
}

void TCustomChart::ScrollAxisByPixels(TChartAxis& axis, int fromPixel, int toPixel) {
  // Dragging to the right moves the range to lower values: the data follow the mouse.
  const double delta = axis.PositionToValue(fromPixel) - axis.PositionToValue(toPixel);
  double aMin = axis.Minimum() + delta;
  double aMax = axis.Maximum() + delta;
  bool allow = true;
  if (OnAllowScroll) OnAllowScroll(&axis, aMin, aMax, allow);
  if (allow) axis.SetAxisRange(aMin, aMax);
}

void TCustomChart::UpdateHoverCursor(TShiftState shift, int x, int y) {
  // Handlers may change the list; walk a snapshot.
  const std::vector<TChartSeries*> series(SeriesList().begin(), SeriesList().end());
  bool matched = false;
  for (TChartSeries* s : series) {
    if (!s->Active() || s->Cursor() == crDefault || s->PointAtPixel(x, y) == -1) continue;
    SetCursor(s->Cursor());
    matched = true;
    break;
  }
  for (TChartSeries* s : series) s->MouseMoved(shift, x, y);
  if (!matched) SetCursor(SavedCursor());
}

void TCustomChart::MouseLeave() {
  TCustomAxisPanel::MouseLeave();
  SetCursor(SavedCursor());
}

// --- release ---

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  try {
    TCustomAxisPanel::MouseUp(button, shift, x, y);
    const std::vector<TChartSeries*> series(SeriesList().begin(), SeriesList().end());
    for (TChartSeries* s : series) s->MouseReleased(button, shift, x, y);
  } catch (...) {
    // The release still ends the drags, or the chart would go on zooming or
    // panning with no button held; only the zoom itself is skipped.
    EndZoomDrag(button, x, y, false);
    PanDrag().DragActive = false;
    throw;
  }
  EndZoomDrag(button, x, y, true);
  PanDrag().DragActive = false;
}

void TCustomChart::EndZoomDrag(TMouseButton button, int x, int y, bool apply) {
  TZoomPanningRecord& zoom = ZoomDrag();
  if (!zoom.DragActive || button != EngineSettings().ZoomMouseButton) return;
  zoom.DragActive = false;
  DrawZoomFrame();  // erases the frame
  WindowCanvas()->Pen().SetMode(TPenMode::pmCopy);
  zoom.ToX = x;
  zoom.ToY = y;
  if (!apply) return;
  const long long dx = static_cast<long long>(zoom.ToX) - zoom.FromX;
  const long long dy = static_cast<long long>(zoom.ToY) - zoom.FromY;
  if (std::llabs(dx) <= kMinZoomDrag || std::llabs(dy) <= kMinZoomDrag) return;
  // Toward the lower right zooms in; any other direction undoes the zoom.
  if (dx > 0 && dy > 0)
    ZoomToDrag();
  else
    CancelZoom();
  RequestRepaint();
}

// --- zoom ---

void TCustomChart::ZoomToDrag() { TCustomAxisPanel::ZoomToDrag(); }

void TCustomChart::SetAxesRanges(double topMin, double topMax, double bottomMin, double bottomMax, double leftMin,
                                 double leftMax, double rightMin, double rightMax) {
  SaveAxesOnce();
  if (animatedZoom_) {
    for (int step = 1; step < animatedZoomSteps_; ++step) {
      StepZoomToward(TopAxis(), topMin, topMax);
      StepZoomToward(BottomAxis(), bottomMin, bottomMax);
      StepZoomToward(LeftAxis(), leftMin, leftMax);
      StepZoomToward(RightAxis(), rightMin, rightMax);
      if (Host()) Host()->RepaintNow();
    }
  }
  TCustomAxisPanel::SetAxesRanges(topMin, topMax, bottomMin, bottomMax, leftMin, leftMax, rightMin, rightMax);
  zoomApplied_ = true;
  if (OnZoom) OnZoom(this);
}

namespace {

// The range an axis shows after zooming by factor around the value at pixel
// x, never narrower than SetAxisRange keeps it (that would move it instead).
std::pair<double, double> ZoomedRange(const TChartAxis& axis, const TRect& plot, int x, double factor) {
  const double at = axis.PositionToValue(x);
  double lo = axis.PositionToValue(plot.Left), hi = axis.PositionToValue(plot.Right);
  if (lo > hi) std::swap(lo, hi);  // inverted
  double scale = factor;
  const double span = hi - lo;
  // A hair over the limit, so that rounding does not fall below it.
  const double narrowest = kMinimumAxisWidth * (1 + 1e-9);
  if (span > 0 && span * scale < narrowest) scale = narrowest / span;
  return {at + (lo - at) * scale, at + (hi - at) * scale};
}

}  // namespace

void TCustomChart::ZoomHorizontally(int x, double factor) {
  const double span = BottomAxis().CurrentRange();
  if (!allowZoom_ || !std::isfinite(factor) || factor <= 0 || !(span > 0)) return;
  const TRect plot = PlotRect();
  const auto bottom = ZoomedRange(BottomAxis(), plot, x, factor);
  const auto top = ZoomedRange(TopAxis(), plot, x, factor);
  if (factor < 1 && bottom.second - bottom.first >= span) return;  // as narrow as it gets
  SaveAxesOnce();
  TopAxis().SetAxisRange(top.first, top.second);
  BottomAxis().SetAxisRange(bottom.first, bottom.second);
  zoomApplied_ = true;
  if (OnZoom) OnZoom(this);
  RequestRepaint();
}

void TCustomChart::StepZoomToward(TChartAxis& axis, double targetMin, double targetMax) {
  const double divisor = EngineSettings().ZoomStepDivisor;
  axis.SetAxisRange(axis.Minimum() + (targetMin - axis.Minimum()) / divisor,
                    axis.Maximum() - (axis.Maximum() - targetMax) / divisor);
}

void TCustomChart::CancelZoom() {
  if (!mustSaveAxes_) RestoreAxisSettings();
  mustSaveAxes_ = true;
  if (OnUndoZoom) OnUndoZoom(this);
  RequestRepaint();
  zoomApplied_ = false;
}

void TCustomChart::SaveAxisSettings() {
  auto save = [](TSavedAxisSettings& saved, const TChartAxis& axis) {
    saved.Automatic = axis.Automatic();
    saved.AutomaticMinimum = axis.AutomaticMinimum();
    saved.AutomaticMaximum = axis.AutomaticMaximum();
    saved.Minimum = axis.Minimum();
    saved.Maximum = axis.Maximum();
  };
  save(savedAxes_[kSavedTop], TopAxis());
  save(savedAxes_[kSavedLeft], LeftAxis());
  save(savedAxes_[kSavedRight], RightAxis());
  save(savedAxes_[kSavedBottom], BottomAxis());
}

void TCustomChart::RestoreAxisSettings() {
  auto restore = [](const TSavedAxisSettings& saved, TChartAxis& axis) {
    axis.SetAutomatic(saved.Automatic);
    axis.SetAutomaticMinimum(saved.AutomaticMinimum);
    axis.SetAutomaticMaximum(saved.AutomaticMaximum);
    if (saved.Automatic) return;
    axis.SetAxisRange(saved.Minimum, saved.Maximum);
    // Setting the range clears both automatic ends; an axis that had one
    // automatic end gets it back.
    axis.SetAutomaticMinimum(saved.AutomaticMinimum);
    axis.SetAutomaticMaximum(saved.AutomaticMaximum);
  };
  restore(savedAxes_[kSavedTop], TopAxis());
  restore(savedAxes_[kSavedBottom], BottomAxis());
  restore(savedAxes_[kSavedLeft], LeftAxis());
  restore(savedAxes_[kSavedRight], RightAxis());
}

}  // namespace tokiwa
