#include "chart/chart.h"

namespace tokiwa {

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner) {
  title_ = std::make_unique<TChartTitle>(this);
  foot_ = std::make_unique<TChartTitle>(this);
  gradient_ = std::make_unique<TChartGradient>(this);
  leftWall_ = std::make_unique<TChartWall>(this);
  leftWall_->SetColor(0x80FFFF);
  bottomWall_ = std::make_unique<TChartWall>(this);
  bottomWall_->SetColor(clWhite);
  backImage_ = std::make_unique<TPicture>();
  backImage_->OnChange = [this](TGraphicsObject* sender) { SubObjectChanged(sender); };
  CreateLegend();
}

TCustomChart::~TCustomChart() = default;

void TCustomChart::Assign(const TPersistent& source) { TCustomAxisPanel::Assign(source); }

}  // namespace tokiwa
