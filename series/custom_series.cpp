#include "series/custom_series.h"

#include <algorithm>

#include "runtime/geometry.h"

namespace tokiwa {

TCustomSeries::TCustomSeries(TComponent* owner)
    : TChartSeries(owner),
      pointer_(std::make_unique<TSeriesPointer>(this)),
      areaLinesPen_(std::make_unique<TChartPen>()),
      linePen_(std::make_unique<TChartPen>()) {
  pointer_->OnChange = StyleChangedHandler();
  areaLinesPen_->OnChange = StyleChangedHandler();
  linePen_->OnChange = StyleChangedHandler();
  SetKeepPointPastRange(true);
}

// The members go in reverse order of declaration: line pen, area pen, pointer.
TCustomSeries::~TCustomSeries() = default;

TColor TCustomSeries::AreaFillColor(TColor c) const {
  return (ColorEachPoint() || areaColor_ == ColorDefault) ? c : areaColor_;
}

void TCustomSeries::HorizMargins(int& left, int& right) {
  TChartSeries::HorizMargins(left, right);
  if (pointer_->Visible() && pointer_->InflateMargins()) {
    left = std::max<int>(left, Px(pointer_->HorizSize()) + 1);
    right = std::max<int>(right, Px(pointer_->HorizSize()) + 1);
  }
}

void TCustomSeries::VertMargins(int& top, int& bottom) {
  TChartSeries::VertMargins(top, bottom);
  if (pointer_->Visible() && pointer_->InflateMargins()) {
    top = std::max<int>(top, Px(pointer_->VertSize()) + 1);
    bottom = std::max<int>(bottom, Px(pointer_->VertSize()) + 1);
  }
}

void TCustomSeries::Assign(const TPersistent& source) {
  if (auto s = dynamic_cast<const TCustomSeries*>(&source)) {
    SetStairs(s->stairs_);
    SetInvertedStairs(s->invertedStairs_);
    SetDrawArea(s->drawArea_);
    SetDrawLines(s->drawLines_);
    pointer_->Assign(*s->pointer_);
    areaLinesPen_->Assign(*s->areaLinesPen_);
    linePen_->Assign(*s->linePen_);
    SetAreaColor(s->areaColor_);
    SetLineBrush(s->lineBrush_);
    SetAreaBrush(s->areaBrush_);
    SetClickableLine(s->clickableLine_);
  }
  TChartSeries::Assign(source);
}

// --- point series ---

TPointSeries::TPointSeries(TComponent* owner) : TCustomSeries(owner) {
  SetDrawLines(false);
  Marks().SetArrowLength(0);
  SetClickableLine(false);
  Pointer().SetVisible(true);
}

void TPointSeries::Assign(const TPersistent& source) {
  TCustomSeries::Assign(source);
  Pointer().SetVisible(true);
  SetDrawArea(false);
  SetDrawLines(false);
  SetClickableLine(false);
}

// --- line series ---

TLineSeries::TLineSeries(TComponent* owner) : TCustomSeries(owner) {
  SetDrawLines(true);
  SetSinglePointAllowed(false);
  Pointer().SetVisible(false);
}

void TLineSeries::Assign(const TPersistent& source) {
  TCustomSeries::Assign(source);
  Pointer().SetVisible(false);
  SetDrawArea(false);
  SetDrawLines(true);
}

}  // namespace tokiwa
