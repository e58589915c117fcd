#include "chart/axis_panel.h"

#include "chart/series.h"

namespace tokiwa {

int TChartSeriesList::IndexOf(const TChartSeries* s) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[i] == s) return i;
  return -1;
}

void TChartSeriesList::Remove(TChartSeries* s) {
  int i = IndexOf(s);
  if (i >= 0) items_.erase(items_.begin() + i);
}

int TChartSeriesList::ActiveSeriesCount() const {
  int n = 0;
  for (auto* s : items_)
    if (s->Active()) ++n;
  return n;
}

TCustomAxisPanel::TCustomAxisPanel(TComponent* owner) : TCustomChartPanel(owner) {
  SetBounds(Left(), Top(), 400, 250);
  seriesList_ = std::make_unique<TChartSeriesList>(this);
  frame_.OnChange = [this](TGraphicsObject* sender) { SubObjectChanged(sender); };
  bottomAxis_ = std::make_unique<TChartAxis>(this, true, false);
  topAxis_ = std::make_unique<TChartAxis>(this, true, true);
  leftAxis_ = std::make_unique<TChartAxis>(this, false, false);
  rightAxis_ = std::make_unique<TChartAxis>(this, false, true);
  SetSeparateDepthSlots(true);
}

TCustomAxisPanel::~TCustomAxisPanel() = default;

int TCustomAxisPanel::SeriesCount() const { return seriesList_ ? seriesList_->Count() : 0; }
TChartSeries* TCustomAxisPanel::SeriesAt(int index) const { return (*seriesList_)[index]; }
int TCustomAxisPanel::ActiveSeriesCount() const { return seriesList_->ActiveSeriesCount(); }
void TCustomAxisPanel::AttachSeries(TChartSeries* series) {
  if (seriesList_->IndexOf(series) >= 0) return;
  seriesList_->Add(series);
}
void TCustomAxisPanel::DetachSeries(TChartSeries* series) { seriesList_->Remove(series); }
void TCustomAxisPanel::DestroyAllSeries() {}
TChartSeries* TCustomAxisPanel::FirstActiveSeries() const { return nullptr; }
TChartSeries* TCustomAxisPanel::FirstSeriesOnAxis(const TChartAxis*) const { return nullptr; }
TChartSeries* TCustomAxisPanel::FirstFilledSeriesOnAxis(const TChartAxis*) const { return nullptr; }
bool TCustomAxisPanel::IsAxisShown(const TChartAxis*) const { return false; }
double TCustomAxisPanel::LowestXOnAxis(const TChartAxis*) const { return 0; }
double TCustomAxisPanel::HighestXOnAxis(const TChartAxis*) const { return 0; }
double TCustomAxisPanel::LowestYOnAxis(const TChartAxis*) const { return 0; }
double TCustomAxisPanel::HighestYOnAxis(const TChartAxis*) const { return 0; }
int TCustomAxisPanel::LargestPointCount() const { return 0; }
int TCustomAxisPanel::PageCount() const { return 1; }
int TCustomAxisPanel::WidestPointLabel() { return 0; }
int TCustomAxisPanel::WidestMarkText() { return 0; }
TColor TCustomAxisPanel::PickSeriesColor(bool) const { return clRed; }
std::string TCustomAxisPanel::LegendItemText(int) const { return {}; }
std::string TCustomAxisPanel::LegendValueText(TChartSeries*, int) const { return {}; }
TChartSeries* TCustomAxisPanel::LegendSeriesAt(int) const { return nullptr; }
std::string TCustomAxisPanel::LegendSeriesTitle(int) const { return "?"; }
TRect TCustomAxisPanel::PlotFrameRect() const { return PlotRect(); }
TRect TCustomAxisPanel::PlotHitRect() const { return PlotRect(); }
bool TCustomAxisPanel::IsValidSeriesSource(const TChartSeries*, const TComponent*) const { return false; }
void TCustomAxisPanel::RefreshSeriesSource(TChartSeries*) {}
void TCustomAxisPanel::CheckSourceLoop(const TComponent*, const TChartSeries*) const {}
void TCustomAxisPanel::DrawChart(Canvas&, const TRect&) {}
void TCustomAxisPanel::DrawAllParts(const TRect&) {}
void TCustomAxisPanel::SetAxesRanges(double, double, double, double, double, double, double, double) {}
void TCustomAxisPanel::ZoomToDrag() {}
void TCustomAxisPanel::FitAxes() {}
void TCustomAxisPanel::ReserveSeriesMargins() {}
void TCustomAxisPanel::DrawPlotBack() {}
void TCustomAxisPanel::DrawOneSeries(TChartSeries*) {}
void TCustomAxisPanel::SetChart3DPercent(int v) { SetProperty(chart3DPercent_, v); }
void TCustomAxisPanel::SetMonochrome(bool v) { SetProperty(monochrome_, v); }
void TCustomAxisPanel::SetPage(int v) { SetProperty(page_, v); }
void TCustomAxisPanel::SetMaxPointsPerPage(int v) { SetProperty(maxPointsPerPage_, v); }
void TCustomAxisPanel::Assign(const TPersistent& source) { TCustomChartPanel::Assign(source); }
void TCustomAxisPanel::ClipSeries() {}
void TCustomAxisPanel::CreateLegend() { legend_ = CreateLegendObject(); }
double TCustomAxisPanel::ExtentOnAxis(const TChartAxis*, bool, bool) const { return 0; }
void TCustomAxisPanel::AssignDepthSlots() {}

}  // namespace tokiwa
