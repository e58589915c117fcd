// Placeholder legend: defaults and accessors only; layout and drawing come later.
#include "chart/legend.h"

namespace tokiwa {

TCustomChartLegend::TCustomChartLegend(TCustomAxisPanel* chart) : TChartFontObject(chart) {}

void TCustomChartLegend::SetLegendStyle(TLegendStyle s) { Set(legendStyle_, s); }
void TCustomChartLegend::SetColorWidth(int v) { Set(colorWidth_, v); }
void TCustomChartLegend::SetFirstValue(int v) { Set(firstValue_, v); }
void TCustomChartLegend::SetTopPos(int v) { Set(topPos_, v); }
void TCustomChartLegend::ResolveLegendStyle() {}
int TCustomChartLegend::LegendItemCount() const { return 0; }
std::string TCustomChartLegend::LegendItemText(int) const { return {}; }
int TCustomChartLegend::WidestItemWidth(int) { return 0; }
void TCustomChartLegend::Assign(const TPersistent& source) { TChartFontObject::Assign(source); }

TChartLegend::TChartLegend(TCustomAxisPanel* chart) : TCustomChartLegend(chart) {}
std::string TChartLegend::ValueItemText(TChartSeries*, int) const { return {}; }
int TChartLegend::ItemsThatFit(int, int) { return 0; }
void TChartLegend::DrawLegend() {}
void TChartLegend::Assign(const TPersistent& source) { TCustomChartLegend::Assign(source); }

}  // namespace tokiwa
