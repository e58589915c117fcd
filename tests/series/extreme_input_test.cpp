// Series fed what a fuzzed program of calls feeds them: points added by the
// base operations to a series with extra value lists, and legend symbols at the
// ends of the coordinate range.
#include <gtest/gtest.h>

#include <climits>

#include "series/custom_series.h"
#include "series/gantt_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {
namespace {

class ExtremeInputTest : public SeriesFixture {};

TEST_F(ExtremeInputTest, GanttPointsAddedByTheBaseOperationsAreBarsOfNoLength) {
  auto* gantt = Add<TGanttSeries>();
  gantt->AddBar(10, 30, 1, "bar");
  EXPECT_EQ(gantt->AppendPoint(5, 2, "point"), 0);
  gantt->AppendValue(7, "value");
  gantt->AppendEmpty("empty");
  ASSERT_EQ(gantt->PointCount(), 4);
  for (int k = 0; k < gantt->ValueListCount(); ++k) EXPECT_EQ(gantt->ValueList(k).ItemCount(), 4) << k;
  for (int i = 0; i < 4; ++i) {
    const bool isBar = gantt->PointLabel(i) == "bar";
    EXPECT_EQ(gantt->EndValues().ValueAt(i), isBar ? 30 : gantt->StartValues().ValueAt(i)) << i;
    EXPECT_EQ(gantt->NextTask().ValueAt(i), -1) << i;
  }
  Paint(*gantt);  // reads every bar's end
  EXPECT_FALSE(Rects().empty());
}

TEST_F(ExtremeInputTest, GanttFedByAFunctionKeepsItsListsInStep) {
  auto* source = Add<TGanttSeries>();
  auto* target = Add<TGanttSeries>();
  source->AddBar(1, 2, 0, "a");
  source->AddBar(3, 4, 1, "b");
  target->SetFunction(std::make_unique<TChartFunction>(nullptr));
  target->SetDataSource(source);
  ASSERT_GT(target->PointCount(), 0);
  for (int k = 0; k < target->ValueListCount(); ++k)
    EXPECT_EQ(target->ValueList(k).ItemCount(), target->PointCount()) << k;
}

TEST_F(ExtremeInputTest, ClickBetweenPaintsAfterPointsWereRemoved) {
  auto* points = Add<TPointSeries>();
  for (int v : {10, 50, 90}) points->AppendPoint(v, v, "");
  Paint(*points);
  ASSERT_EQ(points->LastShownIndex(), 2);
  points->RemovePoint(2);
  points->RemovePoint(1);
  EXPECT_EQ(points->FirstShownIndex(), 0);
  EXPECT_EQ(points->LastShownIndex(), 0);
  EXPECT_EQ(points->PointAtPixel(90, 90), -1);
  EXPECT_EQ(points->PointAtPixel(10, 10), 0);
  points->RemovePoint(0);
  EXPECT_EQ(points->FirstShownIndex(), -1);
  EXPECT_EQ(points->LastShownIndex(), -1);
  EXPECT_EQ(points->PointAtPixel(10, 10), -1);
}

TEST_F(ExtremeInputTest, ClearedSeriesShowsNothingUntilTheNextPaint) {
  auto* points = Add<TPointSeries>();
  points->AppendPoint(10, 10, "");
  Paint(*points);
  points->RemoveAllPoints();
  EXPECT_EQ(points->FirstShownIndex(), -1);
  EXPECT_EQ(points->LastShownIndex(), -1);
  EXPECT_EQ(points->PointAtPixel(10, 10), -1);
}

TEST_F(ExtremeInputTest, LargestPointerAsksForTheLargestMargins) {
  auto* points = Add<TPointSeries>();
  points->Pointer().SetHorizSize(INT_MAX);
  points->Pointer().SetVertSize(INT_MAX);
  int left = 0, right = 0, top = 0, bottom = 0;
  points->HorizMargins(left, right);
  points->VertMargins(top, bottom);
  EXPECT_EQ(left, INT_MAX);
  EXPECT_EQ(right, INT_MAX);
  EXPECT_EQ(top, INT_MAX);
  EXPECT_EQ(bottom, INT_MAX);
}

TEST_F(ExtremeInputTest, LegendSymbolAtTheEndOfTheCoordinateRangeStaysThere) {
  auto* points = Add<TPointSeries>();
  canvas().Clear();
  points->DrawSymbolShape(-1, {INT_MAX - 12, INT_MAX - 12, INT_MAX, INT_MAX});
  const RecordedCall* r = canvas().LastOf(CanvasCall::Rectangle);
  ASSERT_NE(r, nullptr);
  // Far beyond any window the pointer is clamped to the drawing limit, on the
  // same side; a wrapped middle would put it near the origin.
  EXPECT_EQ(r->rect.Left, 1 << 28);
  EXPECT_EQ(r->rect.Top, 1 << 28);
}

TEST_F(ExtremeInputTest, LegendSymbolSpanningTheWholeCoordinateRangeKeepsThePointerSize) {
  auto* points = Add<TPointSeries>();
  canvas().Clear();
  points->DrawSymbolShape(-1, {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  const RecordedCall* r = canvas().LastOf(CanvasCall::Rectangle);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->rect.Width(), 2 * points->Pointer().HorizSize() + 1);
  EXPECT_EQ(r->rect.Height(), 2 * points->Pointer().VertSize() + 1);
}

}  // namespace
}  // namespace tokiwa::testing
