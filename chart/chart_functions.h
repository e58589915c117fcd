#pragma once
// The seven standard functions: sum, difference, product, quotient, highest,
// lowest and average. Each answers one value over a run of points of one source
// (Calculate) and one over the same index of several sources (CalculateMany);
// TChartFunction::AddPoints places the results.
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_function.h"

namespace tokiwa {

// Declares the class name and the copy every standard function answers.
#define TOKIWA_FUNCTION_CLASS(Class)                                                \
 public:                                                                           \
  using TChartFunction::TChartFunction;                                            \
  std::string ClassName() const override { return #Class; }                        \
  std::unique_ptr<TChartFunction> Clone(TComponent* owner) const override {        \
    return CopySettingsTo(std::make_unique<Class>(owner));                         \
  }                                                                                \
                                                                                   \
 private:

class TAddFunction : public TChartFunction {
  TOKIWA_FUNCTION_CLASS(TAddFunction)

 public:
  double Calculate(TChartSeries* source, int firstIndex, int lastIndex) override;
  double CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) override;
};

class TSubtractFunction : public TChartFunction {
  TOKIWA_FUNCTION_CLASS(TSubtractFunction)

 public:
  double CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) override;
};

class TMultiplyFunction : public TChartFunction {
  TOKIWA_FUNCTION_CLASS(TMultiplyFunction)

 public:
  double CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) override;
};

class TDivideFunction : public TChartFunction {
  TOKIWA_FUNCTION_CLASS(TDivideFunction)

 public:
  double CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) override;
};

class THighFunction : public TChartFunction {
  TOKIWA_FUNCTION_CLASS(THighFunction)

 public:
  double Calculate(TChartSeries* source, int firstIndex, int lastIndex) override;
  double CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) override;
};

class TLowFunction : public TChartFunction {
  TOKIWA_FUNCTION_CLASS(TLowFunction)

 public:
  double Calculate(TChartSeries* source, int firstIndex, int lastIndex) override;
  double CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) override;
};

class TAverageFunction : public TChartFunction {
  TOKIWA_FUNCTION_CLASS(TAverageFunction)

 public:
  double Calculate(TChartSeries* source, int firstIndex, int lastIndex) override;
  double CalculateMany(const std::vector<TChartSeries*>& sources, int valueIndex) override;
};

#undef TOKIWA_FUNCTION_CLASS

}  // namespace tokiwa
