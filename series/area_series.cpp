// The area series and its stacking: with MultiArea set, each area of a chart
// sits on the sum of the same-index values of the areas before it.
#include <algorithm>
#include <typeinfo>

#include "chart/axis_panel.h"
#include "series/custom_series.h"
#include "series/series_pens.h"

namespace tokiwa {

TAreaSeries::TAreaSeries(TComponent* owner) : TCustomSeries(owner) {
  SetDrawArea(true);
  SetSinglePointAllowed(false);
  Pointer().SetVisible(false);
}

void TAreaSeries::SetMultiArea(TMultiArea m) {
  bool changed = multiArea_ != m;
  multiArea_ = m;
  if (TCustomAxisPanel* chart = ParentChart()) {
    for (TChartSeries* s : chart->SeriesList()) {
      if (s == this || !s->IsA(typeid(TAreaSeries))) continue;
      auto* area = static_cast<TAreaSeries*>(s);
      changed = changed || area->multiArea_ != m;
      area->multiArea_ = m;
    }
  }
  if (changed) RepaintChart();
}

void TAreaSeries::Assign(const TPersistent& source) {
  TCustomSeries::Assign(source);
  if (auto area = dynamic_cast<const TAreaSeries*>(&source)) SetMultiArea(area->multiArea_);
  SetDrawArea(true);
  SetDrawLines(true);
  Pointer().SetVisible(false);
}

void TAreaSeries::LegendSymbolStyle(int index, TColor&, TBrushStyle& brushStyle) {
  Canvas& canvas = ChartCanvas();
  UseChartPen(canvas, AreaLinesPen());
  canvas.Brush().SetColor(AreaFillColor(index == -1 ? SeriesColor() : PointColor(index)));
  brushStyle = AreaBrush();
}

int TAreaSeries::StackedPosition(int index, double value) const {
  const double below = StackedSumBefore(index, false);
  if (multiArea_ == TMultiArea::maStacked) return ValuePositionY(value + below);
  // A column whose values are all zero has no shares: it lies on the base line
  // instead of at the top edge of the window.
  const double total = StackedSumBefore(index, true);
  if (total == 0) return ValuePositionY(0);
  return ValuePositionY(100.0 * (value + below) / total);
}

int TAreaSeries::AreaBaseY(int index) const {
  if (multiArea_ == TMultiArea::maNone) return TCustomSeries::AreaBaseY(index);
  return StackedPosition(index, 0);
}

int TAreaSeries::PointScreenY(int index) const {
  if (multiArea_ == TMultiArea::maNone) return TCustomSeries::PointScreenY(index);
  return StackedPosition(index, PointY(index));
}

double TAreaSeries::HighestY() const {
  const double base = TCustomSeries::HighestY();
  switch (multiArea_) {
    case TMultiArea::maNone:
      return base;
    case TMultiArea::maStacked100:
      return 100;
    case TMultiArea::maStacked:
      break;
  }
  double highest = base;
  for (int i = 0, n = PointCount(); i < n; ++i)
    highest = std::max(highest, PointY(i) + StackedSumBefore(i, false));
  return highest;
}

double TAreaSeries::LowestY() const {
  return multiArea_ == TMultiArea::maStacked100 ? 0 : TCustomSeries::LowestY();
}

// Stacked areas share one depth slot. The first of them, when no slot has been
// handed out yet, opens one like any series; taking the not-yet-counted -1
// would put it behind the back wall.
void TAreaSeries::AssignDepthSlot() {
  TCustomAxisPanel* chart = ParentChart();
  if (multiArea_ != TMultiArea::maNone && chart && chart->View3D() && chart->TopDepthSlot() >= 0) {
    SetDepthSlot(chart->TopDepthSlot());
    return;
  }
  TCustomSeries::AssignDepthSlot();
}

}  // namespace tokiwa
