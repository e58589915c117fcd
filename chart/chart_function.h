#pragma once
// A function computes a series' points from the series' data sources.
#include <memory>
#include <vector>

#include "runtime/component.h"

namespace tokiwa {

class TChartSeries;

class TChartFunction : public TComponent {
 public:
  explicit TChartFunction(TComponent* owner);
  ~TChartFunction() override;

  int Period() const { return period_; }
  void SetPeriod(int period);
  TChartSeries* ParentSeries() const { return parent_; }
  // Detaches from the previous series first. The new series takes ownership
  // (it frees the function); with none, the function's owner component keeps it.
  void SetParentSeries(TChartSeries* series);

  virtual double Calculate(TChartSeries* source, int firstIndex, int lastIndex);
  virtual double CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex);
  virtual void AddPoints(TChartSeries* source);
  // A new function of the same kind and settings (copying a series copies its function).
  virtual std::unique_ptr<TChartFunction> Clone(TComponent* owner) const;

  // While set, recalculation requests are ignored: changes of Period and of
  // the sources (for instance while a source is filled point by point).
  bool Updating = false;

 protected:
  // Gives a new function this one's settings; the Clone of every function type.
  std::unique_ptr<TChartFunction> CopySettingsTo(std::unique_ptr<TChartFunction> copy) const;

 private:
  friend class TChartSeries;  // clears parent_ before it frees the function
  int period_ = 0;
  TChartSeries* parent_ = nullptr;
};

}  // namespace tokiwa
