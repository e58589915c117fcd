// Zooming the time axis around a pixel and panning by a step, as the wheel
// and the keys do: through the same saved axes as the drags, so that the
// reverse drag and CancelZoom undo them.
#include <gtest/gtest.h>

#include "mouse_test_support.h"

namespace tokiwa {
namespace {

using mouse_test::MouseChart;

TEST(ChartZoomSteps, ZoomKeepsTheValueUnderThePixelAndLeavesTheVerticalAxesAlone) {
  MouseChart m;
  int zooms = 0;
  m.chart->OnZoom = [&](TComponent*) { ++zooms; };
  // x = 200 is the value 25 (4 pixels per unit from 100).
  m.chart->ZoomHorizontally(200, 0.5);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), 12.5);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Maximum(), 62.5);
  EXPECT_TRUE(m.chart->LeftAxis().Automatic());
  EXPECT_TRUE(m.chart->RightAxis().Automatic());
  EXPECT_TRUE(m.chart->ZoomApplied());
  EXPECT_EQ(zooms, 1);
  // A second step works from the range of the paint in between.
  m.Layout();
  m.chart->ZoomHorizontally(500, 2);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), -37.5);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Maximum(), 62.5);
}

TEST(ChartZoomSteps, TheReverseDragAndCancelZoomUndoWheelZoomAndKeyPanning) {
  for (const bool byDrag : {true, false}) {
    MouseChart m;
    m.chart->SetAllowPanning(TPanningMode::pmHorizontal);
    m.chart->ZoomHorizontally(300, 0.25);
    m.Layout();
    m.chart->PanByPixels(300, 300, 340, 300);  // 40 pixels = 2.5 units of the zoomed range
    EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), 37.5 - 2.5);
    EXPECT_TRUE(m.chart->LeftAxis().Automatic());  // horizontal panning only
    if (byDrag)
      m.Drag(TMouseButton::mbLeft, {400, 400}, {300, 300});
    else
      m.chart->CancelZoom();
    EXPECT_TRUE(m.chart->BottomAxis().Automatic()) << byDrag;
    EXPECT_TRUE(m.chart->TopAxis().Automatic()) << byDrag;
    EXPECT_FALSE(m.chart->ZoomApplied()) << byDrag;
    m.Layout();
    EXPECT_DOUBLE_EQ(m.chart->BottomAxis().CurrentMinimum(), 0) << byDrag;
    EXPECT_DOUBLE_EQ(m.chart->BottomAxis().CurrentMaximum(), 100) << byDrag;
  }
}

TEST(ChartZoomSteps, ZoomStopsAtTheNarrowestRangeWithoutMovingIt) {
  MouseChart m;
  int zooms = 0;
  m.chart->OnZoom = [&](TComponent*) { ++zooms; };
  for (int step = 0; step < 40; ++step) {
    m.chart->ZoomHorizontally(200, 0.5);
    m.Layout();
  }
  const TChartAxis& axis = m.chart->BottomAxis();
  // Still around the value 25, and as narrow as an axis may be.
  EXPECT_NEAR(axis.Maximum() - axis.Minimum(), kMinimumAxisWidth, 1e-9);
  EXPECT_NEAR(axis.PositionToValue(200), 25, 1e-5);
  const int before = zooms;
  const double minimum = axis.Minimum();
  m.chart->ZoomHorizontally(200, 0.5);
  EXPECT_EQ(zooms, before);
  EXPECT_EQ(axis.Minimum(), minimum);
}

TEST(ChartZoomSteps, SwitchedOffZoomAndPanningDoNothing) {
  MouseChart m;
  m.chart->SetAllowZoom(false);
  m.chart->SetAllowPanning(TPanningMode::pmNone);
  m.chart->ZoomHorizontally(200, 0.5);
  m.chart->PanByPixels(200, 200, 300, 300);
  EXPECT_TRUE(m.chart->BottomAxis().Automatic());
  EXPECT_TRUE(m.chart->LeftAxis().Automatic());
  EXPECT_TRUE(m.chart->MustSaveAxes());
}

// An empty chart (no log shown yet) has no range to zoom: the axes stay
// automatic, so the first log drawn fills the plot.
TEST(ChartZoomSteps, ZoomWithoutARangeDoesNothing) {
  MouseChart m;
  m.series->RemoveAllPoints();
  m.Layout();
  ASSERT_EQ(m.chart->BottomAxis().CurrentRange(), 0);
  m.chart->ZoomHorizontally(200, 0.5);
  EXPECT_TRUE(m.chart->BottomAxis().Automatic());
  EXPECT_FALSE(m.chart->ZoomApplied());
  EXPECT_TRUE(m.chart->MustSaveAxes());
}

}  // namespace
}  // namespace tokiwa
