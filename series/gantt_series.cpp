#include "series/gantt_series.h"

namespace tokiwa {

TGanttSeries::TGanttSeries(TComponent* owner)
    : TPointSeries(owner),
      endValues_(new TChartValueList(this, "End")),
      nextTask_(new TChartValueList(this, "NextTask")),
      connectingPen_(std::make_unique<TChartPen>()) {}
TGanttSeries::~TGanttSeries() = default;
void TGanttSeries::SetEndValues(const TChartValueList& list) { endValues_->Assign(list); }
void TGanttSeries::SetNextTask(const TChartValueList& list) { nextTask_->Assign(list); }
int TGanttSeries::AddBar(double, double, double, const std::string&, TColor) { return -1; }
int TGanttSeries::AddBar(double s, double e, double y, const std::string& l) { return AddBar(s, e, y, l, ColorDefault); }
void TGanttSeries::Assign(const TPersistent& source) { TPointSeries::Assign(source); }
void TGanttSeries::DrawPoint(int) {}
void TGanttSeries::DrawMark(int index, const std::string& text, TRect rect, TPoint a, TPoint b) {
  TPointSeries::DrawMark(index, text, rect, a, b);
}
bool TGanttSeries::CanCopyFrom(const TChartSeries*) const { return false; }
void TGanttSeries::PreparePreview(bool enabled) { TPointSeries::PreparePreview(enabled); }
void TGanttSeries::FillSampleValues(int) {}
double TGanttSeries::HighestX() const { return TPointSeries::HighestX(); }
void TGanttSeries::ResetPendingValue(TChartValueList& list) { TPointSeries::ResetPendingValue(list); }
void TGanttSeries::HorizMargins(int& l, int& r) { l = r = 0; }
bool TGanttSeries::IsNearPointer(int, int, int, int, int) { return false; }
int TGanttSeries::PointAtPixel(int x, int y) { return TPointSeries::PointAtPixel(x, y); }
void TGanttSeries::DrawConnection(int, int, int) {}

}  // namespace tokiwa
