#include <gtest/gtest.h>

#include "series/custom_series.h"
#include "series_fixture.h"

namespace tokiwa::testing {
namespace {

class AreaSeriesTest : public SeriesFixture {
 protected:
  AreaSeriesTest() : lower(Add<TAreaSeries>()), upper(Add<TAreaSeries>()) {
    lower->AppendPoint(0, 10, "");
    lower->AppendPoint(50, 20, "");
    upper->AppendPoint(0, 5, "");
    upper->AppendPoint(50, 5, "");
  }

  TAreaSeries* lower;
  TAreaSeries* upper;
};

TEST_F(AreaSeriesTest, UnstackedAreaFillsDownToThePlotBottom) {
  Paint(*lower);
  auto polygons = canvas().CallsOf(CanvasCall::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].points, (std::vector<TPoint>{{0, 100}, {0, 10}, {50, 20}, {50, 100}}));
  EXPECT_EQ(polygons[0].state.brushColor, lower->PointColor(1));
}

TEST_F(AreaSeriesTest, MultiAreaReachesEveryAreaOfTheChart) {
  upper->SetMultiArea(TMultiArea::maStacked);
  EXPECT_EQ(lower->MultiArea(), TMultiArea::maStacked);
  lower->SetMultiArea(TMultiArea::maNone);
  EXPECT_EQ(upper->MultiArea(), TMultiArea::maNone);
}

TEST_F(AreaSeriesTest, StackedAreaSitsOnTheSumOfTheAreasBefore) {
  upper->SetMultiArea(TMultiArea::maStacked);
  EXPECT_EQ(lower->AreaBaseY(0), lower->ValuePositionY(0));
  EXPECT_EQ(upper->AreaBaseY(0), upper->ValuePositionY(10));
  EXPECT_EQ(upper->PointScreenY(0), upper->ValuePositionY(15));
  EXPECT_EQ(upper->PointScreenY(1), upper->ValuePositionY(25));
  EXPECT_DOUBLE_EQ(upper->HighestY(), 25);
  EXPECT_DOUBLE_EQ(lower->HighestY(), 20);

  Paint(*upper);
  auto polygons = canvas().CallsOf(CanvasCall::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].points, (std::vector<TPoint>{{0, 10}, {0, 15}, {50, 25}, {50, 20}}));
}

TEST_F(AreaSeriesTest, Stacked100ShowsSharesOfTheColumnTotal) {
  upper->SetMultiArea(TMultiArea::maStacked100);
  EXPECT_EQ(lower->PointScreenY(1), lower->ValuePositionY(80));  // 20 of 25
  EXPECT_EQ(upper->AreaBaseY(1), upper->ValuePositionY(80));
  EXPECT_EQ(upper->PointScreenY(1), upper->ValuePositionY(100));
  EXPECT_DOUBLE_EQ(upper->HighestY(), 100);
  EXPECT_DOUBLE_EQ(upper->LowestY(), 0);
}

TEST_F(AreaSeriesTest, Stacked100ColumnOfZerosLiesOnTheBaseLine) {
  lower->YValues().SetValueAt(0, 0);
  upper->YValues().SetValueAt(0, 0);
  upper->SetMultiArea(TMultiArea::maStacked100);
  EXPECT_EQ(upper->PointScreenY(0), upper->ValuePositionY(0));
  EXPECT_EQ(upper->AreaBaseY(0), upper->ValuePositionY(0));
}

TEST_F(AreaSeriesTest, StackedAreasShareOneDepthSlot) {
  chart.SetView3D(true);
  upper->SetMultiArea(TMultiArea::maStacked);
  chart.SetTopDepthSlot(-1);  // counting starts
  lower->AssignDepthSlot();
  upper->AssignDepthSlot();
  EXPECT_EQ(chart.TopDepthSlot(), 0);
  EXPECT_EQ(lower->DepthSlot(), 0);
  EXPECT_EQ(upper->DepthSlot(), 0);
}

TEST_F(AreaSeriesTest, StairsFillRectanglesUpToThePreviousLevel) {
  lower->SetStairs(true);
  Paint(*lower);
  auto rects = Rects();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].rect, (TRect{0, 100, 51, 10}));
  lower->SetInvertedStairs(true);
  Paint(*lower);
  EXPECT_EQ(Rects().at(0).rect, (TRect{0, 100, 51, 20}));
}

TEST_F(AreaSeriesTest, ClickInsideTheAreaAnswersTheSegmentStart) {
  Paint(*lower);
  EXPECT_EQ(lower->PointAtPixel(25, 60), 0);
  EXPECT_EQ(lower->PointAtPixel(25, 5), -1);
}

}  // namespace
}  // namespace tokiwa::testing
