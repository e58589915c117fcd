// Series fed what a fuzzed program of calls feeds them: points added by the
// base operations to a series with extra value lists, and legend symbols at the
// ends of the coordinate range.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "series/bar_series.h"
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

// Values at the ends of the double range, and sizes at the ends of the int
// range, in every shape, both directions, flat and in 3D: every position handed
// to the canvas stays near its drawing limit (a mark's text sits a frame's width
// inside its clamped box), none wraps round.
TEST_F(ExtremeInputTest, BarsOfExtremeValuesAndSizesStayOnTheCanvas) {
  const double inf = std::numeric_limits<double>::infinity();
  auto within = [](TPoint p) { return std::abs(p.X) <= kCanvasLimit + 8 && std::abs(p.Y) <= kCanvasLimit + 8; };
  for (bool view3D : {false, true}) {
    chart.SetView3D(view3D);
    chart.ComputeDepth();
    for (int shape = 0; shape <= static_cast<int>(TBarStyle::bsRectGradient); ++shape) {
      chart.DestroyAllSeries();
      auto* upright = Add<TBarSeries>();
      auto* lying = Add<THorizBarSeries>();
      for (TCustomBarSeries* bars : {static_cast<TCustomBarSeries*>(upright), static_cast<TCustomBarSeries*>(lying)}) {
        for (double v : {1e300, -1e300, inf, -inf, std::nan(""), 5.0}) bars->AppendValue(v, "");
        bars->SetBarStyle(static_cast<TBarStyle>(shape));
        bars->SetOffsetPercent(100);
        bars->Marks().SetArrowLength(INT_MAX);
        bars->SetMultiBar(shape % 2 ? TMultiBar::mbStacked : TMultiBar::mbSide);
      }
      upright->SetCustomBarWidth(INT_MAX);
      lying->SetCustomBarHeight(INT_MIN);
      for (TCustomBarSeries* bars : {static_cast<TCustomBarSeries*>(upright), static_cast<TCustomBarSeries*>(lying)}) {
        int a = 0, b = 0;
        bars->HorizMargins(a, b);
        bars->VertMargins(a, b);
        canvas().Clear();
        bars->SetShownRange(0, bars->PointCount() - 1);
        bars->BeginDrawing();
        bars->DrawPoints();
        bars->DrawMarks();
        bars->PointAtPixel(0, 0);
        for (const RecordedCall& call : canvas().Calls()) {
          EXPECT_TRUE(within(call.from) && within(call.to)) << shape;
          EXPECT_TRUE(within({call.rect.Left, call.rect.Top}) && within({call.rect.Right, call.rect.Bottom})) << shape;
          for (TPoint p : call.points) EXPECT_TRUE(within(p)) << shape;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tokiwa::testing
