#include "chart/chart.h"
#include "chart/legend.h"

namespace tokiwa {

int TCustomChart::WallSize(const TChartAxis*) const { return 0; }
void TCustomChart::DrawWalls() {}
std::unique_ptr<TCustomChartLegend> TCustomChart::CreateLegendObject() {
  return std::make_unique<TChartLegend>(this);
}
void TCustomChart::DrawPanelBack(const TRect&) {}
void TCustomChart::PlaceTitlesAndLegend() {}
void TCustomChart::DrawPlotBack() {}
void TCustomChart::FillBackground(const TRect&) {}
void TCustomChart::DrawBackImage(const TRect&) {}
void TCustomChart::DrawTitleBlock(TChartTitle&, bool) {}
void TCustomChart::DrawBevels(TRect&) {}
void TCustomChart::PrepareWallPen(TChartWall&) {}

}  // namespace tokiwa
