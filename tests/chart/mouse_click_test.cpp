// Locating a press and handing it to the click events; which presses start a
// drag; hover cursors.
#include <gtest/gtest.h>

#include "mouse_test_support.h"
#include "runtime/exceptions.h"

namespace tokiwa {
namespace {

using mouse_test::BoxSeries;
using mouse_test::MouseChart;

bool Dragging(TChart& chart) { return chart.ZoomDrag().DragActive || chart.PanDrag().DragActive; }

TEST(ChartHitTest, FindsLegendSeriesAxesTitlesAndPlotInThatOrder) {
  MouseChart m;
  m.series->HitRects = {{200, 200, 220, 220}};
  m.chart->Title().TitleRect() = {150, 20, 450, 40};
  m.chart->Foot().TitleRect() = {150, 560, 450, 580};
  // The plot's edges are where the axes run; give them their line positions.
  m.chart->BottomAxis().DrawAxis(true);
  m.chart->LeftAxis().DrawAxis(true);

  EXPECT_EQ(m.chart->HitTestPoint(300, 30).Kind, TChartHitKind::HitTitle);
  EXPECT_EQ(m.chart->HitTestPoint(300, 570).Kind, TChartHitKind::HitFoot);
  EXPECT_EQ(m.chart->HitTestPoint(300, 300).Kind, TChartHitKind::HitPlotArea);
  EXPECT_EQ(m.chart->HitTestPoint(550, 300).Kind, TChartHitKind::HitNone);
  const TChartHit onPoint = m.chart->HitTestPoint(210, 210);
  EXPECT_EQ(onPoint.Kind, TChartHitKind::HitSeries);
  EXPECT_EQ(onPoint.Series, m.series);
  EXPECT_EQ(onPoint.ValueIndex, 0);
  const TChartHit onAxis = m.chart->HitTestPoint(300, m.chart->BottomAxis().DepthLinePosition() + 2);
  EXPECT_EQ(onAxis.Kind, TChartHitKind::HitAxis);
  EXPECT_EQ(onAxis.Axis, &m.chart->BottomAxis());

  // The legend's last box wins over everything while the legend is visible.
  auto& legend = const_cast<TRect&>(m.chart->Legend().LegendBounds());
  legend = {200, 200, 260, 260};
  EXPECT_EQ(m.chart->HitTestPoint(210, 210).Kind, TChartHitKind::HitLegend);
  m.chart->Legend().SetVisible(false);
  EXPECT_EQ(m.chart->HitTestPoint(210, 210).Kind, TChartHitKind::HitSeries);
}

TEST(ChartHitTest, PrefersTheSeriesLaterInTheList) {
  MouseChart m;
  BoxSeries* later = m.AddSeries();
  m.series->HitRects = {{200, 200, 220, 220}};
  later->HitRects = {{0, 0, 1, 1}, {205, 205, 230, 230}};
  TChartHit hit = m.chart->HitTestPoint(210, 210);
  EXPECT_EQ(hit.Series, later);
  EXPECT_EQ(hit.ValueIndex, 1);
  later->SetActive(false);
  hit = m.chart->HitTestPoint(210, 210);
  EXPECT_EQ(hit.Series, m.series);
}

TEST(ChartHitTest, PlotAreaNeedsAnActiveSeries) {
  MouseChart m;
  m.series->SetActive(false);
  EXPECT_EQ(m.chart->HitTestPoint(300, 300).Kind, TChartHitKind::HitNone);
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, 300);
  EXPECT_FALSE(Dragging(*m.chart));
}

TEST(ChartClick, PressesOnTitleFootLegendOrNothingNeverDrag) {
  MouseChart m;
  m.chart->Title().TitleRect() = {150, 20, 450, 40};
  m.chart->Foot().TitleRect() = {150, 560, 450, 580};
  const_cast<TRect&>(m.chart->Legend().LegendBounds()) = {400, 150, 480, 200};
  int background = 0;
  m.chart->OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) { ++background; };
  for (TPoint p : {TPoint{300, 30}, TPoint{300, 570}, TPoint{420, 160}, TPoint{550, 300}}) {
    for (TMouseButton b : {TMouseButton::mbLeft, TMouseButton::mbRight}) {
      m.chart->MouseDown(b, 0, p.X, p.Y);
      EXPECT_FALSE(Dragging(*m.chart)) << p.X << "," << p.Y;
      m.chart->MouseUp(b, 0, p.X, p.Y);
    }
  }
  // Nobody else took them, so each was a background click.
  EXPECT_EQ(background, 8);
}

TEST(ChartClick, LegendClickIsRaisedWithThePress) {
  MouseChart m;
  const_cast<TRect&>(m.chart->Legend().LegendBounds()) = {400, 150, 480, 200};
  int legend = 0, background = 0;
  m.chart->OnClickLegend = [&](TCustomChart* sender, TMouseButton b, TShiftState, int x, int y) {
    EXPECT_EQ(sender, m.chart);
    EXPECT_EQ(b, TMouseButton::mbRight);
    EXPECT_EQ(x, 420);
    EXPECT_EQ(y, 160);
    ++legend;
  };
  m.chart->OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) { ++background; };
  m.chart->MouseDown(TMouseButton::mbRight, ssRight, 420, 160);
  EXPECT_EQ(legend, 1);
  EXPECT_EQ(background, 0);
  EXPECT_FALSE(m.chart->ClickConsumed);
}

TEST(ChartClick, SeriesClickDoesNotStartAZoomButAnUnhandledPointDoes) {
  MouseChart m;
  m.series->HitRects = {{200, 200, 220, 220}};
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 210, 210);
  EXPECT_TRUE(m.chart->ZoomDrag().DragActive);
  m.chart->MouseUp(TMouseButton::mbLeft, 0, 210, 210);

  std::vector<int> clicked;
  m.series->OnClick = [&](TChartSeries* sender, int index, TMouseButton, TShiftState, int, int) {
    EXPECT_EQ(sender, m.series);
    clicked.push_back(index);
  };
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 210, 210);
  EXPECT_FALSE(m.chart->ZoomDrag().DragActive);
  EXPECT_EQ(clicked, std::vector<int>{0});
  EXPECT_FALSE(m.chart->ClickConsumed);
}

TEST(ChartClick, DoubleClickReachesOnDblClickOnTheSecondPress) {
  MouseChart m;
  m.series->HitRects = {{200, 200, 220, 220}};
  std::vector<std::string> events;
  m.series->OnClick = [&](TChartSeries*, int, TMouseButton, TShiftState, int, int) { events.push_back("click"); };
  m.series->OnDblClick = [&](TChartSeries*, int, TMouseButton, TShiftState, int, int) { events.push_back("dbl"); };
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 210, 210);
  m.chart->MouseUp(TMouseButton::mbLeft, 0, 210, 210);
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft | ssDouble, 210, 210);
  m.chart->MouseUp(TMouseButton::mbLeft, 0, 210, 210);
  EXPECT_EQ(events, (std::vector<std::string>{"click", "dbl"}));
}

TEST(ChartClick, HandlerGivesThePressBackByClearingClickConsumed) {
  MouseChart m;
  m.series->HitRects = {{200, 200, 220, 220}};
  int chartSeriesClicks = 0;
  m.series->OnClick = [](TChartSeries*, int, TMouseButton, TShiftState, int, int) {};
  m.chart->OnClickSeries = [&](TCustomChart* chart, TChartSeries* s, int index, TMouseButton, TShiftState, int, int) {
    EXPECT_EQ(s, m.series);
    EXPECT_EQ(index, 0);
    ++chartSeriesClicks;
    chart->ClickConsumed = false;
  };
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 210, 210);
  EXPECT_EQ(chartSeriesClicks, 1);
  EXPECT_TRUE(m.chart->ZoomDrag().DragActive);
}

TEST(ChartClick, AxisClickConsumesThePressUnlessGivenBack) {
  MouseChart m;
  m.chart->BottomAxis().DrawAxis(true);
  const int y = m.chart->BottomAxis().DepthLinePosition();
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, y);  // nobody to take it
  EXPECT_TRUE(m.chart->ZoomDrag().DragActive);
  m.chart->MouseUp(TMouseButton::mbLeft, 0, 300, y);
  bool giveBack = false;
  TChartAxis* clickedAxis = nullptr;
  m.chart->OnClickAxis = [&](TCustomChart* chart, TChartAxis* axis, TMouseButton, TShiftState, int, int) {
    clickedAxis = axis;
    if (giveBack) chart->ClickConsumed = false;
  };
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, y);
  EXPECT_EQ(clickedAxis, &m.chart->BottomAxis());
  EXPECT_FALSE(Dragging(*m.chart));
  giveBack = true;
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, y);
  EXPECT_TRUE(m.chart->ZoomDrag().DragActive);
}

TEST(ChartClick, PlotAreaBackgroundClickConsumesThePress) {
  MouseChart m;
  int background = 0;
  m.chart->OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) { ++background; };
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, 300);
  EXPECT_EQ(background, 1);
  EXPECT_FALSE(Dragging(*m.chart));
}

TEST(ChartClick, PressDuringADragIsIgnored) {
  MouseChart m;
  int downs = 0, background = 0;
  m.chart->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++downs; };
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 200, 200);
  ASSERT_TRUE(m.chart->ZoomDrag().DragActive);
  m.chart->OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) { ++background; };
  m.chart->MouseDown(TMouseButton::mbRight, ssLeft | ssRight, 300, 300);
  EXPECT_EQ(downs, 2);  // the control's own event fires anyway
  EXPECT_EQ(background, 0);
  EXPECT_FALSE(m.chart->PanDrag().DragActive);
  EXPECT_EQ(m.chart->ZoomDrag().FromX, 200);
}

TEST(ChartClick, PressWithClickConsumedSetOnlyClearsIt) {
  MouseChart m;
  int background = 0;
  m.chart->OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) { ++background; };
  m.chart->ClickConsumed = true;
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, 300);
  EXPECT_FALSE(m.chart->ClickConsumed);
  EXPECT_EQ(background, 0);
  EXPECT_FALSE(Dragging(*m.chart));
}

TEST(ChartClick, AFailingHandlerDoesNotSwallowTheNextPress) {
  MouseChart m;
  m.chart->OnClickBackground = [](TCustomChart*, TMouseButton, TShiftState, int, int) { throw Exception("boom"); };
  EXPECT_THROW(m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, 300), Exception);
  EXPECT_FALSE(m.chart->ClickConsumed);
  m.chart->OnClickBackground = nullptr;
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, 300);
  EXPECT_TRUE(m.chart->ZoomDrag().DragActive);
}

TEST(ChartHover, SeriesCursorShowsOverItsPointsAndTheSavedCursorElsewhere) {
  MouseChart m;
  m.series->HitRects = {{200, 200, 220, 220}};
  m.series->SetCursor(crChartHand);
  m.chart->SetSavedCursor(crCross);
  m.chart->MouseMove(0, 210, 210);
  EXPECT_EQ(m.host.Cursor, crChartHand);
  EXPECT_EQ(m.series->moves, 1);
  m.chart->MouseMove(0, 300, 300);
  EXPECT_EQ(m.host.Cursor, crCross);
  m.chart->MouseMove(0, 210, 210);
  m.chart->MouseLeave();
  EXPECT_EQ(m.host.Cursor, crCross);
  // Where two series with cursors overlap, the first in the list wins.
  BoxSeries* later = m.AddSeries();
  later->HitRects = {{200, 200, 220, 220}};
  later->SetCursor(crHandPoint);
  m.chart->MouseMove(0, 210, 210);
  EXPECT_EQ(m.host.Cursor, crChartHand);
}

TEST(ChartHover, NoHoverTestWhileDragging) {
  MouseChart m;
  m.series->HitRects = {{200, 200, 220, 220}};
  m.series->SetCursor(crChartHand);
  m.chart->MouseDown(TMouseButton::mbLeft, ssLeft, 300, 300);
  EXPECT_EQ(m.host.Cursor, crDefault);
  m.chart->MouseMove(ssLeft, 210, 210);
  EXPECT_EQ(m.series->moves, 0);
  EXPECT_EQ(m.host.Cursor, crDefault);
  m.chart->MouseUp(TMouseButton::mbLeft, 0, 210, 210);
  EXPECT_EQ(m.series->releases, 1);
}

}  // namespace
}  // namespace tokiwa
