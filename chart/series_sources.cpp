// Series fed by other series: data sources, dependents, functions and the
// design-time sample values.
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "chart/axis_panel.h"
#include "chart/chart_exceptions.h"
#include "chart/engine_settings.h"
#include "chart/series.h"
#include "runtime/date_time.h"
#include "runtime/messages.h"
#include "runtime/safe_math.h"

namespace tokiwa {

namespace {

template <class T, class U>
bool Contains(const std::vector<T>& items, const U* item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

template <class T, class U>
void EraseAll(std::vector<T>& items, const U* item) {
  items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

}  // namespace

// --- data sources ---

bool TChartSeries::ListsSource(const TComponent* source) const { return Contains(dataSources_, source); }

void TChartSeries::LeaveSourceDependents() {
  for (TComponent* c : dataSources_)
    if (auto* s = dynamic_cast<TChartSeries*>(c)) EraseAll(s->dependents_, this);
}

void TChartSeries::JoinSourceDependents() {
  for (TComponent* c : dataSources_)
    if (auto* s = dynamic_cast<TChartSeries*>(c); s && !Contains(s->dependents_, this))
      s->dependents_.push_back(this);
}

void TChartSeries::ShowEngineMessage(const std::string& text) const {
  if (parentChart_ && parentChart_->Host()) {
    parentChart_->Host()->ShowMessage(text);
  } else if (EngineSettings().ShowMessage) {
    EngineSettings().ShowMessage(text);
  }
}

void TChartSeries::CheckSourceAcceptable(TComponent* source) const {
  bool valid = parentChart_ ? parentChart_->IsValidSeriesSource(this, source)
                            : source != this && dynamic_cast<TChartSeries*>(source) && AcceptsSource(source);
  if (!valid) throw ChartException(FormatText(msg::InvalidDataSource, {Arg(source->Name())}));
}

void TChartSeries::CheckSourceLoop(const TComponent* fed, const TChartSeries* source) {
  auto refuse = [] { throw ChartException(std::string(msg::CircularSource)); };
  if (source == fed) refuse();
  // Every source of every reachable series counts, not only the first: a loop
  // through any of them would rebuild the series from each other forever.
  std::vector<const TChartSeries*> pending{source};
  std::unordered_set<const TChartSeries*> seen;
  while (!pending.empty()) {
    const TChartSeries* s = pending.back();
    pending.pop_back();
    if (!seen.insert(s).second) continue;
    for (TComponent* c : s->dataSources_) {
      if (c == fed) refuse();
      if (auto* next = dynamic_cast<const TChartSeries*>(c)) pending.push_back(next);
    }
  }
}

void TChartSeries::LinkSource(TComponent* source) {
  dataSources_.push_back(source);
  // Told of its destruction whatever it is, so no source pointer is left dangling.
  FreeNotification(source);
  if (auto* s = dynamic_cast<TChartSeries*>(source); s && !Contains(s->dependents_, this))
    s->dependents_.push_back(this);
}

void TChartSeries::SetDataSource(TComponent* source) {
  if (!source) {
    ClearDataSource();
    return;
  }
  if (!parentChart_) {
    ShowEngineMessage(std::string(msg::NoParentForDataSource));
    return;
  }
  CheckSourceAcceptable(source);
  if (ListsSource(source)) return;
  if (auto* s = dynamic_cast<TChartSeries*>(source)) CheckSourceLoop(this, s);
  if (!Loading()) {
    LeaveSourceDependents();
    dataSources_.clear();
  }
  LinkSource(source);
  if (!Loading()) ReloadFromDataSource();
}

void TChartSeries::AddDataSource(TComponent* source) {
  if (!source || ListsSource(source)) return;
  CheckSourceAcceptable(source);
  if (auto* s = dynamic_cast<TChartSeries*>(source)) CheckSourceLoop(this, s);
  LinkSource(source);
  if (!Loading()) ReloadFromDataSource();
}

void TChartSeries::ClearDataSource() {
  LeaveSourceDependents();
  dataSources_.clear();
  RemoveAllPoints();
  RepaintChart();
}

void TChartSeries::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  // The component is being destroyed: only its address may be used.
  EraseAll(dependents_, component);
  if (ListsSource(component)) {
    EraseAll(dataSources_, component);
    if (!Destroying()) ClearDataSource();
  }
}

void TChartSeries::NotifyDependents(TSourceChange kind, int index) {
  if (dependents_.empty()) return;
  const auto dependents = dependents_;
  for (TChartSeries* d : dependents) {
    // A dependent destroyed by an earlier one's reaction has left the list.
    if (!Contains(dependents_, d) || !d->ListsSource(this)) continue;
    const TFollowFlags follow = d->followFlags_;
    if (d->function_) {
      d->RecalculateOnSourceChange(kind);
      continue;
    }
    switch (kind) {
      case TSourceChange::scCleared:
        if (follow & ffClears) d->RemoveAllPoints();
        break;
      case TSourceChange::scAdded:
        if (follow & ffAdds) d->SourcePointAdded(this, index);
        break;
      case TSourceChange::scDeleted:
        if (follow & ffDeletes) d->SourcePointDeleted(this, index);
        break;
      case TSourceChange::scReload:
        d->ReloadFromSource(this);
        break;
      case TSourceChange::scValueChanged:
        if (follow & ffValueChanges) d->ReloadFromSource(this);
        break;
    }
  }
}

// A computed series depends on all of its sources' points: any change it
// follows is computed again from its first source.
void TChartSeries::RecalculateOnSourceChange(TSourceChange kind) {
  TFollowFlags needed = 0;
  switch (kind) {
    case TSourceChange::scCleared: needed = ffClears; break;
    case TSourceChange::scAdded: needed = ffAdds; break;
    case TSourceChange::scDeleted: needed = ffDeletes; break;
    case TSourceChange::scReload: break;
    case TSourceChange::scValueChanged: needed = ffValueChanges; break;
  }
  if ((followFlags_ & needed) != needed || function_->Updating) return;
  if (auto* first = dynamic_cast<TChartSeries*>(DataSource())) ReloadFromSource(first);
}

void TChartSeries::ReloadFromDataSource() {
  if (parentChart_) parentChart_->RefreshSeriesSource(this);
}

bool TChartSeries::CanCopyFrom(const TChartSeries* series) const { return series != this; }

bool TChartSeries::AcceptsSource(const TComponent*) const { return true; }

void TChartSeries::ReloadFromSource(TChartSeries* source) {
  if (!source || !CanCopyFrom(source)) return;
  RemoveAllPoints();
  if (function_) {
    xValues_->SetDateTime(source->XValues().DateTime());
    yValues_->SetDateTime(source->YValues().DateTime());
    function_->AddPoints(source);
  } else {
    for (int i = 0; i < source->PointCount(); ++i) SourcePointAdded(source, i);
  }
  NotifyDependents(TSourceChange::scReload, 0);
}

void TChartSeries::SourcePointAdded(TChartSeries* source, int index) {
  int j = CopyPointFrom(source, index);
  // Colour and label entries are inserted even when the source has none, so that
  // they stay aligned with the points.
  TColor colour = index < static_cast<int>(source->colors_.size()) ? source->colors_[static_cast<size_t>(index)]
                                                                    : ColorDefault;
  InsertColorAndLabel(j, colour, source->PointLabel(index));
  PointAdded(this, j);
}

int TChartSeries::CopyPointFrom(TChartSeries* source, int index) {
  double x = source->XValues().ValueAt(index);
  double y = source->YValues().ValueAt(index);
  if (!(MainListIsY() && source->MainListIsY())) std::swap(x, y);
  int j = xValues_->InsertInOrder(x);
  yValues_->InsertAt(j, y);
  for (int k = 2; k < ValueListCount(); ++k) {
    // A source adding a point reports it before its extra lists hold the entry:
    // their pending values are what they are about to store.
    double v = 0;
    if (k < source->ValueListCount()) {
      const TChartValueList& from = source->ValueList(k);
      v = index < from.ItemCount() ? from.ValueAt(index) : from.PendingValue * from.Multiplier();
    }
    ValueList(k).InsertAt(j, v);
  }
  return j;
}

// --- functions ---

void TChartSeries::FreeFunction() {
  if (!function_) return;
  function_->parent_ = nullptr;
  function_.reset();
}

std::unique_ptr<TChartFunction> TChartSeries::ReleaseFunction() {
  if (function_) function_->parent_ = nullptr;
  return std::move(function_);
}

void TChartSeries::SetFunction(std::unique_ptr<TChartFunction> function) {
  if (function && function.get() == function_.get()) {
    function.release();  // already ours: one owner only
    return;
  }
  FreeFunction();
  if (function) {
    if (TChartSeries* previous = function->parent_; previous && previous != this)
      previous->ReleaseFunction().release();  // ownership came with the argument
    function_ = std::move(function);
    function_->parent_ = this;
  }
  ReloadFromDataSource();
}

// --- sample values ---

namespace {

struct SampleRange {
  double minX = 0, spanX = 0, minY = 0, spanY = 0;
};

bool ChartHasPoints(const TCustomAxisPanel* chart) {
  if (!chart) return false;
  for (TChartSeries* s : chart->SeriesList())
    if (s->Active() && s->PointCount() > 0) return true;
  return false;
}

}  // namespace

void TChartSeries::FillSampleValues(int count) {
  if (count < 1) throw Exception(std::string(msg::SampleCountTooSmall));
  RemoveAllPoints();
  SampleRange r;
  if (ChartHasPoints(parentChart_)) {
    r.minY = parentChart_->LowestYOnAxis(GetVertAxis());
    double maxY = parentChart_->HighestYOnAxis(GetVertAxis());
    r.minX = parentChart_->LowestXOnAxis(GetHorizAxis());
    double maxX = parentChart_->HighestXOnAxis(GetHorizAxis());
    if (maxY == r.minY) maxY = r.minY == 0 ? 1000 : 2 * r.minY;
    if (maxX == r.minX) maxX = r.minX == 0 ? count : 2 * r.minX;
    r.spanY = maxY - r.minY;
    r.spanX = maxX - r.minX;
  } else {
    r.spanY = 1000;
    r.minX = xValues_->DateTime() ? Date() : 0;
    r.spanX = count - 1;
  }
  const double stepX = count > 1 ? r.spanX / (count - 1) : r.spanX;
  const int spanY = RoundHalfEven(std::clamp(r.spanY, -2147483647.0, 2147483647.0));
  const int q = spanY / 4;
  double y = RandomInt(spanY) + r.minY;
  double x = r.minX;
  for (int i = 0; i < count; ++i) {
    y = std::fabs(y + RandomInt(q) - q / 2);
    AppendPoint(x, y, std::string(), ColorDefault);
    x += stepX;
  }
  NotifyDependents(TSourceChange::scReload, 0);
}

}  // namespace tokiwa
