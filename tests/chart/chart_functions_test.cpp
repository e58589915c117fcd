#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_functions.h"
#include "chart/series.h"
#include "support/recording_host.h"

namespace tokiwa {
namespace {

using MakeFunction = std::function<std::unique_ptr<TChartFunction>()>;

template <class F>
MakeFunction Make() {
  return [] { return std::make_unique<F>(nullptr); };
}

class ChartFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override { chart->SetHost(&host); }

  TChartSeries* Series(std::initializer_list<double> ys, std::vector<std::string> labels = {}) {
    auto* s = new TChartSeries(&form);
    s->SetParentChart(chart);
    int i = 0;
    for (double y : ys) {
      s->AppendValue(y, i < static_cast<int>(labels.size()) ? labels[static_cast<size_t>(i)] : "");
      ++i;
    }
    return s;
  }

  // A series computed by f from the given sources, in order.
  TChartSeries* Computed(std::unique_ptr<TChartFunction> f, std::initializer_list<TChartSeries*> sources) {
    TChartSeries* target = Series({});
    target->SetFunction(std::move(f));
    for (TChartSeries* s : sources) target->AddDataSource(s);
    return target;
  }

  RecordingHost host;
  TComponent form{nullptr};
  TChart* chart = new TChart(&form);
};

TEST_F(ChartFunctionsTest, CalculateOverAWholeSourceAndOverRuns) {
  TChartSeries* source = Series({2, 4, 9, -1});
  TChartSeries* empty = Series({});
  struct Row {
    const char* name;
    MakeFunction make;
    double whole, first3, last1, emptyRun, emptySource;
  };
  const Row rows[] = {
      {"sum", Make<TAddFunction>(), 14, 15, -1, 0, 0},
      {"difference", Make<TSubtractFunction>(), 0, 0, 0, 0, 0},
      {"product", Make<TMultiplyFunction>(), 0, 0, 0, 0, 0},
      {"quotient", Make<TDivideFunction>(), 0, 0, 0, 0, 0},
      {"highest", Make<THighFunction>(), 9, 9, -1, 0, 0},
      {"lowest", Make<TLowFunction>(), -1, 2, -1, 0, 0},
      {"average", Make<TAverageFunction>(), 3.5, 5, -1, 0, 0},
  };
  for (const Row& r : rows) {
    auto f = r.make();
    EXPECT_DOUBLE_EQ(f->Calculate(source, -1, -1), r.whole) << r.name;
    EXPECT_DOUBLE_EQ(f->Calculate(source, 0, 2), r.first3) << r.name;
    EXPECT_DOUBLE_EQ(f->Calculate(source, 3, 3), r.last1) << r.name;
    EXPECT_DOUBLE_EQ(f->Calculate(source, 2, 1), r.emptyRun) << r.name;
    EXPECT_DOUBLE_EQ(f->Calculate(empty, -1, -1), r.emptySource) << r.name;
  }
}

TEST_F(ChartFunctionsTest, CalculateManySkipsSourcesTooShortForTheIndex) {
  TChartSeries* a = Series({10, 8, -3});
  TChartSeries* b = Series({3, 0, -5});
  TChartSeries* shortOne = Series({2, 2});
  const std::vector<TChartSeries*> all{a, b, shortOne};
  const std::vector<TChartSeries*> shortFirst{shortOne, b};
  struct Row {
    const char* name;
    MakeFunction make;
    double full, zeroDivisor, twoPresent, firstMissing, nonePresent;
  };
  // Index 0: 10, 3, 2. Index 1: 8, 0, 2. Index 2: -3, -5 (the third source is short).
  // Index 2 of {short, b}: only -5. Index 5: nothing.
  const Row rows[] = {
      {"sum", Make<TAddFunction>(), 15, 10, -8, -5, 0},
      {"difference", Make<TSubtractFunction>(), 5, 6, 2, -5, 0},
      {"product", Make<TMultiplyFunction>(), 60, 0, 15, -5, 0},
      {"quotient", Make<TDivideFunction>(), 10.0 / 3 / 2, 4, 0.6, -5, 0},
      {"highest", Make<THighFunction>(), 10, 8, -3, 0, 0},
      {"lowest", Make<TLowFunction>(), 2, 0, -5, -5, 0},
      {"average", Make<TAverageFunction>(), 5, 10.0 / 3, -4, -5, 0},
  };
  for (const Row& r : rows) {
    auto f = r.make();
    EXPECT_DOUBLE_EQ(f->CalculateMany(all, 0), r.full) << r.name;
    EXPECT_DOUBLE_EQ(f->CalculateMany(all, 1), r.zeroDivisor) << r.name;
    EXPECT_DOUBLE_EQ(f->CalculateMany(all, 2), r.twoPresent) << r.name;
    EXPECT_DOUBLE_EQ(f->CalculateMany(shortFirst, 2), r.firstMissing) << r.name;
    EXPECT_DOUBLE_EQ(f->CalculateMany(all, 5), r.nonePresent) << r.name;
    EXPECT_DOUBLE_EQ(f->CalculateMany({}, 0), 0) << r.name;
  }
}

TEST_F(ChartFunctionsTest, GroupsOfPeriodPointsAndTheWholeSource) {
  TChartSeries* source = Series({1, 2, 3, 4, 5});
  auto sum = std::make_unique<TAddFunction>(nullptr);
  sum->SetPeriod(2);
  TChartSeries* sums = Computed(std::move(sum), {source});
  EXPECT_EQ(sums->YValues().RawValues(), (std::vector<double>{3, 7}));  // the fifth value makes no group
  EXPECT_EQ(sums->PointX(1), 2.5);  // the middle of its group

  TChartSeries* average = Computed(std::make_unique<TAverageFunction>(nullptr), {Series({2, 4, 9})});
  EXPECT_EQ(average->YValues().RawValues(), (std::vector<double>{5}));
  EXPECT_EQ(average->PointX(0), 1);
}

TEST_F(ChartFunctionsTest, SeveralSourcesGiveAPointPerIndexOfTheFirstWithItsLabels) {
  TChartSeries* a = Series({10, 20, 30}, {"a", "b", "c"});
  TChartSeries* b = Series({3, 4}, {"x", "y"});
  TChartSeries* difference = Computed(std::make_unique<TSubtractFunction>(nullptr), {a, b});
  EXPECT_EQ(difference->YValues().RawValues(), (std::vector<double>{7, 16, 30}));
  EXPECT_EQ(difference->PointLabel(2), "c");

  // Whichever source changes, the points follow the first one's.
  b->AppendValue(5, "z");
  EXPECT_EQ(difference->YValues().RawValues(), (std::vector<double>{7, 16, 25}));
  EXPECT_EQ(difference->PointLabel(2), "c");
  b->YValues().SetValueAt(0, 0);
  EXPECT_EQ(difference->YValues().RawValues(), (std::vector<double>{10, 16, 25}));
  a->RemovePoint(0);
  EXPECT_EQ(difference->YValues().RawValues(), (std::vector<double>{20, 26}));
  EXPECT_EQ(difference->PointLabel(0), "b");
  b->RemoveAllPoints();
  EXPECT_EQ(difference->YValues().RawValues(), (std::vector<double>{20, 30}));
}

TEST_F(ChartFunctionsTest, ResultFollowsItsSourceUnlessUpdatingOrNotFollowing) {
  TChartSeries* source = Series({2, 4});
  auto owned = std::make_unique<THighFunction>(nullptr);
  TChartFunction* high = owned.get();
  TChartSeries* highest = Computed(std::move(owned), {source});
  source->AppendValue(7, "");
  EXPECT_EQ(highest->YValues().RawValues(), (std::vector<double>{7}));
  EXPECT_EQ(highest->PointX(0), 1);  // the middle of the source's X range
  source->RemovePoint(2);
  EXPECT_EQ(highest->YValues().RawValues(), (std::vector<double>{4}));

  high->Updating = true;  // e.g. while a source is filled point by point
  source->AppendValue(50, "");
  EXPECT_EQ(highest->YValues().RawValues(), (std::vector<double>{4}));
  high->Updating = false;
  source->AppendValue(1, "");
  EXPECT_EQ(highest->YValues().RawValues(), (std::vector<double>{50}));

  highest->SetFollowFlags(ffClears);
  source->AppendValue(60, "");
  EXPECT_EQ(highest->YValues().RawValues(), (std::vector<double>{50}));
}

// A sum of no values is 0, and so is their average: the function still has a
// value, shown where the empty source's range lies.
TEST_F(ChartFunctionsTest, SourceWithoutPointsStillGivesTheFunctionsValue) {
  TChartSeries* source = Series({});
  TChartSeries* sum = Computed(std::make_unique<TAddFunction>(nullptr), {source});
  EXPECT_EQ(sum->YValues().RawValues(), (std::vector<double>{0}));
  TChartSeries* level = Series({});
  level->SetSinglePointAllowed(false);
  level->SetFunction(std::make_unique<TAverageFunction>(nullptr));
  level->SetDataSource(source);
  EXPECT_EQ(level->YValues().RawValues(), (std::vector<double>{0, 0}));

  source->AppendPoint(2, 6, "");
  source->AppendPoint(4, 8, "");
  EXPECT_EQ(sum->YValues().RawValues(), (std::vector<double>{14}));
  EXPECT_EQ(level->YValues().RawValues(), (std::vector<double>{7, 7}));
  EXPECT_EQ(level->PointX(1), 4);
  source->RemoveAllPoints();
  EXPECT_EQ(sum->YValues().RawValues(), (std::vector<double>{0}));
}

TEST_F(ChartFunctionsTest, CopiedSeriesGetsAFunctionOfTheSameKindAndPeriod) {
  TChartSeries* source = Series({1, 5, 2, 8});
  auto low = std::make_unique<TLowFunction>(nullptr);
  low->SetPeriod(2);
  TChartSeries* lows = Computed(std::move(low), {source});
  TChartSeries* copy = Series({});
  copy->Assign(*lows);
  ASSERT_NE(copy->Function(), nullptr);
  EXPECT_EQ(copy->Function()->ClassName(), "TLowFunction");
  EXPECT_EQ(copy->Function()->Period(), 2);
  EXPECT_EQ(copy->YValues().RawValues(), (std::vector<double>{1, 2}));
}

}  // namespace
}  // namespace tokiwa
