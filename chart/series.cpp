#include "chart/series.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "chart/axis_panel.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"
#include "runtime/text_compare.h"

namespace tokiwa {

TChartSeries::TChartSeries(TComponent* owner) : TComponent(owner) {
  // A value list registers itself with its series, which owns it from then on.
  xValues_ = new TChartValueList(this, "X");
  xValues_->SetOrder(TChartListOrder::loAscending);
  xValues_->SetDateTime(false);
  yValues_ = new TChartValueList(this, "Y");
  marks_ = std::make_unique<TSeriesMarks>();
  marks_->OnChange = StyleChangedHandler();
  valueFormat_ = msg::DefaultValueFormat;
  percentFormat_ = msg::DefaultPercentFormat;
}

TChartSeries::~TChartSeries() {
  BeginDestroy();
  FreeFunction();
  LeaveSourceDependents();
  dataSources_.clear();
  // Series fed by this one lose it as a source and rebuild from what is left.
  auto dependents = dependents_;
  for (TChartSeries* d : dependents) {
    if (std::find(dependents_.begin(), dependents_.end(), d) == dependents_.end()) continue;
    auto& theirs = d->dataSources_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    d->ReloadFromDataSource();
  }
  RemoveAllPoints();
  dependents_.clear();
  if (parentChart_) SetParentChart(nullptr);
}

void TChartSeries::RegisterValueList(TChartValueList* list) { valueLists_.emplace_back(list); }

bool TChartSeries::SameKind(const TChartSeries& other) const {
  return IsA(typeid(other)) || other.IsA(typeid(*this));
}

// --- points ---

int TChartSeries::PointCount() const { return xValues_->ItemCount(); }

bool TChartSeries::MainListIsY() const { return &MainValueList() == yValues_; }

bool TChartSeries::HasLabel(int index) const {
  return index >= 0 && index < LabelCount() && labelIds_[static_cast<size_t>(index)] != TLabelPool::kNone;
}

void TChartSeries::ReservePoints(int count) {
  if (count <= 0) return;
  const auto n = static_cast<size_t>(count);
  for (auto& list : valueLists_) list->Reserve(count);
  colors_.reserve(n);
  labelIds_.reserve(n);
}

void TChartSeries::SetXValues(const TChartValueList& list) {
  xValues_->Assign(list);
  RepaintChart();
}

void TChartSeries::SetYValues(const TChartValueList& list) {
  yValues_->Assign(list);
  RepaintChart();
}

void TChartSeries::InsertColorAndLabel(int index, TColor colour, const std::string& label) {
  // Sequences made short by an unusual Assign are padded so entries stay aligned.
  auto at = static_cast<size_t>(index);
  if (colors_.size() < at) colors_.resize(at, ColorDefault);
  colors_.insert(colors_.begin() + index, colour);
  if (labelIds_.size() < at) labelIds_.resize(at, TLabelPool::kNone);
  labelIds_.insert(labelIds_.begin() + index, labelPool_.Acquire(label));
}

int TChartSeries::AppendPoint(double x, double y, const std::string& label, TColor colour) {
  xValues_->PendingValue = x;
  yValues_->PendingValue = y;
  if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
  int i = xValues_->InsertInOrder(xValues_->PendingValue);
  yValues_->InsertAt(i, yValues_->PendingValue);
  InsertColorAndLabel(i, colour, label);
  PointAdded(this, i);
  return i;
}

bool TChartSeries::CanAppendQuietly(double x) const {
  const auto n = static_cast<std::size_t>(PointCount());
  return !OnBeforeAdd && !OnAfterAdd && dependents_.empty() && colors_.size() == n && labelIds_.size() == n &&
         xValues_->GoesLast(x);
}

void TChartSeries::AppendQuietly(double x, double y, const std::string& label, TColor colour, const double* extras) {
  xValues_->Append(x);
  yValues_->Append(y);
  for (std::size_t k = 2; k < valueLists_.size(); ++k) valueLists_[k]->Append(extras[k - 2]);
  colors_.push_back(colour);
  labelIds_.push_back(labelPool_.Acquire(label));
  if (active_) RepaintChart();
}

bool TChartSeries::AppendAllQuietly(std::vector<double>&& xs, std::vector<double>&& ys,
                                    std::vector<std::vector<double>>&& extras, std::vector<TColor>&& colours,
                                    const std::vector<int>& labels, const std::vector<std::string>& texts) {
  const std::size_t n = xs.size();
  const auto sized = [n](const auto& list) { return list.size() == n; };
  const auto known = [&texts](int label) { return label >= 0 && static_cast<std::size_t>(label) < texts.size(); };
  if (PointCount() != 0 || n == 0 || !CanAppendQuietly(xs.front()) || !xValues_->GoLast(xs) || !sized(ys) ||
      !sized(colours) || !sized(labels) || extras.size() + 2 != valueLists_.size() ||
      !std::all_of(extras.begin(), extras.end(), sized) || !std::all_of(labels.begin(), labels.end(), known))
    return false;
  labelIds_ = AcquireLabels(labels, texts);
  xValues_->AppendAll(std::move(xs));
  yValues_->AppendAll(std::move(ys));
  for (std::size_t k = 2; k < valueLists_.size(); ++k) valueLists_[k]->AppendAll(std::move(extras[k - 2]));
  colors_ = std::move(colours);
  if (active_) RepaintChart();
  return true;
}

std::vector<std::uint32_t> TChartSeries::AcquireLabels(const std::vector<int>& labels,
                                                       const std::vector<std::string>& texts) {
  // Each text is acquired once for all its points, where its first point
  // would have acquired it: the ids come out as acquiring point by point
  // gives them.
  std::vector<std::uint32_t> users(texts.size(), 0);
  for (const int label : labels) ++users[static_cast<std::size_t>(label)];
  std::vector<std::int64_t> idOf(texts.size(), -1);
  std::vector<std::uint32_t> ids;
  ids.reserve(labels.size());
  try {
    for (const int label : labels) {
      const auto t = static_cast<std::size_t>(label);
      if (idOf[t] < 0) idOf[t] = labelPool_.Acquire(texts[t], users[t]);
      ids.push_back(static_cast<std::uint32_t>(idOf[t]));
    }
  } catch (...) {
    for (std::size_t t = 0; t < texts.size(); ++t)
      if (idOf[t] >= 0) labelPool_.Release(static_cast<std::uint32_t>(idOf[t]), users[t]);
    throw;
  }
  return ids;
}

int TChartSeries::AppendValue(double y, const std::string& label, TColor colour) {
  double sequence = PointCount();
  if (MainListIsY()) return AppendPoint(sequence, y, label, colour);
  return AppendPoint(y, sequence, label, colour);
}

int TChartSeries::AppendEmpty(const std::string& label) { return AppendValue(0, label, ColorNone); }

void TChartSeries::PointAdded(TChartSeries* sender, int index) {
  if (OnAfterAdd) OnAfterAdd(sender, index);
  NotifyDependents(TSourceChange::scAdded, index);
  if (active_) RepaintChart();
}

void TChartSeries::InsertPendingExtras(int index) {
  for (int k = 2; k < ValueListCount(); ++k) ValueList(k).InsertAt(index, ValueList(k).PendingValue);
}

void TChartSeries::RemovePoint(int index) {
  if (index < 0 || index >= PointCount()) ThrowListIndexError(index);
  for (auto& list : valueLists_)
    if (index < list->ItemCount()) list->RemoveAt(index);
  if (index < static_cast<int>(colors_.size())) colors_.erase(colors_.begin() + index);
  if (index < LabelCount()) {
    labelPool_.Release(labelIds_[static_cast<size_t>(index)]);
    labelIds_.erase(labelIds_.begin() + index);
  }
  // Hit tests between paints walk the last paint's shown range: keep it on the points.
  if (lastShown_ >= PointCount()) lastShown_ = PointCount() - 1;
  if (firstShown_ >= PointCount()) firstShown_ = lastShown_ = -1;
  NotifyDependents(TSourceChange::scDeleted, index);
  RepaintChart();
}

void TChartSeries::DiscardPoints() {
  for (auto& list : valueLists_) list->RemoveAll();
  colors_.clear();
  labelIds_.clear();
  labelPool_.Clear();
  firstShown_ = lastShown_ = -1;
}

void TChartSeries::RemoveAllPoints() {
  DiscardPoints();
  if (OnClearValues) OnClearValues(this);
  NotifyDependents(TSourceChange::scCleared, 0);
  // A series being destroyed leaves its chart next, which repaints then.
  if (parentChart_ && !parentChart_->Destroying() && !Destroying()) RepaintChart();
}

void TChartSeries::SourcePointDeleted(TChartSeries*, int index) { RemovePoint(index); }

double TChartSeries::PointX(int index) const { return xValues_->ValueAt(index); }
double TChartSeries::PointY(int index) const { return yValues_->ValueAt(index); }

std::string TChartSeries::PointLabel(int index) const {
  return HasLabel(index) ? labelPool_.Text(labelIds_[static_cast<size_t>(index)]) : std::string();
}

TColor TChartSeries::PointColor(int index) const {
  if (index < 0 || index >= static_cast<int>(colors_.size())) return seriesColor_;
  TColor c = colors_[static_cast<size_t>(index)];
  if (c != ColorDefault) return c;
  return colorEachPoint_ ? PaletteColor(index) : seriesColor_;
}

double TChartSeries::HighestX() const { return xValues_->HighestValue(); }
double TChartSeries::LowestX() const { return xValues_->LowestValue(); }
double TChartSeries::HighestY() const { return yValues_->HighestValue(); }
double TChartSeries::LowestY() const { return yValues_->LowestValue(); }

TChartValueList& TChartSeries::ValueListByName(const std::string& name) {
  for (int k = 2; k < ValueListCount(); ++k)
    if (SameTextIgnoreCase(ValueList(k).Name(), name)) return ValueList(k);
  return *yValues_;
}

double TChartSeries::StackingValue(int index) const { return MarkValue(index); }
double TChartSeries::MarkValue(int index) const { return PointY(index); }

double TChartSeries::StackedSumBefore(int index, bool includeSelf) const {
  if (!parentChart_) return 0;
  // Without this series: the series before it; with it: the whole column.
  double sum = 0;
  for (TChartSeries* s : parentChart_->SeriesList()) {
    if (s == this && !includeSelf) break;
    if (s->Active() && SameKind(*s) && s->PointCount() > index) {
      double v = s->StackingValue(index);
      if (v > 0) sum += v;
    }
  }
  return sum;
}

TChartValueList& TChartSeries::MainValueList() { return *yValues_; }

void TChartSeries::ResetPendingValue(TChartValueList& list) { list.PendingValue = 0; }

void TChartSeries::HorizMargins(int& left, int& right) { left = right = 0; }
void TChartSeries::VertMargins(int& top, int& bottom) { top = bottom = 0; }

void TChartSeries::MouseMoved(TShiftState, int, int) {}
void TChartSeries::MouseReleased(TMouseButton, TShiftState, int, int) {}

// --- properties ---

void TChartSeries::SetSeriesColor(TColor colour) { Set(seriesColor_, colour); }
void TChartSeries::SetActive(bool active) { Set(active_, active); }

void TChartSeries::SetXLabelsSource(const std::string& s) {
  if (StoreIfChanged(xLabelsSource_, s)) ReloadFromDataSource();
}

void TChartSeries::SetColorSource(const std::string& s) {
  if (StoreIfChanged(colorSource_, s)) ReloadFromDataSource();
}

void TChartSeries::RepaintChart() {
  if (parentChart_) parentChart_->RequestRepaint();
}

void TChartSeries::StyleChanged(TPersistent*) { RepaintChart(); }

TChangeHandler TChartSeries::StyleChangedHandler() {
  return [this](TPersistent* sender) { StyleChanged(sender); };
}

TCustomAxisPanel& TChartSeries::Chart() const {
  if (!parentChart_) throw std::logic_error("series drawn without a chart");
  return *parentChart_;
}

Canvas& TChartSeries::ChartCanvas() const { return Chart().DrawCanvas(); }

// --- attachment ---

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
  if (chart == parentChart_) return;
  if (TCustomAxisPanel* old = parentChart_) {
    LeaveSourceDependents();
    parentChart_ = nullptr;
    old->DetachSeries(this);
  }
  if (chart) {
    parentChart_ = chart;
    // Follow the sources again: a series moved to another chart keeps its data
    // sources and must go on receiving their changes.
    JoinSourceDependents();
    chart->AttachSeries(this);
  }
}

// --- design-time preview ---

void TChartSeries::PreparePreview(bool enabled) {
  FillSampleValues(4);
  marks_->SetVisible(false);
  colorEachPoint_ = false;
  if (!enabled) SetSeriesColor(0xC0C0C0);
}

// --- assignment ---

void TChartSeries::Assign(const TPersistent& source) {
  auto* src = dynamic_cast<const TChartSeries*>(&source);
  if (!src) {
    TPersistent::Assign(source);
    return;
  }
  if (src == this) return;
  SetTag(src->Tag());
  SetDataSource(nullptr);
  if (MainListIsY() && src->MainListIsY()) {
    xValues_->Assign(*src->xValues_);
    yValues_->Assign(*src->yValues_);
  } else {
    xValues_->Assign(*src->yValues_);
    yValues_->Assign(*src->xValues_);
  }
  xLabelsSource_ = src->xLabelsSource_;
  colorSource_ = src->colorSource_;
  for (int k = 2; k < std::min(ValueListCount(), src->ValueListCount()); ++k) ValueList(k).Assign(src->ValueList(k));
  if (!function_ && src->function_) SetFunction(src->function_->Clone(Owner()));
  auto* from = const_cast<TChartSeries*>(src);  // read only: its points are copied
  if (!src->dataSources_.empty()) {
    for (TComponent* c : src->dataSources_) AddDataSource(c);
  } else {
    ReloadFromSource(from);
  }
  marks_->Assign(*src->marks_);
  SetSeriesColor(src->seriesColor_);
  SetColorEachPoint(src->colorEachPoint_);
  SetTitle(src->title_);
  SetValueFormat(src->valueFormat_);
  SetPercentFormat(src->percentFormat_);
  SetActive(src->active_);
  SetHorizAxis(src->horizAxis_);
  SetVertAxis(src->vertAxis_);
  followFlags_ = src->followFlags_;
  cursor_ = src->cursor_;
  SetShowInLegend(src->showInLegend_);
  styleFlags_ = src->styleFlags_;
  identifier_ = src->identifier_;
  ReloadFromDataSource();
}

}  // namespace tokiwa
