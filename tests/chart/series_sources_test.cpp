#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_exceptions.h"
#include "chart/engine_settings.h"
#include "chart/series.h"
#include "support/recording_host.h"

namespace tokiwa {
namespace {

std::vector<double> Ys(const TChartSeries& s) {
  std::vector<double> out;
  for (int i = 0; i < s.PointCount(); ++i) out.push_back(s.PointY(i));
  return out;
}

// A form owning a chart and three series attached to it.
class SeriesSourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart->SetHost(&host);
    for (auto* s : {a, b, c}) s->SetParentChart(chart);
    a->SetName("SeriesA");
    b->SetName("SeriesB");
    c->SetName("SeriesC");
  }

  RecordingHost host;
  TComponent form{nullptr};
  TChart* chart = new TChart(&form);
  TChartSeries* a = new TChartSeries(&form);
  TChartSeries* b = new TChartSeries(&form);
  TChartSeries* c = new TChartSeries(&form);
};

TEST_F(SeriesSourcesTest, DependentCopiesAndFollowsAddsDeletesAndClears) {
  a->AppendPoint(1, 10, "one", clRed);
  a->AppendPoint(2, 20, "");
  b->SetDataSource(a);
  EXPECT_EQ(a->Dependents(), (std::vector<TChartSeries*>{b}));
  EXPECT_EQ(Ys(*b), (std::vector<double>{10, 20}));
  EXPECT_EQ(b->PointLabel(0), "one");
  EXPECT_EQ(b->PointColor(0), clRed);

  a->AppendPoint(1.5, 15, "mid");
  EXPECT_EQ(Ys(*b), (std::vector<double>{10, 15, 20}));
  EXPECT_EQ(b->PointLabel(1), "mid");
  a->RemovePoint(0);
  EXPECT_EQ(Ys(*b), (std::vector<double>{15, 20}));
  a->RemoveAllPoints();
  EXPECT_EQ(b->PointCount(), 0);

  b->SetFollowFlags(ffClears);
  a->AppendPoint(3, 30, "");
  EXPECT_EQ(b->PointCount(), 0);
}

TEST_F(SeriesSourcesTest, AddedPointsAndDateTimeFlagsRepaintOnlyWhenTheyShow) {
  a->SetActive(false);
  int before = host.InvalidateCount;
  a->AppendPoint(1, 1, "");
  EXPECT_EQ(host.InvalidateCount, before);  // an inactive series is not drawn
  a->SetActive(true);
  before = host.InvalidateCount;
  a->AppendPoint(2, 2, "");
  EXPECT_EQ(host.InvalidateCount, before + 1);
  a->XValues().SetDateTime(false);
  EXPECT_EQ(host.InvalidateCount, before + 1);  // unchanged flag
  a->XValues().SetDateTime(true);
  EXPECT_EQ(host.InvalidateCount, before + 2);
}

TEST_F(SeriesSourcesTest, ChainsRebuildInTurn) {
  a->AppendPoint(1, 1, "");
  b->SetDataSource(a);
  c->SetDataSource(b);
  a->YValues().SetMultiplier(5);
  EXPECT_EQ(Ys(*c), (std::vector<double>{5}));
  a->AppendPoint(2, 2, "");
  EXPECT_EQ(Ys(*c), (std::vector<double>{5, 10}));
}

TEST_F(SeriesSourcesTest, InvalidAndCircularSourcesAreRefused) {
  try {
    a->SetDataSource(a);
    FAIL() << "no error";
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "DataSource SeriesA が正しくありません。");
  }
  TComponent other(nullptr);
  other.SetName("Other");
  EXPECT_THROW(a->SetDataSource(&other), ChartException);

  b->SetDataSource(a);
  try {
    a->SetDataSource(b);
    FAIL() << "no error";
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "系列の循環参照は許されません");
  }
  c->SetDataSource(b);
  EXPECT_THROW(a->SetDataSource(c), ChartException);
  EXPECT_EQ(a->DataSource(), nullptr);
  EXPECT_EQ(b->DataSource(), a);
}

TEST_F(SeriesSourcesTest, LoopsThroughLaterSourcesAreRefusedToo) {
  // c is fed by b and a; making a depend on c would rebuild the three forever.
  c->SetDataSource(b);
  c->AddDataSource(a);
  EXPECT_THROW(a->SetDataSource(c), ChartException);
}

TEST_F(SeriesSourcesTest, WithoutAChartTheMessageBoxExplainsAndNothingChanges) {
  std::vector<std::string> shown;
  EngineSettings().ShowMessage = [&](const std::string& text) { shown.push_back(text); };
  TChartSeries loose(nullptr);
  loose.SetDataSource(a);
  EngineSettings().ShowMessage = nullptr;
  EXPECT_EQ(shown, (std::vector<std::string>{"DataSource を確認するための ParentChart が指定されていません。"}));
  EXPECT_EQ(loose.DataSource(), nullptr);
  EXPECT_TRUE(a->Dependents().empty());
}

TEST_F(SeriesSourcesTest, ClearingTheSourceEmptiesTheSeries) {
  a->AppendPoint(1, 1, "");
  b->SetDataSource(a);
  b->SetDataSource(nullptr);
  EXPECT_EQ(b->PointCount(), 0);
  EXPECT_TRUE(a->Dependents().empty());
  a->AppendPoint(2, 2, "");
  EXPECT_EQ(b->PointCount(), 0);
}

TEST_F(SeriesSourcesTest, DestroyingASourceOrADependentLeavesNoDanglingLink) {
  a->AppendPoint(1, 1, "");
  b->SetDataSource(a);
  delete b;
  EXPECT_TRUE(a->Dependents().empty());
  a->AppendPoint(2, 2, "");  // no notification to the destroyed series

  c->SetDataSource(a);
  delete a;
  EXPECT_EQ(c->DataSource(), nullptr);
  EXPECT_EQ(c->PointCount(), 2);  // keeps what it had
}

TEST_F(SeriesSourcesTest, SourceDestroyedWhileTheDependentIsOffTheChart) {
  a->AppendPoint(1, 1, "");
  b->SetDataSource(a);
  b->SetParentChart(nullptr);
  EXPECT_TRUE(a->Dependents().empty());
  delete a;
  EXPECT_EQ(b->DataSource(), nullptr);
  b->SetParentChart(chart);  // must not reload from the destroyed series
  EXPECT_EQ(b->PointCount(), 0);
}

TEST_F(SeriesSourcesTest, MovingADependentToAnotherChartKeepsItFollowing) {
  TChart other(nullptr);
  a->AppendPoint(1, 1, "");
  b->SetDataSource(a);
  b->SetParentChart(&other);
  EXPECT_EQ(chart->SeriesCount(), 2);
  EXPECT_EQ(other.SeriesCount(), 1);
  a->AppendPoint(2, 2, "");
  EXPECT_EQ(Ys(*b), (std::vector<double>{1, 2}));
  b->SetParentChart(nullptr);
}

// A series type whose extra list is filled after AppendPoint returns.
class EndSeries : public TChartSeries {
  TOKIWA_SERIES_CLASS(EndSeries, TChartSeries)

 public:
  explicit EndSeries(TComponent* owner) : TChartSeries(owner) { end_ = new TChartValueList(this, "End"); }
  int Add(double x, double y, double end) {
    end_->PendingValue = end;
    int i = AppendPoint(x, y, "");
    if (i >= 0) InsertPendingExtras(i);
    return i;
  }
  TChartValueList& End() { return *end_; }

 private:
  TChartValueList* end_;
};

TEST(SeriesExtraLists, FoundByNameAndRemovedWithTheirPoint) {
  EndSeries e(nullptr);
  e.Add(2, 0, 5);
  e.Add(1, 0, 4);
  EXPECT_EQ(e.End().ValueAt(0), 4);
  EXPECT_EQ(&e.ValueListByName("end"), &e.End());
  EXPECT_EQ(&e.ValueListByName("X"), &e.YValues());
  e.RemovePoint(0);
  EXPECT_EQ(e.End().ValueAt(0), 5);
  TChartSeries plain(nullptr);
  EXPECT_TRUE(plain.SameKind(e));
  EXPECT_TRUE(e.SameKind(plain));
  EXPECT_FALSE(plain.IsA(typeid(EndSeries)));
}

TEST_F(SeriesSourcesTest, DependentsOfExtraListsFollowAddsBeforeTheExtrasAreStored) {
  auto* src = new EndSeries(&form);
  auto* dep = new EndSeries(&form);
  src->SetParentChart(chart);
  dep->SetParentChart(chart);
  src->Add(1, 0, 4);
  dep->SetDataSource(src);
  ASSERT_NO_THROW(src->Add(2, 0, 9));
  ASSERT_EQ(dep->PointCount(), 2);
  EXPECT_EQ(dep->End().ValueAt(0), 4);
  EXPECT_EQ(dep->End().ValueAt(1), 9);
}

TEST_F(SeriesSourcesTest, FormOwnedSeriesSurviveEitherDestructionOrder) {
  {
    TComponent owner(nullptr);
    auto* ch = new TChart(&owner);
    auto* s = new TChartSeries(&owner);
    s->SetParentChart(ch);
    delete ch;  // the chart destroys its series; the form forgets it
    EXPECT_EQ(owner.ComponentCount(), 0);
  }
  {
    TComponent owner(nullptr);
    auto* s = new TChartSeries(&owner);
    auto* ch = new TChart(&owner);  // destroyed first by the form
    s->SetParentChart(ch);
    (new TChartFunction(&owner))->SetParentSeries(s);  // freed once, by whoever goes first
    EXPECT_EQ(owner.ComponentCount(), 3);
  }
  {
    TComponent owner(nullptr);
    auto* ch = new TChart(&owner);
    auto* s = new TChartSeries(&owner);  // destroyed first by the form
    s->SetParentChart(ch);
    delete s;
    EXPECT_EQ(ch->SeriesCount(), 0);
  }
}

// Adds the sum of the source's Y values (or of each group).
class SumFunction : public TChartFunction {
 public:
  using TChartFunction::TChartFunction;
  double Calculate(TChartSeries* source, int first, int last) override {
    if (first < 0) {
      first = 0;
      last = source->PointCount() - 1;
    }
    double sum = 0;
    for (int i = first; i <= last; ++i) sum += source->PointY(i);
    return sum;
  }
  std::unique_ptr<TChartFunction> Clone(TComponent* owner) const override {
    return std::make_unique<SumFunction>(owner);
  }
  double CalculateMany(const std::vector<TChartSeries*>& sources, int index) override {
    double sum = 0;
    for (TChartSeries* s : sources)
      if (index < s->PointCount()) sum += s->PointY(index);
    return sum;
  }
};

TEST_F(SeriesSourcesTest, FunctionsComputeFromTheSource) {
  for (int i = 0; i < 5; ++i) a->AppendPoint(i, i + 1, "");
  auto owned = std::make_unique<SumFunction>(&form);
  SumFunction* f = owned.get();
  b->SetFunction(std::move(owned));
  EXPECT_EQ(f->ParentSeries(), b);
  b->SetDataSource(a);
  ASSERT_EQ(b->PointCount(), 1);
  EXPECT_EQ(b->PointX(0), 2);
  EXPECT_EQ(b->PointY(0), 15);

  b->SetSinglePointAllowed(false);
  f->SetPeriod(2);
  EXPECT_EQ(Ys(*b), (std::vector<double>{3, 7}));  // complete groups only
  EXPECT_EQ(b->PointX(1), 2.5);
  try {
    f->SetPeriod(-1);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "関数の計算間隔は 0 以上でなければなりません");
  }
  EXPECT_EQ(f->Period(), 2);
  f->SetPeriod(0);
  EXPECT_EQ(Ys(*b), (std::vector<double>{15, 15}));  // a level line across the source
  EXPECT_EQ(b->PointX(1), 4);
}

TEST_F(SeriesSourcesTest, AFunctionOverSeveralSourcesCombinesThemPointByPoint) {
  for (int i = 0; i < 3; ++i) {
    a->AppendPoint(10 + i, i, "p" + std::to_string(i));
    b->AppendPoint(20 + i, 100 * i, "");
  }
  a->XValues().SetDateTime(true);
  c->YValues().SetDateTime(true);
  c->SetFunction(std::make_unique<SumFunction>(&form));
  c->SetDataSource(a);
  c->AddDataSource(b);
  const std::vector<double> sums{0, 101, 202};
  EXPECT_EQ(Ys(*c), sums);
  EXPECT_EQ(c->PointX(2), 12);  // X and labels from the first source
  EXPECT_EQ(c->PointLabel(1), "p1");
  EXPECT_TRUE(c->XValues().DateTime());  // the date-time flags follow the source
  EXPECT_FALSE(c->YValues().DateTime());

  // A copy takes the same sources and function, and so the same points.
  auto* copy = new TChartSeries(&form);
  copy->SetParentChart(chart);
  copy->Assign(*c);
  EXPECT_EQ(copy->DataSources(), c->DataSources());
  EXPECT_EQ(Ys(*copy), sums);

  // An add or a delete in a source is computed again, not copied point by point.
  a->AppendPoint(13, 3, "");
  a->RemovePoint(0);
  EXPECT_EQ(Ys(*c), (std::vector<double>{1, 102, 203}));
}

TEST_F(SeriesSourcesTest, FunctionDestroyedByItsOwnerLeavesTheSeries) {
  auto* f = new TChartFunction(&form);
  f->SetParentSeries(a);
  EXPECT_EQ(a->Function(), f);
  delete f;
  EXPECT_EQ(a->Function(), nullptr);

  auto* g = new TChartFunction(&form);
  g->SetParentSeries(a);
  g->SetParentSeries(b);  // moves, the first series lets go
  EXPECT_EQ(a->Function(), nullptr);
  EXPECT_EQ(b->Function(), g);
  int before = form.ComponentCount();
  delete b;  // frees its function, which leaves the form
  EXPECT_EQ(form.ComponentCount(), before - 2);
}

TEST_F(SeriesSourcesTest, StackedSumsCountPositiveValuesOfTheSameKindBefore) {
  a->AppendValue(2, "");
  b->AppendValue(-3, "");
  c->AppendValue(5, "");
  EXPECT_EQ(c->StackedSumBefore(0, false), 2);
  EXPECT_EQ(c->StackedSumBefore(0, true), 7);
  EXPECT_EQ(b->StackedSumBefore(0, false), 2);
  EXPECT_EQ(a->StackedSumBefore(0, true), 7);  // the whole column
  a->SetActive(false);
  EXPECT_EQ(c->StackedSumBefore(0, true), 5);
  EXPECT_EQ(c->StackedSumBefore(1, true), 0);
}

}  // namespace
}  // namespace tokiwa
