#include "chart/series.h"

#include "chart/axis_panel.h"

namespace tokiwa {

TChartSeries::TChartSeries(TComponent* owner) : TComponent(owner) {
  xValues_ = new TChartValueList(this, "X");
  yValues_ = new TChartValueList(this, "Y");
  xValues_->SetOrder(TChartListOrder::loAscending);
  marks_ = std::make_unique<TSeriesMarks>(this);
}
TChartSeries::~TChartSeries() { BeginDestroy(); }
bool TChartSeries::SameKind(const TChartSeries&) const { return false; }
void TChartSeries::SetXValues(const TChartValueList&) {}
void TChartSeries::SetYValues(const TChartValueList&) {}
int TChartSeries::PointCount() const { return xValues_->ItemCount(); }
bool TChartSeries::MainListIsY() const { return true; }
bool TChartSeries::HasLabel(int) const { return false; }
void TChartSeries::PointAdded(TChartSeries*, int) {}
void TChartSeries::DrawPoint(int) {}
void TChartSeries::BeginDrawing() {}
void TChartSeries::EndDrawing() {}
void TChartSeries::DrawMark(int, const std::string&, TRect, TPoint, TPoint) {}
double TChartSeries::PointX(int i) const { return xValues_->ValueAt(i); }
double TChartSeries::PointY(int i) const { return yValues_->ValueAt(i); }
std::string TChartSeries::PointLabel(int) const { return {}; }
TColor TChartSeries::PointColor(int) const { return seriesColor_; }
void TChartSeries::SetSeriesColor(TColor c) { seriesColor_ = c; }
void TChartSeries::SetParentChart(TCustomAxisPanel* chart) { parentChart_ = chart; }
void TChartSeries::SetActive(bool a) { active_ = a; }
void TChartSeries::SourcePointDeleted(TChartSeries*, int) {}
int TChartSeries::CopyPointFrom(TChartSeries*, int) { return -1; }
void TChartSeries::SourcePointAdded(TChartSeries*, int) {}
void TChartSeries::ReloadFromSource(TChartSeries*) {}
void TChartSeries::DiscardPoints() {}
bool TChartSeries::UsesAxis(const TChartAxis*) const { return false; }
void TChartSeries::DrawPoints() {}
bool TChartSeries::CanCopyFrom(const TChartSeries* s) const { return s != this; }
bool TChartSeries::AcceptsSource(const TComponent*) const { return true; }
void TChartSeries::PreparePreview(bool) {}
void TChartSeries::FillSampleValues(int) {}
void TChartSeries::RemoveAllPoints() {}
int TChartSeries::AppendValue(double, const std::string&, TColor) { return -1; }
int TChartSeries::AppendPoint(double, double, const std::string&, TColor) { return -1; }
int TChartSeries::AppendEmpty(const std::string&) { return -1; }
void TChartSeries::RemovePoint(int) {}
double TChartSeries::HighestX() const { return 0; }
double TChartSeries::LowestX() const { return 0; }
double TChartSeries::HighestY() const { return 0; }
double TChartSeries::LowestY() const { return 0; }
int TChartSeries::PointScreenX(int) const { return 0; }
int TChartSeries::PointScreenY(int) const { return 0; }
void TChartSeries::InsertPendingExtras(int) {}
TChartValueList& TChartSeries::ValueListByName(const std::string&) { return *yValues_; }
int TChartSeries::PointAtPixel(int, int) { return -1; }
double TChartSeries::StackingValue(int) const { return 0; }
double TChartSeries::MarkValue(int) const { return 0; }
double TChartSeries::StackedSumBefore(int, bool) const { return 0; }
TChartValueList& TChartSeries::MainValueList() { return *yValues_; }
void TChartSeries::AssignDepthSlot() {}
void TChartSeries::MouseMoved(TShiftState, int, int) {}
bool TChartSeries::RaiseClick(TChartSeries*, int, TMouseButton, TShiftState, int, int) { return false; }
void TChartSeries::MouseReleased(TMouseButton, TShiftState, int, int) {}
void TChartSeries::ResetPendingValue(TChartValueList& l) { l.PendingValue = 0; }
void TChartSeries::DrawLegendSymbol(int, const TRect&) {}
void TChartSeries::DrawSymbolShape(int, const TRect&) {}
void TChartSeries::LegendSymbolStyle(int, TColor&, TBrushStyle&) {}
void TChartSeries::HorizMargins(int& l, int& r) { l = r = 0; }
void TChartSeries::VertMargins(int& t, int& b) { t = b = 0; }
void TChartSeries::SetFunction(std::unique_ptr<TChartFunction> f) { function_ = std::move(f); }
void TChartSeries::StyleChanged(TPersistent*) {}
int TChartSeries::ValuePositionX(double) const { return 0; }
int TChartSeries::ValuePositionY(double) const { return 0; }
TChartAxis* TChartSeries::GetHorizAxis() const { return nullptr; }
TChartAxis* TChartSeries::GetVertAxis() const { return nullptr; }
void TChartSeries::ComputeShownRange() {}
int TChartSeries::PointUnderCursor() { return -1; }
std::string TChartSeries::MarkText(int) { return {}; }
std::string TChartSeries::PercentText(int, bool) { return {}; }
void TChartSeries::DrawMarks() {}
int TChartSeries::MarkTextWidth() { return 0; }
void TChartSeries::SetDataSource(TComponent*) {}
void TChartSeries::AddDataSource(TComponent*) {}
void TChartSeries::NotifyDependents(TSourceChange, int) {}
void TChartSeries::ReloadFromDataSource() {}
void TChartSeries::RepaintChart() {}
std::unique_ptr<TChartFunction> TChartSeries::ReleaseFunction() { return std::move(function_); }
void TChartSeries::SetXLabelsSource(const std::string& s) { xLabelsSource_ = s; }
void TChartSeries::SetColorSource(const std::string& s) { colorSource_ = s; }
void TChartSeries::Assign(const TPersistent&) {}
void TChartSeries::Notification(TComponent*, TOperation) {}
void TChartSeries::RegisterValueList(TChartValueList* l) { valueLists_.emplace_back(l); }
std::function<void(TGraphicsObject*)> TChartSeries::StyleChangedHandler() { return {}; }
TCustomAxisPanel& TChartSeries::Chart() const { return *parentChart_; }
Canvas& TChartSeries::ChartCanvas() const { return parentChart_->DrawCanvas(); }
void TChartSeries::InsertColorAndLabel(int, TColor, const std::string&) {}
void TChartSeries::LeaveSourceDependents() {}
void TChartSeries::CheckSourceLoop(TChartSeries*) const {}

}  // namespace tokiwa
