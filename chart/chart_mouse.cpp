// Placeholder mouse handling: every entry point does nothing yet.
#include "chart/chart.h"

namespace tokiwa {

TChartHit TCustomChart::HitTestPoint(int, int) { return {}; }
void TCustomChart::MouseDown(TMouseButton, TShiftState, int, int) {}
void TCustomChart::MouseMove(TShiftState, int, int) {}
void TCustomChart::MouseUp(TMouseButton, TShiftState, int, int) {}
void TCustomChart::MouseLeave() {}
void TCustomChart::ZoomToDrag() {}
void TCustomChart::SetAxesRanges(double, double, double, double, double, double, double, double) {}
void TCustomChart::CancelZoom() {}
void TCustomChart::ScrollAxisByPixels(TChartAxis&, int, int) {}
void TCustomChart::SaveAxisSettings() {}
void TCustomChart::RestoreAxisSettings() {}
void TCustomChart::BeginMouseDrag(TMouseButton, TShiftState, int, int, bool&) {}
void TCustomChart::RaiseBackgroundClick(TMouseButton, TShiftState, int, int, bool&) {}
void TCustomChart::UpdateHoverCursor(TShiftState, int, int) {}
void TCustomChart::PanTo(int, int) {}

}  // namespace tokiwa
