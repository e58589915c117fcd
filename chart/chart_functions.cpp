#include "chart/chart_functions.h"

#include <algorithm>

#include "chart/series.h"

namespace tokiwa {

namespace {

double ValueOf(const TChartSeries& s, int index) { return s.MainValueList().ValueAt(index); }

// Folds the values first..last of the source (scaled) into start.
template <class Fold>
double FoldRange(const TChartSeries& source, int first, int last, double start, Fold fold) {
  for (int i = first; i <= last; ++i) start = fold(start, ValueOf(source, i));
  return start;
}

// Calls visit(value, isFirstSource) for each source that has a point at the
// index, in list order; answers how many had one.
template <class Visit>
int ForEachPresent(const std::vector<TChartSeries*>& sources, int index, Visit visit) {
  int present = 0;
  for (size_t k = 0; k < sources.size(); ++k) {
    const TChartSeries* s = sources[k];
    if (!s || s->PointCount() <= index) continue;
    visit(ValueOf(*s, index), k == 0);
    ++present;
  }
  return present;
}

// The first present value combined with each following one.
template <class Combine>
double ChainPresent(const std::vector<TChartSeries*>& sources, int index, Combine combine) {
  double result = 0;
  bool started = false;
  ForEachPresent(sources, index, [&](double v, bool) {
    result = started ? combine(result, v) : v;
    started = true;
  });
  return result;
}

// The running extreme starts from the first source when it has the index, else from 0.
template <class Pick>
double ExtremePresent(const std::vector<TChartSeries*>& sources, int index, Pick pick) {
  double result = 0;
  ForEachPresent(sources, index, [&](double v, bool fromFirstSource) {
    result = fromFirstSource ? v : pick(result, v);
  });
  return result;
}

double Sum(double a, double b) { return a + b; }
double Larger(double a, double b) { return std::max(a, b); }
double Smaller(double a, double b) { return std::min(a, b); }

}  // namespace

// --- sum ---

double TAddFunction::Calculate(TChartSeries* source, int firstIndex, int lastIndex) {
  if (firstIndex == -1) return source->MainValueList().SumOfValues();
  return FoldRange(*source, firstIndex, lastIndex, 0.0, Sum);
}

double TAddFunction::CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) {
  double sum = 0;
  ForEachPresent(sources, valueIndex, [&](double v, bool) { sum += v; });
  return sum;
}

// --- difference, product, quotient ---

double TSubtractFunction::CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) {
  return ChainPresent(sources, valueIndex, [](double a, double b) { return a - b; });
}

double TMultiplyFunction::CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) {
  return ChainPresent(sources, valueIndex, [](double a, double b) { return a * b; });
}

double TDivideFunction::CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) {
  // A zero divisor is passed over rather than answering infinity.
  return ChainPresent(sources, valueIndex, [](double a, double b) { return b == 0 ? a : a / b; });
}

// --- highest and lowest ---

double THighFunction::Calculate(TChartSeries* source, int firstIndex, int lastIndex) {
  if (firstIndex == -1) return source->MainValueList().HighestValue();
  if (lastIndex < firstIndex) return 0;
  return FoldRange(*source, firstIndex + 1, lastIndex, ValueOf(*source, firstIndex), Larger);
}

double THighFunction::CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) {
  return ExtremePresent(sources, valueIndex, Larger);
}

double TLowFunction::Calculate(TChartSeries* source, int firstIndex, int lastIndex) {
  if (firstIndex == -1) return source->MainValueList().LowestValue();
  if (lastIndex < firstIndex) return 0;
  return FoldRange(*source, firstIndex + 1, lastIndex, ValueOf(*source, firstIndex), Smaller);
}

double TLowFunction::CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) {
  return ExtremePresent(sources, valueIndex, Smaller);
}

// --- average ---

double TAverageFunction::Calculate(TChartSeries* source, int firstIndex, int lastIndex) {
  if (firstIndex == -1) {
    const int count = source->PointCount();
    return count == 0 ? 0 : source->MainValueList().SumOfValues() / count;
  }
  // An empty run has no mean; 0 as for the other functions rather than 0 / 0.
  if (lastIndex < firstIndex) return 0;
  return FoldRange(*source, firstIndex, lastIndex, 0.0, Sum) / (static_cast<double>(lastIndex) - firstIndex + 1);
}

double TAverageFunction::CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) {
  double sum = 0;
  const int present = ForEachPresent(sources, valueIndex, [&](double v, bool) { sum += v; });
  return present == 0 ? 0 : sum / present;
}

}  // namespace tokiwa
