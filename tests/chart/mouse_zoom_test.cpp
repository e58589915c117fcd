// Zooming by a dragged rectangle: the rubber band, the size threshold, the
// directions that undo, animated steps and restoring the saved axes.
#include <gtest/gtest.h>

#include "chart/engine_settings.h"
#include "mouse_test_support.h"

namespace tokiwa {
namespace {

using mouse_test::MouseChart;

struct Counters {
  int zooms = 0, undos = 0;
  void Attach(TChart& chart) {
    chart.OnZoom = [this](TComponent*) { ++zooms; };
    chart.OnUndoZoom = [this](TComponent*) { ++undos; };
  }
};

TEST(ChartZoom, DragRightDownZoomsAllAxesToTheRectangle) {
  MouseChart m;
  Counters c;
  c.Attach(*m.chart);
  m.Drag(TMouseButton::mbLeft, {200, 200}, {300, 350});
  // 4 pixels per unit from the plot's left edge (x) and bottom edge (y).
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), 25);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Maximum(), 50);
  EXPECT_DOUBLE_EQ(m.chart->LeftAxis().Minimum(), 37.5);
  EXPECT_DOUBLE_EQ(m.chart->LeftAxis().Maximum(), 75);
  EXPECT_FALSE(m.chart->BottomAxis().Automatic());
  EXPECT_TRUE(m.chart->ZoomApplied());
  EXPECT_FALSE(m.chart->MustSaveAxes());
  EXPECT_EQ(c.zooms, 1);
  EXPECT_FALSE(m.chart->ZoomDrag().DragActive);
}

TEST(ChartZoom, RubberBandIsDrawnMovedAndErasedOnTheWindowWithoutRepainting) {
  MouseChart m;
  m.chart->SetColor(clWhite);  // not-xor with white shows nothing: red instead
  const int invalidations = m.host.InvalidateCount;
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 200, 200);
  m.chart->MouseMove(ssLeft, 250, 260);
  m.chart->MouseMove(ssLeft, 250, 260);  // same point: nothing to redraw
  m.chart->MouseMove(ssLeft, 280, 300);
  EXPECT_EQ(m.host.InvalidateCount, invalidations);
  auto frames = m.Frames();
  // Start; erase + draw; erase + draw.
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_EQ(frames[0].rect, (TRect{200, 200, 200, 200}));
  EXPECT_EQ(frames[1].rect, frames[0].rect);
  EXPECT_EQ(frames[2].rect, (TRect{200, 200, 250, 260}));
  EXPECT_EQ(frames[3].rect, frames[2].rect);
  EXPECT_EQ(frames[4].rect, (TRect{200, 200, 280, 300}));
  EXPECT_EQ(frames[4].state.penColor, clRed);
  EXPECT_EQ(frames[4].state.brushStyle, TBrushStyle::bsClear);
  m.chart->MouseUp(TMouseButton::mbLeft, 0, 280, 300);
  frames = m.Frames();
  ASSERT_EQ(frames.size(), 6u);
  EXPECT_EQ(frames[5].rect, frames[4].rect);  // the last frame erased
  EXPECT_EQ(m.host.Window.Pen().Mode(), TPenMode::pmCopy);
}

TEST(ChartZoom, NeedsMoreThanSixteenPixelsBothWays) {
  {
    MouseChart m;
    Counters c;
    c.Attach(*m.chart);
    const int invalidations = m.host.InvalidateCount;
    m.Drag(TMouseButton::mbLeft, {100, 100}, {116, 200});
    EXPECT_TRUE(m.chart->BottomAxis().Automatic());
    EXPECT_TRUE(m.chart->MustSaveAxes());
    EXPECT_EQ(c.zooms + c.undos, 0);
    EXPECT_EQ(m.host.InvalidateCount, invalidations);
    m.Drag(TMouseButton::mbLeft, {100, 100}, {200, 116});
    EXPECT_TRUE(m.chart->BottomAxis().Automatic());
  }
  MouseChart m;
  Counters c;
  c.Attach(*m.chart);
  m.Drag(TMouseButton::mbLeft, {100, 100}, {117, 117});
  EXPECT_EQ(c.zooms, 1);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), 0);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Maximum(), 17 / 4.0);
}

TEST(ChartZoom, DragLeftOrUpUndoesTheZoom) {
  for (TPoint to : {TPoint{100, 100}, TPoint{300, 100}, TPoint{100, 300}}) {
    MouseChart m;
    Counters c;
    c.Attach(*m.chart);
    m.Drag(TMouseButton::mbLeft, {200, 200}, {300, 350});
    ASSERT_TRUE(m.chart->ZoomApplied());
    m.Layout();
    m.Drag(TMouseButton::mbLeft, {200, 200}, to);
    EXPECT_EQ(c.undos, 1) << to.X << "," << to.Y;
    EXPECT_FALSE(m.chart->ZoomApplied());
    EXPECT_TRUE(m.chart->MustSaveAxes());
    for (TChartAxis* a : {&m.chart->BottomAxis(), &m.chart->LeftAxis(), &m.chart->TopAxis()}) {
      EXPECT_TRUE(a->Automatic());
      EXPECT_TRUE(a->AutomaticMinimum());
      EXPECT_TRUE(a->AutomaticMaximum());
    }
  }
}

TEST(ChartZoom, UndoWithNothingSavedOnlyRaisesTheEventAndRepaints) {
  MouseChart m;
  Counters c;
  c.Attach(*m.chart);
  m.chart->LeftAxis().SetAxisRange(10, 20);  // a fixed range the undo must not touch
  const int invalidations = m.host.InvalidateCount;
  m.Drag(TMouseButton::mbLeft, {200, 200}, {100, 100});
  EXPECT_EQ(c.undos, 1);
  EXPECT_GT(m.host.InvalidateCount, invalidations);
  EXPECT_FALSE(m.chart->LeftAxis().Automatic());
  EXPECT_DOUBLE_EQ(m.chart->LeftAxis().Minimum(), 10);
  EXPECT_DOUBLE_EQ(m.chart->LeftAxis().Maximum(), 20);
  EXPECT_TRUE(m.chart->BottomAxis().Automatic());
}

TEST(ChartZoom, UndoRestoresFixedRangesAndAxesWithOneAutomaticEnd) {
  MouseChart m;
  m.chart->LeftAxis().SetAxisRange(-50, 150);
  // Maximum fixed, minimum automatic.
  m.chart->BottomAxis().SetMaximum(100);
  m.chart->BottomAxis().SetAutomaticMaximum(false);
  ASSERT_TRUE(m.chart->BottomAxis().AutomaticMinimum());
  m.Layout();
  m.Drag(TMouseButton::mbLeft, {200, 200}, {300, 350});
  ASSERT_FALSE(m.chart->BottomAxis().AutomaticMinimum());
  m.chart->CancelZoom();
  EXPECT_FALSE(m.chart->LeftAxis().Automatic());
  EXPECT_DOUBLE_EQ(m.chart->LeftAxis().Minimum(), -50);
  EXPECT_DOUBLE_EQ(m.chart->LeftAxis().Maximum(), 150);
  const TChartAxis& bottom = m.chart->BottomAxis();
  EXPECT_FALSE(bottom.Automatic());
  EXPECT_TRUE(bottom.AutomaticMinimum());
  EXPECT_FALSE(bottom.AutomaticMaximum());
  EXPECT_DOUBLE_EQ(bottom.Maximum(), 100);
}

TEST(ChartZoom, OnlyTheZoomButtonEndsTheZoomDrag) {
  MouseChart m;
  m.chart->SetAllowPanning(TPanningMode::pmNone);
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 200, 200);
  m.chart->MouseMove(ssLeft | ssRight, 300, 300);
  m.chart->MouseUp(TMouseButton::mbRight, ssLeft, 300, 300);
  EXPECT_TRUE(m.chart->ZoomDrag().DragActive);
  m.chart->MouseUp(TMouseButton::mbLeft, 0, 300, 300);
  EXPECT_FALSE(m.chart->ZoomDrag().DragActive);
  EXPECT_TRUE(m.chart->ZoomApplied());
}

TEST(ChartZoom, ZoomKeysMustBeHeld) {
  MouseChart m;
  EngineSettings().ZoomKeyState = ssCtrl;
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 200, 200);
  const bool withoutKey = m.chart->ZoomDrag().DragActive;
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft | ssCtrl, 200, 200);
  const bool withKey = m.chart->ZoomDrag().DragActive;
  EngineSettings().ZoomKeyState = 0;
  EXPECT_FALSE(withoutKey);
  EXPECT_TRUE(withKey);
}

TEST(ChartZoom, AnimatedZoomStepsAThirdOfTheRemainingWayAndRepaintsEachStep) {
  MouseChart m;
  m.chart->SetAnimatedZoom(true);
  m.chart->SetAnimatedZoomSteps(3);
  std::vector<double> minima;
  m.host.OnRepaintNow = [&] { minima.push_back(m.chart->BottomAxis().Minimum()); };
  m.chart->SetAxesRanges(0, 1, 30, 60, 0, 1, 0, 1);
  ASSERT_EQ(minima.size(), 2u);
  EXPECT_DOUBLE_EQ(minima[0], 10);           // 0 + (30 - 0) / 3
  EXPECT_DOUBLE_EQ(minima[1], 10 + 20 / 3.0);  // then a third of the rest
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Minimum(), 30);
  EXPECT_DOUBLE_EQ(m.chart->BottomAxis().Maximum(), 60);

  m.chart->SetAnimatedZoomSteps(1);
  m.chart->SetAxesRanges(0, 1, 30, 60, 0, 1, 0, 1);
  EXPECT_EQ(minima.size(), 2u);
}

TEST(ChartZoom, CancelZoomAlsoUndoesPanning) {
  MouseChart m;
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 300, 300);
  m.chart->MouseMove(ssRight, 280, 280);
  m.chart->MouseUp(TMouseButton::mbRight, 0, 280, 280);
  ASSERT_FALSE(m.chart->BottomAxis().Automatic());
  EXPECT_FALSE(m.chart->ZoomApplied());  // panning is not a zoom
  m.chart->CancelZoom();
  EXPECT_TRUE(m.chart->BottomAxis().Automatic());
  EXPECT_TRUE(m.chart->LeftAxis().Automatic());
}

}  // namespace
}  // namespace tokiwa
