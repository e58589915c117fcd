#include "chart/decorations.h"

#include "chart/chart.h"

namespace tokiwa {

TChartTitle::TChartTitle(TCustomAxisPanel* chart) : TChartFontObject(chart) { Font().SetColor(clBlue); }
void TChartTitle::SetText(const std::vector<std::string>& lines) { text_ = lines; Repaint(); }
std::string TChartTitle::TextString() const { return {}; }
bool TChartTitle::ContainsPoint(int x, int y) const { return visible_ && titleRect_.Contains(x, y); }
void TChartTitle::Assign(const TPersistent& source) { TChartFontObject::Assign(source); }

TChartWall::TChartWall(TCustomChart* owner) : owner_(owner) {}
void TChartWall::SetColor(TColor c) { color_ = c; }
void TChartWall::SetSize(int s) { size_ = s; }
void TChartWall::Assign(const TPersistent& source) { TPersistent::Assign(source); }

TChartGradient::TChartGradient(TCustomChart* owner) : owner_(owner) {}
void TChartGradient::SetVisible(bool v) { visible_ = v; }
void TChartGradient::SetDirection(TGradientDirection d) { direction_ = d; }
void TChartGradient::SetStartColor(TColor c) { startColor_ = c; }
void TChartGradient::SetEndColor(TColor c) { endColor_ = c; }
void TChartGradient::Assign(const TPersistent& source) { TPersistent::Assign(source); }

void FillGradient(Canvas&, const TRect&, TColor, TColor, bool) {}

}  // namespace tokiwa
