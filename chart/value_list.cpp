#include "chart/value_list.h"

#include <cmath>
#include <utility>

#include "chart/series.h"
#include "runtime/exceptions.h"
#include "runtime/memory_hints.h"
#include "runtime/property.h"

namespace tokiwa {

TChartValueList::TChartValueList(TChartSeries* owner, const std::string& name)
    : owner_(owner), name_(name) {
  if (owner_) owner_->RegisterValueList(this);
  RemoveAll();
}

double TChartValueList::StoredValueAt(int index) const {
  CheckIndex(index);
  return values_[static_cast<size_t>(index)];
}

double TChartValueList::LastValue() const { return ValueAt(ItemCount() - 1); }

void TChartValueList::Reserve(int count) {
  if (count <= static_cast<int>(values_.capacity())) return;
  values_.reserve(static_cast<std::size_t>(count));
  AdviseHugePages(values_.data(), values_.capacity() * sizeof(double));
}

void TChartValueList::InsertAt(int index, double raw) {
  if (index < 0 || index > ItemCount()) ThrowListIndexError(index);
  values_.insert(values_.begin() + index, raw);
  ++version_;
  AddToStatistics(raw, ItemCount() == 1);
}

bool TChartValueList::Follows(double before, double after) const {
  if (order_ == TChartListOrder::loNone) return true;
  return order_ == TChartListOrder::loAscending ? !(before > after) : !(before < after);
}

bool TChartValueList::GoesLast(double raw) const { return values_.empty() || Follows(values_.back(), raw); }

void TChartValueList::Append(double raw) {
  values_.push_back(raw);
  ++version_;
  AddToStatistics(raw, ItemCount() == 1);
}

bool TChartValueList::GoLast(const std::vector<double>& values) const {
  if (values.empty()) return true;
  if (!GoesLast(values.front())) return false;
  for (std::size_t i = 1; i < values.size(); ++i)
    if (!Follows(values[i - 1], values[i])) return false;
  return true;
}

void TChartValueList::AppendAll(std::vector<double> values) {
  if (!values_.empty()) {
    for (const double raw : values) Append(raw);
    return;
  }
  values_ = std::move(values);
  version_ += values_.size();
  for (std::size_t i = 0; i < values_.size(); ++i) AddToStatistics(values_[i], i == 0);
}

int TChartValueList::InsertInOrder(double raw) {
  int n = ItemCount() - 1;
  int at = ItemCount();
  if (order_ != TChartListOrder::loNone && n >= 0) {
    // Scan from the end: data arriving in order costs one comparison.
    if (order_ == TChartListOrder::loAscending) {
      if (values_[static_cast<size_t>(n)] > raw) {
        while (n >= 0 && values_[static_cast<size_t>(n)] > raw) --n;
        at = n + 1;
      }
    } else if (values_[static_cast<size_t>(n)] < raw) {
      while (n >= 0 && values_[static_cast<size_t>(n)] < raw) --n;
      at = n + 1;
    }
  }
  values_.insert(values_.begin() + at, raw);
  ++version_;
  AddToStatistics(raw, ItemCount() == 1);
  return at;
}

void TChartValueList::SetValueAt(int index, double raw) {
  CheckIndex(index);
  double& slot = values_[static_cast<size_t>(index)];
  double oldScaled = slot * multiplier_;
  double newScaled = raw * multiplier_;
  sum_ += newScaled - oldScaled;
  sumAbs_ += std::fabs(newScaled) - std::fabs(oldScaled);
  slot = raw;
  ++version_;
  RefreshStatistics();
  if (owner_) owner_->NotifyDependents(TSourceChange::scValueChanged, index);
}

void TChartValueList::RemoveAt(int index) {
  CheckIndex(index);
  double old = values_[static_cast<size_t>(index)];
  values_.erase(values_.begin() + index);
  ++version_;
  RemoveFromStatistics(old);
}

void TChartValueList::RemoveAll() {
  std::vector<double>().swap(values_);
  ++version_;
  sum_ = sumAbs_ = highest_ = lowest_ = 0;
}

void TChartValueList::RefreshStatistics() {
  lowest_ = highest_ = 0;
  for (size_t i = 0; i < values_.size(); ++i) {
    double s = values_[i] * multiplier_;
    if (i == 0 || s < lowest_) lowest_ = s;
    if (i == 0 || s > highest_) highest_ = s;
  }
}

void TChartValueList::AddToStatistics(double raw, bool first) {
  double s = raw * multiplier_;
  sum_ += s;
  sumAbs_ += std::fabs(s);
  if (first) {
    lowest_ = highest_ = s;
  } else {
    if (s < lowest_) lowest_ = s;
    if (s > highest_) highest_ = s;
  }
}

void TChartValueList::RemoveFromStatistics(double raw) {
  double s = raw * multiplier_;
  sum_ -= s;
  sumAbs_ -= std::fabs(s);
  RefreshStatistics();
}

void TChartValueList::SetDateTime(bool value) {
  if (StoreIfChanged(dateTime_, value) && owner_) owner_->RepaintChart();
}

void TChartValueList::SetMultiplier(double value) {
  if (!StoreIfChanged(multiplier_, value)) return;
  ++version_;
  RefreshStatistics();
  if (!owner_) return;
  owner_->NotifyDependents(TSourceChange::scReload, 0);
  owner_->RepaintChart();
}

void TChartValueList::SetValueSource(const std::string& source) {
  if (StoreIfChanged(valueSource_, source) && owner_) owner_->ReloadFromDataSource();
}

void TChartValueList::Assign(const TPersistent& source) {
  auto* other = dynamic_cast<const TChartValueList*>(&source);
  if (!other) return;  // anything else is ignored, as the lists never fail to assign
  SetOrder(other->order_);
  SetDateTime(other->dateTime_);
  SetMultiplier(other->multiplier_);
  SetValueSource(other->valueSource_);
}

}  // namespace tokiwa
