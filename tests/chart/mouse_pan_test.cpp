// Panning with the pan button: which axes move, by how much, vetoes, and when
// the drag ends.
#include <gtest/gtest.h>

#include "mouse_test_support.h"
#include "runtime/exceptions.h"

namespace tokiwa {
namespace {

using mouse_test::MouseChart;

TEST(ChartPanning, HorizontalModeMovesOnlyTheHorizontalAxesAndTheDataFollowTheMouse) {
  MouseChart m;
  m.chart->SetAllowPanning(TPanningMode::pmHorizontal);
  int scrolls = 0;
  m.chart->OnScroll = [&](TComponent*) { ++scrolls; };
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
  ASSERT_TRUE(m.chart->PanDrag().DragActive);
  m.chart->MouseMove(ssRight, 320, 340);
  // 20 pixels right = 5 units: the range moves to lower values.
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), -5);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Maximum(), 95);
  EXPECT_FALSE(m.chart->TopAxis().Automatic());
  EXPECT_TRUE(m.chart->LeftAxis().Automatic());
  EXPECT_TRUE(m.chart->RightAxis().Automatic());
  EXPECT_EQ(scrolls, 1);
  // A purely vertical move changes nothing in this mode.
  const int invalidations = m.host.InvalidateCount;
  m.chart->MouseMove(ssRight, 320, 300);
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(m.host.InvalidateCount, invalidations);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), -5);
}

TEST(ChartPanning, VerticalAndBothModesMoveTheVerticalAxes) {
  for (TPanningMode mode : {TPanningMode::pmVertical, TPanningMode::pmBoth}) {
    MouseChart m;
    m.chart->SetAllowPanning(mode);
    m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
    m.chart->MouseMove(ssRight, 320, 280);
    // 20 pixels up = 5 units: the vertical range moves to lower values.
    EXPECT_DOUBLE_EQ(m.chart->LeftAxis().Minimum(), -5);
    EXPECT_DOUBLE_EQ(m.chart->LeftAxis().Maximum(), 95);
    EXPECT_EQ(m.chart->BottomAxis().Automatic(), mode == TPanningMode::pmVertical);
  }
}

TEST(ChartPanning, EachMoveScrollsFromThePreviousMousePosition) {
  MouseChart m;
  m.chart->SetAllowPanning(TPanningMode::pmHorizontal);
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
  m.chart->MouseMove(ssRight, 290, 300);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), 2.5);
  m.Layout();  // the repaint between the two moves
  m.chart->MouseMove(ssRight, 280, 300);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), 5);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Maximum(), 105);
}

TEST(ChartPanning, LeavingThePlotEndsTheDrag) {
  MouseChart m;
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
  m.chart->MouseMove(ssRight, 50, 300);
  EXPECT_FALSE(m.chart->PanDrag().DragActive);
  EXPECT_TRUE(m.chart->BottomAxis().Automatic());
  m.chart->MouseMove(ssRight, 250, 300);
  EXPECT_TRUE(m.chart->BottomAxis().Automatic());
}

TEST(ChartPanning, AllowScrollMayChangeOrVetoAStep) {
  MouseChart m;
  m.chart->SetAllowPanning(TPanningMode::pmHorizontal);
  bool allow = false;
  m.chart->OnAllowScroll = [&](TChartAxis* axis, double& aMin, double& aMax, bool& allowScroll) {
    if (axis != &m.chart->BottomAxis()) return;
    allowScroll = allow;
    aMin -= 1000;
    aMax += 1000;
  };
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
  m.chart->MouseMove(ssRight, 280, 300);
  EXPECT_TRUE(m.chart->BottomAxis().Automatic());
  EXPECT_TRUE(m.chart->PanDrag().DragActive);  // a veto does not end the drag
  allow = true;
  m.chart->MouseMove(ssRight, 260, 300);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), 5 - 1000);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Maximum(), 105 + 1000);
}

TEST(ChartPanning, AnyReleaseEndsIt) {
  MouseChart m;
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
  m.chart->MouseUp(TMouseButton::mbMiddle, ssRight, 300, 300);
  EXPECT_FALSE(m.chart->PanDrag().DragActive);
}

TEST(ChartPanning, NoneModeStartsNoDrag) {
  MouseChart m;
  m.chart->SetAllowPanning(TPanningMode::pmNone);
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
  EXPECT_FALSE(m.chart->PanDrag().DragActive);
}

TEST(ChartPanning, AFailingReleaseHandlerStillEndsTheDrags) {
  MouseChart m;
  m.chart->OnMouseUp = [](TComponent*, TMouseButton, TShiftState, int, int) { throw Exception("boom"); };
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 200, 200);
  m.chart->MouseMove(ssLeft, 300, 300);
  EXPECT_THROW(m.chart->MouseUp(TMouseButton::mbLeft, 0, 300, 300), Exception);
  EXPECT_FALSE(m.chart->ZoomDrag().DragActive);
  EXPECT_FALSE(m.chart->ZoomApplied());
  EXPECT_EQ(m.Frames().size(), 4u);  // drawn, moved, erased: nothing left on screen

  m.chart->OnMouseUp = [](TComponent*, TMouseButton, TShiftState, int, int) { throw Exception("boom"); };
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
  EXPECT_THROW(m.chart->MouseUp(TMouseButton::mbRight, 0, 300, 300), Exception);
  EXPECT_FALSE(m.chart->PanDrag().DragActive);
}

}  // namespace
}  // namespace tokiwa
