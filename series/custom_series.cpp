#include "series/custom_series.h"

namespace tokiwa {

TCustomSeries::TCustomSeries(TComponent* owner)
    : TChartSeries(owner),
      pointer_(std::make_unique<TSeriesPointer>(this)),
      areaLinesPen_(std::make_unique<TChartPen>()),
      linePen_(std::make_unique<TChartPen>()) {}
TCustomSeries::~TCustomSeries() = default;
TColor TCustomSeries::AreaFillColor(TColor c) const { return c; }
void TCustomSeries::DrawPoint(int) {}
void TCustomSeries::DrawMark(int index, const std::string& text, TRect rect, TPoint a, TPoint b) {
  TChartSeries::DrawMark(index, text, rect, a, b);
}
int TCustomSeries::PointAtPixel(int, int) { return -1; }
void TCustomSeries::DrawSymbolShape(int index, const TRect& rect) { TChartSeries::DrawSymbolShape(index, rect); }
void TCustomSeries::HorizMargins(int& l, int& r) { TChartSeries::HorizMargins(l, r); }
void TCustomSeries::VertMargins(int& t, int& b) { TChartSeries::VertMargins(t, b); }
void TCustomSeries::Assign(const TPersistent& source) { TChartSeries::Assign(source); }
void TCustomSeries::DrawPointerAt(int, int, int, TColor) {}
bool TCustomSeries::IsNearPointer(int, int, int, int, int) { return false; }
int TCustomSeries::AreaBaseY(int) const { return 0; }

TPointSeries::TPointSeries(TComponent* owner) : TCustomSeries(owner) {}
void TPointSeries::Assign(const TPersistent& source) { TCustomSeries::Assign(source); }
TLineSeries::TLineSeries(TComponent* owner) : TCustomSeries(owner) {}
void TLineSeries::Assign(const TPersistent& source) { TCustomSeries::Assign(source); }
void TLineSeries::LegendSymbolStyle(int, TColor&, TBrushStyle&) {}
TAreaSeries::TAreaSeries(TComponent* owner) : TCustomSeries(owner) {}
void TAreaSeries::SetMultiArea(TMultiArea m) { multiArea_ = m; }
void TAreaSeries::Assign(const TPersistent& source) { TCustomSeries::Assign(source); }
void TAreaSeries::LegendSymbolStyle(int, TColor&, TBrushStyle&) {}
double TAreaSeries::HighestY() const { return TCustomSeries::HighestY(); }
double TAreaSeries::LowestY() const { return TCustomSeries::LowestY(); }
int TAreaSeries::PointScreenY(int index) const { return TCustomSeries::PointScreenY(index); }
void TAreaSeries::AssignDepthSlot() { TCustomSeries::AssignDepthSlot(); }
int TAreaSeries::AreaBaseY(int index) const { return TCustomSeries::AreaBaseY(index); }
int TAreaSeries::StackedPosition(int, double) const { return 0; }

}  // namespace tokiwa
