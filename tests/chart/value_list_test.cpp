#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "chart/chart.h"
#include "chart/series.h"
#include "chart/value_list.h"
#include "runtime/exceptions.h"
#include "support/recording_host.h"

namespace tokiwa {
namespace {

std::vector<double> Contents(const TChartValueList& list) {
  std::vector<double> out;
  for (int i = 0; i < list.ItemCount(); ++i) out.push_back(list.ValueAt(i));
  return out;
}

class ValueListTest : public ::testing::Test {
 protected:
  TChartSeries series{nullptr};
  TChartValueList& list = *new TChartValueList(&series, "Extra");  // owned by the series
};

TEST_F(ValueListTest, NewListIsEmptyWithUnitMultiplierAndJoinsItsSeries) {
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.Multiplier(), 1.0);
  EXPECT_EQ(list.SumOfValues(), 0);
  EXPECT_EQ(list.SumOfMagnitudes(), 0);
  EXPECT_EQ(list.HighestValue(), 0);
  EXPECT_EQ(list.LowestValue(), 0);
  ASSERT_EQ(series.ValueListCount(), 3);
  EXPECT_EQ(&series.ValueList(0), &series.XValues());
  EXPECT_EQ(&series.ValueList(1), &series.YValues());
  EXPECT_EQ(&series.ValueList(2), &list);
  EXPECT_EQ(series.XValues().Order(), TChartListOrder::loAscending);
  EXPECT_EQ(series.YValues().Order(), TChartListOrder::loNone);
}

TEST_F(ValueListTest, AscendingInsertionIsStableAndScansFromTheEnd) {
  list.SetOrder(TChartListOrder::loAscending);
  std::vector<int> at;
  for (double v : {5.0, 3.0, 3.0, 9.0}) at.push_back(list.InsertInOrder(v));
  EXPECT_EQ(at, (std::vector<int>{0, 0, 1, 3}));
  EXPECT_EQ(Contents(list), (std::vector<double>{3, 3, 5, 9}));
}

TEST_F(ValueListTest, DescendingInsertion) {
  list.SetOrder(TChartListOrder::loDescending);
  std::vector<int> at;
  for (double v : {5.0, 3.0, 3.0, 9.0}) at.push_back(list.InsertInOrder(v));
  EXPECT_EQ(at, (std::vector<int>{0, 1, 2, 0}));
  EXPECT_EQ(Contents(list), (std::vector<double>{9, 5, 3, 3}));
  list.InsertAt(0, 1);  // placed where asked, never reordered
  EXPECT_EQ(Contents(list), (std::vector<double>{1, 9, 5, 3, 3}));
  EXPECT_EQ(list.LowestValue(), 1);
}

TEST_F(ValueListTest, MultiplierScalesReadsAndStatisticsButNotStorage) {
  list.SetMultiplier(2);
  list.InsertInOrder(1.5);
  list.InsertInOrder(-4);
  EXPECT_EQ(list.ValueAt(0), 3.0);
  EXPECT_EQ(list.StoredValueAt(0), 1.5);
  EXPECT_EQ(list.HighestValue(), 3.0);
  EXPECT_EQ(list.LowestValue(), -8.0);
  EXPECT_EQ(list.SumOfValues(), -5.0);
  EXPECT_EQ(list.SumOfMagnitudes(), 11.0);
  EXPECT_EQ(list.LastValue(), -8.0);
}

TEST_F(ValueListTest, RemovingTheMaximumRescansAndRemovingAllReturnsToZero) {
  for (double v : {4.0, -2.0, 10.0, 6.0}) list.InsertInOrder(v);
  list.RemoveAt(2);
  EXPECT_EQ(list.HighestValue(), 6);
  EXPECT_EQ(list.LowestValue(), -2);
  EXPECT_EQ(Contents(list), (std::vector<double>{4, -2, 6}));
  while (list.ItemCount() > 0) list.RemoveAt(0);
  EXPECT_EQ(list.HighestValue(), 0);
  EXPECT_EQ(list.LowestValue(), 0);
  EXPECT_NEAR(list.SumOfValues(), 0, 1e-12);
  EXPECT_NEAR(list.SumOfMagnitudes(), 0, 1e-12);
}

TEST_F(ValueListTest, OverwritingTheMaximumLowersItAndKeepsTheSums) {
  for (double v : {1.0, 8.0, 3.0}) list.InsertInOrder(v);
  list.SetValueAt(1, -5);
  EXPECT_EQ(list.HighestValue(), 3);
  EXPECT_EQ(list.LowestValue(), -5);
  EXPECT_EQ(list.SumOfValues(), -1);
  EXPECT_EQ(list.SumOfMagnitudes(), 9);
  EXPECT_EQ(Contents(list), (std::vector<double>{1, -5, 3}));
}

TEST_F(ValueListTest, IndexErrorsNameTheIndexAndChangeNothing) {
  list.InsertInOrder(2);
  try {
    list.ValueAt(1);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (1)");
  }
  EXPECT_THROW(list.StoredValueAt(-1), EListError);
  EXPECT_THROW(list.SetValueAt(3, 1), EListError);
  EXPECT_THROW(list.RemoveAt(1), EListError);
  EXPECT_THROW(list.InsertAt(2, 1), EListError);
  EXPECT_NO_THROW(list.InsertAt(1, 4));  // one past the end is an append
  EXPECT_EQ(Contents(list), (std::vector<double>{2, 4}));
  EXPECT_EQ(list.SumOfValues(), 6);

  auto empty = std::make_unique<TChartValueList>(nullptr, "E");
  try {
    empty->LastValue();
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (-1)");
  }
}

TEST_F(ValueListTest, AssignCopiesSettingsOnlyAndIgnoresOtherClasses) {
  auto other = std::make_unique<TChartValueList>(nullptr, "Other");
  other->SetOrder(TChartListOrder::loDescending);
  other->SetDateTime(true);
  other->SetMultiplier(3);
  other->SetValueSource("Field");
  other->InsertInOrder(42);
  list.InsertInOrder(1);
  list.Assign(*other);
  EXPECT_EQ(list.Order(), TChartListOrder::loDescending);
  EXPECT_TRUE(list.DateTime());
  EXPECT_EQ(list.Multiplier(), 3);
  EXPECT_EQ(list.ValueSource(), "Field");
  EXPECT_EQ(list.Name(), "Extra");
  EXPECT_EQ(Contents(list), (std::vector<double>{3}));  // own value, rescaled
  EXPECT_EQ(list.HighestValue(), 3);

  TChartPen pen;
  list.Assign(pen);
  EXPECT_EQ(list.Multiplier(), 3);
  EXPECT_EQ(list.Order(), TChartListOrder::loDescending);
}

// A chart with a source series and one dependent that counts its rebuilds.
class ValueListChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.SetHost(&host);
    source->SetParentChart(&chart);
    dependent->SetParentChart(&chart);
    source->AppendPoint(1, 10, "");
    dependent->SetDataSource(source);
    dependent->OnClearValues = [this](TChartSeries*) { ++rebuilds; };
  }

  RecordingHost host;
  TChart chart{nullptr};
  TChartSeries* source = new TChartSeries(&chart);
  TChartSeries* dependent = new TChartSeries(&chart);
  int rebuilds = 0;
};

TEST_F(ValueListChartTest, UnchangedMultiplierNeitherReloadsNorRepaints) {
  int invalidations = host.InvalidateCount;
  source->YValues().SetMultiplier(1.0);
  EXPECT_EQ(rebuilds, 0);
  EXPECT_EQ(host.InvalidateCount, invalidations);

  source->YValues().SetMultiplier(2.0);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_GT(host.InvalidateCount, invalidations);
  EXPECT_EQ(dependent->YValues().ValueAt(0), 20);  // the dependent copied scaled values
}

TEST_F(ValueListChartTest, OverwritingAValueRebuildsOnlyFollowersOfValueChanges) {
  source->YValues().SetValueAt(0, 7);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(dependent->YValues().ValueAt(0), 7);

  dependent->SetFollowFlags(ffAdds | ffDeletes | ffClears);
  source->YValues().SetValueAt(0, 8);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(dependent->YValues().ValueAt(0), 7);
}

}  // namespace
}  // namespace tokiwa
