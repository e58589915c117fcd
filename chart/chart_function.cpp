#include "chart/chart_function.h"

#include "chart/series.h"
#include "runtime/exceptions.h"
#include "runtime/messages.h"

namespace tokiwa {

TChartFunction::TChartFunction(TComponent* owner) : TComponent(owner) {}

TChartFunction::~TChartFunction() {
  BeginDestroy();
  // Destroyed by its owner component: the series must not free it again.
  if (parent_) parent_->ReleaseFunction().release();
}

void TChartFunction::SetPeriod(int period) {
  if (period < 0) throw Exception(std::string(msg::NegativePeriod));
  if (period == period_) return;
  period_ = period;
  if (parent_ && !Updating) parent_->ReloadFromDataSource();
}

void TChartFunction::SetParentSeries(TChartSeries* series) {
  if (series == parent_) return;
  if (series) {
    // SetFunction takes this function away from its previous series.
    series->SetFunction(std::unique_ptr<TChartFunction>(this));
    return;
  }
  parent_->ReleaseFunction().release();
}

std::unique_ptr<TChartFunction> TChartFunction::Clone(TComponent* owner) const {
  return CopySettingsTo(std::make_unique<TChartFunction>(owner));
}

std::unique_ptr<TChartFunction> TChartFunction::CopySettingsTo(std::unique_ptr<TChartFunction> copy) const {
  copy->period_ = period_;
  return copy;
}

double TChartFunction::Calculate(TChartSeries*, int, int) { return 0; }

double TChartFunction::CalculateMany(const std::vector<TChartSeries*>&, int) { return 0; }

namespace {

// Adds a computed point; x runs along the source's value axis.
void AddComputed(TChartSeries& target, const TChartSeries& source, double x, double y,
                 const std::string& label) {
  if (source.MainListIsY())
    target.AppendPoint(x, y, label, ColorDefault);
  else
    target.AppendPoint(y, x, label, ColorDefault);
}

}  // namespace

void TChartFunction::AddPoints(TChartSeries* source) {
  if (!source || !parent_) return;
  TChartSeries& target = *parent_;

  if (target.DataSources().size() > 1) {
    std::vector<TChartSeries*> sources;
    for (TComponent* c : target.DataSources())
      if (auto* s = dynamic_cast<TChartSeries*>(c)) sources.push_back(s);
    // The points follow the first source, whichever source changed.
    if (!sources.empty()) source = sources.front();
    const TChartValueList& across = source->MainListIsY() ? source->XValues() : source->YValues();
    for (int i = 0, count = source->PointCount(); i < count; ++i) {
      double y = CalculateMany(sources, i);
      AddComputed(target, *source, across.ValueAt(i), y, source->PointLabel(i));
    }
    return;
  }
  const TChartValueList& across = source->MainListIsY() ? source->XValues() : source->YValues();
  const int count = source->PointCount();
  if (period_ > 0) {
    for (long long first = 0; first + period_ - 1 < count; first += period_) {
      int f = static_cast<int>(first);
      int l = static_cast<int>(first + period_ - 1);
      double x = (across.ValueAt(f) + across.ValueAt(l)) / 2;
      AddComputed(target, *source, x, Calculate(source, f, l), std::string());
    }
    return;
  }
  // A source without points still has a value over all of them (a sum of
  // nothing is 0), placed where its empty range lies.
  double y = Calculate(source, -1, -1);
  if (!target.SinglePointAllowed()) {
    AddComputed(target, *source, across.LowestValue(), y, std::string());
    AddComputed(target, *source, across.HighestValue(), y, std::string());
  } else {
    AddComputed(target, *source, (across.LowestValue() + across.HighestValue()) / 2, y, std::string());
  }
}

}  // namespace tokiwa
