// Placeholder mouse handling: the entry points do nothing yet; zooming to
// ranges falls through to the axis panel.
#include "chart/chart.h"

namespace tokiwa {

TChartHit TCustomChart::HitTestPoint(int, int) { return {}; }
void TCustomChart::MouseDown(TMouseButton, TShiftState, int, int) {}
void TCustomChart::MouseMove(TShiftState, int, int) {}
void TCustomChart::MouseUp(TMouseButton, TShiftState, int, int) {}
void TCustomChart::MouseLeave() {}
void TCustomChart::ZoomToDrag() { TCustomAxisPanel::ZoomToDrag(); }
void TCustomChart::SetAxesRanges(double topMin, double topMax, double bottomMin, double bottomMax, double leftMin,
                                 double leftMax, double rightMin, double rightMax) {
  TCustomAxisPanel::SetAxesRanges(topMin, topMax, bottomMin, bottomMax, leftMin, leftMax, rightMin, rightMax);
}
void TCustomChart::CancelZoom() {}
void TCustomChart::ScrollAxisByPixels(TChartAxis&, int, int) {}
void TCustomChart::SaveAxisSettings() {}
void TCustomChart::RestoreAxisSettings() {}
void TCustomChart::BeginMouseDrag(TMouseButton, TShiftState, int, int, bool&) {}
void TCustomChart::RaiseBackgroundClick(TMouseButton, TShiftState, int, int, bool&) {}
void TCustomChart::UpdateHoverCursor(TShiftState, int, int) {}
void TCustomChart::PanTo(int, int) {}

}  // namespace tokiwa
