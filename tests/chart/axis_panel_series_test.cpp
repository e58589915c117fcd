// The axis panel's series list, its construction, ownership of attached series,
// the queries axes and legend put to the series, and copying a chart.
#include <gtest/gtest.h>

#include "chart/chart.h"
#include "chart/chart_exceptions.h"
#include "paint_test_support.h"

namespace tokiwa {
namespace {

using paint_test::LoggingSeries;
using paint_test::PaintChart;

TEST(AxisPanelConstruction, ControlAxesAndChartDefaults) {
  TChart chart(nullptr);
  EXPECT_EQ(chart.Width(), 400);
  EXPECT_EQ(chart.Height(), 250);
  EXPECT_TRUE(chart.ImageStale());  // the first paint always draws
  EXPECT_TRUE(chart.SeparateDepthSlots());
  EXPECT_TRUE(chart.View3D());
  EXPECT_TRUE(chart.View3DWalls());
  EXPECT_TRUE(chart.ClipPoints());
  EXPECT_TRUE(chart.AxisVisible());
  EXPECT_EQ(chart.Chart3DPercent(), 15);
  EXPECT_EQ(chart.BackColor(), ColorDefault);
  EXPECT_EQ(chart.Page(), 1);
  EXPECT_TRUE(chart.ScaleLastPage());
  EXPECT_TRUE(chart.Frame().Visible());

  EXPECT_NE(dynamic_cast<TChartLegend*>(&chart.Legend()), nullptr);
  EXPECT_EQ(chart.LeftWall().Color(), 0x80FFFFu);
  EXPECT_EQ(chart.BottomWall().Color(), clWhite);
  EXPECT_EQ(chart.Title().Font().Color(), clBlue);
  EXPECT_TRUE(chart.Title().Text().empty());
  EXPECT_TRUE(chart.Foot().Text().empty());
  EXPECT_EQ(chart.BackImageMode(), TChartBackImageMode::pbmStretch);
  EXPECT_TRUE(chart.BackImage().Empty());
  EXPECT_FALSE(chart.Gradient().Visible());

  EXPECT_EQ(chart.AnimatedZoomSteps(), 8);
  EXPECT_TRUE(chart.AllowZoom());
  EXPECT_EQ(chart.AllowPanning(), TPanningMode::pmBoth);
  EXPECT_FALSE(chart.ClickConsumed);
  EXPECT_TRUE(chart.MustSaveAxes());
}

TEST(AxisPanelSeries, AttachingPicksUnusedPaletteColoursAndDetachingForgets) {
  PaintChart c;
  auto& a = c.AddSeries("a");
  auto& b = c.AddSeries("b");
  EXPECT_EQ(c.chart->SeriesCount(), 2);
  EXPECT_EQ(c.chart->SeriesAt(0), &a);
  EXPECT_EQ(a.ParentChart(), c.chart);
  EXPECT_EQ(a.SeriesColor(), clRed);
  EXPECT_EQ(b.SeriesColor(), clGreen);

  // The chart's own colours are skipped; a colour given by the application stays.
  c.chart->SetBackColor(clYellow);
  auto& d = c.AddSeries("d");
  EXPECT_EQ(d.SeriesColor(), clBlue);
  auto* e = new LoggingSeries(&c.form, &c.log, "e");
  e->SetSeriesColor(clRed);
  e->SetParentChart(c.chart);
  EXPECT_EQ(e->SeriesColor(), clRed);

  c.chart->AttachSeries(&a);  // already there: nothing
  EXPECT_EQ(c.chart->SeriesCount(), 4);

  c.chart->SetImageStale(false);
  b.SetParentChart(nullptr);
  EXPECT_EQ(c.chart->SeriesCount(), 3);
  EXPECT_EQ(b.ParentChart(), nullptr);
  EXPECT_TRUE(c.chart->ImageStale());
  c.chart->DetachSeries(&b);  // not there: nothing
  EXPECT_EQ(c.chart->SeriesCount(), 3);
  // Calling the chart directly also sets and clears the series' side.
  c.chart->AttachSeries(&b);
  EXPECT_EQ(b.ParentChart(), c.chart);
  EXPECT_EQ(c.chart->SeriesAt(3), &b);
  c.chart->DetachSeries(&b);
  EXPECT_EQ(b.ParentChart(), nullptr);
}

TEST(AxisPanelSeries, PickSeriesColorFallsBackToRedWhenAllSixteenAreTaken) {
  PaintChart c;
  for (int i = 0; i < 16; ++i) c.AddSeries(std::to_string(i));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(c.chart->SeriesAt(i)->SeriesColor(), PaletteColor(i));
  EXPECT_EQ(c.chart->PickSeriesColor(false), clRed);
  // Without the back check, the chart's own colour is acceptable.
  PaintChart d;
  d.chart->SetColor(clRed);
  EXPECT_EQ(d.chart->PickSeriesColor(true), clGreen);
  EXPECT_EQ(d.chart->PickSeriesColor(false), clRed);
}

TEST(AxisPanelSeries, DetachingRestoresTheChartCursorShownForTheSeries) {
  PaintChart c;
  auto& a = c.AddSeries("a");
  a.SetCursor(crHandPoint);
  c.chart->SetSavedCursor(crCross);
  c.chart->SetCursor(crHandPoint);
  a.SetParentChart(nullptr);
  EXPECT_EQ(c.chart->Cursor(), crCross);
}

TEST(AxisPanelOwnership, DestroyingTheChartDestroysFormOwnedSeries) {
  PaintChart c;
  c.AddSeries("a", 3);
  c.AddSeries("b", 3);
  ASSERT_EQ(c.form.ComponentCount(), 3);  // the chart and two series
  delete c.chart;
  // The series left the form when the chart destroyed them; the form, destroyed
  // later, must not destroy them again (the sanitizer run checks that).
  EXPECT_EQ(c.form.ComponentCount(), 0);
}

TEST(AxisPanelOwnership, DestroyAllSeriesEmptiesTheListAndTheOwner) {
  PaintChart c;
  c.AddSeries("a", 2);
  c.AddSeries("b", 2);
  c.chart->DestroyAllSeries();
  EXPECT_EQ(c.chart->SeriesCount(), 0);
  EXPECT_EQ(c.form.ComponentCount(), 1);
}

TEST(AxisPanelOwnership, AFormDestroyingItsSeriesFirstLeavesTheChartConsistent) {
  // Series created before the chart: the form destroys the chart first, which
  // destroys the series, while the form itself is being destroyed.
  RecordingHost host;
  auto* form = new TComponent(nullptr);
  auto* s = new TChartSeries(form);
  auto* chart = new TChart(form);
  chart->SetHost(&host);
  s->SetParentChart(chart);
  EXPECT_EQ(chart->SeriesCount(), 1);
  delete form;
}

TEST(AxisPanelQueries, LegendSeriesTitleAndLegendSeriesAt) {
  PaintChart c;
  auto& a = c.AddSeries("a");
  auto& hidden = c.AddSeries("hidden");
  auto& b = c.AddSeries("b");
  auto& d = c.AddSeries("d");
  hidden.SetShowInLegend(false);
  a.SetTitle("Sales");
  b.SetName("SeriesB");
  EXPECT_EQ(c.chart->LegendSeriesAt(1), &b);
  EXPECT_EQ(c.chart->LegendSeriesTitle(0), "Sales");
  EXPECT_EQ(c.chart->LegendSeriesTitle(1), "SeriesB");
  EXPECT_EQ(c.chart->LegendSeriesTitle(2), "Series 2");
  EXPECT_EQ(c.chart->LegendSeriesTitle(3), "?");
  d.SetActive(false);
  EXPECT_EQ(c.chart->LegendSeriesAt(2), nullptr);
  EXPECT_EQ(c.chart->LegendValueText(nullptr, 0), "");
}

TEST(AxisPanelQueries, FirstSeriesQueriesSkipInactiveSeries) {
  PaintChart c;
  auto& a = c.AddSeries("a", 2);
  auto& b = c.AddSeries("b", 2);
  auto& r = c.AddSeries("r", 2);
  r.SetVertAxis(TVertAxis::aRightAxis);
  a.SetActive(false);
  EXPECT_EQ(c.chart->FirstActiveSeries(), &b);
  EXPECT_EQ(c.chart->FirstSeriesOnAxis(&c.chart->LeftAxis()), &b);
  EXPECT_EQ(c.chart->FirstSeriesOnAxis(&c.chart->RightAxis()), &r);
  EXPECT_EQ(c.chart->FirstSeriesOnAxis(&c.chart->TopAxis()), nullptr);
  EXPECT_EQ(c.chart->ActiveSeriesCount(), 2);
  EXPECT_EQ(c.chart->SeriesList().ActiveSeriesCount(), 2);
  b.AppendPoint(5, 5, "");
  EXPECT_EQ(c.chart->LargestPointCount(), 3);
}

TEST(AxisPanelQueries, FirstFilledSeriesNeedsANonEmptyFirstLabelInTheAxisDirection) {
  PaintChart c;
  auto& unlabelled = c.AddSeries("u", 2);
  auto& laterLabel = c.AddSeries("l");
  laterLabel.AppendPoint(0, 0, "");
  laterLabel.AppendPoint(1, 1, "x");
  auto& labelled = c.AddSeries("f");
  labelled.AppendPoint(0, 0, "first");
  (void)unlabelled;
  EXPECT_EQ(c.chart->FirstFilledSeriesOnAxis(&c.chart->BottomAxis()), &labelled);
  EXPECT_EQ(c.chart->FirstFilledSeriesOnAxis(&c.chart->LeftAxis()), &labelled);
  labelled.SetHorizAxis(THorizAxis::aTopAxis);
  EXPECT_EQ(c.chart->FirstFilledSeriesOnAxis(&c.chart->BottomAxis()), nullptr);
  EXPECT_EQ(c.chart->FirstFilledSeriesOnAxis(&c.chart->TopAxis()), &labelled);
}

TEST(AxisPanelQueries, IsAxisShownFollowsTheSwitchesAndTheSeries) {
  PaintChart c;
  TCustomAxisPanel& p = *c.chart;
  // No series: every visible axis shows.
  EXPECT_TRUE(p.IsAxisShown(&p.RightAxis()));
  auto& s = c.AddSeries("s");
  EXPECT_TRUE(p.IsAxisShown(&p.LeftAxis()));
  EXPECT_TRUE(p.IsAxisShown(&p.BottomAxis()));
  EXPECT_FALSE(p.IsAxisShown(&p.RightAxis()));
  EXPECT_FALSE(p.IsAxisShown(&p.TopAxis()));
  p.LeftAxis().SetVisible(false);
  EXPECT_FALSE(p.IsAxisShown(&p.LeftAxis()));
  p.SetAxisVisible(false);
  EXPECT_FALSE(p.IsAxisShown(&p.BottomAxis()));
  p.SetAxisVisible(true);
  // An inactive series does not count: back to "no series".
  s.SetActive(false);
  EXPECT_TRUE(p.IsAxisShown(&p.RightAxis()));
}

TEST(AxisPanelQueries, PlotFrameAndHitRectanglesFollowTheDepth) {
  PaintChart c;
  c.AddSeries("a");
  c.AddSeries("b");
  c.SetPlot({100, 50, 500, 250});
  c.chart->SetTopDepthSlot(1);
  c.chart->ComputeDepth();  // 400 x 200 at 15 per mille, two slots: 12 x 6
  ASSERT_EQ(c.chart->DepthX(), 12);
  ASSERT_EQ(c.chart->DepthY(), 6);
  EXPECT_EQ(c.chart->PlotFrameRect(), (TRect{112, 44, 513, 244}));
  EXPECT_EQ(c.chart->PlotHitRect(), (TRect{100, 44, 512, 250}));
  c.chart->SetView3D(false);
  EXPECT_EQ(c.chart->PlotHitRect(), (TRect{100, 50, 500, 250}));
}

TEST(AxisPanelQueries, SeriesSourcesAndTheirLoops) {
  PaintChart c;
  auto& a = c.AddSeries("a", 2);
  auto& b = c.AddSeries("b");
  TComponent other(nullptr);
  EXPECT_FALSE(c.chart->IsValidSeriesSource(&a, &a));
  EXPECT_FALSE(c.chart->IsValidSeriesSource(&a, &other));
  EXPECT_EQ(c.chart->IsValidSeriesSource(&b, &a), b.AcceptsSource(&a));

  b.SetDataSource(&a);
  ASSERT_EQ(b.DataSource(), &a);
  auto& d = c.AddSeries("d");
  d.SetDataSource(&b);
  // a feeding from b, or from d (which feeds from b), would close a loop.
  for (TChartSeries* feeder : {static_cast<TChartSeries*>(&b), static_cast<TChartSeries*>(&d)}) {
    try {
      c.chart->CheckSourceLoop(&a, feeder);
      FAIL() << "expected a circular-source error";
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), "系列の循環参照は許されません");
    }
  }
  // A loop through a second source counts as much as one through the first.
  auto& e = c.AddSeries("e");
  e.SetDataSource(&c.AddSeries("x"));
  e.AddDataSource(&b);
  EXPECT_THROW(c.chart->CheckSourceLoop(&b, &e), ChartException);
  EXPECT_NO_THROW(c.chart->CheckSourceLoop(&d, &b));
  EXPECT_NO_THROW(c.chart->CheckSourceLoop(&other, &b));
}

TEST(AxisPanelAssign, CopiesSettingsButNotSeries) {
  PaintChart from, to;
  from.AddSeries("a", 3);
  from.chart->SetView3D(false);
  from.chart->SetChart3DPercent(40);
  from.chart->SetBackColor(clAqua);
  from.chart->SetMarginLeft(9);
  from.chart->SetMaxPointsPerPage(2);
  from.chart->SetPage(2);
  from.chart->Frame().SetColor(clRed);
  from.chart->LeftWall().SetSize(7);
  from.chart->Gradient().SetVisible(true);
  from.chart->SetAllowPanning(TPanningMode::pmHorizontal);
  from.chart->SetAnimatedZoomSteps(3);
  from.chart->Foot().SetText({"one", "two"});
  from.chart->Title().SetAlignment(TAlignment::taLeftJustify);

  to.chart->Assign(*from.chart);
  EXPECT_FALSE(to.chart->View3D());
  EXPECT_EQ(to.chart->Chart3DPercent(), 40);
  EXPECT_EQ(to.chart->BackColor(), clAqua);
  EXPECT_EQ(to.chart->MarginLeft(), 9);
  EXPECT_EQ(to.chart->MaxPointsPerPage(), 2);
  EXPECT_EQ(to.chart->Page(), 2);
  EXPECT_EQ(to.chart->Frame().Color(), clRed);
  EXPECT_EQ(to.chart->LeftWall().Size(), 7);
  EXPECT_TRUE(to.chart->Gradient().Visible());
  EXPECT_EQ(to.chart->AllowPanning(), TPanningMode::pmHorizontal);
  EXPECT_EQ(to.chart->AnimatedZoomSteps(), 3);
  EXPECT_EQ(to.chart->Foot().Text(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(to.chart->Title().Alignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(to.chart->SeriesCount(), 0);
}

}  // namespace
}  // namespace tokiwa
